"""The program's window: its title, the pause key and the ways it ends; the
picture following the window's size, fullscreen, the window fitted to small
and dense screens, and the pause when the player looks away."""

import os
import subprocess
import time
import unittest

from harness import (PICTURE_HEIGHT, PICTURE_WIDTH, FocusThief, GameRun, VirtualDisplay,
                     staged_bin_dir)
from test_game import (RED_SLOT_LEFT, SLOT_SIZE, SLOT_TOP, TUTORIAL_PANEL, end_game, loop_time_ms,
                       start_game, wait_loop_time)

# P and F11 each act at most once a second of the game's loop.
DEBOUNCE_MS = 1100

# Screenshots of the window in each of its shapes, for people to look at.
SHOTS = os.path.join(os.path.dirname(staged_bin_dir()), "window-shots")
# A picture shown larger and scaled back down by another program matches the
# original to within this mean difference per channel value (0 to 255), with
# at most this share of pixels off by more than 40 in some channel: sharp
# edges, text most of all, blur a little both ways.
SCALED_MEAN_DIFFERENCE = 4.0
SCALED_CHANGED_SHARE = 0.02


class WindowTest(unittest.TestCase):
    def setUp(self):
        self.display = VirtualDisplay().start()
        self.game = GameRun(display=self.display).start()
        self.game.wait_for_window()

    def tearDown(self):
        self.game.stop()
        self.display.stop()

    def test_title_shows_the_frame_rate(self):
        self.assertTrue(self.game.wait_for_title("Talmorak Arena fps"), self.game.title())

    def test_pause_key_prints_check_and_escape_exits_cleanly(self):
        # The pause key is ignored in the main loop's first second.
        self.assertTrue(self.game.wait_for_title("Talmorak Arena fps"))
        time.sleep(1.5)
        self.game.press("p")
        self.assertTrue(self.game.wait_for_output("check\n", timeout=20), self.game.stdout())
        self.game.press("Escape")
        self.assertEqual(self.game.wait(timeout=30), 0)

    def test_closing_the_window_exits_cleanly(self):
        self.game.close_window()
        self.assertEqual(self.game.wait(timeout=30), 0)


def check_letterboxed(test, original, picture, bar):
    """Black bars of `bar` rows above and below the picture, which spans the
    rows between them and, scaled back, matches the original picture."""
    inner = picture.height - 2 * bar
    test.assertEqual(picture.crop(0, 0, picture.width, bar).brightest(), 0, "top bar")
    test.assertEqual(picture.crop(0, bar + inner, picture.width, bar).brightest(), 0,
                     "bottom bar")
    shown = picture.crop(0, bar, picture.width, inner)
    for row in (0, inner - 1):  # the picture reaches the bars
        test.assertGreater(max(shown.crop(0, row, picture.width, 1).mean()), 20, row)
    back = shown.scaled(PICTURE_WIDTH, PICTURE_HEIGHT)
    test.assertLess(original.mean_difference(back), SCALED_MEAN_DIFFERENCE)
    test.assertLess(original.changed_fraction(back, step=1), SCALED_CHANGED_SHARE)


def shot_path(name):
    os.makedirs(SHOTS, exist_ok=True)
    return os.path.join(SHOTS, name)


class PictureFollowsTheWindowTest(unittest.TestCase):
    """One game: its paused tutorial resized, then fullscreen, then running
    while another window takes the focus, and minimised and restored."""

    last_tap = 0.0  # loop time (ms) of the last debounced key

    @classmethod
    def setUpClass(cls):
        start_game(cls)
        cls.game.wait_frames(3)
        cls.original = cls.game.grab()

    @classmethod
    def tearDownClass(cls):
        end_game(cls)

    def settle(self, geometry):
        """Waits until the window has the geometry (x, y, width, height) and
        the game has drawn at it."""
        deadline = time.time() + 30
        while self.game.geometry() != geometry and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(self.game.geometry(), geometry)
        self.game.wait_frames(3)

    def checks(self):
        return self.game.stdout().count("check\n")

    def tap_debounced(self, keysym):
        """Taps a key once the loop has run a second since the last tap."""
        wait_loop_time(self.game, max(0.0, self.last_tap + DEBOUNCE_MS - loop_time_ms(self.game)))
        self.game.tap(keysym)
        type(self).last_tap = loop_time_ms(self.game)

    def press_p(self, checks):
        self.tap_debounced("p")
        self.assertTrue(self.game.wait_for_output("check\n" * checks), self.game.stdout())
        self.assertEqual(self.checks(), checks)
        self.game.wait_frames(2)

    def test_1_resized_the_picture_fills_the_largest_rectangle_of_its_shape(self):
        # At the screen's corner the larger window stays wholly on the screen.
        self.game.move_window(0, 0)
        self.game.resize_window(1280, 1000)
        self.settle((0, 0, 1280, 1000))
        resized = self.game.grab(0, 0, 1280, 1000)
        resized.save_png(shot_path("resized-1280x1000.png"))
        check_letterboxed(self, self.original, resized, 20)

        self.game.resize_window(PICTURE_WIDTH, PICTURE_HEIGHT)
        self.settle((0, 0, PICTURE_WIDTH, PICTURE_HEIGHT))
        self.assertEqual(self.game.grab().rgb, self.original.rgb, "not the original picture")

    def test_2_f11_covers_the_screen_and_again_brings_the_window_back(self):
        self.game.move_window(100, 60)
        self.settle((100, 60, PICTURE_WIDTH, PICTURE_HEIGHT))
        self.tap_debounced("F11")
        self.settle((0, 0, 1280, 1024))
        full = self.game.grab(0, 0, 1280, 1024)
        full.save_png(shot_path("fullscreen-1280x1024.png"))
        check_letterboxed(self, self.original, full, 32)
        self.press_p(1)

        self.tap_debounced("F11")
        self.settle((100, 60, PICTURE_WIDTH, PICTURE_HEIGHT))
        self.assertEqual(self.checks(), 1, "going back to the window paused the game")
        self.press_p(2)

    def test_3_another_window_taking_the_focus_pauses_until_p(self):
        self.press_p(3)
        panel = self.game.grab(*TUTORIAL_PANEL)
        thief = FocusThief(self.display.name)
        try:
            self.assertTrue(self.game.wait_for_output("check\n" * 4), self.game.stdout())
        finally:
            thief.close()
        self.game._xdotool("windowfocus", str(self.game.window))
        time.sleep(1.5)
        self.game.wait_frames(3)
        self.assertEqual(self.checks(), 4, "the game resumed when the focus came back")
        tutorial = self.original.crop(*TUTORIAL_PANEL)
        self.assertGreater(tutorial.changed_fraction(panel), 0.6, "the game was not running")
        self.assertLess(tutorial.changed_fraction(self.game.grab(*TUTORIAL_PANEL)), 0.1,
                        "no tutorial over the paused game")

    def test_4_minimised_it_pauses_and_draws_nothing_and_restored_draws_again(self):
        self.press_p(5)
        self.game.set_minimised(True)
        try:
            self.assertTrue(self.game.wait_for_output("check\n" * 6), self.game.stdout())
            before = self.game.frames.count()
            time.sleep(1.0)
            self.assertLessEqual(self.game.frames.count() - before, 1, "it drew while minimised")
        finally:
            self.game.set_minimised(False)
        self.game.wait_frames(3)
        tutorial = self.original.crop(*TUTORIAL_PANEL)
        self.assertLess(tutorial.changed_fraction(self.game.grab(*TUTORIAL_PANEL)), 0.1)
        self.assertTrue(self.game.running())
        self.assertEqual(self.game.stderr(), "", "GL errors")


class ScreenFitTest(unittest.TestCase):
    """The window opens fitted to the screen it opens on."""

    def open_game(self, width, height, resources=None):
        display = VirtualDisplay(width, height).start()
        self.addCleanup(display.stop)
        if resources:
            subprocess.run(["xrdb", "-merge"], input=resources, text=True, check=True,
                           env=dict(os.environ, DISPLAY=display.name))
        game = GameRun(display=display, frames=True).start()
        self.addCleanup(game.stop)
        game.wait_for_window(timeout=120)
        game.wait_frames(3)
        return game

    def expect_on_screen(self, game, screen):
        x, y, width, height = game.geometry()
        self.assertEqual(width * PICTURE_HEIGHT, height * PICTURE_WIDTH, (width, height))
        self.assertTrue(0 <= x and 0 <= y and x + width <= screen[0] and y + height <= screen[1],
                        (x, y, width, height))
        return width, height

    def test_a_small_screen_shows_the_whole_window_bar_and_all(self):
        game = self.open_game(1280, 720)
        width, height = self.expect_on_screen(game, (1280, 720))
        self.assertLessEqual((width, height), (960, 720))
        shown = game.grab(0, 0, width, height)
        shown.save_png(shot_path("small-screen-1280x720.png"))
        # The red rune's icon in the bar's first slot, scaled with the rest.
        scale = width / PICTURE_WIDTH
        slot = shown.crop(int(RED_SLOT_LEFT * scale), int(SLOT_TOP * scale),
                          int(SLOT_SIZE * scale), int(SLOT_SIZE * scale))
        red, green, _ = slot.mean()
        self.assertGreater(red, green + 30, f"no red icon in the bar: {slot.mean()}")

    def test_a_dense_screen_opens_a_larger_window_that_fits(self):
        game = self.open_game(1280, 1024, resources="Xft.dpi: 192\n")
        width, height = self.expect_on_screen(game, (1280, 1024))
        self.assertGreater(width, PICTURE_WIDTH)
        game.grab(0, 0, width, height).save_png(shot_path("dense-screen-192dpi.png"))


class NoDisplayTest(unittest.TestCase):
    def test_without_a_display_the_program_exits_with_1(self):
        game = GameRun()
        try:
            game.start(with_display=False)
            self.assertEqual(game.wait(timeout=30), 1)
        finally:
            game.stop()


if __name__ == "__main__":
    unittest.main()
