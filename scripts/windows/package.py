#!/usr/bin/env python3
"""Lays out the Windows package and zips it.

The package is one folder, <name>/, holding:
  bin/        every .exe and .dll the cross build made, the DLLs they need
              (found by walking their imports), and every data folder of the
              native build's staged bin/ (shaders, objects, ...);
  licenses/   the licence texts of the bundled libraries;
  README.txt, the .bat starter and LICENSE.txt, with Windows line ends.

A DLL import is satisfied by a DLL that ships in bin/, or else it must be a
Windows system DLL: one the MinGW-w64 toolchain has only an import library
for. Anything else (a Linux library, a DLL found nowhere) stops the package.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

# The toolchain's own DLLs and the Debian documentation holding their licences.
TOOLCHAIN_LICENSES = {
    "libstdc++-6.dll": "/usr/share/doc/gcc-mingw-w64-base/copyright",
    "libgcc_s_seh-1.dll": "/usr/share/doc/gcc-mingw-w64-base/copyright",
    "libssp-0.dll": "/usr/share/doc/gcc-mingw-w64-base/copyright",
    "libwinpthread-1.dll": "/usr/share/doc/mingw-w64-common/copyright",
    "zlib1.dll": "/usr/share/doc/libz-mingw-w64/copyright",
}
TOOLCHAIN_LICENSE_FOLDERS = {
    "/usr/share/doc/gcc-mingw-w64-base/copyright": "gcc-mingw-w64-runtime",
    "/usr/share/doc/mingw-w64-common/copyright": "mingw-w64-winpthreads",
    "/usr/share/doc/libz-mingw-w64/copyright": "zlib-mingw-w64",
}
TEXT_FILES = (".txt", ".bat")


def imports(objdump, path):
    """The DLL names a PE file imports, as objdump -p lists them."""
    listing = subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                             text=True).stdout
    return re.findall(r"^\s*DLL Name: (\S+)", listing, re.MULTILINE)


def library_dirs(compiler):
    """The toolchain's library folders: its runtime DLLs and import libraries."""
    listing = subprocess.run([compiler, "-print-search-dirs"], check=True,
                             capture_output=True, text=True).stdout
    line = next(line for line in listing.splitlines() if line.startswith("libraries:"))
    folders = line.split("=", 1)[1].split(":")
    return [os.path.normpath(folder) for folder in folders if os.path.isdir(folder)]


def find_file(name, folders):
    """The file called name (any case) in the first folder that has it."""
    for folder in folders:
        for entry in os.listdir(folder):
            if entry.lower() == name.lower():
                return os.path.join(folder, entry)
    return None


def is_system_dll(name, toolchain_dirs):
    stem = os.path.splitext(name)[0].lower()
    return find_file(f"lib{stem}.a", toolchain_dirs) is not None


def collect_dlls(bin_dir, search_dirs, toolchain_dirs, objdump):
    """Copies into bin_dir every DLL its programs and DLLs need, recursively.
    Returns the names of the DLLs taken from the search folders."""
    shipped = {name.lower() for name in os.listdir(bin_dir)}
    pending = [name for name in os.listdir(bin_dir) if name.lower().endswith((".exe", ".dll"))]
    taken = []
    while pending:
        program = pending.pop()
        for dll in imports(objdump, os.path.join(bin_dir, program)):
            if dll.lower() in shipped:
                continue
            found = find_file(dll, search_dirs)
            if found:
                shutil.copy2(found, os.path.join(bin_dir, os.path.basename(found)))
                shipped.add(dll.lower())
                pending.append(os.path.basename(found))
                taken.append(os.path.basename(found))
            elif not is_system_dll(dll, toolchain_dirs):
                sys.exit(f"package: {program} needs {dll}, which is neither built, "
                         "nor found, nor a Windows system DLL")
    return taken


def copy_licenses(root, deps, taken):
    licenses = os.path.join(root, "licenses")
    shutil.copytree(os.path.join(deps, "licenses"), licenses)
    for dll in taken:
        source = TOOLCHAIN_LICENSES.get(dll.lower())
        if source:
            folder = os.path.join(licenses, TOOLCHAIN_LICENSE_FOLDERS[source])
            os.makedirs(folder, exist_ok=True)
            shutil.copy2(source, os.path.join(folder, "debian-copyright"))


def copy_text(source, target):
    """Copies a text file with Windows line ends."""
    with open(source, encoding="utf-8") as text:
        lines = text.read().splitlines()
    with open(target, "w", encoding="utf-8", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def zip_folder(folder, output):
    base = os.path.dirname(folder)
    partial = output + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as archive:
        for current, folders, files in os.walk(folder):
            folders.sort()
            archive.write(current, os.path.relpath(current, base))
            for name in sorted(files):
                path = os.path.join(current, name)
                archive.write(path, os.path.relpath(path, base))
    os.replace(partial, output)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--name", required=True, help="the package's top folder")
    parser.add_argument("--programs", required=True, help="the cross build's staged bin/")
    parser.add_argument("--data", required=True, help="the native build's staged bin/")
    parser.add_argument("--deps", required=True, help="the cross-built dependencies' prefix")
    parser.add_argument("--docs", required=True, help="README.txt, the .bat starter")
    parser.add_argument("--license", required=True, help="the game's own licence")
    parser.add_argument("--compiler", required=True)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--output", required=True, help="the .zip to write")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="talmorak-package-")
    try:
        root = os.path.join(work, args.name)
        bin_dir = os.path.join(root, "bin")
        os.makedirs(bin_dir)
        for name in sorted(os.listdir(args.programs)):
            if name.lower().endswith((".exe", ".dll")):
                shutil.copy2(os.path.join(args.programs, name), bin_dir)
        for name in sorted(os.listdir(args.data)):
            if os.path.isdir(os.path.join(args.data, name)):
                shutil.copytree(os.path.join(args.data, name), os.path.join(bin_dir, name))

        toolchain_dirs = library_dirs(args.compiler)
        search_dirs = [args.programs, os.path.join(args.deps, "bin")] + toolchain_dirs
        taken = collect_dlls(bin_dir, search_dirs, toolchain_dirs, args.objdump)
        copy_licenses(root, args.deps, taken)

        for name in sorted(os.listdir(args.docs)):
            if name.endswith(TEXT_FILES):
                copy_text(os.path.join(args.docs, name), os.path.join(root, name))
        copy_text(args.license, os.path.join(root, "LICENSE.txt"))
        zip_folder(root, args.output)
        print(f"package: {args.output}; bin/ holds {', '.join(sorted(os.listdir(bin_dir)))}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
