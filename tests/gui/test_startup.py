#!/usr/bin/python3
"""The window as it first shows: caption, size, which commands work, tooltips."""

import unittest

from gui_case import CAPTION, DesktopCase, wait_for


class StartupTest(DesktopCase):
    def test_caption_size_and_empty_state(self):
        v = self.viewer
        self.assertEqual(v.main.name, CAPTION)
        self.assertEqual(v.extents(v.main)[2:], (533, 363))
        self.assertEqual(v.panel(2).name, "No file loaded")
        self.assertEqual(v.panel(3).name, "")
        self.assertEqual(v.user_names(), [])

    def test_only_open_and_exit_work_before_a_file_is_open(self):
        v = self.viewer
        enabled = {caption: v.has(v.button(caption), "enabled")
                   for caption in ("Open", "Update", "Print", "Undo", "Exit")}
        self.assertEqual(enabled, {"Open": True, "Update": False, "Print": False,
                                   "Undo": False, "Exit": True})
        self.assertFalse(v.has(v.find("button", "View resume"), "enabled"))

    def test_a_disabled_button_does_nothing_when_clicked(self):
        v = self.viewer
        for caption in ("Update", "Undo", "Print"):
            v.click(v.button(caption))
        # Update and Undo would each raise a box; give them the time to do it.
        with self.assertRaises(AssertionError):
            wait_for("a message box", lambda: len(v.windows()) > 1, timeout=1.5)
        self.assertEqual(v.panel(2).name, "No file loaded")

    def test_tooltips_are_the_accessible_descriptions(self):
        v = self.viewer
        tips = {caption: v.button(caption).description
                for caption in ("Open", "Update", "Print", "Undo", "Exit")}
        self.assertEqual(tips, {"Open": "Opens an userfile", "Update": "Updates file",
                                "Print": "Print info about this user",
                                "Undo": "Undo changes on this user", "Exit": "Exit app."})
        self.assertEqual(v.panel(1).description, "")
        self.assertEqual(v.panel(2).description, "Shows number of users in file")
        self.assertEqual(v.panel(3).description, "Name of current user")


if __name__ == "__main__":
    unittest.main(verbosity=2)
