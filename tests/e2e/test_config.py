"""Config -> OK applies at once: the calendar shows the new week start before
any click, and a click on a day cell selects the day it shows."""

import datetime
import json
import time

from desktop import DesktopTest, ctl, main, wait_for

DATE_FORMAT_LIST_TOP, WEEK_START_LIST_TOP = 200, 230


def first_cell_of_month(day, week_start):
    """The cell of day 1: one to seven days of the month before come first."""
    first = day.replace(day=1)
    sunday_based = (first.weekday() + 1) % 7
    offset = (sunday_based - (week_start - 1)) % 7
    return offset or 7


class ConfigTest(DesktopTest):
    def calendar_pixels(self, window):
        x, y, w, h = window.rects["calendar"]
        shot = self.d.screenshot()
        left, top = window.app.client_point(window.wid, x, y)
        return [shot.pixel(left + i, top + j) for j in range(0, h, 3) for i in range(0, w, 3)]

    def choose(self, app, config, list_top, downs):
        _, _, w, _ = self.d.geometry(config)
        app.click_client(config, 140 + (w - 6 - 180) // 2, list_top + 10)
        self.d.key(*(["Down"] * downs), "Return")

    def test_week_start_and_date_format_apply_at_once(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "calendar_shown", "1")
        app, window = self.start_unlocked()
        before = self.calendar_pixels(window)
        self.d.key("ctrl+g")
        config = app.focus("^Config$")
        self.choose(app, config, DATE_FORMAT_LIST_TOP, 1)  # dd-mm-yyyy
        self.choose(app, config, WEEK_START_LIST_TOP, 1)  # Monday
        _, _, w, _ = self.d.geometry(config)
        app.click_client(config, w - 6 - 127, 459)  # OK
        app.gone("^Config$")
        settings = json.loads(ctl(self.d, "settings", "show", "--json")[1])
        self.assertEqual((settings["week_start"], settings["date_format"]), (2, 1))
        wait_for("the calendar to show Monday first", lambda: self.calendar_pixels(window) != before, 5)

        now = datetime.date.today()
        target = now.replace(day=15 if now.day != 15 else 16)
        cell = first_cell_of_month(now, 2) + target.day - 1
        window.focus()
        x, y, cw, ch = window.rects["cell%d" % cell]
        self.d.click(*app.client_point(window.wid, x + cw // 2, y + ch // 2))
        time.sleep(0.5)
        window.mark_shown_day()
        wait_for("the clicked day to be the shown one", lambda: window.reminders(target.isoformat()), 10)


if __name__ == "__main__":
    main()
