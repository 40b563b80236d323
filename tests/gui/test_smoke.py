#!/usr/bin/python3
"""The built viewer in a real window, met as a user and a screen reader meet it: the sample file
opened through the Open dialog, a user chosen with the mouse, every field read by its label over
the accessibility bus, another user found by the town with Ctrl+F, and Exit answered. The values
it must show are the program's own export of the file, whose columns come from the same field
table as the window. Then a board at work: the
users another process appends show by themselves, and the viewer, watched by strace through an
Open, the following and a reload, never writes, makes or locks the file, and reads no record
while the file stands still."""

import json
import os
import re
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
from desktop import (RUNTIME, Viewer, click, find, find_all, pyatspi, text, wait_for,  # noqa: E402
                     xdotool)

VIEWER = os.environ["KIVO_VIEWER"]
SAMPLE = os.environ["KIVO_SAMPLE"]
BOARD = os.environ["KIVO_BOARD"]  # our own board, appending users from another process
# What would change the file, or hold it against the board: any of it on the file is a fault.
CHANGES = re.compile(r"^\d+ +(write|pwrite64|writev|pwritev2?|ftruncate|fallocate|flock|"
                     r"unlink|unlinkat|rename|renameat2?|truncate|creat)\(|"
                     r"fcntl\([^,]+, F_(OFD_)?SETLKW?|O_(WRONLY|RDWR|CREAT|TRUNC)")
SHOWN = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "screenshots",
                     "statistics-empty.png")
CHOSEN = 3  # letters of the board's code page in the name, a resume number, the third language


class SmokeTest(unittest.TestCase):
    def setUp(self):
        self.viewer = Viewer(VIEWER)
        self.addCleanup(self.viewer.process.kill)  # none left over for the next test to meet
        self.main = self.viewer.main

    def drawn_as_shown(self):
        start = os.path.join(RUNTIME.name, "start.png")
        self.viewer.screenshot(start)
        return subprocess.run(["compare", "-metric", "AE", start, SHOWN, "null:"],
                              stderr=subprocess.DEVNULL).returncode == 0

    def shown(self, caption):
        if caption == "Language":  # the checked one of the language options
            return [r.name for r in find_all(self.main, pyatspi.ROLE_RADIO_BUTTON)
                    if r.getState().contains(pyatspi.STATE_CHECKED)]
        control = self.viewer.field(caption)
        if control.getRole() == pyatspi.ROLE_COMBO_BOX:
            return control.name  # Qt names a drop-down list by its chosen entry
        return text(control)

    def test_open_read_a_user_and_exit(self):
        export = subprocess.run([VIEWER, "--export", "jsonl", SAMPLE], capture_output=True,
                                check=True, timeout=30)
        rows = [json.loads(line) for line in export.stdout.splitlines()]
        user = rows[CHOSEN]

        # Drawn at start exactly as the README shows it (scripts/screenshots.py takes it again
        # when the window changes): the program's own font, style and layout.
        wait_for("the window drawn as docs/screenshots/statistics-empty.png", self.drawn_as_shown)

        users = self.viewer.open_file(SAMPLE)
        wait_for("every user listed", lambda: users.childCount == len(rows))
        click(find(users, pyatspi.ROLE_LIST_ITEM, user["Name"]))
        wait_for("the chosen user", lambda: text(self.viewer.field("Name")) == user["Name"])

        # Every column is a field, but the record number and the stored number beside a code.
        numbers = {"Record"} | {caption + " number" for caption in user}
        for caption in [c for c in user if c not in numbers]:
            with self.subTest(caption):
                expected = [user[caption]] if caption == "Language" else str(user[caption])
                self.assertEqual(self.shown(caption), expected)

        # Locked controls stay as the program set them, whatever an assistive technology asks:
        # every action the Resume check box offers, every edit a locked box accepts.
        resume, number = find(self.main, pyatspi.ROLE_CHECK_BOX, "Resume"), self.viewer.field(
            "Resume number")
        shown = (resume.getState().contains(pyatspi.STATE_CHECKED), text(number))
        self.assertEqual(shown, (True, str(user["Resume number"])))
        actions = resume.queryAction()
        for i in range(actions.nActions):
            actions.doAction(i)
        try:
            edit = number.queryEditableText()
        except NotImplementedError:  # a box that offers no editing at all
            edit = None
        if edit:
            edit.setTextContents("0")
            edit.insertText(0, "9", 1)
            edit.deleteText(0, 1)
        self.assertEqual((resume.getState().contains(pyatspi.STATE_CHECKED), text(number)), shown)
        # Find a user by the town: Ctrl+F, the text typed, Enter; the dialog read by its labels.
        town = next(r for r in rows if "Trondheim" in r["Postno./City"])
        xdotool("key", "ctrl+f")
        dialog = wait_for("the Find dialog", lambda: self.viewer.window("Find"))
        what = self.viewer.field("Find what", within=dialog)
        find(dialog, pyatspi.ROLE_CHECK_BOX, "Match case")
        for button in ("Find Next", "Find Previous", "Close"):
            find(dialog, pyatspi.ROLE_PUSH_BUTTON, button)
        xdotool("type", "--delay", "10", "trondheim")
        wait_for("the text typed", lambda: text(what) == "trondheim")
        xdotool("key", "Return")
        wait_for("the user found", lambda: text(self.viewer.field("Name")) == town["Name"])
        xdotool("key", "Escape")
        wait_for("the Find dialog closed",
                 lambda: not dialog.getState().contains(pyatspi.STATE_SHOWING))

        click(find(self.main, pyatspi.ROLE_PUSH_BUTTON, "Exit"))
        self.viewer.answer("Exit", "Yes")
        self.assertEqual(self.viewer.process.wait(timeout=10), 0)

    def test_follows_the_board(self):
        folder = os.path.join(RUNTIME.name, "board")
        os.makedirs(folder, exist_ok=True)
        path = shutil.copy(SAMPLE, os.path.join(folder, "BBBSUSER.DAT"))
        count = os.path.getsize(path) // 273
        log = os.path.join(RUNTIME.name, "strace.log")
        attached = os.path.join(RUNTIME.name, "strace.err")
        with open(attached, "w") as err:
            strace = subprocess.Popen(["strace", "-f", "-y", "-e", "trace=%file,%desc", "-o", log,
                                       "-p", str(self.viewer.process.pid)], stderr=err)
        on_file = lambda: [line for line in open(log) if path in line]  # noqa: E731
        wait_for("strace attached", lambda: "attached" in open(attached).read())

        users = self.viewer.open_file(path)
        wait_for("every user listed", lambda: users.childCount == count)
        subprocess.run([BOARD, "append", path, str(count + 1), "1"], check=True)
        new = f"User {count + 1}"
        wait_for("the appended user listed", lambda: users.childCount == count + 1
                 and users.getChildAtIndex(count).name == new, timeout=2)

        opened = lambda: sum("openat(" in line for line in on_file())  # noqa: E731
        before = opened()
        first = users.getChildAtIndex(0)
        click(first)  # the keyboard in the window
        wait_for("the first user shown", lambda: text(self.viewer.field("Name")) == first.name)
        xdotool("key", "F5")
        wait_for("the file opened again", lambda: opened() > before)
        wait_for("listed again", lambda: users.childCount == count + 1
                 and users.getChildAtIndex(count).name == new)

        # Standing still: two looks at the file, and not one read of it between them.
        mark = len(on_file())
        wait_for("two looks at the file", lambda: sum(
            "stat" in line for line in on_file()[mark:]) >= 2, timeout=10)
        self.assertEqual([line for line in on_file()[mark:] if "read" in line], [])

        strace.terminate()
        strace.wait(timeout=10)
        self.assertEqual([line for line in on_file() if CHANGES.search(line)], [])

        click(find(self.main, pyatspi.ROLE_PUSH_BUTTON, "Exit"))
        self.viewer.answer("Exit", "Yes")
        self.assertEqual(self.viewer.process.wait(timeout=10), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
