"""The sync's protocol layer against a real Radicale server: discovery, a
conditional write seen by another client, that client's edit, addition and
deletion seen through sync-collection and multiget, a stale write refused,
wrong credentials and a killed server said in the program's words."""

import json
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import radicale_server  # noqa: E402
from radicale_server import PASSWORD, USER, event  # noqa: E402

PROBE = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("CALDAV_PROBE", "caldav_probe")
CTL = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORLANE_CTL", "orlanectl")


class ProtocolAgainstRadicale(unittest.TestCase):
    def setUp(self):
        self.server = radicale_server.Radicale().start()
        self.addCleanup(self.server.close)
        self.other = self.server.make_calendar("Work")
        self.server.make_calendar("Private")

    def probe(self, *args, password=PASSWORD, calendar="Work", ok=True):
        done = subprocess.run([PROBE, self.server.url, USER, password, calendar, *args],
                              capture_output=True, text=True, timeout=60)
        result = json.loads(done.stdout)
        self.assertEqual(result["ok"], ok, result)
        return result

    def test_two_clients_meet_through_the_server(self):
        found = self.probe("discover")
        self.assertTrue(found["calendar"].endswith(f"/{USER}/work/"))
        self.assertTrue(found["sync"])

        ics = os.path.join(tempfile.mkdtemp(), "one.ics")
        with open(ics, "w", newline="") as f:
            f.write(event("orlane-1", "20261209T083000", "Dentist"))
        written = self.probe("put", "orlane-1", ics, "")
        self.assertTrue(written["etag"])
        self.assertEqual([e.icalendar_component["summary"] for e in self.other.events()], ["Dentist"])
        self.probe("put", "orlane-1", ics, "", ok=False)  # If-None-Match: already there

        first = self.probe("changes", "")
        self.assertTrue(first["complete"])
        self.assertEqual(list(first["changed"]), [written["href"]])

        theirs = self.other.event_by_uid("orlane-1")
        theirs.data = event("orlane-1", "20261209T093000", "Dentist moved")
        theirs.save()
        self.other.save_event(event("phone-2", "20261210T120000", "Lunch"))
        changes = self.probe("changes", first["token"])
        self.assertFalse(changes["complete"])
        self.assertEqual(len(changes["changed"]), 2)
        fetched = self.probe("fetch", *changes["changed"])
        self.assertEqual(sorted("moved" in r["data"] or "Lunch" in r["data"] for r in fetched["resources"]),
                         [True, True])

        stale = self.probe("put", written["href"], ics, written["etag"], ok=False)
        self.assertTrue(stale["conflict"])

        self.other.event_by_uid("phone-2").delete()
        after_delete = self.probe("changes", changes["token"])
        self.assertEqual(len(after_delete["removed"]), 1)
        fresh_etag = changes["changed"][written["href"]]
        self.probe("remove", written["href"], fresh_etag)
        self.assertEqual(self.other.events(), [])
        self.assertTrue(self.probe("remove", written["href"], fresh_etag)["gone"])

    def test_failures_are_said_in_the_programs_words(self):
        refused = self.probe("discover", password="wrong", ok=False)
        self.assertIn("refused the user name or password", refused["error"])
        missing = self.probe("discover", calendar="Holidays", ok=False)
        self.assertIn('no calendar named "Holidays"', missing["error"])
        self.server.kill()
        offline = self.probe("discover", ok=False)
        self.assertIn("Cannot reach the server", offline["error"])

    def test_setup_from_the_command_line(self):
        user_dir = tempfile.mkdtemp()

        def setup(password, *extra):
            env = dict(os.environ, ORLANE_SYNC_PASSWORD=password, DBUS_SESSION_BUS_ADDRESS="disabled:")
            return subprocess.run([CTL, "--user-dir", user_dir, "sync", "setup", self.server.url, USER, *extra],
                                  capture_output=True, text=True, timeout=60, env=env, stdin=subprocess.DEVNULL)

        refused = setup("wrong", "--calendar", "Work")
        self.assertEqual(refused.returncode, 5, refused.stderr)
        self.assertIn("refused the user name or password", refused.stderr)
        self.assertFalse(os.path.exists(os.path.join(user_dir, "caldav.dat")))
        done = setup(PASSWORD, "--calendar", "Private")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn(f"/{USER}/private/", done.stdout)
        with open(os.path.join(user_dir, "caldav.dat"), "rb") as f:
            stored = f.read()
        self.assertNotIn(PASSWORD.encode(), stored)
        self.assertNotIn(b"private", stored)  # scrambled
        self.assertEqual(setup(PASSWORD, "--calendar", "Holidays").returncode, 5)


if __name__ == "__main__":
    unittest.main()
