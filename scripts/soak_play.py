"""The soak run itself, started by soak.sh: random keys for a given time,
then the memory and frame-time figures."""

import argparse
import os
import random
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402

# Every binding but P (a pause would idle the game) and escape.
KEYS = ["w", "s", "a", "d", "1", "2", "3", "e", "space", "c", "x", "F1",
        "Up", "Down", "Left", "Right", "KP_4", "KP_6", "KP_8", "KP_2"]
# Walking and turning are what a player mostly does.
WEIGHTS = [8, 3, 4, 4, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]
STALL_MS = 100.0
MEMORY_TOLERANCE = 0.05


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS for " + str(pid))


def quit_with_escape(game):
    """Escape, held until the game ends; returns its exit code."""
    game.key_down("Escape")
    try:
        return game.wait(timeout=60)
    finally:
        game.key_up("Escape")


def frame_times_ms(path):
    with open(path) as log:
        return [int(line) / 1000.0 for line in log if line.strip()]


def percentile(sorted_values, fraction):
    index = min(len(sorted_values) - 1, int(round(fraction * (len(sorted_values) - 1))))
    return sorted_values[index]


def play(game, seconds, rng):
    """Returns the resident memory after the first minute and at the end (KiB)."""
    game.wait_for_window(timeout=120)
    game.wait_for_title("Talmorak Arena fps", timeout=120)
    started = time.time()
    time.sleep(1.2)  # the pause key is ignored in the loop's first second
    game.press("p", hold=0.8)
    first_minute = None
    while time.time() - started < seconds and game.running():
        if first_minute is None and time.time() - started >= 60:
            first_minute = resident_kib(game.process.pid)
        key = rng.choices(KEYS, WEIGHTS)[0]
        game.press(key, hold=rng.uniform(0.3, 1.5))
        if rng.random() < 0.2:
            time.sleep(rng.uniform(0.2, 1.0))
    at_end = resident_kib(game.process.pid)
    game.press("Escape", hold=1.0)
    exit_code = game.wait(timeout=60)
    return first_minute, at_end, exit_code


def report(first_minute, at_end, exit_code, frames, seconds, seed, played):
    print(f"soak: {seconds:.0f} s of random keys (seed {seed}), exit code {exit_code}")
    ending = [line for line in played.splitlines() if line.startswith("GAME OVER")]
    # Once the game is over the monsters and the mage stand still; the rest of
    # the run measures drawing alone.
    print(f"game: {played.count('lifePoints - 1')} strikes taken, "
          f"{ending[0] if ending else 'not over'}")
    if first_minute:
        growth = (at_end - first_minute) / first_minute
        verdict = "within" if abs(growth) <= MEMORY_TOLERANCE else "NOT within"
        print(f"resident memory: {first_minute / 1024:.1f} MiB after the first minute, "
              f"{at_end / 1024:.1f} MiB at the end ({growth:+.2%}, {verdict} 5%)")
    else:
        print(f"resident memory: {at_end / 1024:.1f} MiB at the end (run shorter than a minute)")
    if not frames:
        print("no frames recorded")
        return
    ordered = sorted(frames)
    print(f"frames: {len(frames)}, mean {sum(frames) / len(frames):.1f} ms "
          f"({1000.0 * len(frames) / sum(frames):.2f} fps)")
    print("frame time percentiles (ms): " + ", ".join(
        f"p{label} {percentile(ordered, fraction):.1f}"
        for label, fraction in (("50", 0.5), ("90", 0.9), ("99", 0.99), ("99.9", 0.999))) +
        f", max {ordered[-1]:.1f}")
    stalls = [(index, ms) for index, ms in enumerate(frames) if ms > STALL_MS]
    print(f"frames over {STALL_MS:.0f} ms: {len(stalls)} of {len(frames)} "
          f"({len(stalls) / len(frames):.1%})")
    median = percentile(ordered, 0.5)
    spikes = [(index, ms) for index, ms in stalls if ms > 3 * median]
    print(f"frames over 3x the median ({3 * median:.0f} ms): {len(spikes)}")
    for index, ms in sorted(spikes, key=lambda pair: -pair[1])[:10]:
        print(f"  frame {index}: {ms:.1f} ms")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--seconds", type=float, default=600)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--frame-timer", required=True)
    parser.add_argument("--frame-log", required=True)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    display = VirtualDisplay().start()
    game = GameRun(bin_dir=args.bin, display=display,
                   env={"LD_PRELOAD": args.frame_timer, "TALMORAK_FRAME_LOG": args.frame_log})
    try:
        game.start()
        first_minute, at_end, exit_code = play(game, args.seconds, rng)
    except RuntimeError as error:
        code = game.process.poll() if game.process else None
        print(f"soak: the game could not be played (exit code {code}): {error}")
        return 1
    finally:
        game.stop()
        display.stop()
    report(first_minute, at_end, exit_code, frame_times_ms(args.frame_log), args.seconds,
           args.seed, game.stdout())
    return 0 if exit_code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
