"""Kills orlanectl with SIGKILL at random moments while it saves a diary page
and a day's reminders, many times over, and checks after every kill that each
day file is readable and holds either its old or its new content."""

import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

CTL = os.environ.get("ORLANE_CTL", "orlanectl")
KILLS = int(os.environ.get("ORLANE_KILLS", "300"))
DATE = "2026-03-14"


def page(n):
    # About 400 KB, so a write takes long enough to be cut in the middle.
    line = "{\\b version %d} " % n + "lorem ipsum dolor sit amet " * 40 + "\\par\n"
    return ("{\\rtf1\\ansi " + line * 350 + "}").encode()


def main():
    root = tempfile.mkdtemp(prefix="orlane-kill-")
    env = dict(os.environ, ORLANE_USER_DIR=os.path.join(root, "user"), ORLANE_PASSWORD="pw",
               HOME=root, XDG_CONFIG_HOME=os.path.join(root, "config"), XDG_DATA_HOME=os.path.join(root, "data"))
    run = lambda *args, **kw: subprocess.run([CTL] + list(args), env=env, capture_output=True, **kw)
    try:
        if run("--create", "user-file", "init").returncode != 0:
            print("cannot create the user file", file=sys.stderr)
            return 1
        pages = {}
        for n in (1, 2):
            path = os.path.join(root, "page%d.rtf" % n)
            with open(path, "wb") as f:
                f.write(page(n))
            pages[n] = path
        exported = {}
        for n in (2, 1):  # each page as it reads back whole; page 1 stays
            assert run("diary", "import", DATE, pages[n], "--replace").returncode == 0
            exported[n] = run("diary", "export", DATE).stdout
        rng = random.Random(int(os.environ.get("ORLANE_KILL_SEED", "1")))
        kills = cut = 0
        times = set()
        while kills < KILLS:
            n = rng.choice((1, 2))
            if rng.random() < 0.5:
                command = ["diary", "import", DATE, pages[n], "--replace"]
            else:
                t = "%02d:%02d:%02d" % (rng.randrange(24), rng.randrange(60), rng.randrange(60))
                command = ["reminders", "add", DATE, t, "--note", "x" * rng.randrange(1, 4000)] \
                    if t not in times else ["reminders", "remove", DATE, t]
            before = set(times)
            proc = subprocess.Popen([CTL] + command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(rng.uniform(0, 0.03))
            if proc.poll() is None:
                proc.send_signal(signal.SIGKILL)
                cut += 1
            proc.wait()
            kills += 1
            diary = run("diary", "export", DATE)
            if diary.returncode != 0:
                print("kill %d: the page cannot be read: %s" % (kills, diary.stderr.decode()), file=sys.stderr)
                return 1
            if diary.stdout not in exported.values():
                print("kill %d: the page is neither its old nor its new content" % kills, file=sys.stderr)
                return 1
            listed = run("reminders", "list", DATE, "--json")
            if listed.returncode != 0:
                print("kill %d: the reminders cannot be read: %s" % (kills, listed.stderr.decode()), file=sys.stderr)
                return 1
            times = {r["time"] for r in json.loads(listed.stdout or b"[]")}
            if command[0] == "reminders":
                after = before - {command[3]} if command[1] == "remove" else before | {command[3]}
                if times not in (before, after):
                    print("kill %d: the reminders are neither the old nor the new ones" % kills, file=sys.stderr)
                    return 1
            elif times != before:
                print("kill %d: a page import changed the reminders" % kills, file=sys.stderr)
                return 1
        print("%d runs, %d killed in the middle; every file whole" % (kills, cut))
        return 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
