"""Diary pages as a person edits them: text pasted after an attached file stays
text, a copy holds no object marks, the font size box hands the keys back to
the page, an empty day starts from the plain format, and a LibreOffice page
with a table, a link, a footnote and a picture goes back to LibreOffice whole."""

import base64
import os
import shutil
import struct
import subprocess
import zlib

from desktop import DATE_PICKER, DIARY_EDITOR, MODE_DIARY, DesktopTest, ctl, main, today, wait_for

ATTACH_FILE, INSERT_PICTURE, FONT_SIZE = 126, 106, 102


def png(width, height, rgb):
    rows = b"".join(b"\x00" + bytes(rgb) * width for _ in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def writer_page():
    """A Writer page in flat XML: heading, link, footnote, 2 x 2 table, bullets, picture."""
    picture = base64.b64encode(png(16, 12, (220, 20, 20))).decode()
    return """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:xlink="http://www.w3.org/1999/xlink"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.text"><office:body><office:text>
<text:h text:outline-level="1">Trip heading</text:h>
<text:p>See <text:a xlink:type="simple" xlink:href="https://example.org/trip">the trip site</text:a> for more.<text:note
 text:id="n1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p>Footnote
 words here.</text:p></text:note-body></text:note></text:p>
<table:table table:name="T1"><table:table-column table:number-columns-repeated="2"/>
<table:table-row><table:table-cell><text:p>A1 cell</text:p></table:table-cell><table:table-cell><text:p>B1 cell</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell><text:p>A2 cell</text:p></table:table-cell><table:table-cell><text:p>B2 cell</text:p></table:table-cell></table:table-row>
</table:table>
<text:list><text:list-item><text:p>First bullet</text:p></text:list-item><text:list-item><text:p>Second bullet</text:p></text:list-item></text:list>
<text:p>Picture: <draw:frame draw:name="P1" text:anchor-type="as-char" svg:width="0.4cm" svg:height="0.3cm"><draw:image><office:binary-data>%s</office:binary-data></draw:image></draw:frame> end.</text:p>
</office:text></office:body></office:document>
""" % picture


def bmp(width, height, rgb):
    row = bytes(reversed(rgb)) * width + b"\x00" * ((4 - width * 3 % 4) % 4)
    pixels = row * height
    return (b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels)


def day_of(key):
    """The date of a day file name's key (hex year, month, day)."""
    return "%04d-%02d-%02d" % (int(key[0:4], 16), int(key[4:6], 16), int(key[6:8], 16))


class DiaryPagesTest(DesktopTest):
    def file(self, name, data):
        path = os.path.join(self.d.root, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def choose_file(self, app, window, button, path):
        """Presses a button that asks for a file and names the file in the dialog."""
        window.click(button)
        dialog = wait_for("the file dialog", lambda: next(
            (w for w, t in app.windows().items() if w != window.wid), None), 20)
        app.focus("^" + self.d.title(dialog) + "$")
        self.d.type(path)
        self.d.key("Return")
        wait_for("the file dialog to close", lambda: dialog not in app.windows(), 20)
        window.focus()

    def set_clipboard(self, text):
        proc = subprocess.Popen(["xclip", "-selection", "clipboard", "-i"], env=self.d.env, stdin=subprocess.PIPE,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        proc.communicate(text.encode())
        wait_for("the clipboard", lambda: self.d.clipboard() == text)

    def diary_days(self):
        return sorted(day_of(n[:8]) for n in os.listdir(self.d.user) if n.endswith(".dia"))

    def test_paste_after_an_attached_file_stays_text_and_a_copy_has_no_object_marks(self):
        notes = self.file("notes.txt", b"attached bytes\n")
        picture = self.file("dot.bmp", bmp(12, 10, (20, 160, 20)))
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        self.d.type("Before ")
        self.choose_file(app, window, ATTACH_FILE, notes)
        self.set_clipboard("pasted words")
        self.d.key("ctrl+v")
        self.choose_file(app, window, INSERT_PICTURE, picture)
        self.d.type(" end")
        window.step_day("Up")
        window.step_day("Down")
        html = ctl(self.d, "diary", "export", today(), "--format", "html")[1]
        self.assertEqual(html.count("<img"), 2, html)  # the file's icon and the picture
        self.assertIn("pasted words", html)
        self.assertEqual(ctl(self.d, "diary", "export", today(), "--format", "txt")[1].strip(),
                         "Before pasted words end")

        self.d.click(*window.point(DIARY_EDITOR))
        self.d.key("ctrl+a", "ctrl+c")
        copied = wait_for("the page's text on the clipboard",
                          lambda: (lambda t: t if t.startswith("Before") else None)(self.d.clipboard()))
        self.assertEqual(copied, "Before pasted words end")

    def test_font_size_hands_the_keys_back_and_an_empty_day_starts_plain(self):
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        self.d.type("small ")
        window.click(FONT_SIZE)
        self.d.key("End", "Return")  # the largest size, 30
        self.d.type("big")
        window.step_day("Up")
        window.click(DIARY_EDITOR)
        self.d.type("fresh")
        window.step_day("Down")
        wait_for("two diary pages", lambda: len(self.diary_days()) == 2)
        pages = {day: ctl(self.d, "diary", "export", day, "--format", "html")[1] for day in self.diary_days()}
        first = pages.pop(today())
        self.assertIn('font-size:30pt;">big', first)
        self.assertIn("small ", first)
        (other,) = pages.values()
        self.assertIn("fresh", other)
        self.assertNotIn("30pt", other)

    def test_a_libreoffice_page_goes_back_to_libreoffice_whole(self):
        soffice = shutil.which("soffice")
        if not soffice:
            self.skipTest("soffice is not installed")
        profile = "-env:UserInstallation=file://" + os.path.join(self.d.root, "lo-profile")

        def convert(path, target):
            out = os.path.join(self.d.root, "converted")
            subprocess.run([soffice, profile, "--headless", "--convert-to", target, "--outdir", out, path],
                           env=self.d.env, capture_output=True, timeout=180, check=True)
            name = os.path.splitext(os.path.basename(path))[0] + "." + target.split(":")[0]
            with open(os.path.join(out, name), "rb") as f:
                return f.read()

        source = self.file("trip.fodt", writer_page().encode())
        imported = self.file("trip.rtf", convert(source, "rtf"))
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "diary", "import", today(), imported)
        app, window = self.start_unlocked()
        window.click(MODE_DIARY)
        window.click(DIARY_EDITOR)
        self.d.key("ctrl+End")
        self.d.type(" added")
        self.shot("diary-libreoffice-page")
        window.step_day("Up")
        window.step_day("Down")
        exported = self.file("export.rtf", ctl(self.d, "diary", "export", today(), "--format", "rtf")[1].encode())
        html = convert(exported, "html:XHTML Writer File").decode()
        self.assertEqual(html.count("<tr"), 2, html)
        self.assertEqual(html.count("<td"), 4)
        for cell in ("A1 cell", "B1 cell", "A2 cell", "B2 cell"):
            self.assertIn(cell, html)
        self.assertIn('href="https://example.org/trip"', html)
        self.assertIn("Footnote words here.", html)
        self.assertIn("<img", html)
        self.assertIn("end. added", html)


if __name__ == "__main__":
    main()
