"""A reminder added through the window fires in its second with its note, and
once fired it stays fired in every copy: after Save All, a day change, Exit
and at the next start."""

import time

from desktop import (ADD_REMINDER, MAIN_TITLE, QUESTION, REMINDER_NOTE, DesktopTest, main, today,
                     wait_for)

ALERT_TEXT = (20, 343, 400, 97)  # the note under the alert's clock


class ReminderTest(DesktopTest):
    def test_added_in_the_window_fires_with_its_note_and_stays_fired(self):
        app, window = self.start_unlocked()
        due = int(time.time()) + 40  # room to type on a slow machine
        if time.strftime("%Y-%m-%d", time.localtime(due)) != today():
            self.skipTest("too close to midnight")
        hhmmss = time.strftime("%H:%M:%S", time.localtime(due))
        window.set_time(hhmmss)
        window.click(ADD_REMINDER)
        window.click(REMINDER_NOTE)
        self.d.type("Water the plants")
        self.d.key("ctrl+s")
        wait_for("the reminder in its file",
                 lambda: window.reminders(today()) and window.reminders(today())[0]["note"] == "Water the plants")
        self.assertEqual(window.reminders(today())[0]["time"], hhmmss)

        alert = app.window("^Reminder active - " + hhmmss + "$", due - time.time() + 30)
        late = time.time() - due
        self.assertGreaterEqual(late, -0.2)
        self.assertLess(late, 3.0, "the alert came %.1f s after its second" % late)
        app.focus("^Reminder active")
        x, y = app.client_point(alert, ALERT_TEXT[0] + 50, ALERT_TEXT[1] + 20)
        self.assertEqual(self.d.copy_text_at(x, y).strip(), "Water the plants")
        self.d.key("Escape")
        app.gone("^Reminder active")
        inactive = lambda: not window.reminders(today())[0]["active"]
        wait_for("the fired reminder to be inactive in its file", inactive)

        window.focus()
        self.d.key("ctrl+s")
        window.step_day("Up")
        window.step_day("Down")
        time.sleep(0.5)
        self.assertTrue(inactive(), "a save wrote the fired reminder back as active")
        window.focus()
        self.d.key("Escape")
        window.answer(QUESTION, "Return")
        self.assertEqual(app.wait_end(), 0)
        self.assertTrue(inactive())
        self.assertEqual(window.reminders(today())[0]["note"], "Water the plants")

        again = self.start()
        again.window(MAIN_TITLE)
        time.sleep(3)  # the missed-reminder scan runs at start
        self.assertEqual(list(again.windows().values()), ["Orlane 2"])


if __name__ == "__main__":
    main()
