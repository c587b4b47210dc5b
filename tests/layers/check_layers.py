#!/usr/bin/env python3
"""Fails when a folder of the program uses a folder of a higher layer.

The layer order is cmake/layers.txt (lowest first). Every #include "folder/..."
in a source file and every orlane_<folder>... library in a CMakeLists.txt must
name the file's own folder or a lower one.
Usage: check_layers.py [source root]
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.M)
LIBRARY = re.compile(r'\borlane_([a-z_]+)\b')


def read_layers(root):
    lines = (root / "cmake" / "layers.txt").read_text().splitlines()
    return [l.strip() for l in lines if re.fullmatch(r"[a-z_]+", l.strip())]


def folder_of_library(name, rank):
    # orlane_calendar_core -> calendar: the longest layer name that starts the library name.
    best = None
    for folder in rank:
        if name == folder or name.startswith(folder + "_"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def violations(root):
    layers = read_layers(root)
    rank = {folder: i for i, folder in enumerate(layers)}
    found = []
    for folder in layers:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                used = INCLUDE.findall(path.read_text(errors="replace"))
            elif path.name == "CMakeLists.txt":
                text = re.sub(r"#.*", "", path.read_text(errors="replace"))
                used = [folder_of_library(n, rank) for n in LIBRARY.findall(text)]
            else:
                continue
            for other in used:
                if other in rank and rank[other] > rank[folder]:
                    found.append(f"{path.relative_to(root)}: {folder} uses {other}, a higher layer")
    return sorted(set(found))


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    found = violations(root)
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} use(s) of a higher layer; the order is cmake/layers.txt")
        return 1
    print(f"layers in order: {' < '.join(read_layers(root))}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
