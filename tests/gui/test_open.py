#!/usr/bin/python3
"""Open through Qt's own file dialog: the count, the list, cancelling, files that cannot be read."""

import os
import unittest

from gui_case import KNOWN_USERS, DesktopCase, names_in_file, wait_for


class OpenTest(DesktopCase):
    def test_dialog_offers_only_the_user_file_filter(self):
        dialog = self.open_dialog()
        filters = self.viewer.find_all("combo", within=dialog)
        # The "Look in" box names a folder; the other one is the filter.
        self.assertIn("Userfile (BBBSUSER.DAT)", [combo.name for combo in filters])
        filter_box = [c for c in filters if c.name == "Userfile (BBBSUSER.DAT)"][0]
        self.assertEqual([item.name for item in filter_box[0]], ["Userfile (BBBSUSER.DAT)"])
        self.viewer.key("Escape")
        self.viewer.wait_window_gone("Open")

    def test_generated_sample_lists_every_user_in_file_order(self):
        path = self.sample_file()
        expected = names_in_file(path)
        self.assertEqual(len(expected), 36)
        self.open_file(path)
        self.wait_panel(2, "36 users in file")
        wait_for("36 entries", lambda: len(self.viewer.user_names()) == 36)
        self.assertEqual(self.viewer.user_names(), expected)

    def test_opening_enables_update_and_undo_but_never_print(self):
        self.open_known()
        self.wait_panel(2, f"{len(KNOWN_USERS)} users in file")
        self.assertEqual(self.viewer.user_names(), [user["name"] for user in KNOWN_USERS])
        v = self.viewer
        wait_for("Update and Undo enabled",
                 lambda: v.has(v.button("Update"), "enabled") and v.has(v.button("Undo"), "enabled"))
        self.assertFalse(v.has(v.button("Print"), "enabled"))
        self.assertTrue(v.has(v.button("Open"), "enabled"))
        self.assertEqual(v.panel(3).name, "", "no user is chosen by opening")

    def test_cancelling_the_first_dialog_leaves_no_file_loaded(self):
        self.open_dialog()
        self.viewer.click(self.viewer.button("Cancel", within=self.viewer.window("Open")))
        self.viewer.wait_window_gone("Open")
        v = self.viewer
        self.assertEqual(v.panel(2).name, "No file loaded")
        self.assertEqual(v.user_names(), [])
        self.assertFalse(v.has(v.button("Undo"), "enabled"))
        self.assertFalse(v.has(v.button("Update"), "enabled"))
        self.assertEqual(len(v.windows()), 1, "no message after a cancel")

    def test_cancelling_after_a_file_was_open_empties_the_list(self):
        self.open_known()
        self.open_dialog()
        self.viewer.key("Escape")
        self.viewer.wait_window_gone("Open")
        wait_for("the list to empty", lambda: self.viewer.user_names() == [])
        self.assertEqual(len(self.viewer.windows()), 1, "no message after a cancel")

    def test_a_file_that_cannot_be_opened_is_reported_and_nothing_is_loaded(self):
        # A pipe passes the dialog (it exists and is no folder) but is no user file. It needs
        # no permissions to fail, so the test means the same when CI runs it as root.
        self.open_known()
        pipe = os.path.join(self.files, "pipe", "BBBSUSER.DAT")
        os.makedirs(os.path.dirname(pipe), exist_ok=True)
        os.mkfifo(pipe)
        self.open_dialog()
        self.viewer.type(pipe)
        self.viewer.key("Return")
        box = self.viewer.wait_window("Open")
        wait_for("the message box", lambda: self.viewer.find_all("button", "OK", within=box))
        self.assertEqual(self.box_text(box), [
            f"The file {pipe} could not be opened: it is not a regular file "
            "(it is a device, a pipe or a socket)."])
        self.answer("Open", "OK")
        self.wait_panel(2, "No file loaded")
        self.assertEqual(self.viewer.user_names(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
