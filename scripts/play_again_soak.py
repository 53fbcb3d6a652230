"""Game after game in one process, started by play-again-soak.sh: the game
under MESA_DEBUG=1, each game played by a scripted player until the
monsters win, then Enter. Reports the resident memory at each new opening
screen, the opening screens unlike the first, what the game printed and
Mesa's GL errors; exits 1 when memory grew by more than 2 % after the first
game, when anything reached standard error, when a game did not end or
when the game did not end cleanly."""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402
from soak_play import quit_with_escape, resident_kib  # noqa: E402

MEMORY_TOLERANCE = 0.02
# The tutorial's panel over the scene (tests/e2e/test_game.py).
TUTORIAL_PANEL = (110, 60, 800, 600)
# What the player does before it stands still: each key held so long (s).
MOVES = [("1", 0.3), ("w", 0.6), ("1", 0.3), ("e", 0.3), ("d", 0.4), ("w", 0.8),
         ("space", 0.3), ("e", 0.3), ("2", 0.3), ("s", 0.5), ("2", 0.3), ("3", 0.3),
         ("x", 0.3), ("3", 0.3)]


def wait_until(happened, timeout):
    deadline = time.time() + timeout
    while not happened():
        if time.time() > deadline:
            return False
        time.sleep(0.05)
    return True


def hold_until(game, key, happened, timeout=30):
    game.key_down(key)
    try:
        return wait_until(happened, timeout)
    finally:
        game.key_up(key)


def start_playing(game):
    """P until the game runs: short presses, each answered by "check", and
    one more should a busy machine have held one past P's debounce."""
    def checks():
        return game.stdout().count("check\n")

    first = checks()
    for _ in range(10):
        before = checks()
        game.press("p", hold=0.3)
        wait_until(lambda: checks() > before, 3)
        if (checks() - first) % 2 == 1:
            return True
        time.sleep(1.0)  # P's debounce
    return False


def play_one(game, ended_before):
    """P after the game's first second, the moves, then standing still until
    the game ends; True once it has."""
    time.sleep(1.2)
    if not start_playing(game):
        return False
    time.sleep(1.0)  # the rune keys rest for the game's first second
    for key, hold in MOVES:
        game.press(key, hold=hold)
    return wait_until(lambda: game.stdout().count("GAME OVER") > ended_before, 300)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--games", type=int, default=50)
    args = parser.parse_args()

    display = VirtualDisplay().start()
    game = GameRun(bin_dir=args.bin, display=display,
                   env={"MESA_DEBUG": "1", "SDL_AUDIODRIVER": "dummy"})
    memory, unlike, played, started = [], [], 0, time.time()
    try:
        game.start()
        game.wait_for_window(timeout=120)
        time.sleep(2)
        opening = game.grab()
        start_up = game.stdout()
        memory.append(resident_kib(game.process.pid))
        for number in range(1, args.games + 1):
            if not play_one(game, game.stdout().count("GAME OVER")):
                print(f"game {number} did not end: {game.stdout()[-300:]!r}")
                break
            time.sleep(1.0)  # Enter plays again only when pressed under the end picture
            panel = opening.crop(*TUTORIAL_PANEL)
            if not hold_until(game, "Return",
                              lambda: panel.changed_fraction(game.grab(*TUTORIAL_PANEL)) < 0.02):
                print(f"Enter after game {number} brought no opening screen")
                break
            played = number
            time.sleep(1.0)
            if game.grab().rgb != opening.rgb:
                unlike.append(number)
            memory.append(resident_kib(game.process.pid))
            print(f"game {number}: {time.time() - started:.0f} s, {memory[-1]} KiB resident",
                  flush=True)
        code = quit_with_escape(game)
    finally:
        game.stop()
        display.stop()

    after_first = memory[1] if len(memory) > 1 else memory[0]
    growth = (memory[-1] - after_first) / after_first
    print(f"played {played} games in {time.time() - started:.0f} s in one process")
    print(f"resident memory: {memory[0]} KiB at the first opening screen, {after_first} KiB "
          f"after the first game, {memory[-1]} KiB after the last ({100 * growth:+.2f} %), "
          f"least {min(memory[1:] or memory)} and most {max(memory[1:] or memory)} KiB after it")
    print(f"opening screens unlike the first: {unlike or 'none'}")
    out = game.stdout()[len(start_up):]
    others = [line for line in out.splitlines()
              if line not in ("check", "lifePoints - 1", "GAME OVER - DEFEAT",
                              "GAME OVER - VICTORY")]
    print(f"printed: {out.count('check')} check, {out.count('lifePoints - 1')} lifePoints - 1, "
          f"{out.count('GAME OVER - DEFEAT')} defeats, {out.count('GAME OVER - VICTORY')} "
          f"victories; other lines: {others[:10]!r}")
    print(f"standard error: {game.stderr()!r}")
    print(f"exit code: {code}")
    failed = (growth > MEMORY_TOLERANCE or game.stderr() != "" or code != 0
              or played != args.games)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
