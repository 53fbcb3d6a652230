"""The damaged asset folders the game must survive, one fault per case.

Each case names a fault, applied to a private copy of the staged bin/ folder
before the game starts (or, for the audio, in the game's environment), and
the lines the game must print about it, each on the stream where it belongs.
A case whose game is known to misbehave carries `known_defect`, the reason;
the suite then expects it to fail, so the defect stays visible without
turning the suite red.
"""

import os
import random
import shutil
import struct
from dataclasses import dataclass, field
from typing import Callable, Dict, List, Optional, Tuple

from harness import staged_bin_dir

MODELS = ["mage", "arena", "skysphere", "redmonster", "greenmonster", "monster",
          "redparticle", "greenparticle", "blueparticle", "whiteparticle",
          "redrune", "greenrune", "bluerune", "whiterune"]

PICTURES = ["victory", "defeat", "tutorial", "hit", "backgroundINTERFACE", "countersINTERFACE",
            "redruneINTERFACE", "greenruneINTERFACE", "blueruneINTERFACE",
            "whiteruneINTERFACE", "redactiveINTERFACE", "greenactiveINTERFACE",
            "blueactiveINTERFACE", "whiteactiveINTERFACE", "runemarksINTERFACE",
            "markersINTERFACE"]

PROGRAMS = ["modelshader", "particleshader", "shadowshader", "postprocess",
            "interfaceshader"]

# The picture and the model texture that the BMP faults replace.
PICTURE_UNDER_TEST = "objects/interface/tutorial.bmp"
MODEL_TEXTURE_UNDER_TEST = "objects/mage.bmp"

NO_TEXTURE = ("stdout", "No texture found.\n")
NOT_TRUECOLOR = ("stdout", "warning: the image is not truecolor.\n")
MODEL_FAILED = ("stderr", "Loading model failed.\n")
COMPILE_FAILED = ("stdout", "Shader compilation failed.\n")
LINK_FAILED = ("stdout", "Shader linking failed.\n")
SOUND_OFF = ("stdout", "Sound is off: ")
SOUND_FILE_SILENT = ("stdout", "stays silent: ")


# A sound file is named by its path beside the program, whose folder (the
# game's private copy) stands before what these lines expect.
def sound_file_missing(name):
    path = f"/bin/sounds/{name}"
    return [("stdout", f"{path} stays silent: Couldn't open "),
            ("stdout", f"{path}: No such file or directory.\n")]


def sound_file_unreadable(name, why):
    return [("stdout", f"/bin/sounds/{name} stays silent: {why}.\n")]


def staged_sounds():
    return sorted(os.listdir(os.path.join(staged_bin_dir(), "sounds")))


@dataclass
class FaultCase:
    name: str
    damage: Callable[[str], None]  # applied to the copied bin/ folder
    expected: List[Tuple[str, str]] = field(default_factory=list)
    unexpected: List[Tuple[str, str]] = field(default_factory=list)
    known_defect: Optional[str] = None
    env: Dict[str, str] = field(default_factory=dict)  # for the game, over the harness's


# --- ways to damage a file ---------------------------------------------------

def remove(relative):
    def damage(bin_dir):
        os.remove(os.path.join(bin_dir, relative))
    return damage


def overwrite(relative, make_bytes):
    def damage(bin_dir):
        path = os.path.join(bin_dir, relative)
        with open(path, "rb") as original:
            content = make_bytes(original.read())
        with open(path, "wb") as damaged:
            damaged.write(content)
    return damage


def remove_folder(relative):
    def damage(bin_dir):
        shutil.rmtree(os.path.join(bin_dir, relative))
    return damage


def truncated(content):
    # Cut inside the pixel rows: the headers promise more than the file holds.
    return content[:len(content) // 2]


def garbage(_content, size=65536, seed=8):
    noise = bytearray(random.Random(seed).randbytes(size))
    noise[0:2] = b"ZZ"  # never a BMP or ".x" signature by chance
    return bytes(noise)


def empty(_content):
    return b""


def garbage_after_x_header(_content):
    # Passes the importer's format check, so the parser itself meets the noise.
    return b"xof 0303txt 0032\n" + garbage(b"", size=16384, seed=9)


def paletted_bmp(_content, width=64, height=64):
    """An 8-bit BMP with a 256-entry grey palette and a diagonal pattern."""
    row_size = (width + 3) & ~3
    palette = b"".join(bytes((i, i, i, 0)) for i in range(256))
    pixels = b"".join(
        bytes((x + y) % 256 for x in range(width)) + b"\0" * (row_size - width)
        for y in range(height))
    header_size = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels),
                              2835, 2835, 256, 0)
    return file_header + info_header + palette + pixels


def rename_texture(old, new):
    def edit(content):
        assert old.encode() in content, old + " is not named in the model"
        return content.replace(old.encode(), new.encode())
    return edit


def rename_needed_library(name, missing):
    """Names another library where the binary names one it needs; the two
    names are as long, so the binary's layout stays as it was."""
    assert len(missing) == len(name)

    def edit(content):
        assert name.encode() in content, name + " is not needed by the binary"
        return content.replace(name.encode(), missing.encode())
    return edit


def replace_in_shader(old, new):
    def edit(content):
        assert old.encode() in content, old + " is not in the shader"
        return content.replace(old.encode(), new.encode(), 1)
    return edit


# --- the table ---------------------------------------------------------------

def _missing_models():
    # A monster model is loaded only when rand() picks its kind for one of
    # the twenty monsters; a kind left out entirely, (2/3)^20 = 0.03% of runs,
    # would never report its missing file.
    return [FaultCase(f"missing_model_{name}", remove(f"objects/{name}.x"), [MODEL_FAILED])
            for name in MODELS]


def _missing_pictures():
    return [FaultCase(f"missing_picture_{name}", remove(f"objects/interface/{name}.bmp"),
                      [NO_TEXTURE])
            for name in PICTURES]


def _missing_shaders():
    cases = []
    for program in PROGRAMS:
        base = f"../bin/shaders/{program}"
        cases.append(FaultCase(
            f"missing_shader_{program}_vert", remove(f"shaders/{program}.vert"),
            [("stderr", f"Vertex shader file {base}.vert does not exist.\n")]))
        cases.append(FaultCase(
            f"missing_shader_{program}_frag", remove(f"shaders/{program}.frag"),
            [("stderr", f"Fragment shader file {base}.frag does not exist.\n")]))
    return cases


def _bad_bitmaps():
    cases = []
    for role, relative in (("picture", PICTURE_UNDER_TEST),
                           ("model_texture", MODEL_TEXTURE_UNDER_TEST)):
        cases += [
            FaultCase(f"truncated_bmp_as_{role}", overwrite(relative, truncated), [NO_TEXTURE]),
            FaultCase(f"garbage_bmp_as_{role}", overwrite(relative, garbage), [NO_TEXTURE]),
            FaultCase(f"paletted_bmp_as_{role}", overwrite(relative, paletted_bmp),
                      [NOT_TRUECOLOR]),
        ]
    return cases


def _bad_models():
    return [
        FaultCase("garbage_x", overwrite("objects/mage.x", garbage), [MODEL_FAILED]),
        FaultCase("garbage_after_x_header", overwrite("objects/mage.x", garbage_after_x_header),
                  [MODEL_FAILED]),
        FaultCase("empty_x", overwrite("objects/arena.x", empty), [MODEL_FAILED]),
        FaultCase("x_naming_missing_texture",
                  overwrite("objects/mage.x", rename_texture('"mage.bmp"', '"nosuchskin.bmp"')),
                  [("stdout", "../bin/objects/nosuchskin.bmp\n"), NO_TEXTURE]),
    ]


def _bad_shaders():
    return [
        # Every model is drawn with the model program, so it is the one to break.
        FaultCase("shader_syntax_error",
                  overwrite("shaders/modelshader.frag",
                            replace_in_shader("void main()", "void main() { undeclared = ; }\n"
                                              "void unused()")),
                  [COMPILE_FAILED, LINK_FAILED]),
        # Each stage compiles on its own; the varying's types disagree between them.
        FaultCase("shaders_that_do_not_link",
                  overwrite("shaders/interfaceshader.frag",
                            replace_in_shader("varying vec2 uv;", "varying vec3 uv;")),
                  [LINK_FAILED], unexpected=[COMPILE_FAILED]),
    ]


def _no_sound():
    """The game plays on silently, saying why: with no audio device, without
    its mixer module or the mixer library, without its sounds, or without
    one of them; an unreadable one counts as missing."""
    return [
        # ALSA on a device that no machine has: the audio cannot open.
        FaultCase("no_audio_device", lambda bin_dir: None,
                  [("stdout",
                    "Sound is off: the audio did not open: No available audio device.\n")],
                  unexpected=[SOUND_FILE_SILENT],
                  env={"SDL_AUDIODRIVER": "alsa", "AUDIODEV": "talmorak-no-such-device"}),
        FaultCase("missing_sound_module", remove("talmorak-sound.so"),
                  [SOUND_OFF, ("stdout", "talmorak-sound.so: cannot open shared object file")],
                  unexpected=[SOUND_FILE_SILENT]),
        # The machine lacks the mixer library that the module links.
        FaultCase("missing_mixer_library",
                  overwrite("talmorak-sound.so", rename_needed_library("libSDL_mixer-1.2.so.0",
                                                                      "libSDL_mixer-0.0.so.0")),
                  [SOUND_OFF, ("stdout", "libSDL_mixer-0.0.so.0: cannot open shared object file")],
                  unexpected=[SOUND_FILE_SILENT]),
        FaultCase("missing_sounds_folder", remove_folder("sounds"),
                  [line for name in staged_sounds() for line in sound_file_missing(name)],
                  unexpected=[SOUND_OFF]),
        FaultCase("missing_sound_file", remove("sounds/blast_red.wav"),
                  sound_file_missing("blast_red.wav"),
                  unexpected=[SOUND_OFF, sound_file_missing("blast_green.wav")[0]]),
        FaultCase("garbage_sound_file", overwrite("sounds/ambience.wav", garbage),
                  sound_file_unreadable("ambience.wav", "Unrecognized sound file type"),
                  unexpected=[SOUND_OFF]),
    ]


# The undamaged folder: none of the fault messages may appear without a fault.
CONTROL = FaultCase("intact_assets", lambda bin_dir: None, [],
                    unexpected=[NO_TEXTURE, NOT_TRUECOLOR, MODEL_FAILED, COMPILE_FAILED,
                                LINK_FAILED, ("stderr", "does not exist."), SOUND_OFF,
                                SOUND_FILE_SILENT])

CASES = ([CONTROL] + _missing_models() + _missing_pictures() + _missing_shaders() + _bad_bitmaps()
         + _bad_models() + _bad_shaders() + _no_sound())
