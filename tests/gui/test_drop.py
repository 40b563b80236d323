#!/usr/bin/python3
"""A user file dragged from another program and dropped on the window opens it."""

import os
import subprocess
import unittest

import viewer_driver as driver
from gui_case import KNOWN_USERS, DesktopCase, wait_for

DRAG_SOURCE = os.environ.get("KIVO_DRAG_SOURCE", "")


class DropTest(DesktopCase):
    def test_a_dropped_user_file_opens(self):
        path = self.known_file()
        source = driver._start([DRAG_SOURCE, path], self.desktop.viewer_env(),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(driver._stop, source)
        wait_for("the drag source's window", lambda: self.desktop.xdotool(
            "search", "--onlyvisible", "--name", "^Drag source$", check=False).strip())
        x, y, width, height = self.viewer.extents(self.viewer.users())
        # Press in the source, move over the user list in steps as a hand would, let go.
        self.desktop.xdotool("mousemove", "--sync", 100, 50, "mousedown", "1")
        for step in range(1, 11):
            self.desktop.xdotool("mousemove", "--sync", 100 + (x + width // 2 - 100) * step // 10,
                                 50 + (y + height // 2 - 50) * step // 10)
        self.desktop.xdotool("mouseup", "1")
        self.wait_panel(2, f"{len(KNOWN_USERS)} users in file")
        self.assertEqual(self.viewer.user_names(), [user["name"] for user in KNOWN_USERS])


if __name__ == "__main__":
    unittest.main(verbosity=2)
