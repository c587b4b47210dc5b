#!/usr/bin/env python3
"""The layer check itself: a copy of the tree passes, and fails once a file of
calendar/ includes a header of app/ or its library links an app library."""
import pathlib
import shutil
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
CHECK = HERE / "check_layers.py"


def run(root):
    return subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True)


def copy_tree(target):
    layers = (ROOT / "cmake" / "layers.txt").read_text().splitlines()
    (target / "cmake").mkdir()
    shutil.copy(ROOT / "cmake" / "layers.txt", target / "cmake")
    for folder in (l.strip() for l in layers):
        if folder and not folder.startswith("#"):
            shutil.copytree(ROOT / folder, target / folder,
                            ignore=shutil.ignore_patterns("*.png", "*.svg", "*.wav", "*.bmp", "*.html"))


def main():
    with tempfile.TemporaryDirectory() as tmp:
        tree = pathlib.Path(tmp)
        copy_tree(tree)
        clean = run(tree)
        if clean.returncode != 0:
            print("the copied tree should pass:\n" + clean.stdout)
            return 1
        source = tree / "calendar" / "month_grid.cpp"
        original = source.read_text()
        source.write_text('#include "app/main_dlg.h"\n' + original)
        header = run(tree)
        if header.returncode == 0 or "calendar/month_grid.cpp: calendar uses app" not in header.stdout:
            print("an include of app/ in calendar/ should fail:\n" + header.stdout)
            return 1
        source.write_text(original)
        lists = tree / "calendar" / "CMakeLists.txt"
        lists.write_text(lists.read_text().replace("LINKS orlane_calendar_net", "LINKS orlane_app_model orlane_calendar_net"))
        link = run(tree)
        if link.returncode == 0 or "calendar uses app" not in link.stdout:
            print("a link of an app library in calendar/ should fail:\n" + link.stdout)
            return 1
    print("layer check: passes on the tree, fails on an upward include and an upward link")
    return 0


if __name__ == "__main__":
    sys.exit(main())
