"""The game as a player installs it: into a prefix with the install rules,
and from the Debian package. Either way the launcher starts it from an
unrelated folder, the game finds every file it reads, and it writes none
into the install, which is made read-only."""

import os
import shutil
import stat
import subprocess
import tempfile
import time
import unittest

from harness import GameRun, VirtualDisplay, staged_bin_dir

BUILD_DIR = os.path.dirname(staged_bin_dir())
PACKAGE = "talmorak-arena"


def make_read_only(root):
    for folder, folders, files in os.walk(root, topdown=False):
        for name in files + folders:
            path = os.path.join(folder, name)
            if not os.path.islink(path):
                os.chmod(path, os.stat(path).st_mode & ~(stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH))
    os.chmod(root, os.stat(root).st_mode & ~stat.S_IWUSR)


def make_writable(root):
    os.chmod(root, os.stat(root).st_mode | stat.S_IWUSR)
    for folder, folders, files in os.walk(root):
        for name in files + folders:
            path = os.path.join(folder, name)
            if not os.path.islink(path):
                os.chmod(path, os.stat(path).st_mode | stat.S_IWUSR)


def snapshot(root):
    """Every path under root with its size and modification time: the tests
    run as root, which the permission bits do not stop, so a write would
    show here instead."""
    entries = {}
    for folder, folders, files in os.walk(root):
        for name in files + folders:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            entries[os.path.relpath(path, root)] = (info.st_size, info.st_mtime_ns)
    return entries


class InstalledGame(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = VirtualDisplay().start()

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()

    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="talmorak-install-")

    def tearDown(self):
        make_writable(self.scratch)
        shutil.rmtree(self.scratch, ignore_errors=True)

    def play(self, root, launcher):
        """Starts the launcher from an empty folder elsewhere, presses P and W,
        then escape, and checks what the game said and that nothing changed."""
        make_read_only(root)
        before = snapshot(root)
        elsewhere = os.path.join(self.scratch, "elsewhere")
        os.mkdir(elsewhere)
        game = GameRun(display=self.display, program=launcher, cwd=elsewhere)
        try:
            game.start()
            game.wait_for_window(timeout=120)
            self.assertTrue(game.wait_for_title("Talmorak Arena fps"), game.stderr())
            time.sleep(1.5)  # the pause key is ignored in the game's first second
            for key in ("p", "w", "Escape"):
                game.press(key)
            exit_code = game.wait(timeout=60)
        finally:
            game.stop()
        self.assertEqual(exit_code, 0, game.stderr())
        self.assertEqual(game.stderr(), "")
        self.assertIn("check\n", game.stdout(), "the pause key did not reach the game")
        self.assertNotIn("No texture found.", game.stdout())
        # The mixer module and the sounds are found where the install put them.
        self.assertNotIn("Sound is off", game.stdout())
        self.assertNotIn("Sound file", game.stdout())
        self.assertEqual(snapshot(root), before, "the game changed its install")
        self.assertEqual(os.listdir(elsewhere), [])

    def test_install_rules_into_a_prefix(self):
        prefix = os.path.join(self.scratch, "prefix")
        subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", prefix], check=True,
                       capture_output=True)
        launcher = os.path.join(prefix, "games", PACKAGE)
        self.play(prefix, launcher)
        # The game's own failure reaches the caller: with no display it exits 1.
        no_display = {name: value for name, value in os.environ.items() if name != "DISPLAY"}
        self.assertEqual(subprocess.run([launcher], env=no_display, cwd=self.scratch,
                                        capture_output=True).returncode, 1)

    def test_debian_package(self):
        made = subprocess.run(["cpack", "-G", "DEB"], cwd=BUILD_DIR, capture_output=True,
                              text=True)
        self.assertEqual(made.returncode, 0, made.stdout + made.stderr)
        packages = [name for name in os.listdir(BUILD_DIR)
                    if name.startswith(PACKAGE + "_") and name.endswith(".deb")]
        self.assertEqual(len(packages), 1, packages)
        package = os.path.join(BUILD_DIR, packages[0])

        # The dependencies come from the binary itself, the C library among
        # them, and from the mixer module beside it.
        depends = subprocess.run(["dpkg-deb", "-f", package, "Depends"], check=True,
                                 capture_output=True, text=True).stdout
        for library in ("libc6", "libassimp", "libglfw3", "libsdl1.2", "libsdl-mixer1.2"):
            self.assertIn(library, depends)

        if shutil.which("lintian"):
            lint = subprocess.run(["lintian", "--fail-on", "error", package],
                                  capture_output=True, text=True)
            print(lint.stdout, end="")
            self.assertEqual(lint.returncode, 0, lint.stdout + lint.stderr)
            self.assertNotIn("E: ", lint.stdout)

        root = os.path.join(self.scratch, "unpacked")
        subprocess.run(["dpkg-deb", "-x", package, root], check=True)
        with open(os.path.join(root, "usr/share/applications", PACKAGE + ".desktop")) as entry:
            lines = entry.read().splitlines()
        self.assertIn("Exec=/usr/games/" + PACKAGE, lines)
        self.assertIn("Categories=Game;ActionGame;", lines)

        # The software centres' listing names that desktop entry and passes
        # the validator without a single remark.
        listings = os.listdir(os.path.join(root, "usr/share/metainfo"))
        self.assertEqual(len(listings), 1, listings)
        listing = os.path.join(root, "usr/share/metainfo", listings[0])
        with open(listing) as text:
            self.assertIn(f'<launchable type="desktop-id">{PACKAGE}.desktop</launchable>',
                          text.read())
        check = subprocess.run(["appstreamcli", "validate", "--no-net", "--pedantic", listing],
                               capture_output=True, text=True)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
        self.assertNotRegex(check.stdout, r"(?m)^[EWIP]: ", check.stdout)
        self.play(root, os.path.join(root, "usr/games", PACKAGE))


if __name__ == "__main__":
    unittest.main()
