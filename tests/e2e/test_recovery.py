"""Text typed and then lost to a kill is offered back at the next start."""

import os
import signal
import time

from desktop import DIARY_EDITOR, MAIN_TITLE, MODE_DIARY, QUESTION, DesktopTest, MainWindow, ctl, main, today, wait_for


class RecoveryTest(DesktopTest):
    def test_killed_while_typing_then_restored_with_enter(self):
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        self.d.type("typed before the crash")
        recovery = os.path.join(self.d.user, "recovery.dat")
        wait_for("the recovery copy", lambda: os.path.exists(recovery), 15)
        app.proc.send_signal(signal.SIGKILL)
        app.wait_end()
        self.assertEqual(ctl(self.d, "diary", "export", today(), check=False)[0], 1)  # nothing saved

        again = self.start()
        again.focus(QUESTION, 30)
        self.d.key("Return")  # Yes, the default
        restored = MainWindow(again)
        restored.focus()
        self.d.key("ctrl+s")
        wait_for("the restored page on disk",
                 lambda: ctl(self.d, "diary", "export", today(), "--format", "txt", check=False)[1].strip()
                 == "typed before the crash", 10)
        wait_for("the recovery copy to go after the save", lambda: not os.path.exists(recovery), 10)


if __name__ == "__main__":
    main()
