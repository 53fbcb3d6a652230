"""Plays a scripted game of the sanitized program for a given time and fails
when a sanitizer reports anything or the game does not end cleanly.

usage: play_sanitized.py <staged bin dir of the sanitized build> <seconds>
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from harness import GameRun, VirtualDisplay  # noqa: E402

# One round touches every binding but P and escape: walking, turning, every
# rune laid and set off, the teleport, jumps, the camera keys, F1 and M (the
# game plays with sound, on SDL's dummy driver, as the harness sets it).
ROUND = ["w", "a", "1", "w", "1", "d", "2", "2", "s", "3", "3", "e", "w", "e", "space",
         "Up", "Down", "Left", "Right", "KP_4", "KP_6", "KP_8", "KP_2", "c", "c", "x", "F1",
         "m"]
HOLD = 0.8
REPORT_MARKERS = ["ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                  "SUMMARY: AddressSanitizer", "SUMMARY: UndefinedBehaviorSanitizer"]


def linked_library(program, name):
    """The path of a library the program links, as the loader resolves it."""
    listing = subprocess.run(["ldd", program], capture_output=True, text=True).stdout
    for line in listing.splitlines():
        if line.strip().startswith(name) and "=>" in line:
            return line.split("=>")[1].split("(")[0].strip()
    raise RuntimeError(f"{program} does not link {name}")


def preloads(program):
    """The sanitizer runtime first, as it must be, then the GL driver modules
    the game loads at run time. glfwTerminate unloads those before the leak
    check, which would leave their own allocations in the report without any
    name to suppress them by; preloaded, they stay and keep their names."""
    runtime = linked_library(program, "libasan.so")
    system_libraries = os.path.dirname(linked_library(program, "libGLX.so"))
    drivers = [os.path.join(system_libraries, "libGLX_mesa.so.0"),
               os.path.join(system_libraries, "dri", "swrast_dri.so")]
    return " ".join([runtime] + [path for path in drivers if os.path.exists(path)])


def play(game, seconds):
    game.wait_for_window(timeout=180)
    if not game.wait_for_title("Talmorak Arena fps", timeout=120):
        raise RuntimeError("the main loop never set the title")
    time.sleep(1.2)  # the pause key is ignored in the loop's first second
    game.press("p", hold=HOLD)
    deadline = time.time() + seconds
    step = 0
    while time.time() < deadline and game.running():
        game.press(ROUND[step % len(ROUND)], hold=HOLD)
        step += 1
    game.press("Escape", hold=1.5)
    # Leak checking at exit takes a while in a sanitized program.
    return game.wait(timeout=300), step


def main():
    bin_dir, seconds = sys.argv[1], float(sys.argv[2])
    display = VirtualDisplay().start()
    program = os.path.join(bin_dir, "talmorak")
    options = os.environ.get("ASAN_OPTIONS", "")
    game = GameRun(bin_dir=bin_dir, display=display,
                   env={"LD_PRELOAD": preloads(program),
                        "ASAN_OPTIONS": options + ":verify_asan_link_order=0"})
    try:
        game.start()
        exit_code, presses = play(game, seconds)
    except Exception as error:
        exit_code, presses = f"none ({error})", 0
    finally:
        game.stop()
        display.stop()
    errors = game.stderr()
    reports = [marker for marker in REPORT_MARKERS if marker in errors]
    played = game.stdout()
    print(f"sanitized game: {presses} key presses, {played.count('lifePoints - 1')} strikes, "
          f"{'over' if 'GAME OVER' in played else 'not over'}, exit code {exit_code}, "
          f"{'reports: ' + ', '.join(reports) if reports else 'no sanitizer reports'}")
    sound_off = "Sound is off" in played or "stays silent" in played
    if sound_off:
        print("the sanitized game played without its sound", file=sys.stderr)
    if exit_code != 0 or reports or "check\n" not in game.stdout() or sound_off:
        print("--- stderr\n" + errors[-20000:], file=sys.stderr)
        print("--- stdout (tail)\n" + game.stdout()[-3000:], file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
