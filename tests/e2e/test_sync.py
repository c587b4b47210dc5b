"""The window synchronised with a real Radicale server (every minute), the
other device being python3-caldav: the password is asked once, a reminder
added on the server appears in the day and fires at its second, and a
reminder added in the window reaches the server."""

import os
import sys
import time

try:
    import caldav  # noqa: F401  (the distribution's, with Radicale)
except ImportError:
    if os.path.exists("/usr/bin/python3") and sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    print("python3-caldav is not installed")
    sys.exit(77)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "caldav"))
import radicale_server  # noqa: E402
from desktop import ADD_REMINDER, REMINDER_NOTE, DesktopTest, MainWindow, ctl, main, today, wait_for  # noqa: E402
from radicale_server import PASSWORD, USER, event  # noqa: E402

PASSWORD_DIALOG = "^Calendar password$"
SERVER_DIALOG = "^Calendar server$"


class SyncTest(DesktopTest):
    def test_server_and_window_meet(self):
        server = radicale_server.Radicale().start()
        self.addCleanup(server.close)
        phone = server.make_calendar("Work")
        ctl(self.d, "user-file", "init", "")
        self.d.env["ORLANE_SYNC_PASSWORD"] = PASSWORD
        ctl(self.d, "sync", "setup", server.url, USER, "--calendar", "Work")
        del self.d.env["ORLANE_SYNC_PASSWORD"]  # the window asks, as there is no keyring here
        ctl(self.d, "settings", "set", "sync_minutes", "1")

        due = int(time.time()) + 100  # after the first sync and the typing below, even on a slow machine
        if time.strftime("%Y-%m-%d", time.localtime(due + 300)) != today():
            self.skipTest("too close to midnight")
        hhmmss = time.strftime("%H:%M:%S", time.localtime(due))
        phone.save_event(event("phone-1", time.strftime("%Y%m%dT%H%M%S", time.localtime(due)), "From the phone"))

        app = self.start()
        app.focus(PASSWORD_DIALOG, 30)
        self.shot("sync_password")
        self.d.type(PASSWORD)
        self.d.key("Return")
        app.gone(PASSWORD_DIALOG)
        window = MainWindow(app)
        window.focus()
        wait_for("the server's reminder in its day file",
                 lambda: any(r["note"] == "From the phone" for r in window.reminders(today())), timeout=60)
        self.assertEqual([r["time"] for r in window.reminders(today()) if r["note"] == "From the phone"], [hhmmss])

        added = time.strftime("%H:%M:%S", time.localtime(due + 300))
        window.focus()
        window.set_time(added)
        window.click(ADD_REMINDER)
        window.click(REMINDER_NOTE)
        self.d.type("Typed in the window")
        self.d.key("ctrl+s")
        wait_for("the window's reminder on the server",
                 lambda: any("Typed in the window" in e.data for e in phone.events()), timeout=60)

        alert = app.window("^Reminder active - " + hhmmss + "$", due - time.time() + 30)
        late = time.time() - due
        self.assertLess(late, 3.0, "the alert came %.1f s after its second" % late)
        self.assertTrue(alert)
        self.shot("sync_alert")
        self.assertEqual(list(w for w in app.windows().values() if w == "Calendar password"), [],
                         "the password is asked once")


    def test_set_up_in_the_config_dialog(self):
        server = radicale_server.Radicale().start()
        self.addCleanup(server.close)
        phone = server.make_calendar("Work")
        server.make_calendar("Private")
        phone.save_event(event("phone-2", today().replace("-", "") + "T235900", "Late one"))
        ctl(self.d, "user-file", "init", "")
        app, window = self.start_unlocked()
        self.d.key("ctrl+g")
        app.focus("^Config$")
        self.d.key("alt+m")  # "More >>"
        self.d.key("alt+s")  # "Server..."
        app.focus(SERVER_DIALOG)
        self.d.type(server.url)
        self.d.key("Tab")
        self.d.type(USER)
        self.d.key("Tab")
        self.d.type("wrong")
        self.d.key("Tab")
        self.d.type("Work")
        self.d.key("alt+t")  # "Test connection": refused, the dialog stays
        time.sleep(2)
        self.assertTrue(app.shown(SERVER_DIALOG))
        self.shot("sync_server_refused")
        dialog = app.focus(SERVER_DIALOG)
        app.click_client(dialog, 200, 104)  # the password field
        self.d.key("ctrl+a")
        self.d.type(PASSWORD)
        self.shot("sync_server_retyped")
        self.d.key("Return")  # OK: found and kept
        app.focus("^Message$", 30)  # no keyring here: the password is asked at each start
        self.d.key("Return")
        app.gone(SERVER_DIALOG, 30)
        wait_for("the server's reminder in its day file",
                 lambda: any(r["note"] == "Late one" for r in window.reminders(today())), timeout=60)
        self.assertFalse(app.shown(PASSWORD_DIALOG), "the typed password is used, not asked again")
        app.focus("^Config$")
        self.d.key("alt+o")
        app.gone("^Config$")


if __name__ == "__main__":
    main()
