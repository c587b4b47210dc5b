"""Search over the reminders and a double click on a result opening its day;
Tab walks through the search panel without being trapped."""

import datetime

from desktop import (REMINDER_NOTE, SEARCH, SEARCH_FROM, SEARCH_RESULTS, SEARCH_WORDS, DesktopTest, ctl, main,
                     wait_for)


class SearchTest(DesktopTest):
    def test_search_and_open_a_result(self):
        ctl(self.d, "user-file", "init", "")
        days = [datetime.date.today() - datetime.timedelta(days=n) for n in (3, 40)]
        for day, note in zip(days, ("dentist at nine", "dentist again")):
            ctl(self.d, "reminders", "add", day.isoformat(), "09:00:00", "--note", note, "--inactive")
        app, window = self.start_unlocked()
        window.click(SEARCH_WORDS)
        self.d.type("dentist")
        window.click(SEARCH)
        entries = sorted(d.strftime("%m-%d-%Y") for d in days)
        first = days[0] if days[0].strftime("%m-%d-%Y") == entries[0] else days[1]
        x, y, w, h = window.rects[SEARCH_RESULTS]
        point = app.client_point(window.wid, x + 30, y + 8)
        self.d.click(*point, count=2)
        note = "dentist at nine" if first == days[0] else "dentist again"
        window.focus()
        x, y, w, h = window.rects[1007]  # the day's reminder list: its one entry
        self.d.click(*app.client_point(window.wid, x + 30, y + 8))
        wait_for("the note of the opened day",
                 lambda: self.d.copy_text_at(*window.point(REMINDER_NOTE)).strip() == note, 15)

    def test_tab_leaves_the_from_picker(self):
        app, window = self.start_unlocked()
        window.click(SEARCH_FROM)
        # Date pickers ignore letters: an "r" lands only once the focus got out.
        for _ in range(12):
            self.d.key("Tab")
            self.d.type("r")
        self.assertIn("r", self.d.copy_text_at(*window.point(SEARCH_WORDS)))


if __name__ == "__main__":
    main()
