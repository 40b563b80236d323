#!/usr/bin/python3
"""Takes the README's screenshots: the viewer in a real window on a private display, each page
empty, then the sample user file opened through the real dialog and the fifth user selected, and
the Find dialog over the window.
Controls are found by their names over the accessibility bus, never by where they stand.

Usage: scripts/screenshots.py [build dir]   (needs xvfb, xdotool, imagemagick, python3-pyatspi)"""

import os
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
if "KIVO_PRIVATE_BUS" not in os.environ:  # a session bus of its own, for its accessibility bus
    os.environ["KIVO_PRIVATE_BUS"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", "/usr/bin/python3", *sys.argv])
sys.path.insert(0, os.path.join(root, "tools"))
from desktop import Viewer, click, find, pyatspi, text, wait_for, xdotool  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, subprocess.run(
    [os.path.join(root, "tools", "preset-dir"), "default"], capture_output=True, text=True,
    check=True).stdout.strip())
out = os.path.join(root, "docs", "screenshots")
viewer = Viewer(os.path.join(build, "src", "app", "kivo32"))


def page(caption):
    click(find(viewer.main, pyatspi.ROLE_PAGE_TAB, caption))


def shot(name):
    viewer.screenshot(os.path.join(out, name + ".png"))


for caption in ["Statistics", "General", "Personal"]:
    page(caption)
    shot(caption.lower() + "-empty")
users = viewer.open_file(os.path.join(root, "samples", "BBBSUSER.DAT"))
click(wait_for("the fifth user", lambda: users[4]))
for caption in ["Personal", "General", "Statistics"]:
    page(caption)
    shot(caption.lower() + "-user")
# The Find dialog over the window, a user found by the town.
page("Personal")
xdotool("key", "ctrl+f")
dialog = wait_for("the Find dialog", lambda: viewer.window("Find"))
xdotool("type", "--delay", "10", "tampere")
xdotool("key", "Return")
wait_for("the user found", lambda: "Tampere" in text(viewer.field("Postno./City")))
viewer.screenshot(os.path.join(out, "find.png"), dialog)
print("screenshots in", out)
