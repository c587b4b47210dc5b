"""The tray menu's "Back up now...": the passphrase typed twice, the archive
appears, orlanectl verifies it, and the backup's time is kept. Chosen there,
the backup at exit writes a new archive each time the program ends, which the
same passphrase opens."""

import glob
import os
import re
import subprocess
import time

from desktop import CTL, DesktopTest, ctl, main, today, wait_for

DIALOG = "^Back up$"
QUESTION = "Please select"
PASSPHRASE = "a tray backup"


class BackupTest(DesktopTest):
    def back_up_from_the_tray(self, at_exit=False):
        """Backs up through the tray menu's dialog into the home folder; returns the archive."""
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "reminders", "add", today(1), "09:00:00", "--note", "kept in the backup")
        app, window = self.start_unlocked()
        app.click_tray(button=3)
        wait_for("the tray menu", lambda: len(app.windows()) >= 2)
        self.d.key(*(["Down"] * 7), "Return")  # "Back up now..."
        app.focus(DIALOG)
        self.d.type(PASSPHRASE)
        self.d.key("Tab")
        self.d.type(PASSPHRASE)
        if at_exit:
            self.d.key("Tab", "Tab", "space")  # past "...", onto the check box
        self.shot("backup_dialog_at_exit" if at_exit else "backup_dialog")
        self.d.key("Return")
        archive = os.path.join(self.d.home, "Orlane-backup-%s.orlbak" % time.strftime("%Y-%m-%d"))
        wait_for("the archive", lambda: os.path.exists(archive), timeout=60)
        wait_for("the outcome", lambda: len(app.windows()) >= 3, timeout=60)
        self.d.key("Return")  # "The backup is complete."
        app.gone(DIALOG, 30)
        return app, window, archive

    def verify(self, archive):
        env = dict(self.d.env, ORLANE_BACKUP_PASSPHRASE=PASSPHRASE)
        verified = subprocess.run([CTL, "backup", "verify", archive], env=env, capture_output=True, text=True,
                                  timeout=120)
        self.assertEqual(verified.returncode, 0, verified.stderr)

    def extra_settings(self):
        with open(os.path.join(self.d.user, "OrlaneExtra.ini"), encoding="utf-8") as f:
            return f.read()

    def test_back_up_now_from_the_tray(self):
        app, _, archive = self.back_up_from_the_tray()
        self.verify(archive)
        extra = self.extra_settings()
        stamp = re.search(r"^last_backup=(\d+)$", extra, re.M)
        self.assertIsNotNone(stamp, extra)
        self.assertLess(abs(int(stamp.group(1)) - time.time()), 300)
        self.assertIn("backup_folder=%s\n" % self.d.home, extra)
        self.assertNotIn("auto_backup_key=", extra)
        self.assertTrue(app.running())

    def test_backup_at_each_exit(self):
        autos = lambda: sorted(glob.glob(os.path.join(self.d.home, "Orlane-auto-*.orlbak")))
        app, window, archive = self.back_up_from_the_tray(at_exit=True)
        self.verify(archive)
        extra = self.extra_settings()
        self.assertIn("auto_backup_folder=%s\n" % self.d.home, extra)
        self.assertRegex(extra, r"(?m)^auto_backup_key=argon2id:")
        self.assertNotIn(PASSPHRASE, extra)
        self.assertEqual(autos(), [])
        for run in (1, 2):
            if run == 2:
                time.sleep(1.1)  # the archive's name holds the second
                app, window = self.start_unlocked()
            window.focus()
            self.d.key("Escape")
            app.focus(QUESTION)
            self.d.key("Return")  # "Do you want to exit Orlane?" Yes
            self.assertEqual(app.wait_end(120), 0, app.output())
            self.assertEqual(len(autos()), run)
        for auto in autos():
            self.verify(auto)
        self.assertTrue(os.path.exists(archive), "the backup made by hand stays")


if __name__ == "__main__":
    main()
