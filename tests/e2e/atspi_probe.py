"""Reads the running orlane program through AT-SPI, as a screen reader does,
and prints JSON. Run with the system's Python (python3-pyatspi) in the
session's environment (DISPLAY, DBUS_SESSION_BUS_ADDRESS):

  atspi_probe.py tree TITLE          the window titled TITLE, every node
  atspi_probe.py press-cell TITLE K  presses cell K of the window's calendar
  atspi_probe.py events SECONDS      how many events reach the bus meanwhile
  atspi_probe.py listen SECONDS      prints "ready", then the focus events seen
"""

import json
import sys

import pyatspi
from gi.repository import GLib

APP_NAME = "orlane"


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == APP_NAME:
            return app
    return None


def window(title):
    app = program()
    if app is None:
        return None
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
            return w
    return None


def describe(node, path):
    states = node.getState()
    entry = {
        "path": path, "role": node.getRoleName(), "name": node.name or "",
        "description": node.description or "",
        "showing": states.contains(pyatspi.STATE_SHOWING),
        "selected": states.contains(pyatspi.STATE_SELECTED),
        "checked": states.contains(pyatspi.STATE_CHECKED),
        "enabled": states.contains(pyatspi.STATE_ENABLED),
        "children": node.childCount,
    }
    if entry["role"] == "table":
        table = node.queryTable()
        entry["rows"], entry["columns"] = table.nRows, table.nColumns
    try:
        entry["value"] = node.queryValue().currentValue
    except NotImplementedError:
        pass
    return entry


def walk(node, path, out):
    out.append(describe(node, path))
    # A combo box's children are its popup's items; the box speaks for them.
    if node.getRoleName() == "combo box":
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, path + [i], out)


def calendar_of(node):
    if node.getRoleName() == "table" and node.childCount >= 42:
        return node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        found = calendar_of(child) if child is not None else None
        if found is not None:
            return found
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "activate"):
            return action.doAction(i)
    return False


def count_events(seconds):
    counted = {}

    def seen(event):
        counted[event.type] = counted.get(event.type, 0) + 1

    pyatspi.Registry.registerEventListener(seen, "object", "window", "focus", "document")
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    return {"total": sum(counted.values()), "types": counted}


def listen_focus(seconds):
    seen = []

    def focused(event):
        if event.type.startswith("object:state-changed:focused") and not event.detail1:
            return
        source = event.source
        seen.append({"type": event.type, "role": source.getRoleName() if source else "",
                     "name": (source.name or "") if source else ""})

    pyatspi.Registry.registerEventListener(focused, "focus", "object:state-changed:focused")
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    GLib.idle_add(lambda: print("ready", flush=True) or False)
    pyatspi.Registry.start()
    return seen


def main():
    command = sys.argv[1]
    if command == "events":
        print(json.dumps(count_events(float(sys.argv[2]))))
        return 0
    if command == "listen":
        print(json.dumps(listen_focus(float(sys.argv[2]))))
        return 0
    w = window(sys.argv[2])
    if w is None:
        print(json.dumps(None))
        return 0
    if command == "tree":
        out = []
        walk(w, [], out)
        print(json.dumps(out))
    elif command == "press-cell":
        table = calendar_of(w)
        print(json.dumps(bool(table is not None and press(table.getChildAtIndex(int(sys.argv[3]))))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
