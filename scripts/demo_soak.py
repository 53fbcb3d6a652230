"""The demo left alone, started by demo-soak.sh: the game under MESA_DEBUG=1
with no key pressed for a given time, while the opening screen and the demo
take turns. Reports the resident memory over time, how often the demo's
banner was seen to come and go, what the game printed after its start-up,
and Mesa's GL errors; exits 1 when memory grew by more than 2 %, when
anything reached standard error or when the game did not end cleanly."""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402
from soak_play import quit_with_escape, resident_kib  # noqa: E402

# The demo's banner across the picture's top (render/HudLayout.h), and how
# unlike the opening screen's top it must look to count as shown.
BANNER = (384, 16, 256, 40)
SAMPLE_S = 5
MEMORY_TOLERANCE = 0.02


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--seconds", type=int, default=1200)
    parser.add_argument("--warm-up", type=int, default=120)
    args = parser.parse_args()

    display = VirtualDisplay().start()
    game = GameRun(bin_dir=args.bin, display=display,
                   env={"MESA_DEBUG": "1", "SDL_AUDIODRIVER": "dummy"})
    try:
        game.start()
        game.wait_for_window(timeout=120)
        time.sleep(3)
        started = time.time()
        opening_top = game.grab(*BANNER)
        start_up = game.stdout()
        memory = []
        shown, turns = False, 0
        while time.time() - started < args.seconds and game.running():
            time.sleep(SAMPLE_S)
            banner = opening_top.changed_fraction(game.grab(*BANNER)) > 0.3
            turns += 1 if banner != shown else 0
            shown = banner
            elapsed = time.time() - started
            memory.append((elapsed, resident_kib(game.process.pid)))
        code = quit_with_escape(game)
    finally:
        game.stop()
        display.stop()

    warm = next(kib for seconds, kib in memory if seconds >= args.warm_up)
    last = memory[-1][1]
    growth = (last - warm) / warm
    print(f"played {memory[-1][0]:.0f} s without a key; the demo came and went {turns} times")
    for seconds, kib in memory[:: max(1, len(memory) // 12)] + [memory[-1]]:
        print(f"  {seconds:6.0f} s  {kib} KiB resident")
    print(f"resident memory from {args.warm_up} s on: {warm} -> {last} KiB ({100 * growth:+.2f} %)")
    printed = game.stdout()[len(start_up):]
    print(f"printed after the start-up: {printed!r}")
    print(f"standard error: {game.stderr()!r}")
    print(f"exit code: {code}")
    failed = growth > MEMORY_TOLERANCE or game.stderr() != "" or code != 0 or printed != ""
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
