"""The edge markers in the real program. Every gate lies out of sight of
the camera behind the mage, and a monster takes seconds to walk into
sight: in the first second after the first one comes through its gate, it
is marked at the edge of the picture above the bar, in its kind's colour
with the kind's white symbol over it.
"""

import time
import unittest

from test_game import BAR_TOP, end_game, loop_time_ms, press_pause, start_game, wait_loop_time

SCENE_WIDTH = 1024
# The body colours of the markers of the red, green and blue-striped
# monsters (tools/assetgen/RuneGlyph.cpp).
KIND_COLOURS = ((255, 77, 56), (89, 242, 77), (77, 153, 255))
WHITE = (255, 255, 255)
# A marker stands within its own size of an edge; the largest is 48 pixels
# across.
NEAR_EDGE = 100
SHOTS_MS = (300, 900)  # after the first monster's release
# The bar's count of the monsters still to come (render/HudLayout.h).
TO_COME = (822, 710, 44, 34)


def pixels_of(picture, colour):
    """(x, y) of every pixel of exactly this colour: a marker's inside, drawn
    over the scene from a flat colour of its atlas."""
    found, needle = [], bytes(colour)
    at = picture.rgb.find(needle)
    while at >= 0:
        if at % 3 == 0:
            found.append((at // 3 % picture.width, at // 3 // picture.width))
        at = picture.rgb.find(needle, at + 1)
    return found


def near_an_edge(x, y):
    return (x < NEAR_EDGE or x >= SCENE_WIDTH - NEAR_EDGE or y < NEAR_EDGE
            or y >= BAR_TOP - NEAR_EDGE)


class EdgeMarkerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        start_game(cls)

    @classmethod
    def tearDownClass(cls):
        end_game(cls)

    def marker(self, picture):
        """The one marker near the edges: its kind and its bounding box."""
        bodies = [[(x, y) for x, y in pixels_of(picture, colour) if near_an_edge(x, y)]
                  for colour in KIND_COLOURS]
        kinds = [kind for kind, pixels in enumerate(bodies) if len(pixels) > 100]
        self.assertEqual(len(kinds), 1, [len(pixels) for pixels in bodies])
        xs, ys = zip(*bodies[kinds[0]])
        box = (min(xs), min(ys), max(xs), max(ys))
        self.assertLess(box[2] - box[0], 60, box)
        self.assertLess(box[3] - box[1], 60, box)
        symbol = [(x, y) for x, y in pixels_of(picture, WHITE)
                  if box[0] <= x <= box[2] and box[1] <= y <= box[3]]
        self.assertGreater(len(symbol), 15, f"no symbol on the marker at {box}")
        return kinds[0], box

    def wait_for_the_first_release(self, all_to_come):
        """Until the bar counts one monster fewer to come; its loop time."""
        deadline = time.time() + 60
        while self.game.grab(*TO_COME).rgb == all_to_come.rgb:
            self.assertLess(time.time(), deadline, "no monster came out")
            self.game.wait_frames(1)
        return loop_time_ms(self.game)

    def test_1_a_monster_out_of_sight_is_marked_at_the_edge(self):
        all_to_come = self.game.grab(*TO_COME)  # the bar shows under the tutorial
        press_pause(self, self.game)
        released = self.wait_for_the_first_release(all_to_come)
        shots = []
        for shot in SHOTS_MS:
            wait_loop_time(self.game, shot - (loop_time_ms(self.game) - released))
            shots.append(self.game.grab(0, 0, SCENE_WIDTH, BAR_TOP))
        self.assertLess(loop_time_ms(self.game) - released, 2000, "the shots came too late")
        markers = [self.marker(shot) for shot in shots]
        # The same monster, marked on the same side all along.
        (kind, first), (later_kind, later) = markers
        self.assertEqual(kind, later_kind)
        self.assertLess(abs(first[0] - later[0]) + abs(first[1] - later[1]), 40, markers)

    def test_2_no_gl_error(self):
        self.game.wait_frames(2)
        self.assertEqual(self.game.stderr(), "")


if __name__ == "__main__":
    unittest.main()
