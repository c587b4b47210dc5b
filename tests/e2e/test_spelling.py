"""Spell checking in a real window: the misspelled word of a page, and only it,
gets the theme's wave; the first suggestion of its context menu replaces it,
and the day file saved afterwards differs from the one before by that word
alone."""

import os

from desktop import DIARY_EDITOR, MODE_DIARY, DesktopTest, ctl, main, theme_color, today, wait_for

ORANGE = 3  # a theme whose accent stands apart from the greys of smoothed text
ACCENT = 5
PAGE = (r"{\rtf1\ansi\deff0{\fonttbl{\f0 Tahoma;}}\f0\fs36 "
        r"The old lion mistakke here\par}")


def ink(image, rect, test):
    """The screen points inside rect whose colour passes test."""
    x0, y0, w, h = rect
    return [(x, y) for y in range(y0, y0 + h) for x in range(x0, x0 + w) if test(image.pixel(x, y))]


def words(points, gap=5):
    """Column ranges of the text, split where gap blank columns part two words."""
    columns = sorted({x for x, _ in points})
    spans = []
    for x in columns:
        if spans and x - spans[-1][1] <= gap:
            spans[-1][1] = x
        else:
            spans.append([x, x])
    return spans


class SpellingTest(DesktopTest):
    def test_wave_under_the_misspelled_word_only_and_its_correction_changes_only_it(self):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "theme", str(ORANGE))
        page = os.path.join(self.d.root, "page.rtf")
        with open(page, "w") as f:
            f.write(PAGE)
        ctl(self.d, "diary", "import", today(), page, password="")
        imported = ctl(self.d, "diary", "export", today(), password="")[1]
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        # An edit undone by hand: the program writes the page its own way once.
        window.click(DIARY_EDITOR)
        self.d.key("End", "x", "BackSpace", "ctrl+s")
        before = wait_for("the page as the program writes it",
                          lambda: (lambda t: t if t != imported else None)(
                              ctl(self.d, "diary", "export", today(), password="")[1]))

        accent = theme_color(window.rects, ORANGE, ACCENT)
        x, y, w, h = window.rect(DIARY_EDITOR)
        sx, sy = app.client_point(window.wid, x, y)
        editor = (sx + 2, sy + 2, w - 4, h - 4)

        def wavy(p):
            return p[0] - p[2] > 60 and abs(p[0] - accent[0]) < 60

        def dark(p):
            return max(p) < 110

        waves = wait_for("the wave under the misspelled word",
                         lambda: ink(self.shot("spelling-wave"), editor, wavy), 30)
        shot = self.shot("spelling-wave")
        text = ink(shot, editor, dark)
        spans = words(text)
        self.assertEqual(len(spans), 5, "the page's five words on screen: %r" % spans)
        word = spans[3]
        wave_columns = sorted({x for x, _ in waves})
        self.assertGreaterEqual(wave_columns[0], word[0] - 2)
        self.assertLessEqual(wave_columns[-1], word[1] + 2)
        self.assertGreater(len(wave_columns), (word[1] - word[0]) * 0.8, "the wave spans the word")
        text_bottom = max(y for _, y in text)
        self.assertGreaterEqual(min(y for _, y in waves), text_bottom - 4, "the wave lies under the letters")

        # The first suggestion of the context menu replaces the word.
        rows = [y for x, y in text if word[0] <= x <= word[1]]
        self.d.click((word[0] + word[1]) // 2, (min(rows) + max(rows)) // 2, button=3)
        wait_for("the context menu", lambda: len(app.windows()) > 1)
        self.d.key("Down", "Return")
        wait_for("the menu to close", lambda: len(app.windows()) == 1)
        wait_for("no wave left", lambda: not ink(self.shot("spelling-corrected"), editor, wavy), 30)
        window.focus()
        self.d.key("ctrl+s")
        after = wait_for("the corrected page saved",
                         lambda: (lambda t: t if "mistakke" not in t else None)(
                             ctl(self.d, "diary", "export", today(), password="")[1]))
        self.assertEqual(after, before.replace("mistakke", "mistake"))
        self.assertIn("The old lion mistake here",
                      ctl(self.d, "diary", "export", today(), "--format", "txt", password="")[1])


if __name__ == "__main__":
    main()
