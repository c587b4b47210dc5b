#!/usr/bin/env python3
"""Cold start to the visible main window, against a bare Qt dialog on the same
X server: each program is started 12 times on one Xvfb display, and the time
from the start of the process to its window being mapped is taken (an X
client waiting on the screen's map events sees it); the medians and their
ratio are printed. Skips without Xvfb.

Beside them it times the bare dialog with the shared libraries that orlane
links beyond it preloaded: what loading those libraries alone costs, the floor
of the ratio while the program links them; and the same dialog showing one
line of text: what any window with text pays for its fonts."""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROUNDS = int(os.environ.get("ORLANE_BENCH_ROUNDS", "12"))
HERE = os.path.dirname(os.path.abspath(__file__))
WAITER = os.path.join(HERE, "support", "bench_window_wait")


def start_xvfb():
    read_fd, write_fd = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                              pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_fd, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read_fd)
    return server, ":" + number.decode().strip()


def time_to_window(command, title, env):
    """Milliseconds from the program's start to the mapping of its window of
    that title, seen by an X client that waits on the screen's events."""
    waiter = subprocess.Popen([WAITER, title], env=env, stdout=subprocess.PIPE, text=True)
    try:
        if waiter.stdout.readline().strip() != "ready":
            raise RuntimeError("the window waiter did not start")
        begin = time.monotonic()
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            if waiter.stdout.readline().strip() != "mapped":
                raise RuntimeError("%s showed no window titled %r" % (command[0], title))
            return (time.monotonic() - begin) * 1000
        finally:
            process.kill()
            process.wait()
    finally:
        waiter.kill()
        waiter.wait()


def linked_libraries(program):
    """The shared libraries the dynamic loader maps for a program, by path."""
    listing = subprocess.run(["ldd", program], capture_output=True, text=True, check=True).stdout
    paths = []
    for line in listing.splitlines():
        parts = line.split("=>")
        if len(parts) == 2 and parts[1].strip().startswith("/"):
            paths.append(parts[1].split("(")[0].strip())
    return paths


def main():
    if not shutil.which("Xvfb"):
        print("bench_startup: skipped (no Xvfb)")
        return 0
    orlane = os.path.join(HERE, "..", "bin", "orlane")
    bare = os.path.join(HERE, "support", "bench_bare_dialog")
    label = os.path.join(HERE, "support", "bench_label_dialog")
    server, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as home:
            env = dict(os.environ, DISPLAY=display, HOME=home, QT_QPA_PLATFORM="xcb",
                       XDG_RUNTIME_DIR=os.path.join(home, "run"), XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_DATA_HOME=os.path.join(home, "data"), ORLANE_USER_DIR=os.path.join(home, "User"))
            os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
            os.makedirs(env["ORLANE_USER_DIR"])
            # A user without a password: the main window opens without the login.
            subprocess.run([os.path.join(HERE, "..", "bin", "orlanectl"), "user-file", "init", ""], env=env,
                           check=True, stdout=subprocess.DEVNULL)
            bare_libraries = {os.path.basename(path) for path in linked_libraries(bare)}
            extra = [path for path in linked_libraries(orlane) if os.path.basename(path) not in bare_libraries]
            preloaded = dict(env, LD_PRELOAD=" ".join(extra))
            times = {"bare": [], "orlane": [], "floor": [], "label": []}
            for _ in range(ROUNDS):  # interleaved, so a busy moment of the machine hits all
                times["bare"].append(time_to_window([bare], "Bare dialog", env))
                times["orlane"].append(time_to_window([orlane], "Orlane 2", env))
                times["floor"].append(time_to_window([bare], "Bare dialog", preloaded))
                times["label"].append(time_to_window([label], "Label dialog", env))
    finally:
        server.kill()
        server.wait()
    bare_ms = statistics.median(times["bare"])
    orlane_ms = statistics.median(times["orlane"])
    floor_ms = statistics.median(times["floor"])
    label_ms = statistics.median(times["label"])
    print("startup_to_visible_window: orlane %.0f ms, bare Qt dialog %.0f ms (medians of %d), ratio %.2f"
          % (orlane_ms, bare_ms, ROUNDS, orlane_ms / bare_ms))
    print("startup_library_floor: bare Qt dialog with orlane's %d further libraries preloaded %.0f ms, ratio %.2f"
          % (len(extra), floor_ms, floor_ms / bare_ms))
    print("startup_text_floor: bare Qt dialog showing one line of text %.0f ms, ratio %.2f"
          % (label_ms, label_ms / bare_ms))
    return 0


if __name__ == "__main__":
    sys.exit(main())
