"""Plays one puzzle to the end with the keyboard alone. The game's own
solution is read the way a blind player reads the board, through the
accessibility bus, after Show Solution; Ctrl+Z takes it back to the empty
puzzle, and the solution is typed with arrows, digits and operator keys
(xdotool) until "You got it !" appears.

Run by keys_play.sh with DISPLAY, the window id and a private session bus.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from atspi import fail, find, fresh_name, game, message_box, pump, states  # noqa: E402

window = sys.argv[1]
shots = os.environ.get("QUORVEX_SHOTS", "")


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "40"] + list(names), check=True)


app, frame, board = game()
table = board.queryTable()
SPOKEN = {"plus": "+", "minus": "-", "times": "*"}


def shown(row, column):
    """What the cell at (row, column), 1-based, shows, as the game's caption."""
    value = fresh_name(table.getAccessibleAt(row - 1, column - 1)).rsplit(": ", 1)[1]
    return SPOKEN.get(value, value)


def press(name):
    # A menu's items are pressed without opening it, as screen readers do.
    item = find(frame, lambda o: o.getRoleName() == "menu item" and o.name == name)
    if item is None:
        fail("no menu item %r" % name)
    item.queryAction().doAction(0)


press("Show Solution")
if not pump(10, lambda: shown(1, 2) in ("+", "-", "*")):
    fail("Show Solution did not fill the board: row 1, column 2 reads %r" % shown(1, 2))
# The cells a player sets: the numbers but the given corner, and the operators.
numbers = [(r, c) for r in (1, 3, 5) for c in (1, 3, 5)][1:]
operators = [(r, c) for r in (1, 3, 5, 7) for c in (2, 4)] + [(r, c) for r in (2, 4) for c in (1, 3, 5, 7)]
plan = {cell: shown(*cell) for cell in numbers + operators}
print("the solution shown:", " ".join("%d,%d=%s" % (r, c, v) for (r, c), v in sorted(plan.items())))
subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
keys("ctrl+z")
if not pump(10, lambda: shown(1, 3) == "empty"):
    fail("Ctrl+Z did not take Show Solution back: row 1, column 3 reads %r" % shown(1, 3))

KEY = {"+": "plus", "-": "minus", "*": "asterisk"}

# A walk over the cursor's stops (the cells that take input, and the results
# and corners, which it reads but cannot change), from the given corner: right
# along row 1, down, out to the result column and left along row 2, and so
# on; the result row's operators last.
walk = ["Right"] * 4 + ["Down", "Right"] + ["Left"] * 3 + ["Down"] + ["Right"] * 4 + ["Down", "Right"] + \
       ["Left"] * 3 + ["Down"] + ["Right"] * 4 + ["Left"] * 3 + ["Down", "Right", "Right"]
cells = [(1, 1)]
moves = {"Right": (0, 1), "Left": (0, -1), "Up": (-1, 0), "Down": (1, 0)}
takes = set(plan) | {(r, 7) for r in (1, 3, 5, 7)} | {(7, c) for c in (1, 3, 5)}
for step in walk:
    r, c = cells[-1]
    dr, dc = moves[step]
    r, c = r + dr, c + dc
    while (r, c) not in takes:
        r, c = r + dr, c + dc
    cells.append((r, c))

subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
typed = set()
for n, cell in enumerate(cells):
    if n > 0:
        keys(walk[n - 1])
    if cell in typed or cell not in plan:
        continue
    v = plan[cell]
    keys(KEY.get(v, v))
    typed.add(cell)
if typed != set(plan):
    fail("the walk missed %s" % sorted(set(plan) - typed))


if not pump(10, lambda: message_box(app, "You got it !") is not None):
    fail("no message box saying 'You got it !' after typing the board")
print("the game says: You got it !")
if shots:
    subprocess.run(["import", "-window", "root", os.path.join(shots, "keys-you-got-it.png")])
keys("Return")
if not pump(10, lambda: message_box(app, "You got it !") is None):
    fail("the message box did not close on Return")
# Bare Xvfb has no window manager to hand the window the focus back; once it
# has it, the keys are on the board again, at the cell that finished the game.
subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
if not pump(10, lambda: find(board, lambda o: "focused" in states(o)) is not None):
    fail("after the message box no cell of the board has the focus")
print("the keys are back on", find(board, lambda o: "focused" in states(o)).name)
keys("ctrl+q")
