"""What a screen reader meets, through the real accessibility bus: the board
as a table of cells with roles, values and input states; a press on a number
and an operator cell with the change announced; the label; and a message box
read and answered. Prints the tree of the board's first row.

Run by screen_reader.sh inside its own session bus; exits non-zero on failure.
"""
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds, until=lambda: False):
    """Runs the event loop until `until()` holds or the time is up."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        if until():
            return True
        time.sleep(0.02)
    return until()


def find(root, predicate, depth=0):
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


def fresh_name(obj):
    obj.clearCache()
    return obj.name


def states(obj):
    s = obj.getState()
    return {pyatspi.stateToString(x) for x in s.getStates()}


def app_named(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name == name:
            return a
    return None


announced = []
pyatspi.Registry.registerEventListener(lambda e: announced.append((e.source, e.type)),
                                       "object:property-change:accessible-name")

app = None
pump(30, lambda: app_named("Quorvex") is not None)
app = app_named("Quorvex")
if app is None:
    fail("no accessible application named Quorvex on the bus")
frame = find(app, lambda o: o.getRoleName() == "frame" and o.name.startswith("Puzzle Number"))
if frame is None:
    fail("no frame titled Puzzle Number")

board = find(frame, lambda o: o.getRoleName() == "table" and o.name == "Board")
if board is None:
    fail("no table named Board")
table = board.queryTable()
if (table.nRows, table.nColumns) != (7, 7):
    fail("table is %dx%d" % (table.nRows, table.nColumns))

print("Row 1 as a screen reader sees it:")
for column in range(7):
    cell = table.getAccessibleAt(0, column)
    try:
        actions = cell.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
    except NotImplementedError:
        names = []
    takes = "takes input" if "editable" in states(cell) else "read only"
    print("  [%s] %r  role=%r  row %d, column %d  %s  actions=%s" % (
        cell.getRoleName(), cell.name, cell.description, table.getRowAtIndex(cell.getIndexInParent()) + 1,
        table.getColumnAtIndex(cell.getIndexInParent()) + 1, takes, names))

expect = {0: ("given corner", False), 1: ("operator", True), 2: ("number to fill in", True), 5: ("equals sign", False)}
for column, (role, takes) in expect.items():
    cell = table.getAccessibleAt(0, column)
    s = states(cell)
    if cell.getRoleName() != "table cell" or cell.description != role:
        fail("row 1, column %d: %s %r" % (column + 1, cell.getRoleName(), cell.description))
    if ("editable" in s) != takes or ("sensitive" in s) != takes or ("read only" in s) == takes:
        fail("row 1, column %d states %s" % (column + 1, sorted(s)))
    if not cell.name.startswith("Row 1, column %d: " % (column + 1)):
        fail("row 1, column %d named %r" % (column + 1, cell.name))

label = find(frame, lambda o: o.getRoleName() == "label" and o.name == "Get corner numbers right"
             and "showing" in states(o))
if label is None:
    fail("the label 'Get corner numbers right' is not readable")

# A press is a left click: the number steps from empty to 1, the operator to plus.
for column, want in ((2, "Row 1, column 3: 1"), (1, "Row 1, column 2: plus")):
    cell = table.getAccessibleAt(0, column)
    del announced[:]
    cell.queryAction().doAction(0)
    if not pump(10, lambda: fresh_name(cell) == want):
        fail("after a press the cell reads %r, not %r" % (fresh_name(cell), want))
    if not pump(5, lambda: any(src == cell for src, _ in announced)):
        fail("no name-change event announced the new value of %r" % want)
    print("pressed, now reads %r (announced)" % want)


def press_menu_item(caption):
    item = find(frame, lambda o: o.getRoleName() == "menu item" and o.name == caption)
    if item is None:
        fail("no menu item %r" % caption)
    actions = item.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press") if "Press" in names else 0)


# Set-up mode, one corner set, Solve Puzzle: the game asks for the other corners.
press_menu_item("Set a Puzzle for computer to solve")
corner = table.getAccessibleAt(0, 0)
if not pump(10, lambda: "editable" in states(corner) and fresh_name(corner) == "Row 1, column 1: ?"):
    fail("set-up mode did not open the corner: %r %s" % (fresh_name(corner), sorted(states(corner))))
corner.queryAction().doAction(0)
if not pump(10, lambda: fresh_name(corner) == "Row 1, column 1: 1"):
    fail("the corner reads %r after a press" % fresh_name(corner))
solve = find(frame, lambda o: o.getRoleName() == "push button" and o.name == "Solve Puzzle" and "showing" in states(o))
if solve is None:
    fail("no Solve Puzzle button on view")
pump(10, lambda: "sensitive" in states(solve))
solve.queryAction().doAction(0)


def message_box():
    return find(app, lambda o: o.getRoleName() in ("dialog", "alert") and o.name == "Quorvex"
                and "showing" in states(o))


if not pump(10, lambda: message_box() is not None):
    fail("no message box titled Quorvex appeared")
box = message_box()
text = find(box, lambda o: o.getRoleName() == "label" and o.name == "set corner numbers first")
if text is None:
    fail("the message box does not read 'set corner numbers first'")
print("message box %r reads %r" % (box.name, text.name))
ok = find(box, lambda o: o.getRoleName() == "push button" and o.name == "OK")
if ok is None:
    fail("the message box has no OK button")
ok.queryAction().doAction(0)
if not pump(10, lambda: message_box() is None):
    fail("the message box stayed open after OK")
print("answered OK; the box is gone")

press_menu_item("Exit")
print("PASS")
