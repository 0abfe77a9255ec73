# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every showing object of Corvane's window, with its place in the window, as the accessibility
# bus gives it. "dump FILE" keeps them; "compare FILE RATIO" checks that each object of the
# window now shown is where the kept one was, times RATIO (within a pixel): a window laid out
# alike at both scales draws each control at its unscaled place times the scale.
# usage: atspi_extents.py dump FILE | compare FILE RATIO
import json
import sys
import pyatspi


def places():
    app = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name.lower() == "corvane"][0]
    frame = app.getChildAtIndex(0)
    # Taken on the screen, less the window's place: Qt's window coordinates grow each size by
    # the window's distance from the screen's corner, at any scale.
    origin = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    found = {}

    def walk(node, path):
        if not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        found[path] = [node.getRoleName(), node.name, e.x - origin.x, e.y - origin.y, e.width,
                       e.height]
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child:
                walk(child, path + "/%d" % i)

    walk(frame, "")
    return found


if sys.argv[1] == "dump":
    with open(sys.argv[2], "w") as f:
        json.dump(places(), f)
    sys.exit(0)
with open(sys.argv[2]) as f:
    kept = json.load(f)
ratio = float(sys.argv[3])
now = places()
faults = []
for path, (role, name, *box) in kept.items():
    seen = now.get(path)
    if not seen or seen[:2] != [role, name]:
        faults.append("%s %s '%s': not in the scaled window" % (path, role, name))
        continue
    want = [round(v * ratio) for v in box]
    if any(abs(a - b) > 1 for a, b in zip(seen[2:], want)):
        faults.append("%s %s '%s': at %s, drawn at %s" % (path, role, name, seen[2:], want))
for fault in faults:
    print("FAIL: " + fault)
print("%d passed, %d failed" % (len(kept) - len(faults), len(faults)))
sys.exit(1 if faults else 0)
