# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Finds and clicks Corvane's controls where the accessibility bus says they are, as magnifiers,
# voice control and test tools do: the window must be where X has it, a click at a control's
# centre must give it the focus, and the bus's hit test there must name it. An open list's
# entry, the Edit menu's commands, the version box's button and the save dialog's file name are
# found and clicked the same way; a typed line's characters are where the screenshot has their
# ink. Prints each fault and a count.
# usage: atspi_places.py WINDOW_ID SCREENSHOT
import subprocess
import sys
import time
import pyatspi
from collections import namedtuple

Box = namedtuple("Box", "x y width height")

faults = []
checks = 0


def check(ok, what):
    global checks
    checks += 1
    if not ok:
        faults.append(what)


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def centre(node):
    e = extents(node)
    return e.x + e.width // 2, e.y + e.height // 2


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def walk(node, only_showing=False):
    yield node
    if only_showing and not showing(node):
        return  # a closed list may still call an entry focused and showing
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child:
            yield from walk(child, only_showing)


def within(node, outer):
    while node:
        if node == outer:
            return True
        node = node.parent
    return False


def focused(app):
    for node in walk(app, True):
        if showing(node) and node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
    return None


def hit(frame, x, y):
    node = frame
    while True:
        inner = node.queryComponent().getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
        if not inner or inner == node:
            return node
        node = inner


def ink(x, y, w, h, shot):
    """Whether the screenshot has a dark pixel in that box (text is drawn black on white)."""
    out = subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "-colorspace",
                          "gray", "-format", "%[fx:minima]", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return float(out) < 0.5


def inside(box, outer):
    return (box.x >= outer.x and box.y >= outer.y and box.x + box.width <= outer.x + outer.width
            and box.y + box.height <= outer.y + outer.height)


def click(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
    time.sleep(0.4)


app = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name.lower() == "corvane"][0]
frame = app.getChildAtIndex(0)
x_says = subprocess.run(["xwininfo", "-id", sys.argv[1]], capture_output=True, text=True).stdout
x_box = [int(line.split(":")[1]) for line in x_says.splitlines()
         if line.strip().startswith(("Absolute upper-left", "Width", "Height"))]
e = extents(frame)
check([e.x, e.y, e.width, e.height] == x_box,
      "window: the bus says %s, X says %s" % ([e.x, e.y, e.width, e.height], x_box))

frame_box = extents(frame)
kinds = (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON)
for node in [n for n in walk(frame) if n.getRole() in kinds and showing(n)]:
    x, y = centre(node)
    w = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    d = extents(node)
    check((w.x, w.y) == (d.x - frame_box.x, d.y - frame_box.y),
          "%s: in the window at %d,%d, on the screen at %d,%d, the window at %d,%d"
          % (node.name, w.x, w.y, d.x, d.y, frame_box.x, frame_box.y))
    found = hit(frame, x, y)
    check(within(found, node), "%s: the hit test at %d,%d finds %s '%s'"
          % (node.name, x, y, found.getRoleName(), found.name))
    click(x, y)
    now = focused(app)
    check(now is not None and within(now, node), "%s: a click at %d,%d gives the focus to %s"
          % (node.name, x, y, now and now.name))
    subprocess.run(["xdotool", "key", "Escape"], check=True)  # a list-only field opens its list
    time.sleep(0.2)

# An open drop-down's entries: the second of スタイル, found and clicked where the bus says.
field = [n for n in walk(frame) if n.getRole() == pyatspi.ROLE_COMBO_BOX and n.name == "スタイル："][0]
click(*centre(field))
entries = field.getChildAtIndex(0)
check(showing(entries), "スタイル: a click at its centre does not open its list")
entry = entries.getChildAtIndex(1)
x, y = centre(entry)
found = entries.queryComponent().getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
check(found == entry, "%s: the hit test at %d,%d finds %s" % (entry.name, x, y, found and found.name))
click(x, y)
picked = field.queryText().getText(0, -1)
check(picked == entry.name, "a click on %s at %d,%d picks %s" % (entry.name, x, y, picked))

# A line typed in the source pane: each character's extents lie in the pane and hold its ink.
pane = [n for n in walk(frame) if n.getRole() == pyatspi.ROLE_TEXT and n.name == "ソース"][0]
click(*centre(pane))
subprocess.run(["xdotool", "key", "ctrl+End", "Return", "Return"], check=True)
subprocess.run(["xdotool", "type", "--delay", "30", "HQ{W}"], check=True)
time.sleep(0.5)
text = pane.queryText()
start = text.getText(0, -1).rfind("HQ{W}")
check(start >= 0, "the typed line is not in the source pane")
shot = sys.argv[2]
subprocess.run(["import", "-window", "root", shot], check=True)
pane_box = extents(pane)
for offset in range(start, start + 5):
    box = Box(*text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS))
    name = "character %d of the source pane" % offset
    check(box.width > 0 and inside(box, pane_box) and ink(box.x, box.y, box.width, box.height, shot),
          "%s: its extents %d,%d %dx%d do not cover it" % (name, box.x, box.y, box.width, box.height))
    at = text.getOffsetAtPoint(box.x + box.width // 2, box.y + box.height // 2,
                               pyatspi.DESKTOP_COORDS)
    check(at == offset, "%s: the offset at its centre is %d" % (name, at))

# The Edit menu, opened by a click on its title; its commands are found where the bus says.
title = [n for n in walk(frame) if n.getRole() == pyatspi.ROLE_MENU_ITEM
         and n.parent.getRole() == pyatspi.ROLE_MENU_BAR and n.name.startswith("編集")][0]
click(*centre(title))
menu = title.getChildAtIndex(0)
check(showing(menu), "the Edit menu did not open at its title's centre")
for command in [menu.getChildAtIndex(i) for i in range(menu.childCount)]:
    if command.getRole() != pyatspi.ROLE_MENU_ITEM or not command.name:
        continue
    x, y = centre(command)
    found = menu.queryComponent().getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
    check(found == command, "%s: the hit test at %d,%d finds %s"
          % (command.name, x, y, found and found.name))
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
    time.sleep(0.3)
    check(command.getState().contains(pyatspi.STATE_FOCUSED) or
          command.getState().contains(pyatspi.STATE_SELECTED),
          "%s: the pointer at its centre does not highlight it" % command.name)
copy = [c for c in [menu.getChildAtIndex(i) for i in range(menu.childCount)]
        if c.name.startswith("コピー")][0]
click(*centre(copy))
copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                        text=True).stdout
check("HQ{W}" in copied, "a click on コピー where the bus puts it copied %r" % copied[-20:])


def dialog(name):
    for _ in range(50):
        for node in [app.getChildAtIndex(i) for i in range(app.childCount)]:
            if node and node != frame and showing(node) and node.name.startswith(name):
                return node
        time.sleep(0.1)
    return None


def gone(node):
    for _ in range(50):
        if not node or not showing(node):
            return True
        time.sleep(0.1)
    return False


# The version box: its button, found and clicked where the bus says, closes it.
subprocess.run(["xdotool", "key", "F12"], check=True)
box = dialog("")
check(box is not None, "F12 showed no box")
if box:
    button = [n for n in walk(box) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(n)][0]
    x, y = centre(button)
    check(hit(box, x, y) == button, "the box's button is not found at its centre %d,%d" % (x, y))
    click(x, y)
    check(gone(box), "a click on the box's button at %d,%d leaves it open" % (x, y))

# The save dialog's file-name field: the focus leaves it, then a click at its centre brings it
# back.
subprocess.run(["xdotool", "windowfocus", "--sync", sys.argv[1], "key", "ctrl+s"], check=True)
save = dialog("スタイルの保存")
check(save is not None, "Ctrl+S showed no save dialog")
if save:
    time.sleep(0.5)
    name = focused(app)
    x, y = centre(name)
    check(hit(save, x, y) == name, "the file name is not found at its centre %d,%d" % (x, y))
    subprocess.run(["xdotool", "key", "shift+Tab"], check=True)
    time.sleep(0.3)
    check(not name.getState().contains(pyatspi.STATE_FOCUSED), "Shift+Tab left the file name")
    click(x, y)
    # The file list goes on calling its current entry focused.
    check(name.getState().contains(pyatspi.STATE_FOCUSED),
          "a click on the file name at %d,%d does not give it the focus" % (x, y))
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    check(gone(save), "Escape leaves the save dialog open")

for fault in faults:
    print("FAIL:", fault)
print("places: %d of %d checks passed" % (checks - len(faults), checks))
sys.exit(1 if faults else 0)
