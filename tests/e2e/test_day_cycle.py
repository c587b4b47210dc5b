"""Alerts come from a queue and never block the window: two reminders a second
apart open two alert windows while the diary is being typed and saved, the
calendar still takes clicks, and each closed alert clears its reminder once.
The reminder editor stores what is typed: an unsaved note fires as typed, Add
takes the fields as filled in, Update with the same time keeps the edited note."""

import datetime
import time

from desktop import (ADD_REMINDER, DIARY_EDITOR, MODE_DIARY, MODE_REMINDER, REMINDER_NOTE, DesktopTest, ctl, main,
                     today, wait_for)

BEEP_ONLY, UPDATE_REMINDER, REMINDER_LIST = 1023, 1041, 1007


def hhmmss(t):
    return time.strftime("%H:%M:%S", time.localtime(t))


def due_today(seconds_ahead, span=2):
    due = int(time.time()) + seconds_ahead
    same_day = time.strftime("%Y-%m-%d", time.localtime(due + span)) == today()
    return due if same_day else None


def week_away_cell(day):
    """The calendar cell of the day a week before (or after) and that day; weeks start on Sunday."""
    offset = day.replace(day=1).isoweekday() % 7
    index = offset + day.day - 1
    if day.day > 7:
        return index - 7, day - datetime.timedelta(days=7)
    return index + 7, day + datetime.timedelta(days=7)


class DayCycleTest(DesktopTest):
    def page_text(self, date):
        return ctl(self.d, "diary", "export", date, "--format", "txt", check=False)[1]

    def test_two_alerts_a_second_apart_while_typing_and_saving(self):
        ctl(self.d, "settings", "set", "calendar_shown", "1")
        app, window = self.start_unlocked()
        due = due_today(20)
        if due is None:
            self.skipTest("too close to midnight")
        first, second = hhmmss(due), hhmmss(due + 1)
        ctl(self.d, "reminders", "add", today(), first, "--note", "first")
        ctl(self.d, "reminders", "add", today(), second, "--note", "second")

        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        typed = ""
        while time.time() < due + 3:
            words = "Written while the reminders come. "
            self.d.type(words, delay=20)
            typed += words
            self.d.key("ctrl+s")
        one = app.window("^Reminder active - " + first + "$", 10)
        two = app.window("^Reminder active - " + second + "$", 10)
        self.assertIn(one, app.windows())
        self.assertIn(two, app.windows())
        self.shot("day_cycle_two_alerts")

        # The window takes clicks while both alerts are open: a calendar day opens.
        window.focus()
        cell, other = week_away_cell(datetime.date.today())
        x, y, w, h = window.rects["cell%d" % cell]
        self.d.click(*app.client_point(window.wid, x + w // 2, y + h // 2))
        window.click(MODE_REMINDER)
        window.click(ADD_REMINDER)
        self.d.key("ctrl+s")
        wait_for("the clicked day to be shown", lambda: ctl(self.d, "reminders", "list", other.isoformat())[1].strip())

        # Closed in the other order: each reminder is cleared once.
        for title in ("^Reminder active - " + second + "$", "^Reminder active - " + first + "$"):
            app.focus(title)
            self.d.key("Escape")
            app.gone(title)
        inactive = lambda: [r["active"] for r in window.reminders(today())] == [False, False]
        wait_for("both reminders to be inactive", inactive)
        # An alert takes the focus as it opens, so the keys typed after it go to
        # the alert: every save keeps what reached the diary, in order.
        saved = self.page_text(today()).strip()
        self.assertGreater(len(saved), 40)
        self.assertTrue(typed.startswith(saved), saved)
        time.sleep(2)
        self.assertEqual([w for w in app.windows().values() if w.startswith("Reminder")], [])

    def test_the_editor_stores_what_is_typed(self):
        app, window = self.start_unlocked()
        due = due_today(25)
        if due is None:
            self.skipTest("too close to midnight")
        # Time, note and Beep Only, then Add: the reminder has them all.
        window.set_time("07:15:00")
        window.click(REMINDER_NOTE)
        self.d.type("take the pill")
        window.click(BEEP_ONLY)
        window.click(ADD_REMINDER)
        self.d.key("ctrl+s")
        wait_for("the reminder with its note and beep", lambda: window.reminders(today()) == [
            {"time": "07:15:00", "active": True, "repeat": False, "media": "Beep Only", "note": "take the pill",
             "recurs": None}])

        # Save All loads the day again with nothing selected: pick the reminder,
        # then Update with the same time keeps the edited note.
        x, y, w, h = window.rect(REMINDER_LIST)
        self.d.click(*app.client_point(window.wid, x + w // 2, y + 8))
        wait_for("the reminder to be shown", lambda: self.d.copy_text_at(*window.point(REMINDER_NOTE)).strip() == "take the pill")
        window.click(REMINDER_NOTE)
        self.d.key("ctrl+End")
        self.d.type(" twice")
        window.click(UPDATE_REMINDER)
        self.d.key("ctrl+s")
        wait_for("the edited note", lambda: window.reminders(today())[0]["note"] == "take the pill twice")
        self.assertEqual([w for w in app.windows().values() if w == "Message"], [])

        # A note typed and never saved fires as typed.
        window.set_time(hhmmss(due))
        window.click(ADD_REMINDER)
        window.click(REMINDER_NOTE)
        self.d.type("typed, not saved")
        alert = app.window("^Reminder active - " + hhmmss(due) + "$", due - time.time() + 20)
        app.focus("^Reminder active")
        x, y = app.client_point(alert, 70, 363)
        self.assertEqual(self.d.copy_text_at(x, y).strip(), "typed, not saved")
        self.d.key("Escape")
        app.gone("^Reminder active")


if __name__ == "__main__":
    main()
