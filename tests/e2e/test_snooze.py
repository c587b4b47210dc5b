"""Reminders as they fire now: the alert window and a desktop notification
(dunst on a session bus of the test's own), Snooze bringing a reminder back a
minute later, Dismiss in the notification closing the window, and late-cancel
after a week switched off."""

import datetime
import json
import os
import re
import subprocess
import time

from desktop import DesktopTest, ctl, main, wait_for

NOTE = "Take the pill"
MISSED = "^Missed Reminder - "


class NotificationServer:
    """dbus-daemon and dunst of one test, and a log of every Notify call."""

    def __init__(self, desktop):
        self.d = desktop
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                    stdout=subprocess.PIPE, text=True)
        desktop.procs.append(self.bus)
        self.address = self.bus.stdout.readline().strip()
        self.env = dict(desktop.env, DBUS_SESSION_BUS_ADDRESS=self.address)
        self.choice = os.path.join(desktop.root, "menu-choice")
        picker = os.path.join(desktop.root, "pick-action")
        with open(picker, "w") as f:
            # dunst's context menu: the line of the action the test chose.
            f.write('#!/bin/sh\ngrep -i -m1 "$(cat %s)"\n' % self.choice)
        os.chmod(picker, 0o755)
        config = os.path.join(desktop.root, "dunstrc")
        with open(config, "w") as f:
            f.write("[global]\n    dmenu = %s\n    browser = /bin/true\n" % picker)
        self.monitor_log = os.path.join(desktop.root, "notify.log")
        monitor = subprocess.Popen(
            ["dbus-monitor", "--address", self.address,
             "type='method_call',interface='org.freedesktop.Notifications',member='Notify'"],
            stdout=open(self.monitor_log, "w"), stderr=subprocess.DEVNULL)
        desktop.procs.append(monitor)
        desktop.procs.append(subprocess.Popen(["dunst", "-config", config], env=self.env,
                                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("dunst on the bus", lambda: self.displayed() is not None, 20)

    def dunstctl(self, *args):
        r = subprocess.run(["dunstctl"] + list(args), env=self.env, capture_output=True, text=True, timeout=20)
        return r.stdout.strip() if r.returncode == 0 else None

    def displayed(self):
        count = self.dunstctl("count", "displayed")
        return int(count) if count and count.isdigit() else None

    def notified(self):
        """(summary, body, the first two actions, the whole call) of every Notify call so far."""
        with open(self.monitor_log) as f:
            text = f.read()
        calls = text.split("method call")[1:]
        shown = []
        for call in calls:
            strings = re.findall(r'^\s+string "(.*)"$', call, re.M)
            # app name, icon, summary, body, then the action keys and labels
            if len(strings) >= 4 and strings[0] == "Orlane 2":
                shown.append((strings[2], strings[3], strings[4:8], call))
        return shown

    def invoke(self, label):
        with open(self.choice, "w") as f:
            f.write(label)
        self.dunstctl("context")


def clock_in(seconds):
    t = datetime.datetime.now() + datetime.timedelta(seconds=seconds)
    return t.date().isoformat(), t.strftime("%H:%M:%S")


class SnoozeTest(DesktopTest):
    def test_alert_and_notification_snooze_dismiss_and_no_missed_after_restart(self):
        server = NotificationServer(self.d)
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "snooze_minutes", "1")
        day, at = clock_in(25)
        ctl(self.d, "reminders", "add", day, at, "--note", NOTE)
        app = self.start(extra_env={"DBUS_SESSION_BUS_ADDRESS": server.address})

        app.focus("^Reminder active - %s$" % at, 60)
        wait_for("a notification with the note", lambda: any(n[:2] == (at, NOTE) for n in server.notified()), 15)
        first = [n for n in server.notified() if n[0] == at][0]
        self.assertEqual(first[2], ["snooze", "Snooze", "dismiss", "Dismiss"])
        self.assertRegex(first[3], r'string "urgency"\s+variant\s+byte 2')
        wait_for("dunst to show it", lambda: server.displayed() == 1, 10)
        self.shot("snooze_alert_and_notification")
        self.d.key("alt+s")
        app.gone("^Reminder active - %s$" % at)
        wait_for("the notification to close with the window", lambda: server.displayed() == 0, 10)

        listed = {r["time"]: r for r in json.loads(ctl(self.d, "reminders", "list", day, "--json")[1])}
        self.assertFalse(listed[at]["active"])
        snoozed = [t for t, r in listed.items() if t != at and r["active"] and r["note"] == NOTE]
        self.assertEqual(len(snoozed), 1, listed)
        back = snoozed[0]
        fired = datetime.datetime.strptime(at, "%H:%M:%S")
        self.assertTrue(60 <= (datetime.datetime.strptime(back, "%H:%M:%S") - fired).seconds <= 75, (at, back))

        app.window("^Reminder active - %s$" % back, 100)
        wait_for("the snoozed one's notification", lambda: any(n[:2] == (back, NOTE) for n in server.notified()),
                 15)
        wait_for("dunst to show it", lambda: server.displayed() == 1, 10)
        server.invoke("Dismiss")
        app.gone("^Reminder active - %s$" % back)
        self.assertFalse(any(r["active"] for r in json.loads(ctl(self.d, "reminders", "list", day, "--json")[1])))

        app.stop()
        again = self.start(extra_env={"DBUS_SESSION_BUS_ADDRESS": server.address})
        again.window("^Orlane 2$", 30)
        time.sleep(3)
        self.assertFalse(again.shown(MISSED))

    def test_week_off_with_late_cancel_shows_only_the_last_twelve_hours(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "late_cancel_hours", "12")
        ctl(self.d, "settings", "set", "theme", "6")  # an Orlane.cfg that must stay as it is
        now = datetime.datetime.now().replace(microsecond=0)
        recent = [now - datetime.timedelta(hours=2), now - datetime.timedelta(hours=11)]
        old = [now - datetime.timedelta(hours=13), now - datetime.timedelta(days=3), now - datetime.timedelta(days=6)]
        for t in recent + old:
            ctl(self.d, "reminders", "add", t.date().isoformat(), t.strftime("%H:%M:%S"), "--note", "week off")
        app = self.start()  # no session bus: the windows alone, and nothing said about it
        for t in recent:
            app.window(MISSED + t.strftime("%Y-%m-%d %H:%M:%S") + "$", 40)
        time.sleep(2)
        missed = [title for title in app.windows().values() if re.search(MISSED, title)]
        self.assertEqual(len(missed), len(recent), missed)
        for t in old:
            listed = json.loads(ctl(self.d, "reminders", "list", t.date().isoformat(), "--json")[1])
            self.assertFalse([r for r in listed if r["time"] == t.strftime("%H:%M:%S")][0]["active"])
        self.assertNotRegex(app.output(), r"(?i)d-?bus|notif")

        # Config's second page turns late-cancel off; only the additive file changes.
        for title in list(app.windows().values()):
            if re.search(MISSED, title):
                app.focus("^" + re.escape(title) + "$")
                self.d.key("Escape")
                app.gone("^" + re.escape(title) + "$")
        cfg = os.path.join(self.d.user, "Orlane.cfg")
        before = open(cfg, "rb").read()
        app.focus("^Orlane 2$")
        self.d.key("ctrl+g")
        config = app.focus("^Config$")
        app.click_client(config, 50, 459)  # More >>
        app.click_client(config, 200, 129)  # the late-cancel hours
        self.d.key("ctrl+a")
        self.d.type("0")
        _, _, w, _ = self.d.geometry(config)
        app.click_client(config, w - 6 - 127, 459)  # OK
        app.gone("^Config$")
        settings = json.loads(ctl(self.d, "settings", "show", "--json")[1])
        self.assertEqual((settings["late_cancel_hours"], settings["snooze_minutes"]), (0, 5))
        with open(os.path.join(self.d.user, "OrlaneExtra.ini")) as f:
            self.assertEqual(f.read(), "late_cancel_hours=0\n")
        self.assertEqual(open(cfg, "rb").read(), before)


if __name__ == "__main__":
    main()
