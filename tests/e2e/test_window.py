"""The frameless main window as a window manager sees it: moved by its title
strip with the pointer, its title drawn active while it has the focus, its
message boxes titled, the focus visible in dialogs."""

import time

from desktop import DESKLEAF_TITLE, LOGIN_TITLE, QUESTION, DesktopTest, MainWindow, ctl, main, theme_color, wait_for

DEFAULT_THEME = 6
PRESSED_TEXT, OUTLINE, SHADOW = 7, 4, 3


class WindowTest(DesktopTest):
    def title_colours(self, window):
        """How many title-strip pixels have the active and the inactive text colour."""
        shot = self.d.screenshot()
        left, top = window.app.client_point(window.wid, 29, 0)
        pixels = [shot.pixel(left + i, top + j) for j in range(2, 23) for i in range(0, 70)]
        active = tuple(theme_color(window.rects, DEFAULT_THEME, PRESSED_TEXT))
        inactive = tuple(theme_color(window.rects, DEFAULT_THEME, SHADOW))
        return pixels.count(active), pixels.count(inactive)

    def test_title_strip_drags_with_the_pointer_and_shows_activity(self):
        app, window = self.start_unlocked()
        x0, y0, _, _ = self.d.geometry(window.wid)
        start = app.client_point(window.wid, 300, 12)
        self.d.drag(start[0], start[1], start[0] + 150, start[1] + 90)
        wait_for("the window to follow the pointer",
                 lambda: abs(self.d.geometry(window.wid)[0] - (x0 + 150)) <= 2 and
                 abs(self.d.geometry(window.wid)[1] - (y0 + 90)) <= 2, 10)
        window.focus()
        wait_for("the title in the active colours", lambda: self.title_colours(window)[0] > 0, 5)
        self.d.key("Escape")
        app.focus(QUESTION)
        wait_for("the title in the inactive colours", lambda: self.title_colours(window)[0] == 0, 5)
        self.d.key("Escape")

    def test_opens_clear_of_the_desk_widget_and_where_it_was_left(self):
        app, window = self.start_unlocked()
        wx, wy, ww, wh = self.d.geometry(app.window("^" + DESKLEAF_TITLE + "$"))
        x, y, w, _ = self.d.geometry(window.wid)
        buttons = (x + w - 87, y + 6, 81, 18)  # minimise, hide, maximise, close
        apart = (buttons[0] >= wx + ww or buttons[0] + buttons[2] <= wx or
                 buttons[1] >= wy + wh or buttons[1] + buttons[3] <= wy)
        self.assertTrue(apart, "title buttons %r under the desk widget %r" % (buttons, (wx, wy, ww, wh)))

        start = app.client_point(window.wid, 300, 12)
        self.d.drag(start[0], start[1], start[0] - 120, start[1] + 70)
        wait_for("the window to follow the pointer", lambda: abs(self.d.geometry(window.wid)[1] - (y + 70)) <= 2, 10)
        moved = self.d.geometry(window.wid)[:2]
        window.focus()
        self.d.key("Escape")
        app.focus(QUESTION)
        self.d.key("Return")  # Yes
        self.assertEqual(app.wait_end(), 0)
        with open(self.d.user + "/OrlaneExtra.ini") as f:
            self.assertIn("window_left=", f.read())

        again = MainWindow(self.start())
        self.assertEqual(self.d.geometry(again.wid)[:2], moved)

    def test_message_boxes_carry_titles_and_dialogs_show_the_focus(self):
        ctl(self.d, "user-file", "init", "pw")
        app = self.start()
        login = app.focus(LOGIN_TITLE)
        self.d.type("wrong")
        self.d.key("Return")
        notice = app.focus("Message")
        self.assertTrue(self.d.title(notice))
        self.d.key("Return")
        app.focus(LOGIN_TITLE)
        x, y, _, _ = self.d.geometry(login)
        before = self.d.screenshot()
        self.d.key("Tab")  # from the password to the Help button
        time.sleep(0.5)
        after = self.d.screenshot()
        # The Help button at (30, 108)-(100, 130) of the client area shows a focus frame.
        changed = [(i, j) for j in range(111, 128) for i in range(33, 98)
                   if before.pixel(x + 3 + i, y + 3 + j) != after.pixel(x + 3 + i, y + 3 + j)]
        self.assertTrue(changed, "no visible focus on the Help button")


if __name__ == "__main__":
    main()
