"""A second copy tells that the first one runs, raises it and ends."""

import subprocess

from desktop import APP, MINIMIZE, NOTICE, DesktopTest, main, wait_for


class InstanceTest(DesktopTest):
    def test_second_copy_raises_the_first(self):
        app, window = self.start_unlocked()
        window.click(MINIMIZE)
        wait_for("the window to minimise", lambda: not app.windows())
        second = subprocess.Popen([APP], env=self.d.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.d.procs.append(second)
        notice = wait_for("the second copy's notice",
                          lambda: [w for w in self.d.search("--onlyvisible", "--pid", str(second.pid))], 30)[0]
        self.assertEqual(self.d.title(notice), NOTICE)
        self.d.x("xdotool", "windowactivate", "--sync", str(notice), check=False)
        wait_for("the notice to take the focus", lambda: self.d.focused() == notice)
        self.d.key("Return")
        self.assertEqual(second.wait(20), 0)
        self.assertIn("Orlane 2 is running now.", second.stderr.read())
        window.focus()
        self.assertTrue(app.running())


if __name__ == "__main__":
    main()
