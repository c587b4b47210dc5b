"""The desk widget in the running program: it opens at the first start at the
top right without taking the focus, closes from its own menu, comes back from
the tray, shows a reminder the main window saved, and leaves its 41-byte
settings file at exit."""

import os
import time

from desktop import (ADD_REMINDER, DESKLEAF_TITLE, QUESTION, REMINDER_NOTE, DesktopTest, MainWindow, ctl, main,
                     today, wait_for)

DESKLEAF = "^" + DESKLEAF_TITLE + "$"

SIZE = (351, 230)
# The reminder panel of the big widget with calendar and clock, in its own pixels.
REMINDERS = (240, 118, 106, 108)
# The caption line at the top of the right column: the menu opens from there.
CAPTION = (290, 8)


class DeskleafTest(DesktopTest):
    @staticmethod
    def seconds_of_day(t):
        tm = time.localtime(t)
        return tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec

    def reminder_pixels(self, wid):
        x, y, _, _ = self.d.geometry(wid)
        shot = self.d.screenshot()
        left, top, w, h = REMINDERS
        return [shot.pixel(x + left + i, y + top + j) for j in range(h) for i in range(w)]

    def test_first_start_close_show_again_follow_saves_and_exit(self):
        ctl(self.d, "user-file", "init", "")
        app = self.start()
        window = MainWindow(app)
        leaf = app.window(DESKLEAF)
        # Nobody hands the focus around here: the widget never takes it.
        main_focused = lambda: self.d.focused() == window.wid
        wait_for("the focus on the main window", main_focused, 10)
        screen_w = self.d.screenshot().width
        wait_for("the widget at the top right, 20 px in",
                 lambda: self.d.geometry(leaf) == (screen_w - 20 - SIZE[0], 20) + SIZE, 10)
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", self.d.x("xprop", "-id", str(leaf), "_NET_WM_STATE"))
        self.shot("deskleaf-first-start")

        # "Close Deskleaf" is the second item from the bottom of its menu.
        self.d.click(self.d.geometry(leaf)[0] + CAPTION[0], 20 + CAPTION[1], button=3)
        wait_for("the widget's menu", lambda: len(app.windows()) >= 2)
        self.d.key("Up", "Up", "Return")
        app.gone(DESKLEAF)
        self.assertEqual(os.path.getsize(os.path.join(self.d.user, "Deskleaf.cfg")), 41)

        # The tray's "Show Deskleaf" (fourth item) brings it back at its place.
        window.focus()
        app.click_tray(button=3)
        wait_for("the tray menu", lambda: len(app.windows()) >= 2)
        self.d.key("Down", "Down", "Down", "Down", "Return")
        leaf = app.window(DESKLEAF)
        wait_for("the widget back at its place",
                 lambda: self.d.geometry(leaf) == (screen_w - 20 - SIZE[0], 20) + SIZE, 10)
        time.sleep(0.5)
        self.assertTrue(main_focused(), "the widget took the focus: " + self.d.title(self.d.focused()))
        # A click hands it the keyboard (its Page Up and Page Down).
        self.d.click(self.d.geometry(leaf)[0] + CAPTION[0], 20 + CAPTION[1])
        wait_for("the focus on the clicked widget", lambda: self.d.focused() == leaf, 10)

        # A reminder saved in the main window shows in the widget's reminder panel.
        # Due later today, late enough not to fire during the test.
        now = int(time.time())
        due = min(now + 1800, now + (23 * 3600 + 59 * 60 - self.seconds_of_day(now)))
        if due - now < 120:
            self.skipTest("too close to midnight")
        window.focus()
        before = self.reminder_pixels(leaf)
        window.set_time(time.strftime("%H:%M:%S", time.localtime(due)))
        window.click(ADD_REMINDER)
        window.click(REMINDER_NOTE)
        self.d.type("Call Anna")
        self.d.key("ctrl+s")
        wait_for("the reminder in its file", lambda: window.reminders(today()))
        wait_for("the reminder in the widget",
                 lambda: sum(a != b for a, b in zip(before, self.reminder_pixels(leaf))) > 50, 10)
        self.shot("deskleaf-reminder")

        window.focus()
        self.d.key("Escape")
        window.answer(QUESTION, "Return")
        self.assertEqual(app.wait_end(), 0)
        self.assertEqual(os.path.getsize(os.path.join(self.d.user, "Deskleaf.cfg")), 41)


if __name__ == "__main__":
    main()
