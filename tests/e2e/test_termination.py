"""An end of session saves what was typed, as Exit does, without asking."""

import signal

from desktop import DIARY_EDITOR, MODE_DIARY, DesktopTest, ctl, main, today


class TerminationTest(DesktopTest):
    def test_sigterm_saves_the_typed_page(self):
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        self.d.type("typed before the logout")
        app.proc.send_signal(signal.SIGTERM)
        self.assertEqual(app.wait_end(), 0)
        text = ctl(self.d, "diary", "export", today(), "--format", "txt")[1]
        self.assertEqual(text.strip(), "typed before the logout")


if __name__ == "__main__":
    main()
