"""Every Help button and F1 opens its page through the desktop's opener."""

from desktop import (HELP_BUTTON, LOGIN_TITLE, MODE_DIARY, DesktopTest, MainWindow, ctl, main, wait_for)


class HelpTest(DesktopTest):
    def opened(self, page):
        wait_for("%s to be opened" % page,
                 lambda: any(line.endswith("/help/" + page) for line in self.d.opened()), 15)

    def test_help_pages_open(self):
        ctl(self.d, "user-file", "init", "pw")
        app = self.start()
        login = app.focus(LOGIN_TITLE)
        app.click_client(login, 65, 119)  # Help
        self.opened("login.htm")
        app.focus(LOGIN_TITLE)
        app.click_client(login, 136, 70)  # back into the password
        self.d.type("pw")
        self.d.key("Return")
        window = MainWindow(app)
        window.focus()
        self.d.key("F1")
        self.opened("alarm.htm")
        window.click(MODE_DIARY)
        window.click(HELP_BUTTON)
        self.d.key("Down", "Down", "Return")  # "User manual"
        self.opened("rich.htm")
        window.focus()
        self.d.key("ctrl+g")
        config = app.focus("^Config$")
        _, _, w, _ = self.d.geometry(config)
        app.click_client(config, w - 6 - 202, 459)  # Help
        self.opened("Config.htm")
        app.focus("^Config$")
        app.click_client(config, w - 6 - 85, 340)  # Change Password
        change = app.focus("ChangePass")
        _, _, cw, _ = self.d.geometry(change)
        app.click_client(change, cw - 6 - 202, 151)  # Help
        self.opened("changepass.htm")
        for page in self.d.opened():
            self.assertTrue(page.startswith("file:///"), page)


if __name__ == "__main__":
    main()
