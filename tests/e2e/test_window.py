"""The program's window, its title, the pause key and the ways it ends."""

import time
import unittest

from harness import GameRun, VirtualDisplay


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
