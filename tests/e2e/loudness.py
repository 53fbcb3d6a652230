"""Loudness as EBU R128 measures it (ITU-R BS.1770), by libebur128 through
ctypes: integrated loudness, loudness range and true peak of 16-bit stereo
samples."""

import ctypes
import ctypes.util
import math
from dataclasses import dataclass

# The measurements asked of the library (ebur128.h): integrated loudness,
# loudness range and true peak.
MODE_I = (1 << 2) | (1 << 0)
MODE_LRA = (1 << 3) | (1 << 1) | (1 << 0)
MODE_TRUE_PEAK = (1 << 5) | (1 << 4) | (1 << 0)


def _library():
    library = ctypes.CDLL(ctypes.util.find_library("ebur128") or "libebur128.so.1")
    library.ebur128_init.restype = ctypes.c_void_p
    library.ebur128_init.argtypes = [ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    library.ebur128_destroy.argtypes = [ctypes.POINTER(ctypes.c_void_p)]
    library.ebur128_add_frames_short.argtypes = [ctypes.c_void_p, ctypes.c_void_p,
                                                 ctypes.c_size_t]
    for name in ("ebur128_loudness_global", "ebur128_loudness_range"):
        getattr(library, name).argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_double)]
    library.ebur128_true_peak.argtypes = [ctypes.c_void_p, ctypes.c_uint,
                                          ctypes.POINTER(ctypes.c_double)]
    return library


@dataclass
class Loudness:
    integrated: float  # LUFS
    range: float  # LU
    true_peak: float  # dBTP, the louder channel's

    def __str__(self):
        return (f"{self.integrated:.1f} LUFS integrated, loudness range {self.range:.1f} LU, "
                f"true peak {self.true_peak:.1f} dBTP")


def measure(samples, rate):
    """The loudness of interleaved 16-bit stereo samples (an array of 'h')."""
    library = _library()
    state = ctypes.c_void_p(library.ebur128_init(2, rate, MODE_I | MODE_LRA | MODE_TRUE_PEAK))
    if not state.value:
        raise RuntimeError("libebur128 could not start a measurement")
    try:
        buffer = (ctypes.c_short * len(samples)).from_buffer(samples)
        if library.ebur128_add_frames_short(state, buffer, len(samples) // 2) != 0:
            raise RuntimeError("libebur128 refused the samples")
        integrated, loudness_range = ctypes.c_double(), ctypes.c_double()
        library.ebur128_loudness_global(state, ctypes.byref(integrated))
        library.ebur128_loudness_range(state, ctypes.byref(loudness_range))
        peaks = []
        for channel in (0, 1):
            peak = ctypes.c_double()
            library.ebur128_true_peak(state, channel, ctypes.byref(peak))
            peaks.append(peak.value)
        true_peak = 20 * math.log10(max(peaks)) if max(peaks) > 0 else -math.inf
        return Loudness(integrated.value, loudness_range.value, true_peak)
    finally:
        library.ebur128_destroy(ctypes.byref(state))
