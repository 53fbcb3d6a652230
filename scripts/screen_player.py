"""A player that knows only what the screen shows, driving the real game's
window with keys as a person does (scripts/screen-player.sh).

It plays as a new player who has read the opening screen might, with the
marks round the mage: each monster walking up shows a pin, in its colour,
where it will stop. When a pin's rune is ready, the player turns to face
the pin (the gold chevron shows where it faces), lays that rune at its feet
and backs away a step, so that the monster comes over the rune on its way;
then it stands and presses the rune's key as soon as the rune's icon in the
bar lights up. Struck with nothing to lay, it walks away from the monster.
It reads only the picture: the pins, the chevron and the rune icons; the
game's printed strikes stand for the life meter.
"""

import argparse
import math
import os
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import (BAR_TOP, PICTURE_HEIGHT, PICTURE_WIDTH, SLOT_SIZE, SLOT_TOP,  # noqa: E402
                     GameRun, VirtualDisplay, slot_left)

ROOT = os.path.join(os.path.dirname(__file__), "..")
TRAP_KEYS = ["1", "2", "3"]
DIFFICULTY_TAPS = {"calm": 1, "gentle": 2}  # presses of L from the standard
# The console's line for each life point struck off.
STRUCK_LINE = "lifePoints - 1\n"


def picture_colours():
    """The exact colours the marks are drawn in, from the pictures' own
    definitions: the runes' colours (red, green, blue), as the pins and the
    kill squares' outlines have them, the outlines while a monster is
    headed onto them, and the chevron's colour."""
    def floats(text):
        return [float(v.rstrip("f")) for v in text.split(",")[:3]]

    def whiter(colour, share):
        return [c + (1.0 - c) * share for c in colour]

    def rgb(colour):
        return tuple(int(c * 255 + 0.5) for c in colour)
    with open(os.path.join(ROOT, "tools", "assetgen", "PictureStyle.h")) as source:
        style = source.read()
    runes = re.search(r"RUNE_COLOURS\[4\] = \{(.*?)\};", style, re.S).group(1)
    rune_colours = [floats(group) for group in re.findall(r"\{([^{}]*)\}", runes)][:3]
    fill, headed = (float(re.search(name + r" = ([0-9.]+)f;", style).group(1))
                    for name in ("MARK_FILL_WHITENING", "MARK_HEADED_WHITENING"))
    with open(os.path.join(ROOT, "tools", "assetgen", "MarkerAtlas.cpp")) as source:
        facing = re.search(r"FACING\(([^)]*)\)", source.read()).group(1)
    return ([rgb(c) for c in rune_colours],
            [rgb(whiter(whiter(c, fill), headed)) for c in rune_colours], rgb(floats(facing)))


RUNE_RGB, HEADED_RGB, FACING_RGB = picture_colours()
# The mage's feet: the camera follows the mage, looking at the floor under it.
CENTRE = (PICTURE_WIDTH // 2, PICTURE_HEIGHT // 2)
# Where the pins and the chevron are looked for round the mage (pixels).
NEAR_HALF_WIDTH, NEAR_HALF_HEIGHT = 220, 170
GRID = 2  # every second pixel
PIN_MOST = 40  # pixels across a pin, its tip included
SYMBOL_RGB = (255, 255, 255)  # the kinds' symbols on the pins
PIN_SYMBOL_PIXELS = 8
PIN_REACH = 14  # pixels from a symbol's centre to its pin's rim
PIN_COLOUR_PIXELS = 10
# Pixels across the picture for a floor unit at the mage: its stop square,
# 0.6 units wide, spans 80 pixels.
PIXELS_PER_UNIT = 133.0
# The floor seen from the camera's height: a step across the picture is
# this much longer than the same step up it.
FLOOR_TILT = 0.72
# The mage turns 0.3 degrees a ms and walks 1.53 floor units a second.
TURN_DEGREES_PER_S = 300.0
FACED_DEGREES = 12.0
# How far the mage backs away from the rune it laid, in floor units: the
# monster following stops 0.3 from the mage, on the rune.
LURE_DISTANCE = 0.33
# It walks away in a step, then in short ones, looking between them.
FIRST_STEP_S, STEP_S = 0.1, 0.03
AWAY_STEPS = 12
WALK_SPEED = 1.53  # floor units a second
# Beyond this far from where it started, in the middle, the player walks
# back while nothing comes; it reckons where it is from its own walks.
ROOMY = 2.5
WAIT_FOR_LIGHT_S = 10.0
# A pin hides while its monster is held by another; gone this long, the
# monster is no longer coming.
PIN_GONE_S = 1.5
STAND_AFTER_PRESS_S = 0.45
WALK_AWAY_S = 0.6
# A laid rune's icon is its active one, about twice as bright as the ready
# one; a lit icon is the laid one drawn twice, the second time added
# (about 1.3 times the laid one, measured).
LAID_GAIN = 1.6
LIT_GAIN = 1.15


def exact_points(picture, colour):
    """(x, y) of the pixels round the mage drawn in exactly this colour, on
    every GRID-th row: the marks are drawn unlit, pixel for pixel."""
    pattern = bytes(colour)
    left, right = CENTRE[0] - NEAR_HALF_WIDTH, CENTRE[0] + NEAR_HALF_WIDTH
    points = []
    for y in range(max(0, CENTRE[1] - NEAR_HALF_HEIGHT), min(BAR_TOP, CENTRE[1] + NEAR_HALF_HEIGHT),
                   GRID):
        row = picture.rgb[(y * picture.width + left) * 3:(y * picture.width + right) * 3]
        at = row.find(pattern)
        while at != -1:
            if at % 3 == 0:
                points.append((left + at // 3, y))
            at = row.find(pattern, at + 1)
    return points


def clusters(points, cell=8):
    """Groups of points joined through neighbouring cells of a grid: the
    boxes (left, top, right, bottom) and point counts of the shapes."""
    cells = {}
    for x, y in points:
        cells.setdefault((x // cell, y // cell), []).append((x, y))
    groups, seen = [], set()
    for start in cells:
        if start in seen:
            continue
        seen.add(start)
        todo, members = [start], []
        while todo:
            cx, cy = todo.pop()
            members.extend(cells[(cx, cy)])
            for near in ((cx + dx, cy + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                if near in cells and near not in seen:
                    seen.add(near)
                    todo.append(near)
        xs = [p[0] for p in members]
        ys = [p[1] for p in members]
        groups.append(((min(xs), min(ys), max(xs) + 1, max(ys) + 1), len(members)))
    return groups


def find_rune(picture, colour):
    """Where the laid rune's kill square is, in floor units from the mage
    (x right, y away), or None: the outline of its colour, plain or
    headed, wider than a pin."""
    points = exact_points(picture, RUNE_RGB[colour]) + exact_points(picture, HEADED_RGB[colour])
    for (left, top, right, bottom), _ in clusters(points):
        if right - left > PIN_MOST:
            x, y = on_floor(((left + right) / 2 - CENTRE[0], (top + bottom) / 2 - CENTRE[1]))
            return x / PIXELS_PER_UNIT, y / PIXELS_PER_UNIT
    return None


def look_round(picture):
    """The pins seen, as (colour, dx, dy) from the mage's feet, and the
    chevron's direction (dx, dy), or None."""
    # Each pin bears its kind's white symbol, ringed by its kind's colour;
    # pins may overlap, symbols seldom do.
    colours = [exact_points(picture, rgb) for rgb in RUNE_RGB]
    pins = []
    for (left, top, right, bottom), count in clusters(exact_points(picture, SYMBOL_RGB), cell=4):
        if count < PIN_SYMBOL_PIXELS or right - left > PIN_MOST or bottom - top > PIN_MOST:
            continue
        x, y = (left + right) / 2, (top + bottom) / 2
        around = [sum(1 for px, py in points if abs(px - x) <= PIN_REACH and abs(py - y) <= PIN_REACH)
                  for points in colours]
        colour = max(range(3), key=lambda c: around[c])
        if around[colour] >= PIN_COLOUR_PIXELS:
            pins.append((colour, x - CENTRE[0], y - CENTRE[1]))
    chevron = None
    facing = clusters(exact_points(picture, FACING_RGB))
    if facing:
        (left, top, right, bottom), count = max(facing, key=lambda group: group[1])
        if count >= 10:
            chevron = ((left + right) / 2 - CENTRE[0], (top + bottom) / 2 - CENTRE[1])
    return pins, chevron


def on_floor(vector):
    """A picture direction as a direction on the floor (x right, y away)."""
    return vector[0], -vector[1] / FLOOR_TILT


def bearing(vector):
    x, y = on_floor(vector)
    return math.degrees(math.atan2(x, y))


def brightness(picture, slot):
    red, green, blue = picture.crop(slot_left(slot), SLOT_TOP, SLOT_SIZE, SLOT_SIZE).mean()
    return red + green + blue


class ScreenPlayer:
    def __init__(self, game, verbose=False):
        self.game = game
        self.verbose = verbose
        self.started = time.time()
        self.shots = None
        self.lures = 0
        picture = game.grab()
        self.ready_look = [brightness(picture, slot) for slot in range(3)]
        # Learnt once each rune is first seen laid.
        self.laid_look = [2.2 * look for look in self.ready_look]
        self.lit_presses = 0
        self.lays = 0
        self.strikes_seen = 0
        self.where = [0.0, 0.0]  # floor units from the start, reckoned
        self.right_key = self.learn_turning()

    def struck(self):
        """Whether life went down since the last look."""
        strikes = self.game.stdout().count(STRUCK_LINE)
        struck, self.strikes_seen = strikes > self.strikes_seen, strikes
        return struck

    def facing(self):
        return look_round(self.game.grab())[1]

    def learn_turning(self):
        """Which of A and D turns the chevron clockwise on the floor."""
        before = self.facing()
        self.game.press("d", hold=0.25)
        self.game.wait_frames(2)
        after = self.facing()
        if before is None or after is None:
            return "d"
        turned = (bearing(after) - bearing(before) + 540) % 360 - 180
        return "d" if turned > 0 else "a"

    def turn_to(self, target):
        """Turns until the chevron points along `target`, a picture vector."""
        for _ in range(4):
            chevron = self.facing()
            if chevron is None:
                return False
            turn = (bearing(target) - bearing(chevron) + 540) % 360 - 180
            if abs(turn) < FACED_DEGREES:
                return True
            key = self.right_key if turn > 0 else ("a" if self.right_key == "d" else "d")
            self.game.press(key, hold=abs(turn) / TURN_DEGREES_PER_S * 0.85)
            self.game.wait_frames(2)
        return False

    def walk(self, key, seconds, jump=False):
        """Walks forward (w) or back (s), jumping over monsters in the way
        when told; reckons where that took the mage."""
        if jump:
            self.game.key_down("space")
        self.game.key_down(key)
        time.sleep(seconds)
        self.game.key_up(key)
        if jump:
            self.game.key_up("space")
        self.reckon(key, seconds)

    def reckon(self, key, seconds):
        chevron = self.facing()
        if chevron is not None:
            x, y = on_floor(chevron)
            length = math.hypot(x, y) or 1.0
            step = WALK_SPEED * seconds * (1 if key == "w" else -1) / length
            self.where[0] += x * step
            self.where[1] += y * step

    def icons(self, picture):
        """Per trap rune: 'ready', 'laid', 'lit' or 'away' (recharging)."""
        states = []
        for slot in range(3):
            look = brightness(picture, slot)
            if look > LIT_GAIN * self.laid_look[slot]:
                states.append("lit")
            elif look > LAID_GAIN * self.ready_look[slot]:
                states.append("laid")
            elif look > 0.7 * self.ready_look[slot]:
                states.append("ready")
            else:
                states.append("away")
        return states

    def lure(self, colour, pin):
        """Turns the mage's back or its face to the monster's pin, whichever
        is the smaller turn, lays its rune and walks away from the monster,
        so that the monster comes over the rune; sets the rune off as soon
        as it lights up, then steps back to where it stood."""
        chevron = self.facing()
        if chevron is None:
            return
        ahead = abs((bearing(pin) - bearing(chevron) + 540) % 360 - 180) <= 90
        if not self.turn_to(pin if ahead else (-pin[0], -pin[1])):
            return
        away, back = ("s", "w") if ahead else ("w", "s")
        self.snap("a-faced")
        self.game.tap(TRAP_KEYS[colour])
        self.lays += 1
        walked = self.step_away(colour, away)
        look = brightness(self.game.grab(), colour)
        if LAID_GAIN * self.ready_look[colour] < look < 2.6 * self.ready_look[colour]:
            self.laid_look[colour] = look
        self.snap("b-away")
        outcome = self.wait_for_light(colour)
        if outcome != "lit" and self.icons(self.game.grab())[colour] == "laid":
            self.game.tap(TRAP_KEYS[colour])  # not lit: set it off, to have it back
        self.log(f"lure {colour}: {outcome}, walked {walked:.2f} s")
        self.snap("c-" + outcome.replace(" ", "-"))
        self.lures += 1
        self.walk(back, walked, jump=True)

    def snap(self, name):
        if self.verbose and self.shots:
            self.game.grab().save_png(os.path.join(self.shots, f"lure-{self.lures:02d}-{name}.png"))

    def step_away(self, colour, key):
        """Walks (w or s) in short steps, the first jumping over any monster
        in the way, until the rune lies LURE_DISTANCE away, judged by the
        stop square's size; returns how long it walked."""
        walked = 0.0
        for step in range(AWAY_STEPS):
            seconds = FIRST_STEP_S if step == 0 else STEP_S
            self.walk(key, seconds, jump=step == 0)
            walked += seconds
            self.game.wait_frames(2)
            rune = find_rune(self.game.grab(), colour)
            if rune is not None and math.hypot(*rune) >= LURE_DISTANCE:
                self.log(f"rune at {math.hypot(*rune):.2f}")
                break
        return walked

    def wait_for_light(self, colour):
        """Stands while a monster of the rune's colour still comes, until
        the rune lights up and is set off."""
        deadline = time.time() + WAIT_FOR_LIGHT_S
        last_seen = time.time()
        while time.time() < deadline:
            picture = self.game.grab()
            state = self.icons(picture)[colour]
            if state == "lit":
                self.game.tap(TRAP_KEYS[colour])
                self.lit_presses += 1
                time.sleep(STAND_AFTER_PRESS_S)
                return "lit"
            if state != "laid":
                return "gone"
            pins = look_round(picture)[0]
            if any(pin[0] == colour for pin in pins):
                last_seen = time.time()
            elif time.time() - last_seen > PIN_GONE_S:
                return "no monster"
            self.last_pins = pins
            time.sleep(0.02)
        return "too long"

    def log(self, text):
        if self.verbose:
            print(f"{time.time() - self.started:6.1f} {text} at {self.where[0]:+.1f} "
                  f"{self.where[1]:+.1f}", file=sys.stderr, flush=True)

    def walk_away(self, pin):
        """Turns away from the monster's pin and walks on."""
        if self.turn_to((-pin[0], -pin[1])):
            self.walk("w", WALK_AWAY_S, jump=True)

    def back_to_the_middle(self):
        distance = math.hypot(*self.where)
        if distance < ROOMY:
            return False
        # The floor's way back, as a picture vector (y down, foreshortened).
        home = (-self.where[0] / distance, self.where[1] / distance * FLOOR_TILT)
        if self.turn_to(home):
            self.walk("w", min(distance - 1.0, 1.5) / WALK_SPEED)
        return True

    def turn(self):
        picture = self.game.grab()
        icons = self.icons(picture)
        for colour in range(3):
            if icons[colour] == "lit":
                self.game.tap(TRAP_KEYS[colour])
                self.lit_presses += 1
                return
        pins, _ = look_round(picture)
        nearest_first = sorted(pins, key=lambda p: math.hypot(*on_floor(p[1:])))
        for colour, dx, dy in nearest_first:
            if icons[colour] == "ready":
                self.lure(colour, (dx, dy))
                return
        if self.struck() and nearest_first:
            self.log("struck: walking away")
            self.walk_away(nearest_first[0][1:])
            return
        if not pins and self.back_to_the_middle():
            return
        time.sleep(0.03)


def play(bin_dir, difficulty, limit_s, shots, verbose):
    display = VirtualDisplay().start()
    game = GameRun(bin_dir=bin_dir, display=display, frames=True)
    try:
        game.start()
        game.wait_for_window(timeout=120)
        game.wait_frames(3)
        for _ in range(DIFFICULTY_TAPS[difficulty]):
            game.tap("l")
            game.wait_frames(2)
        time.sleep(1.2)  # P rests for the loop's first second
        game.tap("p")
        started = time.time()
        player = ScreenPlayer(game, verbose)
        player.shots = shots
        taken = 0
        while time.time() - started < limit_s and "GAME OVER" not in game.stdout():
            player.turn()
            if shots and time.time() - started > 10 * (taken + 1):
                taken += 1
                game.grab().save_png(os.path.join(shots, f"{difficulty}-{taken}.png"))
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
    parser.add_argument("--difficulty", choices=sorted(DIFFICULTY_TAPS), default="calm")
    parser.add_argument("--games", type=int, default=3)
    parser.add_argument("--limit", type=float, default=420, help="seconds of play at most")
    parser.add_argument("--shots", help="a folder for a picture every 10 s")
    parser.add_argument("--verbose", action="store_true", help="say what each lure came to")
    args = parser.parse_args()
    for game in range(args.games):
        outcome, lasted, strikes, lays, presses = play(args.bin, args.difficulty, args.limit,
                                                       args.shots, args.verbose)
        print(f"{args.difficulty} game {game + 1}: {outcome} after {lasted:.0f} s of play, "
              f"{strikes} points lost, {lays} runes laid, {presses} lit presses", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
