"""Drives a running Sono through the desktop's accessibility interface, as a screen reader would:
Proceed, the letter A, Send to Buffer, Buffer, Run, Exit.
Usage: drive_installed.py EXPECTED_SETS_UNDER_A [SCREENSHOT_DIR]
With a screenshot folder it saves database.png and freqgen.png of the main window instead of running."""
import subprocess
import sys
import time

import pyatspi


def fail(what):
    print("drive: " + what, file=sys.stderr)
    sys.exit(1)


def wait_for(what, find, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail("gave up waiting for " + what)


def sono():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() in ("sono", "sono12"):
            return app
    return None


def named(root, role, name):
    def match(node):
        return node is not None and node.getRole() == role and node.name.replace("&", "") == name
    return pyatspi.findDescendant(root, match, breadth_first=True)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


def press(root, role, name):
    node = wait_for(name, lambda: (lambda n: n if n is not None and enabled(n) else None)(named(root, role, name)))
    node.queryAction().doAction(0)
    return node


def answer_boxes(root, seconds):
    """Presses OK on every message box that shows within the time: freqgen's error when the machine has
    no sound output, or the question whether to stop the program playing."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            ok = named(root, pyatspi.ROLE_PUSH_BUTTON, "OK")
            if ok is not None and enabled(ok):
                ok.queryAction().doAction(0)
        except Exception:  # Sono has closed
            return
        time.sleep(0.2)


def click(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + w // 2, y + h // 2, pyatspi.MOUSE_B1C)


def screenshot(window, path):
    time.sleep(0.5)  # let the last change paint
    x, y, w, h = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    shot = subprocess.run("xwd -root -silent | xwdtopnm 2>/dev/null | pamcut %d %d %d %d | pnmtopng > '%s'"
                          % (x, y, w, h, path), shell=True)
    if shot.returncode != 0:
        fail("could not save " + path)


expected = int(sys.argv[1])
shots = sys.argv[2] if len(sys.argv) > 2 else None
app = wait_for("Sono on the accessibility bus", sono)
press(app, pyatspi.ROLE_PUSH_BUTTON, "Proceed")
press(app, pyatspi.ROLE_MENU_ITEM, "A")
results = wait_for("the results list", lambda: named(app, pyatspi.ROLE_LIST, "Results"))
wait_for("the letter search", lambda: results.childCount > 0)
if results.childCount != expected:
    fail("the letter A listed %d sets, the database holds %d" % (results.childCount, expected))
click(results.getChildAtIndex(0))
main = wait_for("the main window", lambda: pyatspi.findDescendant(
    app, lambda n: n is not None and n.getRole() == pyatspi.ROLE_FRAME and n.name.startswith("Sono12 - build")))
if shots:
    screenshot(main, shots + "/database.png")
press(app, pyatspi.ROLE_PUSH_BUTTON, "Send to Buffer")
press(app, pyatspi.ROLE_PAGE_TAB, "FreqGen ")
press(app, pyatspi.ROLE_PUSH_BUTTON, "Buffer")
if shots:
    screenshot(main, shots + "/freqgen.png")
else:
    press(app, pyatspi.ROLE_PUSH_BUTTON, "Run")
    answer_boxes(app, 2)
press(app, pyatspi.ROLE_MENU_ITEM, "Exit")
if not shots:
    answer_boxes(app, 2)
print("drive: %d sets listed under A, one sent to the buffer, run, exited" % expected)
