"""A player that knows only what the screen shows, driving the real game's
window with keys as a person does (scripts/screen-player.sh).

It plays the gentlest difficulty as a new player who has read the opening
screen might: it keeps walking a wide circle, away from the monsters that
follow it, and when the edge markers show a monster of a ready rune's colour
coming up behind, it lays that rune at its feet, walks one step on and
stands, so that the monster stops on the rune; it presses the rune's key as
soon as the rune's icon in the bar lights up, and walks on when struck. It
reads only the picture: the markers and the rune icons; the game's printed
strikes stand for the life meter.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import (BAR_TOP, PICTURE_WIDTH, SLOT_SIZE, SLOT_TOP, GameRun,  # noqa: E402
                     VirtualDisplay, slot_left)

TRAP_KEYS = ["1", "2", "3"]
# The console's line for each life point struck off.
STRUCK_LINE = "lifePoints - 1\n"
# The mage walks 0.003 a ms; a monster stops an arm's length (0.5) away, on
# a rune laid 0.6 along its way (the blast reaches 0.2 either side).
STEP_S = 0.6 / 0.003 / 1000
# It walks a circle, turning right for KITE_TURN_S every KITE_TURN_EVERY_S;
# after laying a rune it stands STAND_S for the monster, unless struck.
KITE_TURN_EVERY_S, KITE_TURN_S = 0.85, 0.15
STAND_S = 4.0
# A laid rune's icon is its active one, over twice as bright as the ready
# one; a lit icon is the laid one drawn twice, the second time added.
LAID_GAIN = 1.5
LIT_GAIN = 1.25
# Markers stand within this many pixels of the picture's edges, the lowest
# just above the bar; a pin covers some hundred pixels, the hit picture's
# red edges many thousands.
EDGE = 40
# The bottom strip's top: a marker below it shows a monster behind the mage.
BEHIND_TOP = BAR_TOP - EDGE - 8
PIN_PIXELS = (12, 400)  # on a grid of every second pixel
# The strips of picture the markers stand in: (left, top, width, height).
STRIPS = [(0, 0, EDGE, BAR_TOP), (PICTURE_WIDTH - EDGE, 0, EDGE, BAR_TOP),
          (0, 0, PICTURE_WIDTH, EDGE), (0, BEHIND_TOP, PICTURE_WIDTH, EDGE)]


def marker_colour(red, green, blue):
    if red > 170 and green < 90 and blue < 90:
        return 0
    if green > 140 and red < 110 and blue < 130:
        return 1
    if blue > 170 and red < 110 and green < 170:
        return 2
    return None


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


def brightness(picture, slot):
    red, green, blue = picture.crop(slot_left(slot), SLOT_TOP, SLOT_SIZE, SLOT_SIZE).mean()
    return red + green + blue


class ScreenPlayer:
    def __init__(self, game):
        self.game = game
        picture = game.grab()
        self.ready_look = [brightness(picture, slot) for slot in range(3)]
        self.laid_look = [0.0, 0.0, 0.0]
        self.laid = [False, False, False]
        self.lit_presses = 0
        self.lays = 0
        self.walking = False
        self.last_kite_turn = time.time()
        self.stand_until = 0.0
        self.strikes_seen = 0

    def walk(self, on):
        if on != self.walking:
            (self.game.key_down if on else self.game.key_up)("w")
            self.walking = on

    def struck(self):
        """Whether life went down since the last look."""
        strikes = self.game.stdout().count(STRUCK_LINE)
        struck, self.strikes_seen = strikes > self.strikes_seen, strikes
        return struck

    def kite(self):
        self.walk(True)
        if time.time() - self.last_kite_turn > KITE_TURN_EVERY_S:
            self.game.press("d", hold=KITE_TURN_S)
            self.last_kite_turn = time.time()
        time.sleep(0.03)

    def lay_behind(self, colour):
        """Lays the rune at the mage's feet, then walks one step on and
        stands: the monster following stops on the rune."""
        self.walk(False)
        self.game.tap(TRAP_KEYS[colour])
        self.game.press("w", hold=STEP_S)
        self.game.wait_frames(2)
        self.laid_look[colour] = brightness(self.game.grab(), colour)
        self.laid[colour] = self.laid_look[colour] > LAID_GAIN * self.ready_look[colour]
        self.lays += self.laid[colour]
        self.stand_until = time.time() + STAND_S

    def turn(self):
        picture = self.game.grab()
        for colour in range(3):
            if self.laid[colour] and brightness(picture, colour) > LIT_GAIN * self.laid_look[colour]:
                self.game.tap(TRAP_KEYS[colour])
                self.laid[colour] = False
                self.lit_presses += 1
                self.stand_until = 0.0
                return
        if self.struck():
            self.stand_until = 0.0
        elif time.time() < self.stand_until:
            time.sleep(0.03)
            return
        for colour in range(3):
            if self.laid[colour]:  # left behind unlit: set it off to have it back
                self.game.tap(TRAP_KEYS[colour])
                self.laid[colour] = False
        for colour, x, y in find_markers(picture):
            behind = y > BEHIND_TOP
            ready = abs(brightness(picture, colour) - self.ready_look[colour]) < 0.12 * self.ready_look[colour]
            if behind and ready and not self.laid[colour]:
                self.lay_behind(colour)
                return
        self.kite()


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
    return outcome, lasted, out.count(STRUCK_LINE), player.lays, player.lit_presses


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the staged bin folder")
    parser.add_argument("--games", type=int, default=3)
    parser.add_argument("--limit", type=float, default=300, help="seconds of play at most")
    args = parser.parse_args()
    for game in range(args.games):
        outcome, lasted, strikes, lays, presses = play(args.bin, args.limit)
        print(f"game {game + 1}: {outcome} after {lasted:.0f} s of play, "
              f"{strikes} points lost, {lays} runes laid, {presses} lit presses", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
