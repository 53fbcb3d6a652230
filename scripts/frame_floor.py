"""The cost of a frame against its floor, started by frame-floor.sh.

The floor is tools/framefloor: every pass the game's rules fix (the 2048 x
2048 shadow-map clear, the main target's clear, the post-process quad, six
full-window interface pictures, the swap) with no model drawn. It runs under
the same virtual display as the game, once before and once after the game's
full-load stretch (benchmark_frame.py), so a change in the machine's load
during the run shows as a difference between the two floor figures.
"""

import argparse
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import benchmark_frame  # noqa: E402
from harness import GameRun, VirtualDisplay  # noqa: E402


def floor_bin(staged_bin, floor_program, folder):
    """A copy of the staged bin/ whose program is the floor, so the floor
    reads the same shaders and pictures from the same relative paths."""
    copy = os.path.join(folder, "bin")
    shutil.copytree(staged_bin, copy)
    shutil.copy(floor_program, os.path.join(copy, "talmorak"))
    return copy


def measure_floor(display, bin_dir, seconds):
    run = GameRun(bin_dir=bin_dir, display=display, frames=True)
    try:
        run.start()
        run.wait_for_window(timeout=60)
        run.wait_frames(5)
        frames = benchmark_frame.measure(run, seconds)
        run.key_down("Escape")
        try:
            run.wait(timeout=30)
        finally:
            run.key_up("Escape")
    finally:
        run.stop()
    return frames


def median(values):
    return benchmark_frame.percentile(values, 0.5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="the staged bin folder")
    parser.add_argument("--floor", required=True, help="the built floor program")
    parser.add_argument("--seconds", type=float, default=30.0,
                        help="length of the full-load measurement")
    parser.add_argument("--floor-seconds", type=float, default=15.0,
                        help="length of each floor measurement")
    parser.add_argument("--picture", help="save the last full-load frame to this PNG")
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="talmorak-floor-")
    display = VirtualDisplay().start()
    try:
        floors_bin = floor_bin(args.bin, args.floor, folder)
        floor_before = measure_floor(display, floors_bin, args.floor_seconds)
        game = GameRun(bin_dir=args.bin, display=display, frames=True)
        try:
            game.start()
            idle, full, over, exit_code = benchmark_frame.run(game, args.seconds, args.picture)
        finally:
            game.stop()
        floor_after = measure_floor(display, floors_bin, args.floor_seconds)
    finally:
        display.stop()
        shutil.rmtree(folder, ignore_errors=True)

    floor = floor_before + floor_after
    print(benchmark_frame.describe("floor before the game", floor_before))
    print(benchmark_frame.describe("floor after the game", floor_after))
    print(benchmark_frame.describe("tutorial, nothing out", idle))
    print(benchmark_frame.describe("full load, 20 monsters out, 4 runes laid", full))
    if floor and full:
        print(f"full load / floor (medians): {median(full):.1f} / {median(floor):.1f} ms"
              f" = {median(full) / median(floor):.2f}")
    print(f"game exit code {exit_code}")
    return 0 if exit_code == 0 and full and floor else 1


if __name__ == "__main__":
    sys.exit(main())
