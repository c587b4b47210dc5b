"""What orlanectl writes while the window runs is taken over, never
overwritten: a reminder added for the shown day is listed within two seconds,
fires in its second and survives Save All; a setting changed survives Exit."""

import json
import time

from desktop import (MODE_DIARY, QUESTION, REMINDER_NOTE, DesktopTest, ctl, main, today,
                     wait_for)

REMINDER_LIST = 1007
NOTE = "From the command line"


class OutsideWritesTest(DesktopTest):
    def list_has_an_entry(self, app, window):
        x, y, w, h = window.rects[REMINDER_LIST]
        sx, sy = app.client_point(window.wid, x, y)
        shot = self.d.screenshot()
        row = [shot.pixel(sx + dx, sy + dy) for dx in range(4, 60) for dy in range(2, 14)]
        return len(set(row)) > 1  # text on the first row

    def test_reminder_and_setting_written_from_outside_survive_the_window(self):
        app, window = self.start_unlocked()
        self.assertFalse(self.list_has_an_entry(app, window))
        due = int(time.time()) + 30
        if time.strftime("%Y-%m-%d", time.localtime(due)) != today():
            self.skipTest("too close to midnight")
        hhmmss = time.strftime("%H:%M:%S", time.localtime(due))
        ctl(self.d, "reminders", "add", today(), hhmmss, "--note", NOTE)
        wait_for("the added reminder in the window's list", lambda: self.list_has_an_entry(app, window), 2.0)

        x, y, w, h = window.rects[REMINDER_LIST]
        self.d.click(*app.client_point(window.wid, x + 30, y + 8))
        self.assertEqual(self.d.copy_text_at(*window.point(REMINDER_NOTE)).strip(), NOTE)
        window.focus()
        self.d.key("ctrl+s")
        time.sleep(0.5)
        self.assertEqual([(r["time"], r["note"]) for r in window.reminders(today())], [(hhmmss, NOTE)])

        app.window("^Reminder active - " + hhmmss + "$", due - time.time() + 30)
        late = time.time() - due
        self.assertGreaterEqual(late, -0.2)
        self.assertLess(late, 3.0, "the alert came %.1f s after its second" % late)
        app.focus("^Reminder active")
        self.d.key("Escape")
        app.gone("^Reminder active")
        window.focus()
        self.d.key("ctrl+s")
        time.sleep(0.5)
        stored = window.reminders(today())
        self.assertEqual([(r["time"], r["note"], r["active"]) for r in stored], [(hhmmss, NOTE, False)])

        # The window changes the mode; the command line changes the date format.
        window.click(MODE_DIARY)
        ctl(self.d, "settings", "set", "date_format", "2")
        window.focus()
        self.d.key("Escape")
        window.answer(QUESTION, "Return")
        self.assertEqual(app.wait_end(), 0)
        settings = json.loads(ctl(self.d, "settings", "show", "--json")[1])
        self.assertEqual((settings["date_format"], settings["last_mode"]), (2, MODE_DIARY))


if __name__ == "__main__":
    main()
