"""The tray menu's "Export to iCalendar..." writes the folder's reminders as
one .ics file; "Import iCalendar..." takes another program's calendar in and
says what it took, and the window shows the imported reminder on its day."""

import os

from desktop import DesktopTest, ctl, main, today, wait_for

EXPORT_DIALOG = "^Export to iCalendar$"
IMPORT_DIALOG = "^Import iCalendar$"
NOTICE = "^Orlane"


class IcalTest(DesktopTest):
    def tray_command(self, app, downs):
        app.click_tray(button=3)
        wait_for("the tray menu", lambda: len(app.windows()) >= 2)
        self.d.key(*(["Down"] * downs), "Return")

    def notice(self, app, before):
        """Waits for the message box over the dialogs open before; closes it."""
        wait_for("the message box", lambda: len(app.windows()) > before, timeout=30)
        self.d.key("Return")
        wait_for("the message box to close", lambda: len(app.windows()) <= before)

    def test_export_then_import_from_another_program(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "reminders", "add", today(1), "09:00:00", "--note", "Dentist")
        app, window = self.start_unlocked()

        self.tray_command(app, 8)  # "Export to iCalendar..."
        app.focus(EXPORT_DIALOG)
        self.shot("ical_export_dialog")
        self.d.key("Return")
        self.notice(app, 2)
        app.gone(EXPORT_DIALOG)
        exported = os.path.join(self.d.home, "Orlane.ics")
        with open(exported, "rb") as f:
            text = f.read()
        self.assertIn(b"BEGIN:VEVENT", text)
        self.assertIn(b"SUMMARY:Dentist", text)
        self.assertIn(b"BEGIN:VALARM", text)

        phone = os.path.join(self.d.home, "phone.ics")
        day = today(1).replace("-", "")
        with open(phone, "w", newline="") as f:
            f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\n"
                    "BEGIN:VEVENT\r\nUID:lunch@phone\r\nDTSTAMP:20261201T000000Z\r\n"
                    "DTSTART:%sT090000\r\nSUMMARY:Lunch with Ana\r\nEND:VEVENT\r\n"
                    "BEGIN:VFREEBUSY\r\nUID:busy@phone\r\nEND:VFREEBUSY\r\nEND:VCALENDAR\r\n" % day)
        self.tray_command(app, 9)  # "Import iCalendar..."
        app.focus(IMPORT_DIALOG)
        self.d.type(phone)
        self.d.key("Return")
        app.gone(IMPORT_DIALOG)
        wait_for("the summary", lambda: len(app.windows()) >= 2, timeout=30)
        self.shot("ical_import_summary")
        self.d.key("Return")
        _, listed = ctl(self.d, "reminders", "list", today(1))
        self.assertIn("09:00:00", listed)
        self.assertIn("09:00:01", listed)
        self.assertIn("Lunch with Ana", listed)
        self.assertIn("Dentist", listed)
        self.assertTrue(app.running())


if __name__ == "__main__":
    main()
