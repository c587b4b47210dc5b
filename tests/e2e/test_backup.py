"""The tray menu's "Back up now...": the passphrase typed twice, the archive
appears, orlanectl verifies it, and the backup's time is kept."""

import os
import re
import subprocess
import time

from desktop import CTL, DesktopTest, ctl, main, today, wait_for

DIALOG = "^Back up$"
PASSPHRASE = "a tray backup"


class BackupTest(DesktopTest):
    def test_back_up_now_from_the_tray(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "reminders", "add", today(1), "09:00:00", "--note", "kept in the backup")
        app, window = self.start_unlocked()
        app.click_tray(button=3)
        wait_for("the tray menu", lambda: len(app.windows()) >= 2)
        self.d.key(*(["Down"] * 7), "Return")  # "Back up now..."
        app.focus(DIALOG)
        self.shot("backup_dialog")
        self.d.type(PASSPHRASE)
        self.d.key("Tab")
        self.d.type(PASSPHRASE)
        self.d.key("Return")
        archive = os.path.join(self.d.home, "Orlane-backup-%s.orlbak" % time.strftime("%Y-%m-%d"))
        wait_for("the archive", lambda: os.path.exists(archive), timeout=60)
        wait_for("the outcome", lambda: len(app.windows()) >= 3, timeout=60)
        self.d.key("Return")  # "The backup is complete."
        app.gone(DIALOG, 30)
        env = dict(self.d.env, ORLANE_BACKUP_PASSPHRASE=PASSPHRASE)
        verified = subprocess.run([CTL, "backup", "verify", archive], env=env, capture_output=True, text=True,
                                  timeout=120)
        self.assertEqual(verified.returncode, 0, verified.stderr)
        with open(os.path.join(self.d.user, "OrlaneExtra.ini"), encoding="utf-8") as f:
            extra = f.read()
        stamp = re.search(r"^last_backup=(\d+)$", extra, re.M)
        self.assertIsNotNone(stamp, extra)
        self.assertLess(abs(int(stamp.group(1)) - time.time()), 300)
        self.assertIn("backup_folder=%s\n" % self.d.home, extra)
        self.assertTrue(app.running())


if __name__ == "__main__":
    main()
