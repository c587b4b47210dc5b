"""Escape and the close button ask the exit question; Enter does nothing; hiding
to the tray keeps the program and its reminders alive."""

import time

from desktop import MAIN_TITLE, DesktopTest, ctl, main, wait_for

QUESTION = "Please select"
HIDE, CLOSE = 121, 2
TRAY_SHOW, TRAY_HIDE = "Show main window", "Hide main window"


class ExitTest(DesktopTest):
    def answer_question(self, app, key):
        app.focus(QUESTION)
        self.d.key(key)
        wait_for("the question to close", lambda: QUESTION not in app.windows().values())

    def test_escape_and_close_ask_enter_does_nothing(self):
        app, window = self.start_unlocked()
        for key in ("Return", "KP_Enter"):
            self.d.key(key)
        time.sleep(1)
        self.assertEqual(list(app.windows().values()), ["Orlane 2"])
        self.d.key("Escape")
        self.answer_question(app, "Escape")  # No
        window.focus()
        window.click(CLOSE)
        self.answer_question(app, "Escape")
        self.assertTrue(app.running())
        window.focus()
        self.d.key("Escape")
        self.answer_question(app, "Return")  # Yes
        self.assertEqual(app.wait_end(), 0)

    def test_hidden_in_the_tray_it_keeps_running_and_firing(self):
        ctl(self.d, "user-file", "init", "")
        due = [time.time() + 75, time.time() + 90]  # after the clicks below, even on a slow machine
        for n, t in enumerate(due):
            ctl(self.d, "reminders", "add", time.strftime("%Y-%m-%d", time.localtime(t)),
                time.strftime("%H:%M:%S", time.localtime(t)), "--note", "while hidden %d" % n)
        app, window = self.start_unlocked()
        hidden = lambda: not app.shown(MAIN_TITLE)
        window.click(HIDE)
        wait_for("the Hide button to hide the window", hidden)
        app.click_tray()
        window.focus()
        app.click_tray(button=3)
        wait_for("the tray menu", lambda: len(app.windows()) >= 2)
        self.d.key("Down", "Down", "Return")  # "Hide main window"
        wait_for("the tray menu to hide the window", hidden)
        app.click_tray()
        window.focus()
        app.click_tray()
        wait_for("a click on the icon to hide the window", hidden)
        for _ in due:
            app.focus("^Reminder active", 90)
            self.d.key("Escape")
            app.gone("^Reminder active")
            self.assertTrue(app.running())
        self.assertTrue(hidden())
        self.assertTrue(app.running())


if __name__ == "__main__":
    main()
