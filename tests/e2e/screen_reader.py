"""What a screen reader meets, over the real accessibility bus: the board as a
table of cells with roles, values and input states; a press on a number and
an operator cell, each change announced; the label; a message box read and
answered. Prints the board's first row as a screen reader sees it."""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from atspi import fail, find, fresh_name, game, message_box, pump, states  # noqa: E402

announced = []
pyatspi.Registry.registerEventListener(lambda e: announced.append(e.source), "object:property-change:accessible-name")
# Qt asks which events anyone listens for when it starts; the game starts only
# once this listener is on the bus, or its changes may never be sent.
if os.environ.get("QUORVEX_READY_FILE"):
    open(os.environ["QUORVEX_READY_FILE"], "w").close()

app, frame, board = game()
table = board.queryTable()
if (table.nRows, table.nColumns) != (7, 7):
    fail("table is %dx%d" % (table.nRows, table.nColumns))


def actions(obj):
    try:
        a = obj.queryAction()
        return [a.getName(i) for i in range(a.nActions)]
    except NotImplementedError:
        return []


print("Row 1 as a screen reader sees it:")
for column in range(7):
    cell = table.getAccessibleAt(0, column)
    at = cell.getIndexInParent()
    print("  [%s] %r, %r, row %d column %d, %s, actions %s" % (
        cell.getRoleName(), cell.name, cell.description, table.getRowAtIndex(at) + 1,
        table.getColumnAtIndex(at) + 1, "takes input" if "editable" in states(cell) else "read only", actions(cell)))

for column, role, takes in ((0, "given corner", False), (1, "operator", True), (2, "number to fill in", True),
                            (5, "equals sign", False)):
    cell, s = table.getAccessibleAt(0, column), states(table.getAccessibleAt(0, column))
    if cell.getRoleName() != "table cell" or cell.description != role or \
            not cell.name.startswith("Row 1, column %d: " % (column + 1)):
        fail("row 1, column %d: %s %r %r" % (column + 1, cell.getRoleName(), cell.name, cell.description))
    if ("editable" in s) != takes or ("sensitive" in s) != takes or ("read only" in s) == takes:
        fail("row 1, column %d states %s" % (column + 1, sorted(s)))

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

# A press is a left click: the number steps from empty to 1, the operator to plus.
for column, want in ((2, "Row 1, column 3: 1"), (1, "Row 1, column 2: plus")):
    cell = table.getAccessibleAt(0, column)
    del announced[:]
    cell.queryAction().doAction(0)
    if not pump(10, lambda: fresh_name(cell) == want):
        fail("after a press the cell reads %r, not %r" % (fresh_name(cell), want))
    if not pump(5, lambda: cell in announced):
        fail("no name-change event announced %r (announced: %r)" % (want, [fresh_name(o) for o in announced]))
    print("pressed; it now reads %r, and that was announced" % want)


def press(role, name):
    # A menu's items are pressed without opening it, as screen readers do.
    obj = find(frame, lambda o: o.getRoleName() == role and o.name == name
               and (role == "menu item" or "showing" in states(o)))
    if obj is None:
        fail("no %s %r on view" % (role, name))
    pump(10, lambda: "sensitive" in states(obj))
    obj.queryAction().doAction(0)


# Set-up mode, one corner set, Solve Puzzle: the game asks for the other corners.
press("menu item", "Set a Puzzle for computer to solve")
corner = table.getAccessibleAt(0, 0)
if not pump(10, lambda: "editable" in states(corner) and fresh_name(corner) == "Row 1, column 1: ?"):
    fail("set-up mode did not open the corner: %r %s" % (fresh_name(corner), sorted(states(corner))))
corner.queryAction().doAction(0)
if not pump(10, lambda: fresh_name(corner) == "Row 1, column 1: 1"):
    fail("the corner reads %r after a press" % fresh_name(corner))
press("push button", "Solve Puzzle")
if not pump(10, lambda: message_box(app, "set corner numbers first") is not None):
    fail("no message box titled Quorvex saying 'set corner numbers first'")
box = message_box(app, "set corner numbers first")
print("a message box titled %r says 'set corner numbers first'" % box.name)
# While it is open, presses on the board and the menus reach nothing.
corner.queryAction().doAction(0)
press("menu item", "End computer solution mode")
press("menu item", "Exit")
pump(1, lambda: False)
if fresh_name(corner) != "Row 1, column 1: 1" or message_box(app, "set corner numbers first") is None:
    fail("a press went past the message box: the corner reads %r" % fresh_name(corner))
print("presses on a cell and on menu items while it is open changed nothing")
ok = find(box, lambda o: o.getRoleName() == "push button" and o.name == "OK")
ok.queryAction().doAction(0)
if not pump(10, lambda: message_box(app, "set corner numbers first") is None):
    fail("the message box stayed open after OK")
print("answered OK; the box is gone")
if fresh_name(corner) != "Row 1, column 1: 1" or \
        find(frame, lambda o: o.getRoleName() == "menu item" and o.name == "End computer solution mode") is None:
    fail("after the box the game is not in set-up mode with corner 1 at 1: %r" % fresh_name(corner))
press("menu item", "Exit")
