"""The Windows package as a player gets it: the zip that make windows wrote,
unpacked into a fresh folder and played under Wine on a virtual display.

It holds what it should (every DLL its programs import, the native build's
data unchanged, the icon in the executable); started the way a double-click
starts it, from bin\\, one process plays game after game, Enter playing
again after each defeat; it plays through talmorak.bat in the top folder;
with its shaders gone it says what the Linux build says and plays on; and it
writes nothing into its folder.
"""

import glob
import os
import re
import shlex
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

from fault_cases import CASES
from harness import GameRun, VirtualDisplay, staged_bin_dir
from test_game import (MAGE_BODY, RED_SLOT_LEFT, SCENE, SLOT_SIZE, SLOT_TOP, TUTORIAL_PANEL,
                       blueness)
from test_install import snapshot
from test_sound import Stream, stream_bytes
from test_window import check_letterboxed

BUILD_DIR = os.path.dirname(staged_bin_dir())
TOP_FOLDER = "talmorak-arena"
OBJDUMP = "x86_64-w64-mingw32-objdump"
# The Windows DLLs the game and its libraries may import; everything else they
# import must ship in bin\.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "opengl32.dll", "msvcrt.dll",
               "winmm.dll", "shell32.dll", "advapi32.dll", "ole32.dll", "imm32.dll"}
WINDOW_TITLE_WITH_RATE = "Talmorak Arena fps"
SCREENSHOT = os.path.join(BUILD_DIR, "windows", "wine-play.png")


def package_zip():
    found = glob.glob(os.path.join(BUILD_DIR, "talmorak-arena-*-win64.zip"))
    if len(found) != 1:
        raise RuntimeError(f"expected one Windows package in {BUILD_DIR} (make windows): {found}")
    return found[0]


def wine_env():
    """Wine in a prefix kept under the build folder, quiet, and without the
    prompts to install .NET and a browser engine that a fresh prefix shows."""
    return {"WINEPREFIX": os.path.join(BUILD_DIR, "windows", "wineprefix"),
            "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def wine_program():
    return shutil.which("wine64") or (
        "/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else "wine")


def prepare_wine_prefix(display):
    env = dict(os.environ, DISPLAY=display.name, **wine_env())
    if not os.path.isdir(os.path.join(env["WINEPREFIX"], "drive_c")):
        subprocess.run([wine_program(), "wineboot", "--init"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
    subprocess.run(["wineserver", "--wait"], env=env, timeout=120)


def console_text(text):
    """The game's console output with Windows line ends made plain."""
    return text.replace("\r\n", "\n")


def end_wine():
    """Ends every program in the prefix: one that outlives the program the
    harness started (cmd, for talmorak.bat) would keep its output pipes open."""
    subprocess.run(["wineserver", "--kill"], env=dict(os.environ, **wine_env()), timeout=60)


def imports(path):
    listing = subprocess.run([OBJDUMP, "-p", path], check=True, capture_output=True,
                             text=True).stdout
    return re.findall(r"^\s*DLL Name: (\S+)", listing, re.MULTILINE)


def files_under(root):
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names)


class WindowsPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.zip = package_zip()
        cls.display = VirtualDisplay().start()
        try:
            prepare_wine_prefix(cls.display)
        except Exception:
            cls.display.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        end_wine()
        cls.display.stop()

    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="talmorak-windows-")

    def tearDown(self):
        shutil.rmtree(self.scratch, ignore_errors=True)

    def unpack(self):
        """A fresh copy of the package; returns its top folder."""
        with zipfile.ZipFile(self.zip) as archive:
            archive.extractall(self.scratch)
        return os.path.join(self.scratch, TOP_FOLDER)

    def start(self, folder, *command, env=None):
        """Starts a Windows command under Wine from folder, through a small
        script kept outside the package (the harness starts one program)."""
        launcher = os.path.join(self.scratch, "launch.sh")
        with open(launcher, "w") as script:
            script.write("#!/bin/sh\nexec " + shlex.join([wine_program(), *command]) + "\n")
        os.chmod(launcher, 0o755)
        game = GameRun(display=self.display, program=launcher, cwd=folder,
                       env=dict(wine_env(), **(env or {})))
        game.start()
        try:
            game.wait_for_window(timeout=180)
            self.assertTrue(game.wait_for_title(WINDOW_TITLE_WITH_RATE, timeout=60), game.stderr())
        except Exception:
            self.stop(game)
            raise
        return game

    def stop(self, game):
        end_wine()
        game.stop()

    def hold_until(self, game, keysym, happened, timeout=30):
        """Holds a key until the game shows that it took it."""
        game.key_down(keysym)
        try:
            deadline = time.time() + timeout
            while not happened() and time.time() < deadline and game.running():
                time.sleep(0.02)
        finally:
            game.key_up(keysym)
        self.assertTrue(happened(), f"{keysym} had no effect:\n{game.stdout()[-800:]}")

    def wait_for(self, happened, message, timeout=30):
        deadline = time.time() + timeout
        while not happened() and time.time() < deadline:
            time.sleep(0.1)
        self.assertTrue(happened(), message)

    def press_pause(self, game):
        """P, taking effect once. Each press is short: held until the game
        said so, a busy machine could hold it past P's one-second debounce."""
        time.sleep(1.2)  # P is ignored in the loop's first second
        checks = console_text(game.stdout()).count("check\n")

        def checked():
            return console_text(game.stdout()).count("check\n") - checks

        deadline = time.time() + 30
        while not checked() and time.time() < deadline:
            game.press("p", hold=0.3)
            answered = time.time() + 3
            while not checked() and time.time() < answered:
                time.sleep(0.05)
        self.assertEqual(checked(), 1, game.stdout()[-300:])

    def quit(self, game):
        game.key_down("Escape")
        try:
            return game.wait(timeout=60)
        finally:
            game.key_up("Escape")

    def resize_and_back(self, game):
        """Under the tutorial: resized, the picture fills the largest
        rectangle of its shape between black bars; then the window goes back
        to its size."""
        time.sleep(1.0)  # a still tutorial
        original = game.grab()
        size = original.width, original.height
        game.move_window(0, 0)  # the larger window stays on the screen
        game.resize_window(1280, 1000)
        self.wait_for(lambda: game.geometry() == (0, 0, 1280, 1000)
                      and game.grab(0, 0, 1280, 20).brightest() == 0, "no resized picture")
        time.sleep(0.5)  # a whole frame at the new size
        check_letterboxed(self, original, game.grab(0, 0, 1280, 1000), 20)
        game.resize_window(*size)
        self.wait_for(lambda: game.geometry()[2:] == size, "the size did not come back")
        time.sleep(0.5)

    def play_briefly(self, folder, *command):
        """Starts the game, presses P, and quits with escape, which must end
        it with exit code 0."""
        game = self.start(folder, *command)
        try:
            self.press_pause(game)
            exit_code = self.quit(game)
        finally:
            self.stop(game)
        self.assertEqual(exit_code, 0, game.stderr())
        return game

    def test_package_holds_the_game_its_dlls_and_data(self):
        root = self.unpack()
        bin_dir = os.path.join(root, "bin")
        for name in ("bin/talmorak.exe", "bin/SDL.dll", "talmorak.bat", "README.txt",
                     "LICENSE.txt", "licenses/libsdl1.2/COPYING"):
            self.assertTrue(os.path.isfile(os.path.join(root, name)), name)
        with open(os.path.join(root, "licenses/libsdl1.2/SOURCE")) as source:
            self.assertIn("libsdl1.2 1.2.15+dfsg2-8", source.read())

        shipped = {name.lower() for name in os.listdir(bin_dir)}
        for name in sorted(os.listdir(bin_dir)):
            if name.lower().endswith((".exe", ".dll")):
                needed = {dll.lower() for dll in imports(os.path.join(bin_dir, name))}
                self.assertEqual(needed - SYSTEM_DLLS - shipped, set(), name)

        # The native build's data folders, byte for byte.
        native = staged_bin_dir()
        for folder in sorted(os.listdir(native)):
            if os.path.isdir(os.path.join(native, folder)):
                ours, theirs = os.path.join(bin_dir, folder), os.path.join(native, folder)
                self.assertEqual(files_under(ours), files_under(theirs), folder)
                for name in files_under(theirs):
                    with open(os.path.join(ours, name), "rb") as a, \
                            open(os.path.join(theirs, name), "rb") as b:
                        self.assertEqual(a.read(), b.read(), name)

        # The executable carries the generated icon's largest picture.
        with open(os.path.join(BUILD_DIR, "icons", "talmorak-arena-256.png"), "rb") as icon, \
                open(os.path.join(bin_dir, "talmorak.exe"), "rb") as program:
            self.assertIn(icon.read(), program.read())

    def test_plays_game_after_game_in_one_process_started_from_bin_as_explorer_starts_it(self):
        root = self.unpack()
        before = snapshot(root)
        # Heard through SDL's disk driver, into a file outside the package.
        stream = Stream(os.path.join(self.scratch, "stream.raw"))
        heard = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIODELAY": "11",
                 "SDL_DISKAUDIOFILE": "Z:" + stream.path.replace("/", "\\")}
        game = self.start(os.path.join(root, "bin"), "talmorak.exe", env=heard)
        try:
            self.resize_and_back(game)
            tutorial = game.grab(*TUTORIAL_PANEL)
            processes = self.game_processes()
            self.press_pause(game)
            # P lifts the tutorial picture off the arena.
            self.wait_for(lambda: tutorial.changed_fraction(game.grab(*TUTORIAL_PANEL)) > 0.6,
                          "the tutorial stayed over the arena")
            slot = (RED_SLOT_LEFT, SLOT_TOP, SLOT_SIZE, SLOT_SIZE)
            ready = game.grab(*slot)
            play = game.grab()
            play.save_png(SCREENSHOT)
            game.press("w")

            # The red rune: laid, then set off once it has rested 500 ms.
            self.hold_until(game, "1", lambda: ready.changed_fraction(game.grab(*slot)) > 0.2)
            time.sleep(0.8)
            before_blast = stream.offset()
            self.hold_until(game, "1", lambda: max(game.grab(*slot).mean()) < 40)
            blast = stream.loudest(before_blast, before_blast + stream_bytes(1.0))
            # F1 held: the second look, and the first again a second later.
            start = len(game.stdout())
            self.hold_until(game, "F1", lambda: "10" in console_text(
                game.stdout()[start:]).replace("lifePoints - 1\n", ""))

            # The mage falls twice, and Enter plays again each time.
            for defeats in range(1, 3):
                if defeats > 1:
                    self.press_pause(game)
                self.wait_for(lambda: console_text(game.stdout()).count(
                    "GAME OVER - DEFEAT\n") == defeats, "no defeat", timeout=240)
                time.sleep(1.0)  # Enter plays again only when pressed under the picture
                self.hold_until(game, "Return", lambda: tutorial.changed_fraction(
                    game.grab(*TUTORIAL_PANEL)) < 0.02)
            self.press_pause(game)
            still = (self.game_processes(), game._xdotool("search", "--name", "Talmorak Arena",
                                                          check=False).split())
            exit_code = self.quit(game)
        finally:
            self.stop(game)
        self.assertEqual(exit_code, 0, game.stderr())
        # The disk driver announces itself; nothing else may appear.
        self.assertEqual(re.sub(r"WARNING: You are using the SDL disk writer audio driver!\s*"
                                r"Writing to file \[[^]]*\]\.\s*", "", console_text(game.stderr())),
                         "")
        out = console_text(game.stdout())
        self.assertEqual(out.count("check\n"), 3, out[-800:])
        self.assertEqual(out.count("GAME OVER - DEFEAT\n"), 2)
        self.assertNotIn("No texture found.", out)
        self.assertNotIn("Sound", out)
        # One process and one window played all three games.
        self.assertEqual(len(processes), 1, processes)
        self.assertEqual(still, (processes, [str(game.window)]))
        # With sound: the mixer played the red rune's blast.
        self.assertGreater(blast, 300, f"the blast was not heard: RMS {blast:.0f}")

        # The picture: the red rune's icon in its slot on the bar, and the
        # lit arena above with the mage in the middle.
        red, green, blue = ready.mean()
        self.assertGreater(red, green + 30, f"no red icon in the bar's first slot: {ready.mean()}")
        scene = play.crop(*SCENE)
        self.assertGreater(sum(scene.mean()) / 3, 40, f"the arena is dark: {scene.mean()}")
        self.assertGreater(blueness(play.crop(*MAGE_BODY)), 25, "no mage's robe in the middle")
        self.assertEqual(snapshot(root), before, "the game wrote into its folder")

    def test_plays_started_through_the_bat_in_the_top_folder(self):
        root = self.unpack()
        before = snapshot(root)
        game = self.play_briefly(root, "cmd", "/c", "talmorak.bat")
        self.assertNotIn("does not exist", game.stderr())
        self.assertNotIn("No texture found.", game.stdout())
        self.assertEqual(snapshot(root), before, "the game wrote into its folder")

    def game_processes(self):
        """The processes of this package's game alive now: Wine runs each as
        a process of its own, in the folder it was started from."""
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                    if b"talmorak.exe" not in cmdline.read():
                        continue
                if os.readlink(f"/proc/{pid}/cwd").startswith(self.scratch):
                    found.append(int(pid))
            except OSError:
                continue  # it ended meanwhile
        return found

    def test_without_shaders_says_what_linux_says_and_plays_on(self):
        root = self.unpack()
        shutil.rmtree(os.path.join(root, "bin", "shaders"))
        game = self.play_briefly(os.path.join(root, "bin"), "talmorak.exe")

        linux = GameRun(display=self.display)
        try:
            shutil.rmtree(os.path.join(linux.bin_dir, "shaders"))
            linux.start()
            linux.wait_for_window(timeout=120)
            self.assertTrue(linux.wait_for_title(WINDOW_TITLE_WITH_RATE), linux.stderr())
            self.assertEqual(self.quit(linux), 0)
        finally:
            linux.stop()
        expected = [text for case in CASES if re.fullmatch(r"missing_shader_\w+_vert", case.name)
                    for stream, text in case.expected if stream == "stderr"]
        self.assertEqual(len(expected), 5)
        for text in expected:
            self.assertIn(text, console_text(game.stderr()))
        self.assertEqual(game.stderr().splitlines(), linux.stderr().splitlines())


if __name__ == "__main__":
    unittest.main()
