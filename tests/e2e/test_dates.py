"""Dates as the user set them: the main window's date picker in the date format
of Config, its calendar pop-up starting weeks on the day Config says, and the
clock box's week number by the locale's rule, named after the number."""

import datetime
import time

from desktop import DATE_PICKER, DesktopTest, ctl, main, wait_for

TITLE_LINE = 1059
CLOCK_TEXT = (20 + 200, 343 + 40)  # the clock box's text, in its client pixels


class DatesTest(DesktopTest):
    def test_picker_format_week_start_and_clock_week(self):
        ctl(self.d, "user-file", "init", "")
        for name, value in (("date_format", "1"), ("week_start", "2"), ("calendar_shown", "0")):
            ctl(self.d, "settings", "set", name, value)
        app, window = self.start_unlocked()

        # Day/month/year, as "dd-mm-yyyy" in Config.
        shown = self.d.copy_text_at(*window.point(DATE_PICKER, dx=-40)).strip()
        self.assertEqual(shown, datetime.date.today().strftime("%d/%m/%Y"))

        # The pop-up's weekend days (red) stand at its right end only: weeks start on Monday.
        window.focus()
        x, y, w, h = window.rect(DATE_PICKER)
        before = set(app.windows())
        self.d.click(*app.client_point(window.wid, x + w - 8, y + h // 2))
        popup = wait_for("the calendar pop-up", lambda: (set(app.windows()) - before) and
                         sorted(set(app.windows()) - before)[0])
        time.sleep(0.5)
        px, py, pw, ph = self.d.geometry(popup)
        shot = self.shot("dates-picker-popup")
        red = [i - px for j in range(py + 25, py + ph) for i in range(px, px + pw)
               if shot.pixel(i, j)[0] > 150 and max(shot.pixel(i, j)[1:]) < 90]
        self.assertTrue(red, "no weekend days in the pop-up")
        self.assertGreater(min(red), pw * 0.6)
        self.d.key("Escape")
        wait_for("the pop-up to close", lambda: popup not in app.windows())

        # The clock box: week 50 on 8 December 2026 is ISO 8601's, which the C locale of the test keeps.
        window.click(TITLE_LINE)
        clock = app.window("^Clock$")
        week = datetime.date.today().isocalendar()[1]
        text = wait_for("the clock's text", lambda: self.d.copy_text_at(*app.client_point(clock, *CLOCK_TEXT)))
        self.assertIn("Week of year: %02d (ISO 8601)" % week, text)
        app.focus("^Clock$")
        self.d.key("Escape")
        app.gone("^Clock$")


if __name__ == "__main__":
    main()
