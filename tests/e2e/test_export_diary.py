"""The tray menu's "Export diary...": the shown month's pages as one Markdown
book, with each day's heading and its words, and the outcome told."""

import datetime
import os

from desktop import DesktopTest, ctl, main, wait_for

DIALOG = "^Export diary$"


class ExportDiaryTest(DesktopTest):
    def test_the_shown_month_as_markdown(self):
        ctl(self.d, "user-file", "init", "")
        today = datetime.date.today()
        other = today.replace(day=1) if today.day != 1 else today.replace(day=2)
        for day, words in ((today, "Walked to the lake"), (other, "Read a book")):
            path = os.path.join(self.d.root, "page-%s.rtf" % day.isoformat())
            with open(path, "w") as f:
                f.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 %s\\par}" % words)
            ctl(self.d, "diary", "import", day.isoformat(), path)
        app, window = self.start_unlocked()
        app.click_tray(button=3)
        wait_for("the tray menu", lambda: len(app.windows()) >= 2)
        self.d.key(*(["Down"] * 6), "Return")  # "Export diary..."
        app.focus(DIALOG)
        self.shot("export_diary_dialog")
        self.d.key("Return")  # Export: the shown month, Markdown, ~/Diary.md
        wait_for("the outcome", lambda: len(app.windows()) >= 3, timeout=60)
        self.d.key("Return")
        app.gone(DIALOG, 30)
        with open(os.path.join(self.d.home, "Diary.md"), encoding="utf-8") as f:
            book = f.read()
        self.assertIn("Walked to the lake", book)
        self.assertIn("Read a book", book)
        first, last = ("Read a book", "Walked to the lake") if other < today else ("Walked to the lake", "Read a book")
        self.assertLess(book.index(first), book.index(last), "oldest first")
        self.assertTrue(app.running())


if __name__ == "__main__":
    main()
