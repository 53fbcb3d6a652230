"""Drives the real game program under a virtual X display.

A GameRun copies the staged bin/ folder into a fresh workspace, starts the
game from a run/ folder beside it (so its "../bin/..." paths resolve), waits
for its window, sends keys with xdotool, collects stdout and stderr, takes
screenshots with ImageMagick and reports the exit code.

With frames=True the game runs with a preloaded frame timer
(tools/frametimer) that stamps every buffer swap, so a key can be held
for exactly the frames that should see it, and grab() reads the window's
pixels straight from the X server for comparisons.
"""

import ctypes
import errno
import os
import re
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

WINDOW_NAME = "Talmorak Arena"


def header_constants(header, names):
    """Integer constants of the game's own header, read from their one
    definition there ("const int NAME = 42;")."""
    path = os.path.join(os.path.dirname(__file__), "..", "..", header)
    with open(path) as source:
        text = source.read()
    return [int(re.search(r"\b%s = (\d+);" % name, text).group(1)) for name in names]


PICTURE_WIDTH, PICTURE_HEIGHT = header_constants(
    "render/PictureSize.h", ["PICTURE_WIDTH", "PICTURE_HEIGHT"])
# The head-up display's bar and its four rune slots, red first.
BAR_TOP, SLOT_SIZE, SLOT_GAP, SLOT_TOP = header_constants(
    "render/HudLayout.h", ["BAR_TOP", "SLOT_SIZE", "SLOT_GAP", "SLOT_TOP"])


def slot_left(slot):
    """The left edge of a rune slot in the bar: 0 red, 1 green, 2 blue, 3 white."""
    total = 4 * SLOT_SIZE + 3 * SLOT_GAP
    return (PICTURE_WIDTH - total) // 2 + slot * (SLOT_SIZE + SLOT_GAP)


class VirtualDisplay:
    """An Xvfb server of its own, so runs never touch the user's desktop."""

    def __init__(self, width=1280, height=1024):
        self.number = None
        self.process = None
        self.size = (width, height)

    def start(self):
        # Xvfb picks a free display number itself and reports it once it
        # accepts connections: choosing a number here would race other runs
        # starting a server at the same moment. Without -noreset the server
        # resets whenever its last client leaves and refuses connections
        # meanwhile, so a game started just after another one ended could
        # not open its display about once in fifty starts on a busy machine.
        screen = f"{self.size[0]}x{self.size[1]}x24"
        for _ in range(3):
            read_end, write_end = os.pipe()
            process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            number = self._read_display_number(read_end, process)
            if number is not None and self._wait_ready(number, process):
                self.number, self.process = number, process
                return self
            process.kill()
            process.wait()
        raise RuntimeError("could not start Xvfb")

    @staticmethod
    def _read_display_number(read_end, process, timeout=10):
        text = b""
        deadline = time.time() + timeout
        try:
            while time.time() < deadline and not text.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], 0.1)
                if ready:
                    chunk = os.read(read_end, 32)
                    if not chunk:
                        break
                    text += chunk
                elif process.poll() is not None:
                    break
        finally:
            os.close(read_end)
        return int(text) if text.strip().isdigit() else None

    @staticmethod
    def _wait_ready(number, process):
        deadline = time.time() + 10
        while time.time() < deadline:
            if process.poll() is not None:
                return False
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                probe = subprocess.run(["xdotool", "getdisplaygeometry"],
                                       env=dict(os.environ, DISPLAY=f":{number}"),
                                       capture_output=True)
                if probe.returncode == 0:
                    return True
            time.sleep(0.05)
        return False

    @property
    def name(self):
        return f":{self.number}"

    def stop(self):
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.process = None


class _StreamReader(threading.Thread):
    def __init__(self, stream):
        super().__init__(daemon=True)
        self.stream = stream
        self.chunks = []
        self.lock = threading.Lock()

    def run(self):
        for chunk in iter(lambda: self.stream.read1(4096), b""):
            with self.lock:
                self.chunks.append(chunk)

    def text(self):
        with self.lock:
            return b"".join(self.chunks).decode("utf-8", "replace")


def send_close_request(display_name, window_id):
    """Asks the window to close the way a window manager's close button does
    (a WM_DELETE_WINDOW client message)."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                               ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class XEvent(ctypes.Union):
        _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]

    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError("cannot open display " + display_name)
    try:
        event = XEvent()
        event.client.type = 33  # ClientMessage
        event.client.window = window_id
        event.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.client.format = 32
        event.client.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage; the rest is never read here.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def _xlib():
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XGetImage.restype = ctypes.POINTER(_XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XCreateSimpleWindow.restype = ctypes.c_ulong
    x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
    for name in ("XMapWindow", "XUnmapWindow", "XDestroyWindow"):
        getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                    ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_void_p, ctypes.c_int]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    return x11


class FocusThief:
    """Another X client's window, mapped and given the keyboard focus, as
    when the player switches to another program."""

    def __init__(self, display_name):
        self._x11 = _xlib()
        self._display = self._x11.XOpenDisplay(display_name.encode())
        if not self._display:
            raise RuntimeError("cannot open display " + display_name)
        root = self._x11.XDefaultRootWindow(self._display)
        self.window = self._x11.XCreateSimpleWindow(self._display, root, 0, 0, 200, 100, 0, 0, 0)
        self._x11.XMapWindow(self._display, self.window)
        self._x11.XSync(self._display, 0)
        self._x11.XSetInputFocus(self._display, self.window, 2, 0)  # RevertToParent, now
        self._x11.XSync(self._display, 0)

    def close(self):
        self._x11.XDestroyWindow(self._display, self.window)
        self._x11.XCloseDisplay(self._display)


class Picture:
    """RGB pixels of a window area, row 0 at the top."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    def crop(self, x, y, width, height):
        rows = [self.rgb[((y + row) * self.width + x) * 3:((y + row) * self.width + x + width) * 3]
                for row in range(height)]
        return Picture(width, height, b"".join(rows))

    def mean(self):
        """Mean (red, green, blue) over every pixel."""
        count = self.width * self.height
        return tuple(sum(self.rgb[channel::3]) / count for channel in range(3))

    def changed_fraction(self, other, threshold=40, step=2):
        """Share of pixels (on a grid of every step-th pixel) where some
        channel differs by more than threshold."""
        assert (self.width, self.height) == (other.width, other.height)
        changed = total = 0
        a, b = self.rgb, other.rgb
        for y in range(0, self.height, step):
            for x in range(0, self.width, step):
                i = (y * self.width + x) * 3
                total += 1
                if (abs(a[i] - b[i]) > threshold or abs(a[i + 1] - b[i + 1]) > threshold
                        or abs(a[i + 2] - b[i + 2]) > threshold):
                    changed += 1
        return changed / total

    def scaled(self, width, height):
        """The picture resized to width x height by ImageMagick."""
        size = f"{self.width}x{self.height}"
        result = subprocess.run(["convert", "-size", size, "-depth", "8", "rgb:-",
                                 "-resize", f"{width}x{height}!", "-depth", "8", "rgb:-"],
                                input=self.rgb, capture_output=True, check=True)
        return Picture(width, height, result.stdout)

    def brightest(self):
        """The highest channel value of any pixel."""
        return max(self.rgb) if self.rgb else 0

    def mean_difference(self, other):
        """Mean absolute difference per channel value."""
        assert (self.width, self.height) == (other.width, other.height)
        return sum(abs(a - b) for a, b in zip(self.rgb, other.rgb)) / len(self.rgb)

    def save_png(self, path):
        rows = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
                        for y in range(self.height))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data
                    + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as png:
            png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                      + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))
        return path


class FrameLog:
    """The stamps of the preloaded frame timer: one line per buffer swap,
    the microseconds since the previous swap."""

    def __init__(self, path):
        self.path = path

    def frame_times_ms(self):
        try:
            with open(self.path, "rb") as log:
                lines = log.read().split(b"\n")
        except FileNotFoundError:
            return []
        return [int(line) / 1000.0 for line in lines[:-1]]  # the last may be half written

    def count(self):
        return len(self.frame_times_ms())


def frame_timer_library(bin_dir):
    """The swap-stamping preload: $TALMORAK_FRAME_TIMER, or else the
    frametimer target of the build whose staged bin/ is bin_dir, which the
    build keeps in <build>/helpers."""
    library = os.environ.get("TALMORAK_FRAME_TIMER") or os.path.abspath(
        os.path.join(bin_dir, "..", "helpers", "frametimer.so"))
    if not os.path.isfile(library):
        raise RuntimeError(f"no {library}: build it with cmake --build <build> --target frametimer")
    return library


def staged_bin_dir():
    """The staged bin/ folder under test, from TALMORAK_BIN or build/bin."""
    default = os.path.join(os.path.dirname(__file__), "..", "..", "build", "bin")
    return os.path.abspath(os.environ.get("TALMORAK_BIN", default))


class GameRun:
    """One run of the game in a workspace of its own, or, with `program`,
    of an installed launcher started from the folder `cwd`."""

    def __init__(self, bin_dir=None, display=None, env=None, frames=False, program=None,
                 cwd=None):
        self.workspace = tempfile.mkdtemp(prefix="talmorak-e2e-")
        source_bin = bin_dir or staged_bin_dir()
        if program:
            self.program, self.run_dir = program, cwd
        else:
            self.bin_dir = os.path.join(self.workspace, "bin")
            shutil.copytree(source_bin, self.bin_dir)
            self.program = os.path.join(self.bin_dir, "talmorak")
            self.run_dir = os.path.join(self.workspace, "run")
            os.mkdir(self.run_dir)
        self.display = display
        # Games are silent unless a test asks for a sound driver of its own:
        # SDL's dummy driver plays everything to nowhere, quickly.
        self.extra_env = {"SDL_AUDIODRIVER": "dummy", **(env or {})}
        self.process = None
        self.window = None
        self._out = self._err = None
        self._x11 = self._x_display = None
        self.frames = None
        if frames:
            self.frames = FrameLog(os.path.join(self.workspace, "frames.log"))
            self.extra_env.update({"LD_PRELOAD": frame_timer_library(source_bin),
                                   "TALMORAK_FRAME_LOG": self.frames.path})

    # --- the program -----------------------------------------------------
    def start(self, with_display=True):
        self._with_display = with_display
        self._started_at = time.time()
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        if with_display:
            env["DISPLAY"] = self.display.name
        env.update(self.extra_env)
        for attempt in range(20):
            try:
                self.process = subprocess.Popen(
                    [self.program], cwd=self.run_dir, env=env,
                    stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                break
            except OSError as error:
                # A child forked by another thread between our copy's write and
                # its own exec still holds the copy open for writing.
                if error.errno != errno.ETXTBSY or attempt == 19:
                    raise
                time.sleep(0.1)
        self._out = _StreamReader(self.process.stdout)
        self._err = _StreamReader(self.process.stderr)
        self._out.start()
        self._err.start()
        return self

    def wait(self, timeout=30):
        """Waits for the program to end; returns its exit code."""
        code = self.process.wait(timeout=timeout)
        self._out.join(timeout=5)
        self._err.join(timeout=5)
        self.process.stdout.close()
        self.process.stderr.close()
        return code

    def running(self):
        return self.process is not None and self.process.poll() is None

    def stdout(self):
        return self._out.text() if self._out else ""

    def stderr(self):
        return self._err.text() if self._err else ""

    def wait_for_output(self, text, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if text in self.stdout():
                return True
            if not self.running():
                return text in self.stdout()
            time.sleep(0.05)
        return False

    # --- the window ------------------------------------------------------
    def _xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], capture_output=True, text=True,
                                env=dict(os.environ, DISPLAY=self.display.name))
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {args}: {result.stderr.strip()}")
        return result.stdout.strip()

    def _failed_to_open_window(self):
        """True when the game ended at once with exit code 1 and said nothing:
        the windowing library could not open its window on the display."""
        return (self.process.poll() == 1 and time.time() - self._started_at < 3
                and not self.stdout() and not self.stderr())

    def wait_for_window(self, timeout=60):
        deadline = time.time() + timeout
        restarted = False
        while time.time() < deadline:
            if not self.running():
                # A display that refused the game is tried once more, and the
                # retry is reported.
                if self._failed_to_open_window() and not restarted:
                    print("note: the game could not open its window (exit 1); starting it again",
                          file=sys.stderr)
                    restarted = True
                    self.wait()
                    self.start(self._with_display)
                    continue
                raise RuntimeError("the game ended before its window appeared:\n" + self.stderr())
            found = self._xdotool("search", "--name", WINDOW_NAME, check=False)
            if found:
                self.window = int(found.split()[0])
                self._xdotool("windowfocus", str(self.window), check=False)
                return self.window
            time.sleep(0.1)
        raise RuntimeError("no game window within %d s" % timeout)

    def title(self):
        return self._xdotool("getwindowname", str(self.window))

    def wait_for_title(self, prefix, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.title().startswith(prefix):
                return True
            time.sleep(0.1)
        return False

    def key_down(self, keysym):
        self._xdotool("windowfocus", str(self.window), check=False)
        self._xdotool("keydown", keysym)

    def key_up(self, keysym):
        self._xdotool("keyup", keysym)

    def press(self, keysym, hold=0.8):
        """Holds a key long enough for at least one frame to see it."""
        self.key_down(keysym)
        time.sleep(hold)
        self.key_up(keysym)

    # --- keys timed by frames (needs frames=True) -------------------------
    def wait_frames(self, count, timeout=60):
        """Waits until count more buffer swaps have happened."""
        target = self.frames.count() + count
        deadline = time.time() + timeout
        while self.frames.count() < target:
            if time.time() > deadline or not self.running():
                raise RuntimeError(f"the game drew no {count} frames within {timeout} s")
            time.sleep(0.01)

    def tap(self, keysym):
        """Holds a key across one buffer swap only, so that one frame (or,
        when frames are shorter than the release takes, very few) sees it."""
        self.key_down(keysym)
        try:
            self.wait_frames(1)
            time.sleep(0.03)  # the swap's event processing reads the press first
        finally:
            self.key_up(keysym)

    def hold_frames(self, keysym, count, at_least=0.0):
        """Holds a key until count swaps have passed and at least at_least s."""
        started = time.time()
        self.key_down(keysym)
        try:
            self.wait_frames(count)
            time.sleep(max(0.0, at_least - (time.time() - started)))
        finally:
            self.key_up(keysym)

    # --- pixels ----------------------------------------------------------
    def geometry(self):
        """The window's (x, y, width, height) on the screen."""
        shell = self._xdotool("getwindowgeometry", "--shell", str(self.window))
        values = dict(line.split("=", 1) for line in shell.splitlines() if "=" in line)
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def move_window(self, x, y):
        self._xdotool("windowmove", str(self.window), str(x), str(y))

    def resize_window(self, width, height):
        self._xdotool("windowsize", str(self.window), str(width), str(height))

    def set_minimised(self, minimised):
        """Minimises or restores the window as a window manager does: it
        unmaps or maps the window and says so in its WM_STATE property."""
        x11 = _xlib()
        display = x11.XOpenDisplay(self.display.name.encode())
        try:
            state = x11.XInternAtom(display, b"WM_STATE", 0)
            if minimised:
                x11.XUnmapWindow(display, self.window)
            else:
                x11.XMapWindow(display, self.window)
            value = (ctypes.c_long * 2)(3 if minimised else 1, 0)  # IconicState or NormalState
            x11.XChangeProperty(display, self.window, state, state, 32, 0, value, 2)
            x11.XSync(display, 0)
        finally:
            x11.XCloseDisplay(display)

    def grab(self, x=0, y=0, width=PICTURE_WIDTH, height=PICTURE_HEIGHT):
        """The window's pixels in the given area, read from the X server."""
        if self._x_display is None:
            self._x11 = _xlib()
            self._x_display = self._x11.XOpenDisplay(self.display.name.encode())
        image = self._x11.XGetImage(self._x_display, self.window, x, y, width, height,
                                    0xFFFFFFFF, 2)  # all planes, ZPixmap
        if not image:
            raise RuntimeError("XGetImage failed")
        try:
            info = image.contents
            if info.bits_per_pixel != 32:
                raise RuntimeError(f"unexpected {info.bits_per_pixel} bits per pixel")
            raw = ctypes.string_at(info.data, info.bytes_per_line * height)
        finally:
            self._x11.XDestroyImage(image)
        rgb = bytearray(width * height * 3)
        for row in range(height):
            line = raw[row * info.bytes_per_line:row * info.bytes_per_line + width * 4]
            out = row * width * 3
            # 32-bit TrueColor on a little-endian server: blue, green, red, pad.
            rgb[out:out + width * 3:3] = line[2::4]
            rgb[out + 1:out + width * 3:3] = line[1::4]
            rgb[out + 2:out + width * 3:3] = line[0::4]
        return Picture(width, height, rgb)

    def close_window(self):
        send_close_request(self.display.name, self.window)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=True,
                       env=dict(os.environ, DISPLAY=self.display.name))
        return path

    # --- clean-up --------------------------------------------------------
    def stop(self):
        if self.running():
            self.process.kill()
            self.wait()
        if self._x_display is not None:
            self._x11.XCloseDisplay(self._x_display)
            self._x_display = None
        shutil.rmtree(self.workspace, ignore_errors=True)
