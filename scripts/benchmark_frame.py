"""The frame-time benchmark itself, started by benchmark-frame.sh.

Every frame is timed by the preloaded swap stamp (tools/frametimer). The
game is measured twice: a short stretch under the opening tutorial (no
monster out, nothing laid) for reference, and the full load: all four runes
laid with their fountains and all twenty monsters released.

The mage is left standing once its runes lie, so the monsters soon bring it
down; the loop goes on releasing monsters after the defeat, and every
monster, rune and fountain keeps being drawn in both passes, the monsters
just no longer walk. The full load is measured once the twentieth monster is
out.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402

MONSTERS = 20
FIRST_RELEASE_MS = 2000
RELEASE_INTERVAL_MS = 5000


def loop_time_ms(game):
    return sum(game.frames.frame_times_ms())


def wait_loop_time(game, milliseconds):
    target = loop_time_ms(game) + milliseconds
    while loop_time_ms(game) < target:
        if not game.running():
            raise RuntimeError("the game ended early:\n" + game.stderr()[-1000:])
        time.sleep(0.05)


def measure(game, seconds):
    """Frame times (ms) of the frames that end in the next seconds."""
    first = game.frames.count()
    wait_loop_time(game, seconds * 1000.0)
    return game.frames.frame_times_ms()[first:]


def lay_all_runes(game):
    """Red, blue, green and white, a step apart: no rune may be laid within
    reach of another."""
    wait_loop_time(game, 1100)  # the rune keys rest for the game's first second
    for key in ("1", "3", "2", "e"):
        game.tap(key)
        game.hold_frames("s", 2, at_least=0.6)


def percentile(values, fraction):
    ordered = sorted(values)
    index = min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))
    return ordered[index]


def describe(label, frames):
    if not frames:
        return f"{label}: no frames"
    mean = sum(frames) / len(frames)
    return (f"{label}: {len(frames)} frames, median {percentile(frames, 0.5):.1f} ms, "
            f"95th percentile {percentile(frames, 0.95):.1f} ms, "
            f"mean {mean:.1f} ms ({1000.0 / mean:.2f} fps)")


def run(game, seconds, picture_path=None):
    game.wait_for_window(timeout=120)
    game.wait_frames(3)
    idle = measure(game, min(10.0, seconds))
    game.tap("p")
    started = loop_time_ms(game)
    lay_all_runes(game)
    # The release timer runs from the loop's start, also while paused; the
    # first monster comes out at P (or at 2 s), then one every 5 s.
    last_release = max(started, FIRST_RELEASE_MS) + (MONSTERS - 1) * RELEASE_INTERVAL_MS
    wait_loop_time(game, max(0.0, last_release + 1000 - loop_time_ms(game)))
    full = measure(game, seconds)
    if picture_path:
        game.grab().save_png(picture_path)
    over = "GAME OVER - DEFEAT" in game.stdout()
    game.key_down("Escape")
    try:
        exit_code = game.wait(timeout=60)
    finally:
        game.key_up("Escape")
    return idle, full, over, exit_code


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the staged bin folder")
    parser.add_argument("--seconds", type=float, default=30.0,
                        help="length of the full-load measurement")
    parser.add_argument("--picture", help="save the last full-load frame to this PNG")
    args = parser.parse_args()

    display = VirtualDisplay().start()
    game = GameRun(bin_dir=args.bin, display=display, frames=True)
    try:
        game.start()
        idle, full, over, exit_code = run(game, args.seconds, args.picture)
    finally:
        game.stop()
        display.stop()
    print(describe("tutorial, nothing out", idle))
    print(describe("full load, 20 monsters out, 4 runes laid", full))
    print("the mage had fallen before the full-load stretch: " + ("yes" if over else "no"))
    print(f"exit code {exit_code}")
    return 0 if exit_code == 0 and full else 1


if __name__ == "__main__":
    sys.exit(main())
