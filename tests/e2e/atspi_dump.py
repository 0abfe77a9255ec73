# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Corvane's accessibility tree as a screen reader reads it: one line an object, with its role,
# name, states and screen extents (x y width height, in the screen's own pixels).
import sys
import pyatspi


def walk(node, depth, out):
    state = node.getState()
    states = ",".join(sorted(pyatspi.stateToString(s) for s in state.getStates()))
    try:
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        box = "%d %d %d %d" % (e.x, e.y, e.width, e.height)
    except NotImplementedError:
        box = "-"
    out.append("%s%s '%s' [%s] %s" % ("  " * depth, node.getRoleName(), node.name, states, box))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child:
            walk(child, depth + 1, out)


apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name.lower() == "corvane"]
if not apps:
    sys.exit("Corvane is not on the accessibility bus")
lines = []
walk(apps[0], 0, lines)
print("\n".join(lines))
