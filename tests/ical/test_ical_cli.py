"""orlanectl ical export and import, read and written by python3-icalendar as
an independent reference: an export of one-off, recurring, inactive and media
reminders and diary pages is a calendar another program reads, with every
reminder's time, note and alarm; imported into an empty folder it gives the
same day files byte for byte; a calendar of another program imports with its
counts said, a taken second moves on, and a second import adds nothing."""

import datetime
import filecmp
import os
import subprocess
import sys
import tempfile
import unittest

import icalendar

CTL = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORLANE_CTL", "orlanectl")
PASSWORD = "ical pw"
PAGE = rb"{\rtf1\ansi{\fonttbl{\f0 Tahoma;}}\f0\fs20 Walked to the \b lake\b0 .\par}"


class Folder:
    def __init__(self, test):
        self.dir = tempfile.mkdtemp(prefix="orlane-ical-")
        test.addCleanup(subprocess.run, ["rm", "-rf", self.dir])
        self.env = dict(os.environ, ORLANE_USER_DIR=self.dir, ORLANE_PASSWORD=PASSWORD)
        self.run("user-file", "init", PASSWORD)

    def run(self, *args, code=0, stdin=None):
        done = subprocess.run([CTL, *args], env=self.env, capture_output=True, timeout=60, input=stdin)
        if done.returncode != code:
            raise AssertionError("orlanectl %s: exit %d, wanted %d\n%s%s" % (
                " ".join(args), done.returncode, code, done.stdout.decode(errors="replace"),
                done.stderr.decode(errors="replace")))
        return done.stdout

    def day_files(self):
        return sorted(n for n in os.listdir(self.dir) if n not in ("user.sav",))


class IcalCommands(unittest.TestCase):
    def test_export_is_read_by_another_program_and_imports_byte_for_byte(self):
        home = Folder(self)
        home.run("reminders", "add", "2026-12-09", "08:30:00", "--note", "Dentist\r\nbring the card")
        home.run("reminders", "add", "2026-12-09", "12:00:00", "--note", "fired one", "--inactive")
        bell = os.path.join(home.dir, "..", "bell-%d.wav" % os.getpid())
        with open(bell, "wb") as f:
            f.write(b"RIFF")
        self.addCleanup(os.remove, bell)
        bell = os.path.abspath(bell)
        home.run("reminders", "add", "2026-12-10", "07:15:00", "--media", bell, "--repeat")
        home.run("reminders", "add", "2026-12-01", "20:00:00", "--note", "pill", "--every", "day")
        home.run("reminders", "add", "2026-11-03", "18:00:00", "--note", "choir", "--every", "week",
                 "--on", "tue,thu", "--until", "2027-06-30")
        page = os.path.join(home.dir, "..", "page-%d.rtf" % os.getpid())
        with open(page, "wb") as f:
            f.write(PAGE)
        self.addCleanup(os.remove, page)
        home.run("diary", "import", "2026-12-09", page)

        text = home.run("ical", "export", "--diary")
        calendar = icalendar.Calendar.from_ical(text)
        events = {str(e["summary"]): e for e in calendar.walk("VEVENT")}
        self.assertEqual(sorted(events), ["Dentist", "Reminder", "choir", "fired one", "pill"])
        dentist = events["Dentist"]
        self.assertEqual(dentist.decoded("dtstart").replace(tzinfo=None), datetime.datetime(2026, 12, 9, 8, 30))
        self.assertEqual(str(dentist["description"]).replace("\r\n", "\n"), "Dentist\nbring the card")
        for e in events.values():
            alarms = e.walk("VALARM")
            self.assertEqual(len(alarms), 1, e["summary"])
            self.assertEqual(str(alarms[0]["action"]), "DISPLAY")
        self.assertEqual(str(events["fired one"]["x-orlane-active"]), "0")
        self.assertEqual(str(events["Reminder"]["x-orlane-media"]), bell)
        self.assertEqual(str(events["Reminder"]["x-orlane-repeat"]), "1")
        self.assertEqual(events["pill"]["rrule"]["freq"], ["DAILY"])
        self.assertEqual(sorted(events["choir"]["rrule"]["byday"]), ["TH", "TU"])
        journals = calendar.walk("VJOURNAL")
        self.assertEqual(len(journals), 1)
        self.assertIn("Walked to the lake.", str(journals[0]["description"]))

        ranged = icalendar.Calendar.from_ical(home.run("ical", "export", "--from", "2026-12-10", "--to", "2026-12-10"))
        self.assertEqual(sorted(str(e["summary"]) for e in ranged.walk("VEVENT")), ["Reminder", "choir", "pill"])
        self.assertEqual(ranged.walk("VJOURNAL"), [])

        empty = Folder(self)
        ics = os.path.join(empty.dir, "..", "export-%d.ics" % os.getpid())
        with open(ics, "wb") as f:
            f.write(text)
        self.addCleanup(os.remove, ics)
        said = empty.run("ical", "import", ics).decode()
        self.assertIn("Imported 3 reminders, 2 recurring reminders, 1 diary page.", said)
        self.assertEqual(home.day_files(), empty.day_files())
        for name in home.day_files():
            self.assertTrue(filecmp.cmp(os.path.join(home.dir, name), os.path.join(empty.dir, name), shallow=False),
                            name)
        again = empty.run("ical", "import", ics).decode()
        self.assertIn("Nothing new was imported.", again)
        self.assertIn("6 items were there already.", again)

    def test_another_programs_calendar_imports_with_its_counts(self):
        cal = icalendar.Calendar()
        cal.add("prodid", "-//Another//Calendar//EN")
        cal.add("version", "2.0")
        meeting = icalendar.Event()
        meeting.add("uid", "meet-1@phone")
        meeting.add("summary", "Standup")
        meeting.add("dtstart", datetime.datetime(2026, 12, 14, 9, 30))
        meeting.add("rrule", {"freq": "weekly", "byday": ["mo"]})
        meeting.add("exdate", datetime.datetime(2026, 12, 21, 9, 30))
        alarm = icalendar.Alarm()
        alarm.add("action", "DISPLAY")
        alarm.add("description", "Standup")
        alarm.add("trigger", datetime.timedelta(minutes=-10))
        meeting.add_component(alarm)
        cal.add_component(meeting)
        birthday = icalendar.Event()
        birthday.add("uid", "bday@phone")
        birthday.add("summary", "Ana's birthday")
        birthday.add("dtstart", datetime.date(2026, 12, 20))
        cal.add_component(birthday)
        clash = icalendar.Event()
        clash.add("uid", "clash@phone")
        clash.add("summary", "Call the bank")
        clash.add("dtstart", datetime.datetime(2026, 12, 20, 9, 0))
        cal.add_component(clash)
        todo = icalendar.Todo()
        todo.add("uid", "todo@phone")
        todo.add("summary", "Pay rent")
        todo.add("due", datetime.datetime(2026, 12, 31, 17, 0))
        cal.add_component(todo)
        journal = icalendar.Journal()
        journal.add("uid", "note@phone")
        journal.add("dtstart", datetime.date(2026, 12, 20))
        journal.add("description", "A quiet day.")
        cal.add_component(journal)
        busy = icalendar.FreeBusy()
        busy.add("uid", "busy@phone")
        cal.add_component(busy)
        text = cal.to_ical().replace(b"END:VCALENDAR", b"BEGIN:X-WEATHER\r\nX-SKY:clear\r\nEND:X-WEATHER\r\nEND:VCALENDAR")

        folder = Folder(self)
        folder.run("reminders", "add", "2026-12-20", "09:00:00", "--note", "already here")
        ics = os.path.join(folder.dir, "..", "phone-%d.ics" % os.getpid())
        with open(ics, "wb") as f:
            f.write(text)
        self.addCleanup(os.remove, ics)
        said = folder.run("ical", "import", ics).decode()
        self.assertIn("Imported 3 reminders, 1 recurring reminder, 1 diary page.", said)
        self.assertIn("2026-12-20 09:00:01, 2026-12-20 09:00:02", said)
        self.assertIn("Not imported: VFREEBUSY busy@phone", said)
        self.assertEqual(said.count("Not imported:"), 2, said)

        listed = folder.run("reminders", "list", "2026-12-20").decode()
        for note in ("already here", "Ana's birthday", "Call the bank"):
            self.assertIn(note, listed)
        self.assertIn("Pay rent", folder.run("reminders", "list", "2026-12-31").decode())
        self.assertIn("Standup", folder.run("reminders", "list", "2026-12-28").decode())
        self.assertNotIn("Standup", folder.run("reminders", "list", "2026-12-21").decode())
        self.assertIn("09:20:00", folder.run("reminders", "list", "2026-12-14").decode())
        self.assertIn(b"A quiet day.", folder.run("diary", "export", "2026-12-20", "--format", "txt"))

    def test_refusals(self):
        folder = Folder(self)
        bad = os.path.join(folder.dir, "..", "bad-%d.ics" % os.getpid())
        with open(bad, "wb") as f:
            f.write(b"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:2026")
        self.addCleanup(os.remove, bad)
        folder.run("ical", "import", bad, code=2)
        folder.run("ical", "import", bad + ".missing", code=5)
        folder.run("ical", "export", "--from", "2026-13-01", code=2)
        folder.run("ical", "export", "--from", "2026-12-02", "--to", "2026-12-01", code=2)
        folder.run("ical", "frobnicate", code=2)
        self.assertEqual(folder.day_files(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
