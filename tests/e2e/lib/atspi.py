"""What the end-to-end scripts share for reading the game over AT-SPI."""
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds, until):
    """Runs the event loop until `until()` holds or the time is up."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        if until():
            return True
        time.sleep(0.03)
    return until()


def find(root, predicate, depth=0):
    """The first object under `root`, depth first, for which `predicate` holds."""
    if root is None or depth > 12:
        return None
    try:
        if predicate(root):
            return root
        children = [root.getChildAtIndex(i) for i in range(root.childCount)]
    except Exception:
        return None
    for child in children:
        found = find(child, predicate, depth + 1)
        if found is not None:
            return found
    return None


def states(obj):
    return {pyatspi.stateToString(s) for s in obj.getState().getStates()}


def fresh_name(obj):
    obj.clearCache()
    return obj.name


def game():
    """The game's application object, its main frame and its board's table."""
    def named():
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        return next((a for a in apps if a is not None and a.name == "Quorvex"), None)
    if not pump(30, lambda: named() is not None):
        fail("no accessible application named Quorvex on the bus")
    app = named()
    frame = find(app, lambda o: o.getRoleName() == "frame" and o.name.startswith("Puzzle Number"))
    board = find(frame, lambda o: o.getRoleName() == "table" and o.name == "Board")
    if board is None:
        fail("no table named Board in a window titled Puzzle Number")
    return app, frame, board


def message_box(app, text):
    """The open message box titled Quorvex that says `text`, or None."""
    box = find(app, lambda o: o.getRoleName() in ("dialog", "alert") and o.name == "Quorvex"
               and "showing" in states(o))
    if box is None or find(box, lambda o: o.getRoleName() == "label" and o.name == text) is None:
        return None
    return box
