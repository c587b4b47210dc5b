"""Login in a real session: the first password typed twice, a wrong one, Return held down."""

import os

from desktop import LOGIN_TITLE, MAIN_TITLE, DesktopTest, MainWindow, ctl, main, wait_for


class LoginTest(DesktopTest):
    def test_first_start_asks_twice_refuses_a_mismatch_and_reaches_the_main_window(self):
        app = self.start()
        login = app.focus(LOGIN_TITLE)
        self.assertEqual(self.d.geometry(login)[3], 190)  # the confirmation row
        self.d.type("first pw")
        self.d.key("Tab")
        self.d.type("frist pw")
        self.shot("login-first-start")
        self.d.key("Return")
        notice = app.focus("Message")
        self.d.key("Return")
        wait_for("the notice to close", lambda: notice not in app.windows())
        self.assertFalse(os.path.exists(os.path.join(self.d.user, "user.sav")))
        app.focus(LOGIN_TITLE)
        self.d.type("first pw")  # the first field is selected, the second emptied
        self.d.key("Tab")
        self.d.type("first pw")
        self.d.key("Return")
        MainWindow(app).focus()
        self.assertEqual(ctl(self.d, "user-file", "check", "first pw")[0], 0)
        self.assertEqual(list(app.windows().values()), ["Orlane 2"])

    def test_a_wrong_then_the_right_password(self):
        ctl(self.d, "user-file", "init", "right")
        app = self.start()
        app.focus(LOGIN_TITLE)
        self.d.type("wrong")
        self.d.key("Return")
        notice = app.focus("Message")
        self.d.key("Return")
        wait_for("the notice to close", lambda: notice not in app.windows())
        app.focus(LOGIN_TITLE)
        self.d.type("right")  # the wrong text is selected: typing replaces it
        self.d.key("Return")
        MainWindow(app).focus()

    def test_return_held_in_the_login_neither_ends_nor_asks(self):
        ctl(self.d, "user-file", "init", "pw")
        app = self.start()
        app.focus(LOGIN_TITLE)
        self.d.type("pw")
        # A held key: the first press logs in, the repeats reach whatever comes next.
        self.d.key(*["Return"] * 25, delay=40)
        main_window = MainWindow(app)
        main_window.focus()
        self.d.key("Return", "KP_Enter")
        wait_for("the repeats to settle", lambda: True)
        self.assertTrue(app.running())
        self.assertEqual(list(app.windows().values()), ["Orlane 2"])

    def test_a_user_file_the_cipher_refuses_says_parameter_error_before_the_login(self):
        with open(os.path.join(self.d.user, "user.sav"), "wb") as f:
            f.write(b"twelve bytes")
        app = self.start(extra_env={"ORLANE_MODAL_ANSWER": "2"})
        self.assertEqual(app.wait_end(), 0)  # the login was cancelled
        out = app.output()
        self.assertIn("modal ErrorMessageBox [Orlane 2] parameter error -> 2", out)
        self.assertLess(out.index("parameter error"), out.index("modal CLoginDlg [Orlane 2 - Login]"))


if __name__ == "__main__":
    main()
