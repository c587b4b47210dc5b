"""A real X session for whole-program tests: Xvfb with icewm, the orlane
program in it, keys and clicks through xdotool (XTEST, like a keyboard and a
mouse), windows found by title and pid, screenshots read back as pixels, and
the day files read through orlanectl.

Every test gets its own display, home, runtime folder and user folder, so runs
never meet. Nothing waits on a fixed sleep alone: every step waits for the
state it needs, with generous limits for a loaded two-core machine.
"""

import datetime
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

APP = os.environ.get("ORLANE_APP", "orlane")
CTL = os.environ.get("ORLANE_CTL", "orlanectl")
PROBE = os.environ.get("ORLANE_LAYOUT_PROBE", "orlane_layout_probe")
SKIP = 77  # CTest's skip code (SKIP_RETURN_CODE)
SLOW = float(os.environ.get("ORLANE_E2E_SLOW", "1"))  # stretch every limit


class Unavailable(Exception):
    """The machine cannot give a real X session (no Xvfb, no xdotool)."""


def wait_for(what, predicate, timeout=15.0, interval=0.05):
    """Polls predicate until it returns something true; fails the test after timeout."""
    deadline = time.monotonic() + timeout * SLOW
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


class Desktop:
    """Xvfb + icewm + an isolated home; closed with close() or as a context."""

    def __init__(self, width=1280, height=1024):
        for tool in ("Xvfb", "icewm", "xdotool", "import", "xprop", "xwininfo", "xclip"):
            if not shutil.which(tool):
                raise Unavailable(tool + " is not installed")
        self.root = tempfile.mkdtemp(prefix="orlane-e2e-")
        self.home = self._dir("home")
        self.runtime = self._dir("runtime")
        os.chmod(self.runtime, 0o700)
        self.user = self._dir("user")
        self.opened_log = os.path.join(self.root, "opened.txt")
        self._fake_opener()
        self.procs = []
        watched = os.environ.get("ORLANE_E2E_DISPLAY")
        if watched:
            # A display a person watches, with a window manager already on it.
            self.display = watched
            self.env = self._session_env()
            return
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        number = b""
        deadline = time.monotonic() + 20 * SLOW
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            self.close()
            raise Unavailable("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        self.env = self._session_env()
        self.procs.append(subprocess.Popen(["icewm"], env=self.env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL))
        wait_for("the window manager's task bar", lambda: self.search("--name", "^TaskBar$"), 30)

    def _dir(self, name):
        path = os.path.join(self.root, name)
        os.makedirs(path)
        return path

    def _fake_opener(self):
        # The desktop's opener is replaced: what the program opens is logged.
        bin_dir = self._dir("bin")
        script = os.path.join(bin_dir, "xdg-open")
        with open(script, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.opened_log)
        os.chmod(script, 0o755)
        self.bin_dir = bin_dir

    def _session_env(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "ORLANE_MODAL", "WAYLAND", "DBUS_SESSION"))}
        env.update({
            "DISPLAY": self.display, "HOME": self.home, "XDG_RUNTIME_DIR": self.runtime,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local/share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "ORLANE_USER_DIR": self.user, "QT_QPA_PLATFORM": "xcb",
            "TZ": os.environ.get("TZ", "Europe/Berlin"), "LC_ALL": "C.UTF-8",
            "PATH": self.bin_dir + os.pathsep + os.environ.get("PATH", ""),
            "QT_X11_NO_MITSHM": "1",
        })
        env.pop("ORLANE_VENDOR_URL", None)
        return env

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # X helpers -----------------------------------------------------------

    def x(self, *args, check=True):
        """Runs one command in the session and returns its standard output."""
        r = subprocess.run(list(args), env=self.env, capture_output=True, text=True, timeout=30 * SLOW)
        if check and r.returncode != 0:
            raise AssertionError("%s failed: %s" % (" ".join(args), r.stderr.strip()))
        return r.stdout

    def search(self, *criteria):
        out = self.x("xdotool", "search", *criteria, check=False)
        return [int(w) for w in out.split()]

    def title(self, wid):
        return self.x("xdotool", "getwindowname", str(wid), check=False).strip()

    def geometry(self, wid):
        """(x, y, width, height) of a window on the screen."""
        out = self.x("xwininfo", "-id", str(wid))
        values = {}
        for key, label in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                           ("w", "Width"), ("h", "Height")):
            m = re.search(label + r":\s+(-?\d+)", out)
            values[key] = int(m.group(1))
        return values["x"], values["y"], values["w"], values["h"]

    def focused(self):
        out = self.x("xdotool", "getwindowfocus", "-f", check=False).strip()
        return int(out) if out.isdigit() else 0

    def key(self, *keys, delay=60):
        self.x("xdotool", "key", "--delay", str(delay), *keys)

    def type(self, text, delay=40):
        self.x("xdotool", "type", "--delay", str(delay), text)

    def click(self, x, y, button=1, count=1):
        self.x("xdotool", "mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.x("xdotool", "click", "--repeat", str(count), "--delay", "80", str(button))

    def drag(self, x0, y0, x1, y1, steps=10):
        self.x("xdotool", "mousemove", "--sync", str(x0), str(y0), "mousedown", "1")
        for i in range(1, steps + 1):
            time.sleep(0.03)
            self.x("xdotool", "mousemove", "--sync", str(x0 + (x1 - x0) * i // steps),
                   str(y0 + (y1 - y0) * i // steps))
        time.sleep(0.1)
        self.x("xdotool", "mouseup", "1")

    def screenshot(self, path=None):
        """The whole screen as an Image; also saved as PNG when path is given."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              capture_output=True, timeout=30 * SLOW, check=True).stdout
        if path:
            subprocess.run(["import", "-window", "root", path], env=self.env, timeout=30 * SLOW)
        return Image(data)

    def clipboard(self):
        """The clipboard's text, as another program would paste it."""
        return self.x("xclip", "-o", "-selection", "clipboard", check=False)

    def copy_text_at(self, x, y):
        """Clicks into a text field at (x, y), copies all of it and returns it."""
        self.click(x, y)
        self.key("ctrl+a", "ctrl+c")
        return wait_for("the copied text", self.clipboard, 10)

    def opened(self):
        """What the program handed to the desktop's opener, in order."""
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as f:
            return [line.strip() for line in f if line.strip()]


class Image:
    """A binary PPM (P6) screenshot, read pixel by pixel."""

    def __init__(self, data):
        parts = []
        pos = 0
        while len(parts) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            parts.append(data[pos:end])
            pos = end
        if parts[0] != b"P6" or int(parts[3]) != 255:
            raise ValueError("not an 8-bit PPM screenshot")
        self.width, self.height = int(parts[1]), int(parts[2])
        self.pixels = data[pos + 1:]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])


class App:
    """One run of the orlane program in a Desktop."""

    def __init__(self, desktop, extra_env=None):
        self.d = desktop
        env = dict(desktop.env)
        env.update(extra_env or {})
        self.log_path = os.path.join(desktop.root, "orlane-%d.log" % time.monotonic_ns())
        self.log = open(self.log_path, "w")
        self.proc = subprocess.Popen([APP], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        desktop.procs.append(self.proc)

    @property
    def pid(self):
        return self.proc.pid

    def running(self):
        return self.proc.poll() is None

    def output(self):
        if not self.log.closed:
            self.log.flush()
        with open(self.log_path) as f:
            return f.read()

    def windows(self, deskleaf=False):
        """The program's visible top-level windows as {id: title}, without its tray
        icon and, unless asked for, without the desk widget that sits beside them."""
        found = {}
        for w in self.d.search("--onlyvisible", "--pid", str(self.pid)):
            geometry = self.d.x("xwininfo", "-id", str(w), check=False)
            m = re.search(r"Width:\s+(\d+)\s+Height:\s+(\d+)", geometry, re.S)
            if m and int(m.group(1)) <= 32 and int(m.group(2)) <= 32:
                continue
            title = self.d.title(w)
            if title == DESKLEAF_TITLE and not deskleaf:
                continue
            found[w] = title
        return found

    def window(self, title, timeout=20.0):
        """Waits for a visible window of the program whose title matches (regex)."""
        pattern = re.compile(title)

        def find():
            if not self.running():
                raise AssertionError("orlane ended (status %s) while waiting for %r:\n%s" %
                                     (self.proc.returncode, title, self.output()))
            for wid, t in self.windows(deskleaf=True).items():
                if pattern.search(t):
                    return wid
            return None
        return wait_for("a window titled %r (have %r)" % (title, list(self.windows(deskleaf=True).values())),
                        find, timeout)

    def gone(self, title, timeout=15.0):
        pattern = re.compile(title)
        wait_for("%r to close" % title,
                 lambda: not any(pattern.search(t) for t in self.windows(deskleaf=True).values()), timeout)

    def focus(self, title, timeout=15.0):
        """Waits until the window titled so has the keyboard focus; returns its id."""
        wid = self.window(title, timeout)
        if self.d.focused() != wid:
            self.d.x("xdotool", "windowactivate", str(wid), check=False)
        wait_for("the focus on %r (focus is on %r)" % (title, self.d.title(self.d.focused())),
                 lambda: self.d.focused() == wid, timeout)
        return wid

    def tray_icon(self, timeout=15.0):
        """The program's icon in the task bar's tray: its small embedded window."""
        def find():
            for wid in self.d.search("--onlyvisible", "--pid", str(self.pid)):
                _, _, w, h = self.d.geometry(wid)
                if w <= 32 and h <= 32:
                    return wid
            return None
        return wait_for("the tray icon", find, timeout)

    def click_tray(self, button=1):
        # A second press within the double-click time is a double click, not a toggle.
        time.sleep(1.0)
        x, y, w, h = self.d.geometry(self.tray_icon())
        self.d.click(x + w // 2, y + h // 2, button=button)

    def shown(self, title):
        """Whether a window of this title is visible now (the tray icon is not counted)."""
        return any(re.search(title, t) for t in self.windows(deskleaf=True).values())

    def client_point(self, wid, x, y, border=3):
        """Screen point of a client coordinate of one of the program's frameless windows."""
        wx, wy, _, _ = self.d.geometry(wid)
        return wx + border + x, wy + border + y

    def click_client(self, wid, x, y, **kw):
        self.d.click(*self.client_point(wid, x, y), **kw)

    def wait_end(self, timeout=20.0):
        wait_for("orlane to end", lambda: not self.running(), timeout)
        return self.proc.returncode

    def stop(self):
        self.log.close()
        if self.running():
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(10 * SLOW)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def layout(width, height):
    """{control id: (x, y, w, h)} in client coordinates for a client size."""
    out = subprocess.run([PROBE, str(width), str(height)], capture_output=True, text=True, check=True).stdout
    rects = {}
    for line in out.splitlines():
        name, *nums = line.split()
        rects[int(name) if name.isdigit() else name] = tuple(int(n) for n in nums)
    return rects


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def ctl(desktop, *args, password=None, check=True):
    """Runs orlanectl on the session's user folder; returns (status, stdout)."""
    cmd = [CTL]
    if password is not None:
        cmd += ["--password", password]
    r = subprocess.run(cmd + list(args), env=desktop.env, capture_output=True, text=True, timeout=60)
    if check and r.returncode != 0:
        raise AssertionError("orlanectl %s -> %d: %s" % (" ".join(args), r.returncode, r.stderr))
    return r.returncode, r.stdout


MAIN_TITLE = "^Orlane 2$"
DESKLEAF_TITLE = "Deskleaf"
LOGIN_TITLE = "^Orlane 2 - Login$"
BORDER = 3  # the themed frame inside every frameless window


class MainWindow:
    """The main window of a running App, with its controls by id."""

    def __init__(self, app, timeout=30.0):
        self.app = app
        self.d = app.d
        self.wid = app.window(MAIN_TITLE, timeout)
        _, _, w, h = self.d.geometry(self.wid)
        self.rects = layout(w - 2 * BORDER, h - 2 * BORDER)

    def rect(self, control):
        if control in (MODE_REMINDER, MODE_DIARY, MODE_SOUND):
            return mode_switch_rect(control)
        if control == DATE_PICKER:
            return (10, 60, 178, 22)  # over the clock while the calendar is hidden
        return self.rects[control]

    def point(self, control, dx=0, dy=0):
        """Screen point of a control's centre (plus an offset)."""
        x, y = centre(self.rect(control))
        return self.app.client_point(self.wid, x + dx, y + dy)

    def click(self, control, **kw):
        self.d.click(*self.point(control), **kw)

    def focus(self):
        return self.app.focus(MAIN_TITLE)

    def answer(self, title, key):
        """Answers the program's message box of this title with a key."""
        wid = self.app.focus(title)
        self.d.key(key)
        wait_for("%r to close" % title, lambda: wid not in self.app.windows())

    def set_time(self, hhmmss):
        """Types a time into the reminder time picker, section by section."""
        x, y, w, h = self.rect(TIME_PICKER)
        self.d.click(*self.app.client_point(self.wid, x + 8, y + h // 2))
        self.d.type(hhmmss.replace(":", ""))

    def mark_shown_day(self):
        """Adds a reminder to the shown day and saves: orlanectl then tells which day it is."""
        self.click(MODE_REMINDER)
        self.click(ADD_REMINDER)
        self.d.key("ctrl+s")

    def step_day(self, key):
        """Changes the shown day by one: "Up" the next day, "Down" the day before,
        with the program's keys while the date picker has the focus (its own
        arrow keys step the section under the caret, which the date format moves)."""
        x, y, w, h = self.rect(DATE_PICKER)
        self.d.click(*self.app.client_point(self.wid, x + 20, y + h // 2))
        self.d.key({"Up": "ctrl+Next", "Down": "ctrl+Prior"}[key])

    def reminders(self, date):
        """The day's reminders as orlanectl lists them."""
        return json.loads(ctl(self.d, "reminders", "list", date, "--json")[1])


# Ids of the main window's controls the tests use.
ADD_REMINDER, TIME_PICKER, REMINDER_NOTE, DATE_PICKER = 1005, 1004, 201, 1044
MODE_REMINDER, MODE_DIARY, MODE_SOUND = 179, 180, 181
DIARY_EDITOR, BOLD = 200, 107
SEARCH_WORDS, SEARCH, SEARCH_RESULTS, SEARCH_FROM = 1022, 1056, 1035, 1050
HIDE, CLOSE, MINIMIZE, HELP_BUTTON = 121, 2, 101, 1055
QUESTION = "Please select"
NOTICE = "Message"


def mode_switch_rect(mode):
    """The mode switch never moves: three buttons over (12, 33)-(260, 55)."""
    i = mode - MODE_REMINDER
    return (12 + i * 248 // 3, 33, 248 // 3, 22)


def theme_color(rects, theme, column):
    return rects["theme%d.%d" % (theme, column)]


def today(offset_days=0):
    return (datetime.date.today() + datetime.timedelta(days=offset_days)).isoformat()


class DesktopTest(unittest.TestCase):
    """Base of the whole-program tests: a fresh Desktop for every test."""

    def setUp(self):
        try:
            self.d = Desktop()
        except Unavailable as e:
            raise unittest.SkipTest("no real X session here: %s" % e)
        self.addCleanup(self.d.close)

    def start(self, **kw):
        app = App(self.d, **kw)
        self.addCleanup(app.stop)
        return app

    def start_unlocked(self, password="", **kw):
        """Starts orlane with a user file of this password and reaches its main window."""
        if not os.path.exists(os.path.join(self.d.user, "user.sav")):
            ctl(self.d, "user-file", "init", password)
        app = self.start(**kw)
        if password:
            app.focus(LOGIN_TITLE)
            self.d.type(password)
            self.d.key("Return")
        main = MainWindow(app)
        main.focus()
        return app, main

    def shot(self, name):
        """A screenshot, also kept under ORLANE_E2E_SHOTS for a person to look at."""
        folder = os.environ.get("ORLANE_E2E_SHOTS")
        path = None
        if folder:
            os.makedirs(folder, exist_ok=True)
            path = os.path.join(folder, name + ".png")
        return self.d.screenshot(path)


def main():
    """Runs a test module; a machine without X exits with the skip code."""
    import sys
    result = unittest.main(exit=False, verbosity=2).result
    if not result.wasSuccessful():
        sys.exit(1)
    if result.testsRun and len(result.skipped) == result.testsRun:
        sys.exit(SKIP)
    sys.exit(0)
