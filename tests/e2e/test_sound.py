"""The Sound Diary mode in the real program over ALSA's file plugin: a
recording of known samples becomes the day's sound diary, plays to its end,
and comes back with the day.

The capture's input file is a named pipe fed at the pace of a real
microphone (the file plugin itself is not clocked: a plain file would be read
as fast as the disk allows, and silence after its end just as fast)."""

import os
import tempfile
import threading
import time
import wave

from desktop import MODE_SOUND, DesktopTest, MainWindow, ctl, main, today, wait_for

PLAY, STOP, RECORD = 115, 116, 118
SOUND_VIEW = -2

# One second at the default format (8000 Hz, 8 bit): a saw tooth around silence.
FED = bytes(128 + (i % 50) - 25 for i in range(8000))


class Microphone(threading.Thread):
    """Writes FED, then silence at 8000 bytes a second, into the pipe the capture reads."""

    def __init__(self, pipe):
        super().__init__(daemon=True)
        self.pipe = pipe
        self.done = False

    def run(self):
        first = FED
        while not self.done:
            try:
                with open(self.pipe, "wb", buffering=0) as f:  # waits for the capture to open it
                    f.write(first)
                    first = b""
                    while not self.done:
                        f.write(b"\x80" * 80)
                        time.sleep(0.01)
            except BrokenPipeError:
                continue


def alsa_config(root):
    """A headless sound card as in tests/sound/alsa: capture reads in.raw, playback writes out.raw."""
    os.mkfifo(os.path.join(root, "in.raw"))
    path = os.path.join(root, "asoundrc")
    with open(path, "w") as f:
        f.write('pcm.!default {\n  type file\n  slave { pcm { type null } }\n'
                '  file "%s"\n  infile "%s"\n  format "raw"\n}\n'
                % (os.path.join(root, "out.raw"), os.path.join(root, "in.raw")))
    return path


def area(image, rect, offset):
    """The pixels of a client rectangle of a screenshot."""
    x, y, w, h = rect
    ox, oy = offset
    return b"".join(bytes(image.pixel(ox + x + i, oy + y + j)) for j in range(h) for i in range(w))


class SoundTest(DesktopTest):
    def exported(self):
        path = os.path.join(tempfile.mkdtemp(dir=self.d.root), "day.wav")
        ctl(self.d, "sound", "export", today(), path)
        with wave.open(path, "rb") as w:
            self.assertEqual((w.getframerate(), w.getsampwidth(), w.getnchannels()), (8000, 1, 1))
            return w.readframes(w.getnframes())

    def test_record_play_and_day_change(self):
        config = alsa_config(self.d.root)
        microphone = Microphone(os.path.join(self.d.root, "in.raw"))
        microphone.start()
        self.addCleanup(setattr, microphone, "done", True)
        app, window = self.start_unlocked(extra_env={"ALSA_CONFIG_PATH": config})
        window.click(MODE_SOUND)
        origin = app.client_point(window.wid, 0, 0)
        buttons = (window.rect(PLAY)[0], window.rect(PLAY)[1], 6 * 67, 23)
        no_sound = self.shot("sound-empty")

        window.click(RECORD)
        temp = os.path.join(self.d.user, "rec.tmp")
        wait_for("the recording", lambda: os.path.exists(temp) and os.path.getsize(temp) >= len(FED))
        self.shot("sound-recording")
        window.click(STOP)
        pcm = wait_for("the day's sound", lambda: ctl(self.d, "sound", "export", today(), os.devnull,
                                                      check=False)[0] == 0 and self.exported())
        # The fed samples, then the silence of the null device behind the file plugin.
        self.assertEqual(pcm[:len(FED)], FED)
        self.assertEqual(pcm[len(FED):], b"\x80" * (len(pcm) - len(FED)))
        empty = area(no_sound, buttons, origin)
        stopped = wait_for("the stopped buttons", lambda: (lambda now: now != empty and now)(
            area(self.shot("sound-stopped"), buttons, origin)))

        # Play: the whole sound reaches the output, and the buttons return to their stopped states.
        window.click(PLAY)
        played = os.path.join(self.d.root, "out.raw")
        # The file plugin writes whole periods: the last part may stay in its buffer until the output closes.
        wait_for("the sound played", lambda: os.path.exists(played) and os.path.getsize(played) >= len(pcm) - 4000)
        wait_for("the buttons after playing", lambda: area(self.d.screenshot(), buttons, origin) == stopped)
        with open(played, "rb") as f:
            out = f.read()
        self.assertEqual(out, pcm[:len(out)])

        # Another day shows no sound; coming back shows the same waveform.
        view = window.rects[str(SOUND_VIEW)]  # the probe names negative ids as text
        before = area(self.shot("sound-day"), view, origin)
        window.step_day("Up")
        wait_for("the other day's empty view", lambda: area(self.d.screenshot(), view, origin) != before)
        window.step_day("Down")
        wait_for("the day's waveform again", lambda: area(self.d.screenshot(), view, origin) == before)


if __name__ == "__main__":
    main()
