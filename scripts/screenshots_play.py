"""Plays one scripted game for scripts/screenshots.sh and saves four PNG
pictures: the tutorial, a moment of play, the defeat picture and, from a
second game left alone on its opening screen, the demo.

For the play picture the mage lays the red rune at its feet and stands still
while the first monsters walk in and strike, with the camera raised and
backed off a little; the frame with most in sight is kept.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402
from soak_play import quit_with_escape  # noqa: E402

# The play picture is chosen among the frames from the rune's laying until the
# mage has lost this many points: by then the first monsters stand around it.
LAST_STRIKE_FOR_PICTURE = 16


def loop_time_ms(game):
    return sum(game.frames.frame_times_ms())


def wait_loop_time(game, milliseconds):
    target = loop_time_ms(game) + milliseconds
    while loop_time_ms(game) < target and game.running():
        time.sleep(0.02)


def hit_flash_showing(picture):
    """The hit picture reddens the window's edges for a frame or so."""
    red, green, blue = picture.crop(0, 0, 16, 16).mean()
    return red > green + 60 and red > blue + 60


def red_particle_pixels(picture):
    """Salmon pixels, the colour of the red rune's fountain and of the rune's
    own glyph, above the bar, counted on a grid of every fourth pixel."""
    rgb, width = picture.rgb, picture.width
    count = 0
    for y in range(0, 640, 4):
        for x in range(0, width, 4):
            i = (y * width + x) * 3
            if rgb[i] > 200 and 90 < rgb[i + 1] < 170 and 80 < rgb[i + 2] < 160:
                count += 1
    return count


def grab_play(game, empty_arena, last_strike):
    """Keeps the frame with most going on: monsters, as pixels that differ
    from the arena before they came, and the red rune's fountain, which
    rises in big steps at a few frames per second and is in sight in only
    some frames. Frames with the hit flash are passed over; the search ends
    when the mage has lost last_strike points or the game is over."""
    glyph = red_particle_pixels(empty_arena)
    best, best_score = None, -1
    while (game.stdout().count("lifePoints - 1\n") < last_strike
           and "GAME OVER" not in game.stdout()):
        picture = game.grab()
        if not hit_flash_showing(picture):
            particles = max(0, red_particle_pixels(picture) - glyph)
            changed = picture.changed_fraction(empty_arena, step=8)
            score = changed * 1000 + (300 if particles >= 5 else 0)
            if os.environ.get("TALMORAK_SHOT_DEBUG"):
                print(f"changed {changed:.3f}, particles {particles}", file=sys.stderr)
            if score > best_score:
                best, best_score = picture, score
        game.wait_frames(1)
    return best if best is not None else game.grab()


def play(game, folder, strikes):
    game.wait_for_window(timeout=120)
    game.wait_frames(3)
    game.grab().save_png(os.path.join(folder, "tutorial.png"))

    wait_loop_time(game, max(0.0, 1100 - loop_time_ms(game)))  # P rests for a second
    game.tap("p")
    # The camera rises and backs off: monsters striking from behind the mage
    # or from the camera's side stay in sight.
    game.hold_frames("KP_8", 1, at_least=0.6)
    game.hold_frames("Down", 1, at_least=0.4)
    game.wait_frames(3)  # the frame after the release still moves the camera
    empty_arena = game.grab()
    wait_loop_time(game, 1100)  # the rune keys rest for the game's first second
    game.tap("1")  # the red rune, at the mage's feet

    grab_play(game, empty_arena, strikes).save_png(os.path.join(folder, "play.png"))

    if not game.wait_for_output("GAME OVER - DEFEAT\n", timeout=240):
        raise RuntimeError("no defeat within 240 s:\n" + game.stdout()[-1000:])
    game.wait_frames(3)
    game.grab().save_png(os.path.join(folder, "defeat.png"))
    return quit_with_escape(game)


# The demo starts after 30 s of the loop's time with no key; its picture is
# taken this long into the demo game, with the technique under way.
DEMO_START_MS = 30000
DEMO_PICTURE_AFTER_MS = 14000


def watch_demo(game, folder):
    game.wait_for_window(timeout=120)
    wait_loop_time(game, DEMO_START_MS + DEMO_PICTURE_AFTER_MS)
    game.grab().save_png(os.path.join(folder, "demo.png"))
    return quit_with_escape(game)


def play_once(bin_dir, run):
    display = VirtualDisplay().start()
    game = GameRun(bin_dir=bin_dir, display=display, frames=True)
    try:
        game.start()
        return run(game)
    finally:
        game.stop()
        display.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the staged bin folder")
    parser.add_argument("--out", required=True, help="folder for the PNG pictures")
    parser.add_argument("--strikes", type=int, default=LAST_STRIKE_FOR_PICTURE)
    args = parser.parse_args()

    played = play_once(args.bin, lambda game: play(game, args.out, args.strikes))
    watched = play_once(args.bin, lambda game: watch_demo(game, args.out))
    return 0 if played == 0 and watched == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
