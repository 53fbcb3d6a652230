"""The real program on damaged asset folders: it reports each fault on the
right stream, plays on with what it has, and ends cleanly with escape.

Every case of fault_cases.py is played once, several games at a time, each on
a virtual display of its own; the tests then judge the recorded runs. A game
is held to each key until it has polled it, as told by a preloaded frame
stamp (tools/frametimer), so a slow frame cannot swallow a key press.
"""

import concurrent.futures
import os
import queue
import sys
import tempfile
import time
import unittest
from dataclasses import dataclass

from fault_cases import CASES
from harness import GameRun, VirtualDisplay, frame_timer_library, staged_bin_dir


# P first: it ends the opening pause, so the other keys act on the game. The
# keys of a group are held together: a frame costs dearly under a software
# renderer, and every hold lasts at least two frames.
KEY_GROUPS = [["p"], ["w", "a"], ["1", "2", "3"], ["e", "space"]]
MIN_HOLD = 0.3
MAX_HOLD = 6.0
WORKERS = int(os.environ.get("TALMORAK_FAULT_WORKERS", "3"))
# A comma-separated list of name fragments narrows the table, for debugging.
ONLY = [part for part in os.environ.get("TALMORAK_FAULT_CASES", "").split(",") if part]
SELECTED = [case for case in CASES if not ONLY or any(part in case.name for part in ONLY)]


class FrameLog:
    """The frame stamps one game writes, one line per buffer swap."""

    def __init__(self, path):
        self.path = path

    def count(self):
        try:
            with open(self.path, "rb") as log:
                return log.read().count(b"\n")
        except FileNotFoundError:
            return 0

    def wait_for(self, frames, game, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline and game.running():
            if self.count() >= frames:
                return True
            time.sleep(0.05)
        return self.count() >= frames


@dataclass
class Outcome:
    exit_code: object = None  # None when the game had to be killed
    stdout: str = ""
    stderr: str = ""
    frames: int = 0
    problem: str = ""  # what went wrong in driving the game, if anything
    seconds: float = 0.0


def hold_until_polled(game, frames, keysyms):
    """Holds keys for at least MIN_HOLD and until two more frames have ended.
    The swap under way when the keys went down may have polled its events
    before them; the one after it has not, and the frame after that reads
    the keys before its own swap lets go of them."""
    start = time.time()
    for keysym in keysyms:
        game.key_down(keysym)
    seen = frames.count()
    try:
        while game.running() and time.time() - start < MAX_HOLD:
            if time.time() - start >= MIN_HOLD and frames.count() >= seen + 2:
                break
            time.sleep(0.05)
    finally:
        for keysym in keysyms:
            game.key_up(keysym)


def play(case, display, frame_timer, scratch):
    log = FrameLog(os.path.join(scratch, case.name + ".frames"))
    game = GameRun(display=display,
                   env={"LD_PRELOAD": frame_timer, "TALMORAK_FRAME_LOG": log.path, **case.env})
    outcome = Outcome()
    started = time.time()
    try:
        case.damage(game.bin_dir)
        game.start()
        game.wait_for_window(timeout=120)
        if not log.wait_for(1, game, timeout=60):
            raise RuntimeError("the main loop drew no frame")
        time.sleep(1.1)  # the pause key is ignored in the loop's first second
        for group in KEY_GROUPS:
            hold_until_polled(game, log, group)
        hold_until_polled(game, log, ["Escape"])
        outcome.exit_code = game.wait(timeout=60)
    except Exception as error:  # the verdict belongs to the test, not the runner
        outcome.problem = f"{type(error).__name__}: {error}"
        outcome.exit_code = game.process.poll() if game.process else None
    finally:
        game.stop()
        if game.process:
            for reader in (game._out, game._err):
                reader.join(timeout=5)
            game.process.stdout.close()
            game.process.stderr.close()
        outcome.stdout, outcome.stderr = game.stdout(), game.stderr()
        outcome.frames = log.count()
        outcome.seconds = time.time() - started
    return outcome


def play_all(cases):
    scratch = tempfile.mkdtemp(prefix="talmorak-faults-")
    frame_timer = frame_timer_library(staged_bin_dir())
    # One display per worker, reused by the games that worker plays.
    displays = [VirtualDisplay().start() for _ in range(WORKERS)]
    free = queue.Queue()
    for display in displays:
        free.put(display)

    def run(case):
        display = free.get()
        try:
            return case.name, play(case, display, frame_timer, scratch)
        finally:
            free.put(display)

    try:
        with concurrent.futures.ThreadPoolExecutor(max_workers=WORKERS) as pool:
            return dict(pool.map(run, cases))
    finally:
        for display in displays:
            display.stop()


def describe(outcome):
    return (f"\nexit code {outcome.exit_code}, {outcome.frames} frames, "
            f"{outcome.seconds:.1f} s {outcome.problem}\n"
            f"--- stderr (tail)\n{outcome.stderr[-1500:]}\n"
            f"--- stdout (tail)\n{outcome.stdout[-1500:]}")


class FaultInjectionTest(unittest.TestCase):
    outcomes = {}

    @classmethod
    def setUpClass(cls):
        started = time.time()
        cls.outcomes = play_all(SELECTED)
        for name, outcome in cls.outcomes.items():
            print(f"{name}: exit {outcome.exit_code}, {outcome.frames} frames, "
                  f"{outcome.seconds:.1f} s", file=sys.stderr)
        print(f"\n{len(SELECTED)} damaged games played in {time.time() - started:.0f} s "
              f"with {WORKERS} at a time", file=sys.stderr)

    def judge(self, case):
        outcome = self.outcomes[case.name]
        self.assertEqual(outcome.problem, "", describe(outcome))
        self.assertEqual(outcome.exit_code, 0, describe(outcome))
        for stream, text in case.expected:
            self.assertIn(text, getattr(outcome, stream),
                          f"{text!r} missing from {stream}" + describe(outcome))
        for stream, text in case.unexpected:
            self.assertNotIn(text, getattr(outcome, stream), describe(outcome))
        # "check" is the pause key's echo: the game ran its loop and took keys.
        self.assertIn("check\n", outcome.stdout, describe(outcome))


def _add_case_test(case):
    def test(self):
        self.judge(case)

    test.__doc__ = case.known_defect
    if case.known_defect:
        test = unittest.expectedFailure(test)
    setattr(FaultInjectionTest, "test_" + case.name, test)


for _case in SELECTED:
    _add_case_test(_case)


if __name__ == "__main__":
    unittest.main()
