"""The whole game played through its window: the tutorial and the pause key,
walking with the camera in tow, the red rune and its icon, and a defeat
while standing still, fullscreen in the second look, played again in place.

Each class shares one game between its steps, which run in the order of
their names. Keys are held by frames, read off a preloaded swap stamp, so a
slow frame cannot swallow a press and a fast one cannot see it twice.
"""

import os
import subprocess
import time
import unittest

from harness import (BAR_TOP, PICTURE_HEIGHT, PICTURE_WIDTH, SLOT_SIZE, SLOT_TOP, GameRun,
                     VirtualDisplay, slot_left, staged_bin_dir)

# The red rune's slot, the first along the bottom bar.
RED_SLOT_LEFT = slot_left(0)

# The scene above the bar, and the tutorial's panel over it.
SCENE = (0, 0, 1024, BAR_TOP)
TUTORIAL_PANEL = (110, 60, 800, BAR_TOP - 60)
# The mage's robe on screen while the camera is in its place behind it.
MAGE_BODY = (497, 345, 30, 50)
# The defeat picture's band across the middle of the screen.
DEFEAT_BAND = (0, 300, 1024, 160)
# The bar's life counter: its number and its meter.
LIFE_DISPLAY = (74, 688, 216, 40)

# Mesa then reports every GL error the game makes on standard error.
MESA_DEBUG = {"MESA_DEBUG": "1"}


def loop_time_ms(game):
    """Milliseconds of game loop so far, as the game counts them."""
    return sum(game.frames.frame_times_ms())


def wait_loop_time(game, milliseconds, timeout=60):
    """Waits until the loop has run milliseconds more than now."""
    target = loop_time_ms(game) + milliseconds
    deadline = time.time() + timeout
    while loop_time_ms(game) < target:
        if time.time() > deadline or not game.running():
            raise RuntimeError(f"the loop did not run {milliseconds} ms within {timeout} s")
        time.sleep(0.02)


def start_game(test_class):
    test_class.display = VirtualDisplay().start()
    test_class.game = GameRun(display=test_class.display, frames=True, env=dict(MESA_DEBUG))
    try:
        test_class.game.start()
        test_class.game.wait_for_window(timeout=120)
        test_class.game.wait_frames(2)
    except Exception:
        end_game(test_class)  # no tearDownClass follows a failed setUpClass
        raise


def end_game(test_class):
    test_class.game.stop()
    test_class.display.stop()


def press_pause(test, game):
    """P, once the loop's first second (when P is ignored) is over; returns
    the loop time at which the game started running."""
    wait_loop_time(game, max(0.0, 1100 - loop_time_ms(game)))
    checks = game.stdout().count("check\n")
    game.tap("p")
    deadline = time.time() + 30
    while game.stdout().count("check\n") == checks and time.time() < deadline:
        time.sleep(0.02)
    test.assertEqual(game.stdout().count("check\n"), checks + 1, game.stdout()[-500:])
    started = loop_time_ms(game)
    game.wait_frames(2)
    return started


def quit_with_escape(test, game):
    """Escape ends the game with exit status 0, and Mesa saw no GL error."""
    game.key_down("Escape")
    try:
        test.assertEqual(game.wait(timeout=60), 0)
    finally:
        game.key_up("Escape")
    test.assertEqual(game.stderr(), "")


def blueness(picture):
    red, _, blue = picture.mean()
    return blue - red


def redness(picture):
    red, green, _ = picture.mean()
    return red - green


class PlayTest(unittest.TestCase):
    """The tutorial, P, a walk, and the red rune in one game."""

    started = 0.0  # loop time (ms) at which P started the game

    @classmethod
    def setUpClass(cls):
        start_game(cls)
        cls.tutorial = cls.game.grab()

    @classmethod
    def tearDownClass(cls):
        end_game(cls)

    def grab(self, area):
        return self.game.grab(*area)

    def require_alive(self):
        self.assertNotIn("GAME OVER", self.game.stdout(),
                         "the mage fell before this step could be played")

    def test_1_tutorial_covers_the_view_until_p_starts_the_game(self):
        type(self).started = press_pause(self, self.game)
        play = self.game.grab()
        self.game.wait_frames(2)
        later = self.game.grab()
        panel = [picture.crop(*TUTORIAL_PANEL) for picture in (self.tutorial, play, later)]
        covered = panel[0].changed_fraction(panel[1])
        calm = panel[1].changed_fraction(panel[2])
        self.assertGreater(covered, 0.6, "the tutorial barely differs from play")
        self.assertLess(calm, 0.1, "two frames of play differ too much to compare")
        # The mage stands at the centre, in front of the camera.
        self.assertGreater(blueness(play.crop(*MAGE_BODY)), 25, "no mage's robe in the middle")

    def test_2_walking_forward_moves_the_view_with_the_mage(self):
        self.require_alive()
        before = self.grab(SCENE)
        self.game.wait_frames(2)
        still = self.grab(SCENE)
        self.game.hold_frames("w", 4, at_least=1.0)
        self.game.wait_frames(2)
        after = self.grab(SCENE)
        calm = before.changed_fraction(still)
        moved = before.changed_fraction(after)
        self.assertGreater(moved, max(0.1, 3 * calm), f"view moved {moved:.3f}, calm {calm:.3f}")
        # The camera follows: the mage is still in the middle of the view.
        self.assertGreater(blueness(self.game.grab(*MAGE_BODY)), 25, "the mage left the middle")

    def test_3_red_rune_is_laid_and_then_triggered(self):
        self.require_alive()
        slot = (RED_SLOT_LEFT, SLOT_TOP, SLOT_SIZE, SLOT_SIZE)
        # The rune keys rest for the game's first second.
        wait_loop_time(self.game, max(0.0, self.started + 1100 - loop_time_ms(self.game)))
        ready = self.grab(slot)
        self.game.tap("1")
        self.game.wait_frames(2)
        laid = self.grab(slot)
        self.assertGreater(ready.changed_fraction(laid), 0.2, "laying left the red icon as it was")

        wait_loop_time(self.game, 700)  # the rune rests 500 ms after being laid
        self.require_alive()
        self.game.tap("1")
        self.game.wait_frames(2)
        fired = self.grab(slot)
        self.assertGreater(laid.changed_fraction(fired), 0.2, "triggering left the active icon")
        self.assertGreater(ready.changed_fraction(fired), 0.2, "the rune is ready at once")
        # While the rune recharges its slot shows only the dark bar.
        self.assertLess(max(fired.mean()), 40, fired.mean())

    def test_4_no_gl_error_in_all_of_that(self):
        self.game.wait_frames(2)
        self.assertEqual(self.game.stderr(), "")


class DefeatTest(unittest.TestCase):
    """One game with the player's choices made on its opening screen: F11,
    M and F1; the monsters' strikes on the life display while the mage
    stands still, the defeat picture, Alt+Enter there, then Enter: a fresh
    game in the same process and window, still fullscreen in the same look;
    and escape."""

    SCREEN = (0, 0, 1280, 1024)
    # The picture on the fullscreen window, between black bars.
    PICTURE_ON_SCREEN = (0, 32, 1280, 960)

    @classmethod
    def setUpClass(cls):
        start_game(cls)
        cls.placed = cls.game.geometry()

    @classmethod
    def tearDownClass(cls):
        end_game(cls)

    def picture(self):
        """The fullscreen picture, scaled back to the picture's size."""
        return self.game.grab(*self.PICTURE_ON_SCREEN).scaled(PICTURE_WIDTH, PICTURE_HEIGHT)

    def wait_for_geometry(self, geometry):
        deadline = time.time() + 30
        while self.game.geometry() != geometry and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(self.game.geometry(), geometry)

    def test_1_f11_m_and_f1_on_the_opening_screen(self):
        # Each of the three waits out the game's first second.
        wait_loop_time(self.game, max(0.0, 1100 - loop_time_ms(self.game)))
        self.game.tap("F11")
        self.wait_for_geometry(self.SCREEN)
        self.game.tap("m")
        printed = self.game.stdout()
        self.game.tap("F1")
        self.assertTrue(self.game.wait_for_output(printed + "1"), self.game.stdout()[-200:])
        self.game.wait_frames(3)
        type(self).opening = self.game.grab(*self.SCREEN)

    def test_2_each_strike_shows_on_the_life_display_then_one_defeat(self):
        press_pause(self, self.game)
        play = type(self).play = self.picture()
        self.assertTrue(self.game.wait_for_output("lifePoints - 1\n", timeout=120),
                        self.game.stdout()[-1500:])
        # The hit picture shows for a frame or so; the bar is read after it.
        self.game.wait_frames(2)
        struck = self.picture().crop(*LIFE_DISPLAY)
        self.assertGreater(play.crop(*LIFE_DISPLAY).changed_fraction(struck, step=1), 0.02,
                           "the life display did not change with the strike")

        self.assertTrue(self.game.wait_for_output("GAME OVER - DEFEAT\n", timeout=240),
                        self.game.stdout()[-1500:])
        self.game.wait_frames(10)  # more strikes would cost no more points
        out = self.game.stdout()
        self.assertEqual(out.count("lifePoints - 1\n"), 20, out[-1500:])
        self.assertEqual(out.count("GAME OVER - DEFEAT\n"), 1)
        self.assertNotIn("VICTORY", out)
        self.assertGreater(out.index("GAME OVER - DEFEAT"), out.rindex("lifePoints - 1"))

    def assert_defeat_shown(self):
        band_then = self.play.crop(*DEFEAT_BAND)
        band_now = self.picture().crop(*DEFEAT_BAND)
        self.assertGreater(band_then.changed_fraction(band_now), 0.3)
        self.assertGreater(redness(band_now), redness(band_then) + 20,
                           f"{band_now.mean()} against {band_then.mean()} in play")

    def test_3_the_defeat_picture_covers_the_play(self):
        self.game.wait_frames(2)
        self.assert_defeat_shown()

    def test_3b_alt_enter_goes_to_the_window_and_back_and_plays_no_new_game(self):
        out = self.game.stdout()
        for geometry in (self.placed, self.SCREEN):
            wait_loop_time(self.game, 1100)  # the fullscreen keys' debounce
            self.game.key_down("alt")
            self.game.key_down("Return")
            try:
                deadline = time.time() + 30
                while self.game.geometry() != geometry and time.time() < deadline:
                    time.sleep(0.05)
            finally:
                self.game.key_up("Return")
                self.game.key_up("alt")
            self.assertEqual(self.game.geometry(), geometry)
        self.game.wait_frames(3)
        self.assert_defeat_shown()
        self.assertEqual(self.game.stdout(), out)

    def test_4_enter_plays_again_in_place_fullscreen_in_the_same_look(self):
        window, pid = self.game.window, self.game.process.pid
        self.game.tap("Return")
        deadline = time.time() + 30
        while self.game.grab(*self.SCREEN).rgb != self.opening.rgb and time.time() < deadline:
            self.game.wait_frames(1)
        opening = self.game.grab(*self.SCREEN)
        self.assertTrue(opening.rgb == self.opening.rgb,
                        "the new game's opening screen is not the first one in that look: "
                        f"{self.opening.changed_fraction(opening):.4f} of pixels differ")
        self.assertTrue(self.game.running())
        self.assertEqual((self.game.process.pid, self.windows()), (pid, [window]))
        self.assertEqual(self.game.geometry(), self.SCREEN)

    def test_5_escape_exits_with_0_and_no_gl_error_was_made(self):
        quit_with_escape(self, self.game)

    def windows(self):
        found = self.game._xdotool("search", "--name", "Talmorak Arena", check=False)
        return [int(window) for window in found.split()]


class DemoTest(unittest.TestCase):
    """Left alone on the opening screen, the game plays itself; a key brings
    back the opening screen, as the game opened, with nothing of the demo
    left."""

    # The demo's banner across the picture's top (render/HudLayout.h).
    BANNER = (384, 16, 256, 40)

    @classmethod
    def setUpClass(cls):
        start_game(cls)

    @classmethod
    def tearDownClass(cls):
        end_game(cls)

    def test_1_the_demo_plays_after_30_s_prints_nothing_and_a_key_ends_it(self):
        opening = self.game.grab()
        printed = self.game.stdout()
        wait_loop_time(self.game, 30500, timeout=180)
        self.game.wait_frames(20)
        demo = self.game.grab()
        self.assertGreater(opening.crop(*TUTORIAL_PANEL).changed_fraction(
            demo.crop(*TUTORIAL_PANEL)), 0.6, "the tutorial still covers the view")
        self.assertGreater(opening.crop(*self.BANNER).changed_fraction(
            demo.crop(*self.BANNER)), 0.3, "no banner")
        self.assertEqual(self.game.stdout(), printed)

        self.game.tap("q")
        self.game.wait_frames(5)
        self.assertTrue(self.game.grab().rgb == opening.rgb,
                        "the opening screen after the demo is not the first one, pixel for pixel")
        self.assertEqual(self.game.stdout(), printed)

    def test_2_escape_still_quits_without_a_gl_error(self):
        quit_with_escape(self, self.game)

class CommandLineTest(unittest.TestCase):
    """--help and a refused command line answer without a display: no window
    is opened, whatever DISPLAY says."""

    def run_game(self, *arguments):
        environment = dict(os.environ)
        environment.pop("DISPLAY", None)
        return subprocess.run([os.path.join(staged_bin_dir(), "talmorak"), *arguments],
                              env=environment, capture_output=True, text=True, timeout=60)

    def test_help_prints_the_difficulties_gentlest_first_and_exits_0(self):
        done = self.run_game("--help")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("--difficulty calm|gentle|brisk|standard", done.stdout)
        self.assertEqual(done.stderr, "")

    def test_an_unknown_difficulty_or_option_is_one_line_and_exit_2(self):
        for arguments in (["--difficulty", "hard"], ["--level", "2"]):
            done = self.run_game(*arguments)
            self.assertEqual(done.returncode, 2, arguments)
            self.assertEqual(done.stdout, "")
            self.assertEqual(done.stderr.count("\n"), 1, done.stderr)
            self.assertIn("calm|gentle|brisk|standard", done.stderr)


if __name__ == "__main__":
    unittest.main()
