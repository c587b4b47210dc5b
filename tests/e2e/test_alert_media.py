"""A reminder with a movie: its alert plays the movie where the clock was
(the program loads its media module only then), and the closed alert leaves
the reminder fired."""

import os
import struct
import time

from desktop import DesktopTest, ctl, main, today, wait_for

MEDIA_CENTRE = (220, 190)  # the middle of the alert's player, in client coordinates
RED = (255, 0, 0)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def write_red_movie(path, width=64, height=48, frames=100, fps=10):
    """An uncompressed AVI of red frames, ten seconds long."""
    frame = bytes((0, 0, 255)) * (width * height)  # bottom-up BGR rows, 4-byte aligned at this width
    avih = struct.pack("<10I4I", 1000000 // fps, len(frame) * fps, 0, 0x10, frames, 0, 1, len(frame),
                       width, height, 0, 0, 0, 0)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 1, fps, 0, frames, len(frame),
                                           0xFFFFFFFF, 0, 0, 0, width, height)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(frame), 0, 0, 0, 0)
    hdrl = b"hdrl" + chunk(b"avih", avih) + chunk(b"LIST", b"strl" + chunk(b"strh", strh) + chunk(b"strf", strf))
    movi = b"movi"
    index = b""
    for _ in range(frames):
        index += b"00db" + struct.pack("<III", 0x10, len(movi), len(frame))
        movi += chunk(b"00db", frame)
    body = b"AVI " + chunk(b"LIST", hdrl) + chunk(b"LIST", movi) + chunk(b"idx1", index)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
    return path


class AlertMediaTest(DesktopTest):
    def test_movie_plays_in_the_alert_and_the_closed_alert_leaves_it_fired(self):
        movie = write_red_movie(os.path.join(self.d.root, "red.avi"))
        due = int(time.time()) + 12
        if time.strftime("%Y-%m-%d", time.localtime(due)) != today():
            self.skipTest("too close to midnight")
        hhmmss = time.strftime("%H:%M:%S", time.localtime(due))
        ctl(self.d, "reminders", "add", today(), hhmmss, "--note", "the movie", "--media", movie)
        app, window = self.start_unlocked()

        alert = app.window("^Reminder active - " + hhmmss + "$", due - time.time() + 30)
        point = app.client_point(alert, *MEDIA_CENTRE)
        wait_for("the movie's red frames in the alert", lambda: self.shot("alert-movie").pixel(*point) == RED, 20)

        app.focus("^Reminder active")
        self.d.key("Escape")
        app.gone("^Reminder active")
        wait_for("the fired reminder to be inactive in its file", lambda: not window.reminders(today())[0]["active"])
        self.assertEqual(window.reminders(today())[0]["media"], movie)


if __name__ == "__main__":
    main()
