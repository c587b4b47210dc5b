"""A real Radicale CalDAV server for the tests: started on 127.0.0.1 at a free
port with its own storage folder and one plain htpasswd user, and a second,
independent client (python3-caldav) to change and read the server's side."""

import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

import caldav

USER = "anna"
PASSWORD = "s3cret pass"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Radicale:
    def __init__(self, folder=None, port=None):
        self.folder = folder or tempfile.mkdtemp(prefix="radicale-")
        self.own_folder = folder is None
        self.port = port or free_port()
        self.url = f"http://127.0.0.1:{self.port}/"
        self.process = None

    def start(self):
        storage = os.path.join(self.folder, "collections")
        users = os.path.join(self.folder, "users")
        with open(users, "w") as f:
            f.write(f"{USER}:{PASSWORD}\n")
        config = os.path.join(self.folder, "config")
        with open(config, "w") as f:
            f.write(f"[server]\nhosts = 127.0.0.1:{self.port}\n"
                    f"[auth]\ntype = htpasswd\nhtpasswd_filename = {users}\nhtpasswd_encryption = plain\n"
                    f"[storage]\nfilesystem_folder = {storage}\n"
                    "[rights]\ntype = owner_only\n[logging]\nlevel = warning\n")
        self.process = subprocess.Popen([sys.executable, "-m", "radicale", "--config", config],
                                        stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.folder, "log"), "w"))
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("radicale ended: " + open(os.path.join(self.folder, "log")).read())
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=0.5).close()
                return self
            except OSError:
                time.sleep(0.1)
        raise RuntimeError("radicale did not start")

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        self.process = None

    def close(self):
        self.kill()
        if self.own_folder:
            shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.close()

    # The other client's side.
    def client(self):
        return caldav.DAVClient(self.url, username=USER, password=PASSWORD)

    def make_calendar(self, name):
        return self.client().principal().make_calendar(name=name, cal_id=name.lower())

    def calendar(self, name):
        for cal in self.client().principal().calendars():
            if cal.name == name:
                return cal
        raise KeyError(name)


def event(uid, start, summary):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//other client//EN\r\nBEGIN:VEVENT\r\n"
            f"UID:{uid}\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:{start}\r\nSUMMARY:{summary}\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n")
