"""What a screen reader meets, over the real accessibility bus: the board as a
7 by 7 table whose every cell knows its row and column; cells that take input
and read-only ones; keys and presses whose changes are said as a reader says
them (the new values, a corner turning right or wrong, the targets on T); set-up
mode's corners to set; questions past the board; a message box read and
answered. Prints the board's first row as a screen reader sees it."""
import os
import subprocess
import sys

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from atspi import fail, find, fresh_name, game, message_box, pump, states  # noqa: E402

said = []  # every notification the game shows, as a screen reader speaks it on appearing
pyatspi.Registry.registerEventListener(
    lambda e: said.append(e.source.name) if e.detail1 and e.source.getRoleName() == "notification" else None,
    "object:state-changed:showing")
# Qt asks which events anyone listens for when it starts; the game starts only
# once this listener is on the bus, or its changes may never be sent.
if os.environ.get("QUORVEX_READY_FILE"):
    open(os.environ["QUORVEX_READY_FILE"], "w").close()

app, frame, board = game()
table = board.queryTable()
if (table.nRows, table.nColumns) != (7, 7):
    fail("table is %dx%d" % (table.nRows, table.nColumns))

# Every cell is where it says it is, by the table's index and by its name.
for row in range(7):
    for column in range(7):
        cell = table.getAccessibleAt(row, column)
        at = cell.getIndexInParent()
        if (table.getRowAtIndex(at), table.getColumnAtIndex(at), at) != (row, column, row * 7 + column) or \
                cell.getRoleName() != "table cell" or not cell.name.startswith("Row %d, column %d: " % (row + 1, column + 1)):
            fail("cell at %d,%d: index %d gives %d,%d, %s %r" % (row, column, at, table.getRowAtIndex(at),
                                                                   table.getColumnAtIndex(at), cell.getRoleName(), cell.name))
print("all 49 cells report their own row and column")


def actions(obj):
    try:
        a = obj.queryAction()
        return [a.getName(i) for i in range(a.nActions)]
    except NotImplementedError:
        return []


print("Row 1 as a screen reader sees it:")
for column in range(7):
    cell = table.getAccessibleAt(0, column)
    print("  [%s] %r, %r, %s, actions %s" % (cell.getRoleName(), cell.name, cell.description,
                                            "takes input" if "editable" in states(cell) else "read only", actions(cell)))
for column, role, takes in ((0, "given corner", False), (1, "operator", True), (2, "number to fill in", True),
                            (5, "equals sign", False), (6, "given corner", False)):
    cell = table.getAccessibleAt(0, column)
    s = states(cell)
    if cell.description != role or ("editable" in s) != takes or ("read only" in s) == takes:
        fail("row 1, column %d: %r %s" % (column + 1, cell.description, sorted(s)))

# A reader may ask about any row and column, on the board or past it: every
# answer is a safe one, and the game goes on.
for k in (7, 49, -1, 2 ** 31 - 1, -2 ** 31):
    for name, args in (("getRowExtentAt", (k, 0)), ("getColumnExtentAt", (0, k)), ("isSelected", (k, k)),
                       ("getRowColumnExtentsAtIndex", (k,)), ("getRowDescription", (k,)), ("getIndexAt", (0, k)),
                       ("getColumnDescription", (k,)), ("getAccessibleAt", (k, 0)), ("getRowHeader", (k,))):
        try:
            getattr(table, name)(*args)
        except Exception:
            pass  # an error reply is a safe answer too; only a crash is not
if table.getRowDescription(6) != "Row 7" or table.nRows != 7:
    fail("the game stopped answering after questions past the board")
print("questions past the board answered; the game goes on")

if find(frame, lambda o: o.getRoleName() == "label" and o.name == "Get corner numbers right"
        and "showing" in states(o)) is None:
    fail("the label 'Get corner numbers right' is not readable")


def focused():
    return next((table.getAccessibleAt(r, c) for r in range(7) for c in range(7)
                 if "focused" in states(table.getAccessibleAt(r, c))), None)


def keys(*names, hear=None):
    """Types keys into the game; with `hear`, waits for the game to say
    something that starts with it."""
    del said[:]
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(names), check=True)
    if hear is not None and not pump(10, lambda: any(t.startswith(hear) for t in said)):
        fail("after %s: heard %r, not %r" % (" ".join(names), said, hear))
    pump(0.3, lambda: False)
    return list(said)


# The keys go to the game's window; the cursor starts on the given corner.
window = subprocess.run(["xdotool", "search", "--name", "^Puzzle Number"], capture_output=True, text=True).stdout.split()[0]
subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
if not pump(10, lambda: focused() is not None and focused().name.startswith("Row 1, column 1: ")):
    fail("the cursor is not on row 1, column 1")
keys("Right", "asterisk", hear="Row 1, column 2: times")
print("a key on an operator said %r" % said[-1])
keys("Right", "1", hear="Row 1, column 3: 1")
keys("Right", "asterisk", hear="Row 1, column 4: times")
# Row 1 now gives the given top-left number times one times one: the top right corner changes.
heard = keys("Right", "1", hear="Row 1, column 5: 1. Top right corner ")
print("a number that completes row 1 said %r" % heard[-1])
# Right from column 5 skips the "=" and rests on the result, read-only: a digit changes nothing.
keys("Right")
corner = table.getAccessibleAt(0, 6)
before = fresh_name(corner)
if "focused" not in states(corner) or "read only" not in states(corner):
    fail("the cursor did not rest on the top right corner as a read-only cell: %s" % sorted(states(corner)))
if keys("7") or fresh_name(corner) != before:
    fail("a digit on a result changed it or said something: %r" % fresh_name(corner))
heard = keys("t", hear="Targets: top left ")
print("T said %r" % heard[-1])
heard = keys("t", hear="Targets: top left ")  # the same sentence again when asked again


def press(role, name):
    # A menu's items are pressed without opening it, as screen readers do.
    obj = find(frame, lambda o: o.getRoleName() == role and o.name == name
               and (role == "menu item" or "showing" in states(o)))
    if obj is None:
        fail("no %s %r on view" % (role, name))
    pump(10, lambda: "sensitive" in states(obj))
    obj.queryAction().doAction(0)


# Set-up mode: the four corners are the corners to set and the only stops.
press("menu item", "Set a Puzzle for computer to solve")
top_left = table.getAccessibleAt(0, 0)
if not pump(10, lambda: "editable" in states(top_left) and fresh_name(top_left) == "Row 1, column 1: ?"):
    fail("set-up mode did not open the corner: %r %s" % (fresh_name(top_left), sorted(states(top_left))))
if top_left.description != "corner to set" or table.getAccessibleAt(6, 6).description != "corner to set":
    fail("set-up corners are %r" % top_left.description)
for key, row, column in (("Right", 0, 6), ("Down", 6, 6), ("Left", 6, 0), ("Up", 0, 0)):
    keys(key)
    if not pump(5, lambda: "focused" in states(table.getAccessibleAt(row, column))):
        fail("%s did not lead to the corner at row %d, column %d" % (key, row + 1, column + 1))
print("in set-up mode the arrows go round the four corners")
top_left.queryAction().doAction(0)
if not pump(10, lambda: fresh_name(top_left) == "Row 1, column 1: 1"):
    fail("the corner reads %r after a press" % fresh_name(top_left))
press("push button", "Solve Puzzle")
if not pump(10, lambda: message_box(app, "set corner numbers first") is not None):
    fail("no message box titled Quorvex saying 'set corner numbers first'")
box = message_box(app, "set corner numbers first")
print("a message box titled %r says 'set corner numbers first'" % box.name)
# While it is open, presses on the board and the menus reach nothing.
top_left.queryAction().doAction(0)
press("menu item", "End computer solution mode")
press("menu item", "Exit")
pump(1, lambda: False)
if fresh_name(top_left) != "Row 1, column 1: 1" or message_box(app, "set corner numbers first") is None:
    fail("a press went past the message box: the corner reads %r" % fresh_name(top_left))
print("presses on a cell and on menu items while it is open changed nothing")
ok = find(box, lambda o: o.getRoleName() == "push button" and o.name == "OK")
ok.queryAction().doAction(0)
if not pump(10, lambda: message_box(app, "set corner numbers first") is None):
    fail("the message box stayed open after OK")
print("answered OK; the box is gone")
if fresh_name(top_left) != "Row 1, column 1: 1" or \
        find(frame, lambda o: o.getRoleName() == "menu item" and o.name == "End computer solution mode") is None:
    fail("after the box the game is not in set-up mode with corner 1 at 1: %r" % fresh_name(top_left))
press("menu item", "Exit")
