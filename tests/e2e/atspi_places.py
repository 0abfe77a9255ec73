# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Finds and clicks Corvane's controls where the accessibility bus says they are, as magnifiers,
# voice control and test tools do: the window must be where X has it, a click at a control's
# centre must give it the focus, and the bus's hit test there must name it; a menu's commands
# are found the same way. Prints each fault and a count.
# usage: atspi_places.py WINDOW_ID
import subprocess
import sys
import time
import pyatspi

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

kinds = (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON)
for node in [n for n in walk(frame) if n.getRole() in kinds and showing(n)]:
    x, y = centre(node)
    found = hit(frame, x, y)
    check(within(found, node), "%s: the hit test at %d,%d finds %s '%s'"
          % (node.name, x, y, found.getRoleName(), found.name))
    click(x, y)
    now = focused(app)
    check(now is not None and within(now, node), "%s: a click at %d,%d gives the focus to %s"
          % (node.name, x, y, now and now.name))
    subprocess.run(["xdotool", "key", "Escape"], check=True)  # a list-only field opens its list
    time.sleep(0.2)

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
subprocess.run(["xdotool", "key", "Escape"], check=True)

for fault in faults:
    print("FAIL:", fault)
print("places: %d of %d checks passed" % (checks - len(faults), checks))
sys.exit(1 if faults else 0)
