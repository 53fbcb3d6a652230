"""A player that knows only what the screen shows, driving the real game's
window with keys as a person does (scripts/screen-player.sh).

It plays the tutorial's technique at the gentlest difficulty. The edge
markers tell it the colour of each monster on its way and where it comes
from; it turns the mage by the gold chevron until it faces that way, walks
one step, lays the rune of that colour, steps back and stands, so that the
monster stops on the rune; it presses the rune's key as soon as the rune's
icon in the bar lights up. It reads only the picture: the markers, the
chevron and the rune icons; the game's printed strikes only count its life.
"""

import argparse
import math
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import PICTURE_WIDTH, GameRun, VirtualDisplay  # noqa: E402

BAR_TOP = 648
# The bar's rune slots (render/HudLayout.h): red, green, blue.
SLOT_SIZE, SLOT_TOP = 84, 660


def slot_left(slot):
    return (PICTURE_WIDTH - (4 * SLOT_SIZE + 3 * 18)) // 2 + slot * (SLOT_SIZE + 18)


TRAP_KEYS = ["1", "2", "3"]
# The mage walks 0.003 a ms and turns 0.3 degrees a ms; a monster stops an
# arm's length (0.5) away, on a rune laid 0.6 along its way (the blast
# reaches 0.2 either side).
STEP_S = 0.6 / 0.003 / 1000
DEGREES_PER_S = 300.0
FACING_WITHIN = 8.0
# A laid rune's icon is its active one, over twice as bright as the ready
# one; a lit icon is the laid one drawn twice, the second time added.
LAID_GAIN = 1.5
LIT_GAIN = 1.25
# Markers stand within this many pixels of the picture's edges, the lowest
# just above the bar; a pin covers some hundred pixels, the hit picture's
# red edges many thousands.
EDGE = 40
PIN_PIXELS = (12, 400)  # on a grid of every second pixel
# The strips of picture the markers stand in: (left, top, width, height).
STRIPS = [(0, 0, EDGE, BAR_TOP), (PICTURE_WIDTH - EDGE, 0, EDGE, BAR_TOP),
          (0, 0, PICTURE_WIDTH, EDGE), (0, BAR_TOP - EDGE - 8, PICTURE_WIDTH, EDGE)]


def marker_colour(red, green, blue):
    if red > 170 and green < 90 and blue < 90:
        return 0
    if green > 140 and red < 110 and blue < 130:
        return 1
    if blue > 170 and red < 110 and green < 170:
        return 2
    return None


def is_chevron_gold(red, green, blue):
    return red > 235 and green > 190 and blue < 160 and red - blue > 100


def pixels(picture, left, top, width, height, step=2):
    rgb, row_width = picture.rgb, picture.width
    for y in range(top, top + height, step):
        for x in range(left, left + width, step):
            i = (y * row_width + x) * 3
            yield x, y, rgb[i], rgb[i + 1], rgb[i + 2]


def find_markers(picture):
    """(colour, x, y) of each marker seen: per strip and colour, the centre
    of that colour's pixels when they make up a pin."""
    found = []
    for strip in STRIPS:
        sums = [[0, 0, 0] for _ in range(3)]
        for x, y, red, green, blue in pixels(picture, *strip):
            colour = marker_colour(red, green, blue)
            if colour is not None:
                sums[colour][0] += x
                sums[colour][1] += y
                sums[colour][2] += 1
        for colour, (xs, ys, count) in enumerate(sums):
            if PIN_PIXELS[0] <= count <= PIN_PIXELS[1]:
                found.append((colour, xs / count, ys / count))
    return found


def find_chevron(picture):
    """The centre of the gold chevron's pixels, or None."""
    xs = ys = count = 0
    for x, y, red, green, blue in pixels(picture, 160, 120, 704, BAR_TOP - 130):
        if is_chevron_gold(red, green, blue):
            xs, ys, count = xs + x, ys + y, count + 1
    return (xs / count, ys / count) if count >= 8 else None


def brightness(picture, slot):
    red, green, blue = picture.crop(slot_left(slot), SLOT_TOP, SLOT_SIZE, SLOT_SIZE).mean()
    return red + green + blue


def signed_degrees(a, b):
    return math.degrees(math.atan2(a[0] * b[1] - a[1] * b[0], a[0] * b[0] + a[1] * b[1]))


class ScreenPlayer:
    def __init__(self, game):
        self.game = game
        picture = game.grab()
        self.ready_look = [brightness(picture, slot) for slot in range(3)]
        self.laid_look = [0.0, 0.0, 0.0]
        self.laid = [False, False, False]
        self.lit_presses = 0
        self.feet = self.find_feet()
        self.turn_key_for_positive = self.find_turn_key()

    def hold(self, keysym, seconds):
        self.game.key_down(keysym)
        time.sleep(seconds)
        self.game.key_up(keysym)

    def chevron(self):
        self.game.wait_frames(2)
        return find_chevron(self.game.grab())

    def find_feet(self):
        """The chevron circles the mage's feet: halfway between it before
        and after a half turn."""
        before = self.chevron()
        self.hold("d", 180 / DEGREES_PER_S)
        after = self.chevron()
        if before is None or after is None:
            return (PICTURE_WIDTH / 2, 400.0)
        return ((before[0] + after[0]) / 2, (before[1] + after[1]) / 2)

    def facing(self):
        chevron = self.chevron()
        if chevron is None:
            return None
        return (chevron[0] - self.feet[0], chevron[1] - self.feet[1])

    def find_turn_key(self):
        """Which of D and A turns the chevron the positive way on screen."""
        before = self.facing()
        self.hold("d", 30 / DEGREES_PER_S)
        after = self.facing()
        if before is None or after is None:
            return "d"
        return "d" if signed_degrees(before, after) > 0 else "a"

    def face(self, direction):
        other = "a" if self.turn_key_for_positive == "d" else "d"
        for _ in range(6):
            now = self.facing()
            if now is None:
                return
            angle = signed_degrees(now, direction)
            if abs(angle) < FACING_WITHIN:
                return
            key = self.turn_key_for_positive if angle > 0 else other
            self.hold(key, 0.8 * abs(angle) / DEGREES_PER_S)

    def lay(self, colour, toward):
        """Faces the monster, walks one step toward it, lays the rune and
        steps back, so that the monster stops on the rune."""
        self.face(toward)
        self.hold("w", STEP_S)
        self.game.tap(TRAP_KEYS[colour])
        self.hold("s", STEP_S)
        self.game.wait_frames(2)
        self.laid_look[colour] = brightness(self.game.grab(), colour)
        self.laid[colour] = self.laid_look[colour] > LAID_GAIN * self.ready_look[colour]

    def turn(self):
        picture = self.game.grab()
        for colour in range(3):
            if self.laid[colour] and brightness(picture, colour) > LIT_GAIN * self.laid_look[colour]:
                self.game.tap(TRAP_KEYS[colour])
                self.laid[colour] = False
                self.lit_presses += 1
                return
        for colour, x, y in find_markers(picture):
            ready = abs(brightness(picture, colour) - self.ready_look[colour]) < 0.12 * self.ready_look[colour]
            if not self.laid[colour] and ready:
                self.lay(colour, (x - self.feet[0], y - self.feet[1]))
                return
        time.sleep(0.03)


def play(bin_dir, limit_s):
    display = VirtualDisplay().start()
    game = GameRun(bin_dir=bin_dir, display=display, frames=True)
    try:
        game.start()
        game.wait_for_window(timeout=120)
        game.wait_frames(3)
        game.tap("l")  # from the standard to the gentlest
        time.sleep(1.2)  # P rests for the loop's first second
        game.tap("p")
        started = time.time()
        player = ScreenPlayer(game)
        shots = 0
        while time.time() - started < limit_s and "GAME OVER" not in game.stdout():
            player.turn()
            if os.environ.get("TALMORAK_SHOTS") and time.time() - started > 10 * (shots + 1):
                shots += 1
                game.grab().save_png(os.path.join(os.environ["TALMORAK_SHOTS"], f"{shots}.png"))
        lasted = time.time() - started
        out = game.stdout()
        game.key_down("Escape")
        game.wait(timeout=60)
        game.key_up("Escape")
    finally:
        game.stop()
        display.stop()
    outcome = "won" if "VICTORY" in out else "lost" if "DEFEAT" in out else "playing"
    return outcome, lasted, out.count("lifePoints - 1\n"), player.lit_presses


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the staged bin folder")
    parser.add_argument("--games", type=int, default=3)
    parser.add_argument("--limit", type=float, default=300, help="seconds of play at most")
    args = parser.parse_args()
    for game in range(args.games):
        outcome, lasted, strikes, presses = play(args.bin, args.limit)
        print(f"game {game + 1}: {outcome} after {lasted:.0f} s of play, "
              f"{strikes} points lost, {presses} lit presses", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
