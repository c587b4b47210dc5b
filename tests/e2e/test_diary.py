"""A diary page typed with the keyboard and the format buttons is kept across a
day change and a restart; a page edited back to what its file holds is not
written again."""

import glob
import os
import time

from desktop import BOLD, DIARY_EDITOR, MAIN_TITLE, MODE_DIARY, QUESTION, DesktopTest, MainWindow, ctl, main, today


class DiaryTest(DesktopTest):
    def test_typed_page_with_emphasis_survives_day_change_and_restart(self):
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        self.d.type("plain ")
        self.d.key("ctrl+b")
        self.d.type("strong")
        self.d.key("ctrl+b")
        window.click(BOLD)  # the button leaves the focus in the editor
        self.d.type(" also")
        window.click(BOLD)
        self.d.type(" end")
        window.step_day("Up")
        window.step_day("Down")
        html = ctl(self.d, "diary", "export", today(), "--format", "html")[1]
        # Ctrl+B around "strong", then the B button around " also": one bold run.
        self.assertIn('font-weight:700;">strong also</span>', html)
        self.assertIn("plain ", html)
        self.assertIn(" end", html)

        window.focus()
        self.d.key("Escape")
        window.answer(QUESTION, "Return")
        app.wait_end()
        again = self.start()
        page = MainWindow(again)
        page.focus()
        text = self.d.copy_text_at(*page.point(DIARY_EDITOR))
        self.assertEqual(text.strip(), "plain strong also end")

        [path] = glob.glob(os.path.join(self.d.user, "*.dia"))
        before = os.stat(path)
        page.click(DIARY_EDITOR)
        self.d.key("End")
        self.d.type("x")
        self.d.key("BackSpace")
        page.step_day("Up")
        page.step_day("Down")
        after = os.stat(path)
        self.assertEqual((after.st_ino, after.st_mtime_ns), (before.st_ino, before.st_mtime_ns),
                         "the unchanged page was written again")
        self.assertEqual(self.d.copy_text_at(*page.point(DIARY_EDITOR)).strip(), "plain strong also end")


if __name__ == "__main__":
    main()
