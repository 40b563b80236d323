#!/usr/bin/python3
"""The built viewer in a real window, met as a user and a screen reader meet it: the sample file
opened through the Open dialog, a user chosen with the mouse, every field read by its label over
the accessibility bus, and Exit answered. The values it must show are the program's own export of
the file, whose columns come from the same field table as the window."""

import json
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
from desktop import RUNTIME, Viewer, click, find, find_all, pyatspi, text, wait_for  # noqa: E402

VIEWER = os.environ["KIVO_VIEWER"]
SAMPLE = os.environ["KIVO_SAMPLE"]
SHOWN = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "screenshots",
                     "statistics-empty.png")
CHOSEN = 3  # letters of the board's code page in the name, a resume number, the third language


class SmokeTest(unittest.TestCase):
    def setUp(self):
        self.viewer = Viewer(VIEWER)
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

        click(find(self.main, pyatspi.ROLE_PUSH_BUTTON, "Exit"))
        self.viewer.answer("Exit", "Yes")
        self.assertEqual(self.viewer.process.wait(timeout=10), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
