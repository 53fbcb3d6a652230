"""Frame times in the window and fullscreen, started by benchmark-frame.sh.

On a virtual 1920 x 1080 screen the game opens its 1024 x 768 window; F11
makes it cover the screen, where the picture fills 1440 x 1080 between black
bars, and F11 again brings the window back. The two are measured in turn,
a few stretches each, under the opening tutorial and then at full load (all
four runes laid, all twenty monsters out), so that the machine's changing
load falls on both alike.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402
from benchmark_frame import (FIRST_RELEASE_MS, MONSTERS, RELEASE_INTERVAL_MS,  # noqa: E402
                             describe, lay_all_runes, loop_time_ms, measure, wait_loop_time)

SCREEN = (1920, 1080)


def in_turn(game, seconds, rounds, label):
    """Measures the window and fullscreen in turn; prints each stretch."""
    for _ in range(rounds):
        for shape in ("window 1024 x 768", "fullscreen 1920 x 1080"):
            wait_loop_time(game, 1100)  # F11's debounce, and the switch settles
            print(describe(f"{label}, {shape}", measure(game, seconds)), flush=True)
            game.tap("F11")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the staged bin folder")
    parser.add_argument("--seconds", type=float, default=8.0, help="length of each stretch")
    parser.add_argument("--rounds", type=int, default=3, help="stretches of each shape")
    args = parser.parse_args()

    display = VirtualDisplay(*SCREEN).start()
    game = GameRun(bin_dir=args.bin, display=display, frames=True)
    try:
        game.start()
        game.wait_for_window(timeout=120)
        game.wait_frames(3)
        in_turn(game, args.seconds, args.rounds, "tutorial")
        game.tap("p")
        started = loop_time_ms(game)
        lay_all_runes(game)
        last_release = max(started, FIRST_RELEASE_MS) + (MONSTERS - 1) * RELEASE_INTERVAL_MS
        wait_loop_time(game, max(0.0, last_release + 1000 - loop_time_ms(game)))
        in_turn(game, args.seconds, args.rounds, "full load")
    finally:
        game.stop()
        display.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
