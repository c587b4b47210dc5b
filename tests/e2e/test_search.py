"""Search over the reminders and a double click on a result opening its day;
Tab walks through the search panel without being trapped. Diary results in
date order, each with a line of the page; the From picker typed into and set
back to "any day"; "Has picture" in sight while results are listed."""

import datetime
import os
import time

from desktop import (DIARY_EDITOR, MODE_DIARY, REMINDER_NOTE, SEARCH, SEARCH_FROM, SEARCH_RESULTS, SEARCH_WORDS,
                     DesktopTest, ctl, main, wait_for)

HAS_PICTURE = 1047


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


    def page(self, date, text):
        path = os.path.join(self.d.root, date + ".rtf")
        with open(path, "w") as f:
            f.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Notes of the day\\par %s\\par}" % text)
        ctl(self.d, "diary", "import", date, path)

    def opened_page(self, window, x, y):
        self.d.click(x, y, count=2)
        window.focus()
        return self.d.copy_text_at(*window.point(DIARY_EDITOR))

    def test_diary_results_in_date_order_with_context_and_range(self):
        ctl(self.d, "user-file", "init", "")
        # As text "03/01/2026" sorts before "11/02/2025".
        self.page("2026-03-01", "March: the dentist again")
        self.page("2025-11-02", "November: first visit to the dentist")
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        box = window.rects[HAS_PICTURE]
        box_pixels = lambda: [self.d.screenshot().pixel(*app.client_point(window.wid, box[0] + i, box[1] + 11))
                              for i in range(0, box[2], 3)]
        before = box_pixels()
        window.click(SEARCH_WORDS)
        self.d.type("dentist")
        window.click(SEARCH)
        x, y, w, h = window.rects[SEARCH_RESULTS]
        time.sleep(1)
        self.shot("search-diary-results")
        self.assertEqual(box_pixels(), before, '"Has picture" is hidden while results are listed')
        # Each entry has two lines, its date and the page's line: 24 pixels down is still the first.
        first = app.client_point(window.wid, x + 30, y + 24)
        self.assertIn("November: first visit", wait_for("the first result's page", lambda: self.opened_page(
            window, *first)))

        # From 1 January 2026, typed over "any day": only March is left.
        self.d.click(*window.point(SEARCH_FROM, dx=-30))
        self.d.type("01012026")
        window.click(SEARCH)
        time.sleep(1)
        self.assertIn("March: the dentist", self.opened_page(window, *app.client_point(window.wid, x + 30, y + 8)))
        # The cross in the field brings "any day" back, and both days are found again.
        fx, fy, fw, fh = window.rects[SEARCH_FROM]
        self.d.click(*app.client_point(window.wid, fx + fw - 30, fy + fh // 2))
        window.click(SEARCH)
        time.sleep(1)
        self.assertIn("November: first visit", self.opened_page(window, *first))


if __name__ == "__main__":
    main()
