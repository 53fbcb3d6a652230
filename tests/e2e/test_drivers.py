"""The game on stricter or older GL than the default renderer: the same
picture under a forced GL 2.1 / GLSL 1.20 context and under the slower
softpipe renderer, no GL error reported by Mesa, and a clear refusal of a
GL that lacks what the game draws with.

Each game is shown the first frames after P, before any monster is out, so
the view is the same every run: the mage standing on the empty arena.
"""

import os
import time
import unittest

from harness import GameRun, VirtualDisplay

# Mesa names every GL error it sees on standard error with this.
MESA_DEBUG = {"MESA_DEBUG": "1"}
MESA_ERROR = "Mesa: User error"

# Renderers and contexts whose picture must match the default's.
CONFIGS = {
    "gl21": {"MESA_GL_VERSION_OVERRIDE": "2.1", "MESA_GLSL_VERSION_OVERRIDE": "120"},
    # About 0.6 frames a second: every wait below counts frames, not seconds.
    "softpipe": {"GALLIUM_DRIVER": "softpipe"},
}

# A pixel differs when a channel is further off than this; the share of such
# pixels must stay under MAX_DIFFERING. Renderers round the shadow map's
# blend and the edges of triangles a little differently, nothing more.
CHANNEL_TOLERANCE = 24
MAX_DIFFERING = 0.005
SHEET = os.environ.get("TALMORAK_DRIVER_SHEET")  # a folder for the pictures, if set


def loop_time_ms(game):
    return sum(game.frames.frame_times_ms())


def first_frame_after_p(display, env):
    """Plays a game up to the frame drawn right after P and returns its
    picture, with the game's standard error. P is held from the start until
    the game takes it, so even a renderer of one frame a second starts the
    game before the first monster comes out. Then P is tapped for 0.3 s to
    pause again: on softpipe that lies within one frame, so the game sees it
    only because a tap between two swaps counts for the next frame."""
    game = GameRun(display=display, env=dict(env, **MESA_DEBUG), frames=True)
    try:
        game.start()
        game.wait_for_window(timeout=120)
        game.key_down("p")
        try:
            taken = game.wait_for_output("check\n", timeout=120)
        finally:
            game.key_up("p")
        if not taken:
            raise AssertionError("P was not taken:\n" + game.stdout()[-500:])
        # The pass that printed "check" draws the first running frame; its
        # swap is the next one.
        game.wait_frames(1, timeout=60)
        picture = game.grab()

        started = loop_time_ms(game)
        deadline = time.time() + 120
        while loop_time_ms(game) < started + 1100 and time.time() < deadline:
            time.sleep(0.02)  # the pause key rests a second between presses
        game.press("p", hold=0.3)
        deadline = time.time() + 60
        while game.stdout().count("check\n") < 2 and time.time() < deadline:
            time.sleep(0.02)
        if game.stdout().count("check\n") < 2:
            raise AssertionError("the tap on P was not seen:\n" + game.stdout()[-500:])
        game.press("Escape", hold=0.3)
        game.wait(timeout=120)
        return picture, game.stderr()
    finally:
        game.stop()


def differing_share(a, b):
    """Share of pixels where some channel differs by more than the tolerance."""
    differing = 0
    for i in range(0, len(a.rgb), 3):
        if (abs(a.rgb[i] - b.rgb[i]) > CHANNEL_TOLERANCE
                or abs(a.rgb[i + 1] - b.rgb[i + 1]) > CHANNEL_TOLERANCE
                or abs(a.rgb[i + 2] - b.rgb[i + 2]) > CHANNEL_TOLERANCE):
            differing += 1
    return differing / (a.width * a.height)


class DriverMatrixTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = VirtualDisplay().start()
        cls.pictures = {}
        cls.errors = {}
        try:
            for name, env in [("default", {})] + list(CONFIGS.items()):
                cls.pictures[name], cls.errors[name] = first_frame_after_p(cls.display, env)
                if SHEET:
                    cls.pictures[name].save_png(os.path.join(SHEET, name + ".png"))
        except Exception:
            cls.display.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()

    def test_every_renderer_draws_the_default_picture(self):
        default = self.pictures["default"]
        # A blank view would match a blank view: the default shows the scene.
        self.assertGreater(max(default.crop(0, 0, 1024, 640).mean()), 40)
        for name in CONFIGS:
            with self.subTest(renderer=name):
                share = differing_share(default, self.pictures[name])
                self.assertLess(share, MAX_DIFFERING, f"{share:.4f} of the pixels differ")

    def test_no_gl_error_is_reported(self):
        for name, errors in self.errors.items():
            with self.subTest(renderer=name):
                self.assertNotIn(MESA_ERROR, errors)
                self.assertEqual(errors, "")


class MissingGlFeaturesTest(unittest.TestCase):
    """A GL without what the game draws with is named and refused at once."""

    def refused(self, env):
        display = VirtualDisplay().start()
        game = GameRun(display=display, env=env)
        try:
            game.start()
            code = game.wait(timeout=60)
        finally:
            game.stop()
            display.stop()
        return code, game.stderr()

    def test_opengl_1_5_and_no_framebuffer_objects(self):
        for env, missing in (({"MESA_GL_VERSION_OVERRIDE": "1.5"}, "OpenGL 2.0"),
                             ({"MESA_EXTENSION_OVERRIDE": "-GL_EXT_framebuffer_object"},
                              "EXT_framebuffer_object")):
            with self.subTest(missing=missing):
                code, errors = self.refused(env)
                self.assertEqual(code, 1)
                self.assertEqual(len(errors.splitlines()), 1, errors)
                self.assertIn(missing, errors)


if __name__ == "__main__":
    unittest.main()
