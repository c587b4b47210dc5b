"""What both calendars (the main window's and the desk widget's) show of the
day files and the holidays, in the running program: holidays downloaded from
a local web site appear in bold at once, a download without the holiday
file's shape is refused, and deleting the day's sound asks first and takes
its mark away in both."""

import datetime
import http.server
import json
import os
import struct
import subprocess
import tempfile
import threading

from desktop import (CTL, DESKLEAF_TITLE, HELP_BUTTON, MODE_SOUND, QUESTION, DesktopTest, ctl, main, theme_color,
                     wait_for)
from test_sound import alsa_config

DESKLEAF = "^" + DESKLEAF_TITLE + "$"
DELETE_SOUND = 119
MONTH_CALENDAR = "calendar"  # as the layout probe names it
# The big widget's calendar: (1, 1) to the right column, 237 x 228 pixels.
LEAF_CALENDAR = (1, 1, 237, 228)


class Site(http.server.ThreadingHTTPServer):
    """The vendor's web site on 127.0.0.1: path -> (status, body)."""

    def __init__(self):
        self.pages = {}

        site = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                status, body = site.pages.get(self.path, (404, b"<html>Not Found</html>"))
                self.send_response(status)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        super().__init__(("127.0.0.1", 0), Handler)
        threading.Thread(target=self.serve_forever, daemon=True).start()

    @property
    def url(self):
        return "http://127.0.0.1:%d" % self.server_address[1]


def cell_rects(width, height):
    """The 42 day cells of a calendar control of this size, as the control lays them out."""
    column, margin, row = (width - 8) // 7, ((width - 8) % 7) // 2 + 4, (height - 46) // 6
    return [(margin + column * (k % 7), 23 + (k // 7) * row,
             column + 1, row + 1) for k in range(42)]


def ink(image, origin, rect, color):
    """How many pixels of a rectangle (relative to origin) have exactly this colour."""
    ox, oy = origin
    x, y, w, h = rect
    return sum(1 for j in range(h) for i in range(w) if image.pixel(ox + x + i, oy + y + j) == color)


def pixels(image, origin, rect):
    ox, oy = origin
    x, y, w, h = rect
    return [image.pixel(ox + x + i, oy + y + j) for j in range(h) for i in range(w)]


def sound_diary(password=b""):
    """A day's sound diary as the program stores it: one second at 8000 Hz, 8 bit."""
    pcm = bytes(128 + (i % 40) - 20 for i in range(8000))
    fmt = struct.pack("<HHIIHHH", 1, 1, 8000, 8000, 1, 8, 0)
    wav = b"RIFF" + struct.pack("<I", 38 + len(pcm)) + b"WAVEfmt " + struct.pack("<I", 18) + fmt + \
        b"data" + struct.pack("<I", len(pcm)) + pcm
    header = password + b"\0" * (32 - len(password))
    return subprocess.run([CTL, "scramble"], input=header + wav, capture_output=True, check=True).stdout


class CalendarMarksTest(DesktopTest):
    def start_with_calendar(self, **kw):
        ctl(self.d, "user-file", "init", "")
        ctl(self.d, "settings", "set", "calendar_shown", "1")
        return self.start_unlocked(**kw)

    def calendars(self, app, window):
        """(origin, rect) of the main window's calendar and the widget's, on the screen."""
        leaf = app.window(DESKLEAF)
        lx, ly, _, _ = self.d.geometry(leaf)
        return [(app.client_point(window.wid, 0, 0), window.rects[MONTH_CALENDAR]),
                ((lx, ly), LEAF_CALENDAR)]

    def test_downloaded_holidays_are_bold_in_both_calendars_and_a_shapeless_one_is_refused(self):
        site = Site()
        self.addCleanup(site.shutdown)
        today = datetime.date.today()
        lines = ["01/01", "New Year"]
        for day in range(1, 32):
            lines += ["%02d/%02d" % (today.month, day), "Feast %d" % day]
        good = ("\r\n".join(lines) + "\r\n").encode()
        path = "/holidays/Holidays_%d.bin" % today.year
        holidays = tempfile.mkdtemp(dir=self.d.root)
        theme = json.loads(ctl(self.d, "settings", "show", "--json")[1])["theme"]
        app, window = self.start_with_calendar(extra_env={
            "ORLANE_VENDOR_URL": site.url, "ORLANE_HOLIDAY_DIR": holidays, "ORLANE_MODAL_ANSWER": "1"})
        text = tuple(theme_color(window.rects, theme, 4))
        places = self.calendars(app, window)

        def day_numbers(image):
            """Ink of the day numbers of the shown month in each calendar."""
            counts = []
            for origin, (cx, cy, cw, ch) in places:
                cells = cell_rects(cw, ch)
                counts.append(sum(ink(image, origin, (cx + x, cy + y, w, h), text) for x, y, w, h in cells[7:28]))
            return counts

        def sync():
            seen = app.output().count("modal CMsgBoxDlg")
            window.click(HELP_BUTTON)
            self.d.key("Down", "Down", "Down", "Down", "Down", "Down", "Return")  # "Synchronize holidays"
            wait_for("the notice", lambda: app.output().count("modal CMsgBoxDlg") > seen)
            return app.output().splitlines()[-1]

        before = day_numbers(self.shot("holidays-before"))
        # An answer that begins like a holiday file but has LF line ends only.
        site.pages[path] = (200, good.replace(b"\r\n", b"\n"))
        self.assertIn("No record found, synchronize failed! -> 1", sync())
        self.assertFalse(os.path.exists(os.path.join(holidays, "Holidays_%d.bin" % today.year)))
        self.assertEqual(day_numbers(self.d.screenshot()), before)

        site.pages[path] = (200, good)
        self.assertIn("Holidays synchronized successfully! -> 1", sync())
        with open(os.path.join(holidays, "Holidays_%d.bin" % today.year), "rb") as f:
            self.assertEqual(f.read(), good)
        # Every day of the month is a holiday now: its numbers are drawn in bold, in both calendars.
        after = wait_for("bold day numbers", lambda: (lambda now: all(a > b * 1.15 for a, b in zip(now, before))
                                                        and now)(day_numbers(self.shot("holidays-bold"))))
        self.assertEqual(len(after), 2)

    def test_deleting_the_days_sound_asks_first_and_takes_its_mark_away_in_both_calendars(self):
        key = ctl(self.d, "daykey", datetime.date.today().isoformat())[1].strip()
        rec = os.path.join(self.d.user, key + ".rec")
        with open(rec, "wb") as f:
            f.write(sound_diary())
        # A sound card that plays into a file, so that the day's sound opens.
        app, window = self.start_with_calendar(extra_env={"ALSA_CONFIG_PATH": alsa_config(self.d.root)})
        window.click(MODE_SOUND)
        places = self.calendars(app, window)
        marked = [pixels(self.shot("sound-marked"), origin, rect) for origin, rect in places]

        # Return takes the default answer, No: the sound and its marks stay.
        window.click(DELETE_SOUND)
        window.answer(QUESTION, "Return")
        self.assertTrue(os.path.exists(rec))
        self.assertEqual([pixels(self.d.screenshot(), o, r) for o, r in places], marked)

        window.click(DELETE_SOUND)
        app.focus(QUESTION)
        self.d.key("shift+Tab", "space")  # "Yes"
        wait_for("the sound diary to go", lambda: not os.path.exists(rec))
        wait_for("both calendars without the mark", lambda: all(
            pixels(self.d.screenshot(), o, r) != m for (o, r), m in zip(places, marked)))
        self.shot("sound-deleted")
        self.assertEqual(ctl(self.d, "sound", "export", datetime.date.today().isoformat(), os.devnull,
                             check=False)[0], 1)


if __name__ == "__main__":
    main()
