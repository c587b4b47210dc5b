"""The program as a screen reader meets it: orlane runs with Qt's
accessibility on a private D-Bus session with its own accessibility bus, and
the accessible tree is read over AT-SPI (python3-pyatspi), as Orca reads it.
In each mode, in the Config dialog, the desk widget and a reminder's alert,
every control a person works has a name; the calendar is a table of 42 dated
cells with the selected day selected, and pressing a cell shows that day; the
idle program sends almost nothing to the bus."""

import datetime
import json
import os
import re
import shutil
import subprocess
import time
import unittest

from desktop import (ADD_REMINDER, DESKLEAF_TITLE, MODE_DIARY, MODE_REMINDER, MODE_SOUND, DesktopTest, ctl, main,
                     wait_for)

PROBE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_probe.py")
# pyatspi comes with the distribution's Python, which may not be the one running the tests.
SYSTEM_PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else shutil.which("python3")
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PLAY_NOW = 1020
# The roles whose every node needs a name.
NAMED_ROLES = {"push button", "toggle button", "check box", "text", "spin button", "slider", "list", "combo box",
               "password text", "radio button"}
DATE = re.compile(r"^[A-Z][a-z]+day, (\d{4})-(\d{2})-(\d{2})$")


class AccessibilityTest(DesktopTest):
    def setUp(self):
        super().setUp()
        for tool in ("dbus-daemon", "dbus-send", BUS_LAUNCHER):
            if not shutil.which(tool) and not os.path.exists(tool):
                self.skipTest(tool + " is not installed")
        if subprocess.run([SYSTEM_PYTHON, "-c", "import pyatspi"], capture_output=True).returncode != 0:
            self.skipTest("python3-pyatspi is not installed")
        self.start_buses()

    def start_buses(self):
        """A session bus of this test's own, and the accessibility bus beside it."""
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env=self.d.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.d.procs.append(bus)
        address = bus.stdout.readline().decode().strip()
        self.assertTrue(address, "dbus-daemon gave no address")
        self.d.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.d.procs.append(subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.d.env,
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("the accessibility bus", lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.d.env, capture_output=True).returncode == 0, 30)

    def probe(self, *args):
        r = subprocess.run([SYSTEM_PYTHON, PROBE] + [str(a) for a in args], env=self.d.env, capture_output=True,
                           text=True, timeout=120)
        self.assertEqual(r.returncode, 0, r.stderr)
        return json.loads(r.stdout)

    def tree(self, title):
        return wait_for("the accessible tree of %r" % title, lambda: self.probe("tree", title), 30)

    def assert_named(self, nodes, where):
        unnamed = [n for n in nodes if n["role"] in NAMED_ROLES and not n["name"].strip()]
        self.assertEqual(unnamed, [], "controls without a name in " + where)
        return [n for n in nodes if n["role"] in NAMED_ROLES]

    def calendar(self, nodes):
        tables = [n for n in nodes if n["role"] == "table"]
        self.assertEqual(len(tables), 1, "one calendar table")
        table = tables[0]
        self.assertEqual((table["rows"], table["columns"]), (6, 7))
        depth = len(table["path"])
        cells = [n for n in nodes if len(n["path"]) == depth + 1 and n["path"][:depth] == table["path"]
                 and n["role"] == "table cell"]
        return table, cells

    def selected_cell(self):
        selected = [c["name"] for c in self.calendar(self.tree("Orlane 2"))[1] if c["selected"]]
        return selected[0] if len(selected) == 1 else None

    def check_cells(self, cells, shown):
        """42 consecutive dates around the shown month, one of them selected: the shown day."""
        self.assertEqual(len(cells), 42)
        dates = []
        for c in cells:
            m = DATE.match(c["name"])
            self.assertTrue(m, "a cell named %r" % c["name"])
            dates.append(datetime.date(*map(int, m.groups())))
        self.assertEqual([(d - dates[0]).days for d in dates], list(range(42)))
        self.assertLessEqual(dates[0], shown.replace(day=1))
        self.assertGreater(dates[0], shown.replace(day=1) - datetime.timedelta(days=8))
        selected = [d for d, c in zip(dates, cells) if c["selected"]]
        self.assertEqual(selected, [shown])
        return dates

    def test_named_controls_calendar_cells_alert_and_quiet_bus(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "calendar_shown", "1")
        ctl(self.d, "settings", "set", "date_format", "2")
        ctl(self.d, "settings", "set", "launch_deskleaf", "1")
        app, window = self.start_unlocked(extra_env={"QT_ACCESSIBILITY": "1",
                                                     "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        today = datetime.date.today()

        seen = {}
        for mode, label in ((MODE_DIARY, "diary"), (MODE_SOUND, "recorder"), (MODE_REMINDER, "reminder")):
            window.click(mode)
            time.sleep(0.5)
            nodes = self.tree("Orlane 2")
            for n in self.assert_named(nodes, "the %s mode" % label):
                if n["showing"]:
                    seen.setdefault(label, set()).add(n["name"])
        self.assertTrue({"Bold", "Italic", "Align Left", "Insert a picture", "Diary page"} <= seen["diary"],
                        seen["diary"])
        self.assertTrue({"Play", "Record", "Mic", "Master", "Wave"} <= seen["recorder"], seen["recorder"])
        self.assertTrue({"Note", "Media file", "Reminder time", "Search words", "From", "to", "Close", "Minimize",
                         "Add", "Beep Only"} <= seen["reminder"], seen["reminder"])
        self.assertIn("Reminders of %d %s" % (today.day, today.strftime("%B %Y")), seen["reminder"])

        table, cells = self.calendar(nodes)
        dates = self.check_cells(cells, today)
        clocks = [n for n in nodes if re.match(r"^\d\d:\d\d$", n["name"])]
        self.assertTrue(clocks, "the clock is named by the time")

        # Pressing another day's cell shows that day: a reminder added now lands there.
        target = next(i for i, d in enumerate(dates) if d.month == today.month and d != today and d.day >= 10)
        self.assertTrue(self.probe("press-cell", "Orlane 2", target))
        chosen = dates[target]
        wait_for("the chosen day selected", lambda: self.selected_cell() == cells[target]["name"], 20)
        self.check_cells(self.calendar(self.tree("Orlane 2"))[1], chosen)
        window.click(ADD_REMINDER)
        self.d.key("ctrl+s")
        wait_for("the reminder on the chosen day",
                 lambda: window.reminders(chosen.isoformat()), 20)
        self.assertEqual(window.reminders(today.isoformat()), [])

        # Moving the selection with the keys announces the focused cell.
        listener = subprocess.Popen([SYSTEM_PYTHON, PROBE, "listen", "8"], env=self.d.env, stdout=subprocess.PIPE,
                                    text=True)
        self.assertEqual(listener.stdout.readline().strip(), "ready")
        x, y, w, h = window.rect("calendar")
        self.d.click(*window.app.client_point(window.wid, x + w // 2, y + h // 2))
        self.d.key("Right")
        focused = json.loads(listener.communicate(timeout=60)[0])
        # The main calendar's cells (a date picker's own calendar names its cells by day number).
        cells = [e["name"] for e in focused if e["role"] == "table cell" and DATE.match(e["name"])]
        self.assertTrue(cells, focused)
        self.assertEqual(DATE.match(cells[-1]).groups(), DATE.match(self.selected_cell()).groups())

        # Idle: the clock's minute and nothing else.
        idle = self.probe("events", 10)
        print("accessibility events in 10 s of idle:", idle)
        self.assertLess(idle["total"], 30, idle)

        # A reminder's test run opens the alert: it reads as an alert with its note.
        window.click(ADD_REMINDER)
        window.click(PLAY_NOW)
        alert_title = "Reminder test - "
        alert = wait_for("the alert window", lambda: next(
            (t for t in app.windows().values() if t.startswith(alert_title)), None), 20)
        nodes = self.tree(alert)
        self.assert_named(nodes, "the alert")
        self.assertEqual(nodes[0]["role"], "alert")
        self.assertTrue(any(re.match(r"^\d\d:\d\d$", n["name"]) for n in nodes), "the alert's clock")
        self.d.key("Escape")
        app.gone("^" + alert_title)

        # The desk widget: its calendar and clock.
        nodes = self.tree(DESKLEAF_TITLE)
        self.assert_named(nodes, "the desk widget")
        _, cells = self.calendar(nodes)
        self.assertEqual(len(cells), 42)
        self.assertTrue(any(re.match(r"^\d\d:\d\d$", n["name"]) for n in nodes), "the widget's clock")

        # The Config dialog.
        window.focus()
        self.d.key("ctrl+g")
        app.focus("^Config$")
        nodes = self.tree("Config")
        named = self.assert_named(nodes, "the Config dialog")
        self.assertTrue({"OK", "Cancel", "Change Password"} <= {n["name"] for n in named}, named)
        self.d.key("Escape")
        app.gone("^Config$")


if __name__ == "__main__":
    main()
