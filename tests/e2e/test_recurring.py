"""A daily reminder made in the editor with Recurs "Every day": it fires today
at its second, the calendar marks tomorrow (and not yesterday), the day files
never hold it, and after a restart nothing is reported as missed."""

import datetime
import json
import os
import time

from desktop import ADD_REMINDER, REMINDER_NOTE, DesktopTest, ctl, main, today, wait_for

RECURS = 1063


def hhmmss(t):
    return time.strftime("%H:%M:%S", time.localtime(t))


def cell_of(day):
    """The calendar cell of a day of this month's grid; weeks start on Sunday."""
    first = datetime.date.today().replace(day=1)
    return first.isoweekday() % 7 + (day - first).days


class RecurringTest(DesktopTest):
    def cell_pixels(self, app, window, image, day):
        x, y, w, h = window.rects["cell%d" % cell_of(day)]
        ox, oy = app.client_point(window.wid, x, y)
        return [image.pixel(ox + i, oy + j) for j in range(h) for i in range(w)]

    def test_a_daily_reminder_fires_marks_tomorrow_and_is_not_missed_after_a_restart(self):
        due = int(time.time()) + 30
        if time.strftime("%Y-%m-%d", time.localtime(due + 5)) != today() or datetime.date.today().day < 2:
            self.skipTest("too close to midnight or the first of the month")
        ctl(self.d, "settings", "set", "calendar_shown", "1")
        app, window = self.start_unlocked()
        days = [datetime.date.today() + datetime.timedelta(days=n) for n in (-1, 1)]
        before = self.shot("recurring-before")
        unmarked = [self.cell_pixels(app, window, before, d) for d in days]

        window.set_time(hhmmss(due))
        window.click(REMINDER_NOTE)
        self.d.type("daily pill")
        window.click(RECURS)
        self.d.key("Down", "Return")  # "Every day", below "Once"
        window.click(ADD_REMINDER)
        self.d.key("ctrl+s")
        wait_for("the reminder to recur", lambda: [r["recurs"] for r in window.reminders(today(1))] == ["FREQ=DAILY"])
        self.assertEqual(window.reminders(today())[0]["note"], "daily pill")
        key = ctl(self.d, "daykey", today())[1].strip()
        self.assertFalse(os.path.exists(os.path.join(self.d.user, key + ".alm")))
        self.assertTrue(os.path.exists(os.path.join(self.d.user, "recurring.dat")))

        wait_for("tomorrow's mark", lambda: self.cell_pixels(app, window, self.d.screenshot(), days[1]) != unmarked[1])
        after = self.shot("recurring-marked")
        self.assertTrue(self.cell_pixels(app, window, after, days[0]) == unmarked[0], "yesterday is marked")

        title = "^Reminder active - " + hhmmss(due) + "$"
        app.window(title, due - time.time() + 20)
        self.shot("recurring-alert")
        app.focus(title)
        self.d.key("Escape")
        app.gone(title)
        wait_for("today's occurrence to be fired", lambda: not window.reminders(today())[0]["active"])
        self.assertTrue(window.reminders(today(1))[0]["active"])

        app.stop()
        again, window = self.start_unlocked()
        time.sleep(4)
        self.assertEqual([t for t in again.windows().values() if t.startswith("Missed")], [])
        self.assertEqual(window.reminders(today())[0]["active"], False)

        # The command line skips tomorrow; the search finds the other days.
        ctl(self.d, "reminders", "remove", today(1), hhmmss(due))
        self.assertEqual(window.reminders(today(1)), [])
        found = ctl(self.d, "search", "pill", "--reminders", "--from", today(), "--to", today(2), "--json")[1]
        self.assertEqual([d["date"] for d in json.loads(found)], [today(), today(2)])
        found = ctl(self.d, "search", "pill", "--reminders", "--active", "--to", today(2), "--json")[1]
        self.assertEqual([d["date"] for d in json.loads(found)], [today(2)])
        ctl(self.d, "reminders", "remove", today(2), hhmmss(due), "--series")
        self.assertFalse(os.path.exists(os.path.join(self.d.user, "recurring.dat")))


if __name__ == "__main__":
    main()
