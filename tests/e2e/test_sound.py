"""The game heard: SDL's disk audio driver writes the mixed stream to a file
while one game is played through its window. The red rune is laid and set
off, and the blast stands out of the ambience; a minute of play sits at the
loudness players' other programs have, with room under full scale; M
silences the stream and M again brings it back.

The driver writes one buffer (512 frames, 11.6 ms) and then waits
SDL_DISKAUDIODELAY ms, so with 11 ms the stream keeps about the game's time.
A key's place in the stream is the file's size when the key goes down.
"""

import array
import math
import os
import sys
import time
import unittest
import wave

import loudness
from harness import GameRun, VirtualDisplay
from test_game import loop_time_ms, press_pause, wait_loop_time

FRAME_BYTES = 4  # 16-bit stereo
RATE = 44100
DEBOUNCE_MS = 1000  # of the mute key, as of P

# The played minute, from P on, less the second M silences; and where its
# loudness must sit: EBU R128's broadcast level, with a true peak under
# -1 dBTP.
PLAYED_SECONDS = 61
TARGET_LUFS = -23.0
LUFS_TOLERANCE = 2.0
TRUE_PEAK_LIMIT = -1.0


def stream_bytes(seconds):
    return int(seconds * RATE) * FRAME_BYTES


class Stream:
    """The disk driver's output file, read as 16-bit stereo samples."""

    def __init__(self, path):
        self.path = path

    def offset(self):
        """The stream written so far, in bytes: the place of "now"."""
        size = os.path.getsize(self.path) if os.path.exists(self.path) else 0
        return size - size % FRAME_BYTES

    def wait_for(self, end, timeout=30):
        deadline = time.time() + timeout
        while self.offset() < end:
            if time.time() > deadline:
                raise RuntimeError(f"the stream stopped at {self.offset()} bytes")
            time.sleep(0.02)

    def samples(self, start, end):
        self.wait_for(end)
        with open(self.path, "rb") as stream:
            stream.seek(start)
            samples = array.array("h", stream.read(end - start))
        if sys.byteorder != "little":
            samples.byteswap()
        return samples

    def loudest(self, start, end, window=0.1):
        """The highest RMS of any window of `window` s between the offsets."""
        samples = self.samples(start, end)
        size = int(window * RATE) * 2
        levels = [math.sqrt(sum(s * s for s in samples[at:at + size]) / size)
                  for at in range(0, len(samples) - size + 1, size // 2)]
        return max(levels)

    def rms(self, start, end):
        samples = self.samples(start, end)
        return math.sqrt(sum(s * s for s in samples) / max(1, len(samples)))


class HeardGame(unittest.TestCase):
    """One game, its steps in the order of their names."""

    @classmethod
    def setUpClass(cls):
        cls.display = VirtualDisplay().start()
        cls.game = GameRun(display=cls.display, frames=True, env={"SDL_AUDIODRIVER": "disk"})
        cls.stream = Stream(os.path.join(cls.game.workspace, "stream.raw"))
        cls.game.extra_env.update({"SDL_DISKAUDIOFILE": cls.stream.path,
                                   "SDL_DISKAUDIODELAY": "11"})
        try:
            cls.game.start()
            cls.game.wait_for_window(timeout=120)
            cls.game.wait_frames(2)
        except Exception:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.game.stop()
        cls.display.stop()

    def tap(self, key):
        """Taps the key and waits until the frames after it have run; returns
        the stream's offset when the key went down."""
        at = self.stream.offset()
        self.game.tap(key)
        self.game.wait_frames(2)
        return at

    def play_a_round(self):
        """The mage walks on and lays each trap rune in turn, setting it off as
        the monsters following it come over it, then turns a little."""
        self.game.key_down("w")
        try:
            for key in ("1", "2", "3"):
                wait_loop_time(self.game, 600)
                self.game.tap(key)
                wait_loop_time(self.game, 900)
                self.game.tap(key)
            self.game.key_down("d")
            wait_loop_time(self.game, 150)
            self.game.key_up("d")
        finally:
            self.game.key_up("w")

    def keep(self, samples, path):
        """Writes the samples as a WAV file, for ears and other meters."""
        with wave.open(path, "wb") as capture:
            capture.setnchannels(2)
            capture.setsampwidth(2)
            capture.setframerate(RATE)
            capture.writeframes(samples.tobytes())

    def test_1_the_blast_of_the_red_rune_stands_out(self):
        type(self).played_from = self.stream.offset()
        started = press_pause(self, self.game)
        # The rune keys rest for the game's first second.
        wait_loop_time(self.game, max(0.0, started + 1100 - loop_time_ms(self.game)))
        self.tap("1")
        # The rune rests 500 ms after being laid; its tone lasts 600 ms, and
        # the first monster's gate sounds from 2 s into the loop for 0.9 s.
        wait_loop_time(self.game, 1500)
        self.assertNotIn("GAME OVER", self.game.stdout())
        key = self.tap("1")
        before = self.stream.loudest(key - stream_bytes(0.4), key)
        after = self.stream.loudest(key, key + stream_bytes(1.2))
        print(f"\nloudest 100 ms: {before:.0f} before the blast, {after:.0f} after it",
              file=sys.stderr)
        self.assertGreater(before, 10, "no ambience under the game")
        self.assertGreater(after, 4 * before, "the blast does not stand out")

    def test_2_m_mutes_the_stream_and_m_again_brings_it_back(self):
        wait_loop_time(self.game, 1200)  # past the blast
        muted_at = self.tap("m")
        before = self.stream.rms(muted_at - stream_bytes(0.5), muted_at)
        quiet_from = self.stream.offset()
        wait_loop_time(self.game, DEBOUNCE_MS + 100)
        quiet_to = self.stream.offset()
        muted = self.stream.rms(quiet_from, quiet_to)
        self.tap("m")
        back_from = self.stream.offset()
        type(self).muted = (muted_at, back_from)
        back = self.stream.rms(back_from, back_from + stream_bytes(0.5))
        print(f"\nRMS: {before:.1f} before M, {muted:.1f} muted over "
              f"{(quiet_to - quiet_from) / FRAME_BYTES / RATE:.2f} s, {back:.1f} after M again",
              file=sys.stderr)
        self.assertGreater(before, 10, "nothing to mute")
        self.assertLess(muted, 1, "M left the stream playing")
        self.assertGreater(quiet_to - quiet_from, stream_bytes(0.5))
        self.assertGreater(back, 10, "M again left the stream silent")
        # M says nothing: P's "check" is the only echo of the keys so far.
        self.assertEqual(self.game.stdout().count("check\n"), 1)
        self.assertNotIn("Sound", self.game.stdout())

    def test_3_a_played_minute_sits_at_broadcast_loudness(self):
        """The game from P on, the blast and M above included, until the
        stream holds a minute of play past the muted stretch."""
        muted_from, muted_to = self.muted
        rounds = 0
        while (self.stream.offset() - self.played_from - (muted_to - muted_from)
               < stream_bytes(PLAYED_SECONDS)):
            self.play_a_round()
            rounds += 1
        played_to = self.stream.offset()
        samples = self.stream.samples(self.played_from, muted_from)
        samples.extend(self.stream.samples(muted_to, played_to))
        if os.environ.get("TALMORAK_SOUND_CAPTURE"):
            self.keep(samples, os.environ["TALMORAK_SOUND_CAPTURE"])
        heard = loudness.measure(samples, RATE)
        loudest = max(abs(s) for s in samples)
        out = self.game.stdout()
        ending = "the mage was defeated" if "DEFEAT" in out else "the mage still stood"
        print(f"\nthe played minute ({len(samples) / 2 / RATE:.1f} s of stream, {rounds} rounds, "
              f"{out.count('lifePoints - 1')} life points struck off, {ending}): "
              f"{heard}, loudest sample {loudest}", file=sys.stderr)
        self.assertLessEqual(abs(heard.integrated - TARGET_LUFS), LUFS_TOLERANCE, str(heard))
        self.assertLessEqual(heard.true_peak, TRUE_PEAK_LIMIT, str(heard))
        self.assertLess(loudest, 32767)

    def test_4_escape_ends_the_heard_game_cleanly(self):
        self.game.key_down("Escape")
        try:
            self.assertEqual(self.game.wait(timeout=60), 0)
        finally:
            self.game.key_up("Escape")
        # SDL's disk driver announces itself; nothing else may appear.
        errors = [line for line in self.game.stderr().splitlines()
                  if "disk writer audio driver" not in line and "Writing to file" not in line]
        self.assertEqual(errors, [])


if __name__ == "__main__":
    unittest.main()
