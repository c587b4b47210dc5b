"""orlanectl sync against a real Radicale server, with python3-caldav as the
other device: reminders pushed are seen there; that device's edit, addition
and deletion come into the day files at the next sync; a reminder changed on
both sides exists twice afterwards; a sync cut short by a killed server loses
nothing and finishes at the next run."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import radicale_server  # noqa: E402
from radicale_server import PASSWORD, USER, event  # noqa: E402

CTL = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORLANE_CTL", "orlanectl")


class TwoWaySync(unittest.TestCase):
    def setUp(self):
        self.server = radicale_server.Radicale().start()
        self.addCleanup(self.server.close)
        self.phone = self.server.make_calendar("Work")
        self.folder = tempfile.mkdtemp(prefix="orlane-sync-")
        self.addCleanup(subprocess.run, ["rm", "-rf", self.folder])
        self.env = dict(os.environ, ORLANE_SYNC_PASSWORD=PASSWORD, ORLANE_USER_DIR=self.folder)
        self.ctl("user-file", "init", "")
        self.ctl("sync", "setup", self.server.url, USER, "--calendar", "Work")

    def ctl(self, *args, code=0):
        done = subprocess.run([CTL, *args], env=self.env, capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, code, "orlanectl %s\n%s%s" % (" ".join(args), done.stdout, done.stderr))
        return done.stdout + done.stderr

    def listed(self, date):
        return self.ctl("reminders", "list", date)

    def summaries(self):
        return sorted(str(e.icalendar_component["summary"]) for e in self.phone.events())

    def test_both_ways_conflicts_and_a_killed_server(self):
        self.ctl("reminders", "add", "2026-12-09", "08:30:00", "--note", "Dentist")
        self.ctl("reminders", "add", "2026-12-09", "12:00:00", "--note", "Lunch")
        self.ctl("reminders", "add", "2026-12-10", "07:00:00", "--note", "Gym", "--every", "week")
        self.assertIn("3 sent", self.ctl("sync"))
        self.assertEqual(self.summaries(), ["Dentist", "Gym", "Lunch"])
        self.assertIn("0 received, 0 sent", self.ctl("sync"))  # nothing changed: nothing moves

        # The phone edits one, adds one, deletes one.
        dentist = next(e for e in self.phone.events() if "Dentist" in e.data)
        dentist.data = dentist.data.replace("SUMMARY:Dentist", "SUMMARY:Dentist moved").replace(
            "DESCRIPTION:Dentist", "DESCRIPTION:Dentist moved")
        dentist.save()
        self.phone.save_event(event("phone-1", "20261211T180000", "Choir"))
        next(e for e in self.phone.events() if "Lunch" in e.data).delete()
        said = self.ctl("sync")
        self.assertIn("2 received", said)
        self.assertIn("1 deleted here", said)
        day = self.listed("2026-12-09")
        self.assertIn("Dentist moved", day)
        self.assertNotIn("Lunch", day)
        self.assertIn("18:00:00", self.listed("2026-12-11"))
        self.assertIn("Choir", self.listed("2026-12-11"))
        self.assertIn("Gym", self.listed("2026-12-17"))

        # Changed on both sides between two syncs: both versions stay.
        choir = next(e for e in self.phone.events() if "Choir" in e.data)
        choir.data = choir.data.replace("SUMMARY:Choir", "SUMMARY:Choir at eight")
        choir.save()
        self.ctl("reminders", "remove", "2026-12-11", "18:00:00")
        self.ctl("reminders", "add", "2026-12-11", "18:00:00", "--note", "Choir, bring music")
        said = self.ctl("sync")
        self.assertIn("kept beside yours: 2026-12-11 18:00:01", said)
        day = self.listed("2026-12-11")
        self.assertIn("Choir, bring music", day)
        self.assertIn("Choir at eight", day)
        self.assertIn("Choir, bring music", " ".join(self.summaries()))
        self.assertIn("Choir at eight", " ".join(self.summaries()))

        # Moved here to another time: the same resource moves, nothing is deleted.
        before = len(self.phone.events())
        self.ctl("reminders", "remove", "2026-12-09", "08:30:00")
        self.ctl("reminders", "add", "2026-12-09", "10:15:00", "--note", "Dentist moved")
        said = self.ctl("sync")
        self.assertIn("1 sent, 0 deleted here, 0 deleted on the server", said)
        self.assertEqual(len(self.phone.events()), before)
        moved = [e for e in self.phone.events() if "Dentist moved" in e.data]
        self.assertEqual(len(moved), 1)
        self.assertEqual(moved[0].icalendar_component.decoded("dtstart").strftime("%H:%M"), "10:15")

        # A killed server: the sync fails with the reason, nothing is lost, the next run finishes.
        self.ctl("reminders", "add", "2026-12-12", "09:00:00", "--note", "Offline one")
        self.server.kill()
        said = self.ctl("sync", code=5)
        self.assertTrue(said.strip(), "the failure is said")
        self.assertIn("Offline one", self.listed("2026-12-12"))
        self.server.start()
        self.assertIn("1 sent", self.ctl("sync"))
        self.assertIn("Offline one", self.summaries())
        self.assertIn("0 received, 0 sent", self.ctl("sync"))

    def test_diary_pages_as_journals(self):
        page = os.path.join(self.folder, "..", "page-%d.rtf" % os.getpid())
        with open(page, "wb") as f:
            f.write(rb"{\rtf1\ansi{\fonttbl{\f0 Tahoma;}}\f0\fs20 Walked to the lake.\par}")
        self.addCleanup(os.remove, page)
        self.ctl("diary", "import", "2026-12-09", page)
        self.assertIn("1 sent", self.ctl("sync"))
        journals = self.phone.journals()
        self.assertEqual(len(journals), 1)
        self.assertIn("Walked to the lake.", str(journals[0].icalendar_component["description"]))

        # Edited on the phone: the page here becomes that text.
        journal = journals[0]
        journal.icalendar_component["description"] = "Walked to the lake, then home."
        del journal.icalendar_component["x-orlane-rtf"]
        journal.save()
        self.assertIn("1 received", self.ctl("sync"))
        self.assertIn("Walked to the lake, then home.", self.ctl("diary", "export", "2026-12-09", "--format", "txt"))

        # Changed on both sides: ours stays and goes out, the phone's is kept beside it.
        journal = self.phone.journals()[0]
        journal.icalendar_component["description"] = "The phone's version."
        journal.save()
        with open(page, "wb") as f:
            f.write(rb"{\rtf1\ansi{\fonttbl{\f0 Tahoma;}}\f0\fs20 This computer's version.\par}")
        self.ctl("diary", "import", "2026-12-09", page, "--replace")
        said = self.ctl("sync")
        self.assertIn("the diary page of 2026-12-09", said)
        self.assertIn("This computer's version.", self.ctl("diary", "export", "2026-12-09", "--format", "txt"))
        copies = [n for n in os.listdir(self.folder) if ".dia.conflict" in n]
        self.assertEqual(len(copies), 1, os.listdir(self.folder))
        self.assertIn("This computer's version.", str(self.phone.journals()[0].icalendar_component["description"]))

    def test_a_day_that_cannot_be_read_is_not_deleted_on_the_server(self):
        self.ctl("reminders", "add", "2026-12-09", "08:30:00", "--note", "Dentist")
        self.ctl("reminders", "add", "2026-12-10", "09:00:00", "--note", "Gym")
        self.assertIn("2 sent", self.ctl("sync"))
        day = os.path.join(self.folder, "07ea0c09.alm")
        with open(day, "r+b") as f:
            f.truncate(3)  # cut inside the count: nothing of the day can be read
        said = self.ctl("sync")
        self.assertIn("0 deleted on the server", said)
        self.assertEqual(self.summaries(), ["Dentist", "Gym"])
        dentist = next(e for e in self.phone.events() if "Dentist" in e.data)
        dentist.data = dentist.data.replace("SUMMARY:Dentist", "SUMMARY:Dentist at ten")
        dentist.save()
        self.ctl("sync")
        with open(day, "rb") as f:
            self.assertEqual(len(f.read()), 3, "the damaged file is left as it is")

    def test_not_set_up(self):
        os.remove(os.path.join(self.folder, "caldav.dat"))
        self.ctl("sync", code=1)


if __name__ == "__main__":
    unittest.main(verbosity=2)
