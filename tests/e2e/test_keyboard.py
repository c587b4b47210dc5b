"""The main window without a mouse: Tab walks the work area first, left to
right and top to bottom, leaves the reminder note (Ctrl+Tab types a tab) and
shows a two-pixel focus frame in the theme's strong colour; keys add and
remove reminders and step through the days; the exit question answers to its
underlined letters with and without Alt."""

import datetime
import time

from desktop import (ADD_REMINDER, MODE_REMINDER, QUESTION, REMINDER_NOTE, SEARCH, SEARCH_FROM, SEARCH_WORDS,
                     DesktopTest, ctl, main, theme_color, today, wait_for)

DEFAULT_THEME = 6
STRONG = 4  # the theme's outline and dark-text colour
SHOW_CONFIG, SAVE_ALL, FIND, REMINDER_LIST = 1024, 1033, 1057, 1007


class KeyboardTest(DesktopTest):
    def framed(self, window, controls):
        """Which of the buttons shows the focus frame: two pixels of the strong colour inside its edge."""
        strong = tuple(theme_color(window.rects, DEFAULT_THEME, STRONG))
        shot = self.d.screenshot()
        found = []
        for control in controls:
            x, y, w, h = window.rect(control)
            sx, sy = window.app.client_point(window.wid, x, y)
            edge = [shot.pixel(sx + 2 + i, sy + h // 2) for i in (0, 1)] + \
                   [shot.pixel(sx + w // 2, sy + 2 + j) for j in (0, 1)]
            if all(p == strong for p in edge):
                found.append(control)
        return found

    def test_tab_order_focus_frame_and_keys(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "calendar_shown", "1")  # the calendar takes no Tab
        app, window = self.start_unlocked()
        window.click(MODE_REMINDER)

        # From the search words, Tab goes on to Search and Find (left to right), and
        # the toolbar comes after the mode switch, Config before Save All.
        window.click(SEARCH_WORDS)
        seen = []
        candidates = [SEARCH, FIND, SHOW_CONFIG, SAVE_ALL]
        for _ in range(16):
            self.d.key("Tab")
            time.sleep(0.25)
            seen += [c for c in self.framed(window, candidates) if not seen or seen[-1] != c]
            if SAVE_ALL in seen:
                break
        self.shot("keyboard-focus-frame")
        self.assertEqual(seen, candidates)

        # Tab leaves the note for the calendar switch under it, then the first
        # control of the left column (the From picker, where digits start from the
        # shown day); Ctrl+Tab types a tab.
        window.click(ADD_REMINDER)
        window.click(REMINDER_NOTE)
        self.d.type("one")
        self.d.key("ctrl+Tab")
        self.d.type("two")
        self.d.key("Tab", "Tab")
        self.d.type("1")
        wait_for("the From picker to hold a date",
                 lambda: "any day" not in self.d.copy_text_at(*window.point(SEARCH_FROM, dx=-20)), 10)
        self.assertEqual(self.d.copy_text_at(*window.point(REMINDER_NOTE)).strip("\n"), "one\ttwo")

        # Ctrl+Enter adds a reminder at the time set; Delete in the list removes the selected one.
        window.set_time("10:15:00")
        self.d.key("ctrl+Return")
        self.d.key("ctrl+s")
        wait_for("two reminders today", lambda: len(window.reminders(today())) == 2, 10)
        x, y, w, h = window.rect(REMINDER_LIST)
        self.d.click(*app.client_point(window.wid, x + 30, y + 8))
        self.d.key("Delete")
        self.d.key("ctrl+s")
        wait_for("one reminder left", lambda: len(window.reminders(today())) == 1, 10)

        # Alt+Right and Ctrl+Page Up step through the days.
        self.d.key("alt+Right")
        window.set_time("11:00:00")
        self.d.key("ctrl+Return")
        self.d.key("ctrl+s")
        tomorrow = (datetime.date.today() + datetime.timedelta(days=1)).isoformat()
        wait_for("a reminder tomorrow", lambda: [r["time"] for r in window.reminders(tomorrow)] == ["11:00:00"], 10)
        self.d.key("ctrl+Prior", "ctrl+Prior")
        window.set_time("12:00:00")
        self.d.key("ctrl+Return")
        self.d.key("ctrl+s")
        yesterday = (datetime.date.today() - datetime.timedelta(days=1)).isoformat()
        wait_for("a reminder yesterday", lambda: [r["time"] for r in window.reminders(yesterday)] == ["12:00:00"], 10)

        # The exit question: "n" is No, Alt+N too, "y" is Yes.
        for key in ("n", "alt+n"):
            window.focus()
            self.d.key("Escape")
            window.answer(QUESTION, key)
            self.assertTrue(app.running())
        window.focus()
        self.d.key("Escape")
        app.focus(QUESTION)
        self.d.key("y")
        self.assertEqual(app.wait_end(), 0)


if __name__ == "__main__":
    main()
