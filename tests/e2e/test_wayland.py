"""Wayland: under weston's headless compositor the program opens its main
window and the desk widget where the compositor places them (weston's scene
graph lists both); where the Wayland plugin cannot start (no compositor) it
opens its windows on X11 instead of aborting."""

import os
import re
import shutil
import subprocess

from desktop import QUESTION, App, DesktopTest, MainWindow, ctl, main, wait_for



class Weston:
    """A headless weston with its debug protocol, on a socket of the session's runtime folder."""

    def __init__(self, desktop):
        self.env = dict(desktop.env)
        self.env.pop("DISPLAY", None)
        self.env.update({"WAYLAND_DISPLAY": "orlane-test", "QT_QPA_PLATFORM": "wayland"})
        self.log = open(os.path.join(desktop.root, "weston.log"), "w")
        self.proc = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=orlane-test", "--width=1280", "--height=800",
             "--idle-time=0", "--debug", "--no-config"],
            env=self.env, stdout=self.log, stderr=subprocess.STDOUT)
        desktop.procs.append(self.proc)
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "orlane-test")
        wait_for("weston's socket", lambda: os.path.exists(socket), 20)

    def toplevels(self):
        """{title: (x, y, right, bottom)} of the windows weston shows."""
        out = subprocess.run(["weston-debug", "scene-graph"], env=self.env, capture_output=True, text=True,
                             timeout=30).stdout
        found = {}
        for m in re.finditer(r"top-level window '([^']*)'.*?\n\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)",
                             out):
            found[m.group(1)] = tuple(int(m.group(i)) for i in range(2, 6))
        return found


class WaylandTest(DesktopTest):
    def test_windows_under_weston(self):
        if not shutil.which("weston") or not shutil.which("weston-debug"):
            self.skipTest("weston is not installed")
        ctl(self.d, "user-file", "init", "")
        weston = Weston(self.d)
        self.addCleanup(weston.log.close)
        app = App(self.d, extra_env=weston.env)
        self.addCleanup(app.stop)
        windows = wait_for("the main window and the widget under weston",
                           lambda: app.running() and {"Orlane 2", "Deskleaf"} <= set(weston.toplevels()) and
                           weston.toplevels(), 30)
        self.assertTrue(app.running(), app.output())
        left, top, right, bottom = windows["Deskleaf"]
        self.assertEqual((right - left, bottom - top), (351, 230))
        self.assertTrue(0 <= left and right <= 1280 and 0 <= top and bottom <= 800, windows)
        left, top, right, bottom = windows["Orlane 2"]
        self.assertEqual((right - left, bottom - top), (730, 500))
        app.stop()
        self.assertNotEqual(app.proc.returncode, 134)

    def test_without_a_compositor_the_windows_open_on_x11(self):
        ctl(self.d, "user-file", "init", "")
        app = self.start(extra_env={"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "no-compositor-here"})
        window = MainWindow(app)
        window.focus()
        self.d.key("Escape")
        window.answer(QUESTION, "Return")
        self.assertEqual(app.wait_end(), 0)


if __name__ == "__main__":
    main()
