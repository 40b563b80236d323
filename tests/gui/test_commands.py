#!/usr/bin/python3
"""Update, Undo and Exit through the real message boxes, answered with the mouse and the keys."""

import unittest

from gui_case import KNOWN_USERS, DesktopCase, wait_for

UNDO_TEXT = ("This will revert the user!\nThis only works if you have not pressed update!\n"
             "Are you sure?")


class CommandsTest(DesktopCase):
    def wait_box(self, title, buttons):
        box = self.viewer.wait_window(title)
        wait_for(f"the buttons of {title!r}", lambda: sorted(
            b.name for b in self.viewer.find_all("button", within=box, showing=True)) == buttons)
        return box

    def test_exit_answered_no_keeps_the_viewer(self):
        self.viewer.click(self.viewer.button("Exit"))
        box = self.wait_box("Exit", ["No", "Yes"])
        self.assertEqual(self.box_text(box), ["Are you sure?"])
        self.answer("Exit", "No")
        with self.assertRaises(AssertionError):
            wait_for("the viewer to end", self.viewer.ended, timeout=1.5)
        self.assertEqual(self.viewer.main.name.split(" v")[0], "KIVO/32")

    def test_exit_answered_yes_ends_the_viewer(self):
        self.open_known()
        self.viewer.click(self.viewer.button("Exit"))
        self.wait_box("Exit", ["No", "Yes"])
        self.viewer.click(self.viewer.button("Yes", within=self.viewer.window("Exit")))
        self.assertEqual(self.viewer.wait_ended(), 0)

    def test_exit_box_takes_yes_from_the_return_key(self):
        self.viewer.click(self.viewer.button("Exit"))
        self.wait_box("Exit", ["No", "Yes"])
        self.viewer.key("Return")  # Yes is the default button
        self.assertEqual(self.viewer.wait_ended(), 0)

    def test_update_only_says_sorry(self):
        self.open_known()
        self.click_user(1)
        self.viewer.click(self.viewer.button("Update"))
        box = self.wait_box("Sorry!", ["OK"])
        self.assertEqual(self.box_text(box), [
            "Sorry! This is just a preview. You can't update the users in the preview version!"])
        self.answer("Sorry!", "OK")
        self.assertEqual(self.viewer.panel(3).name, KNOWN_USERS[1]["name"])

    def edit_user(self):
        """Changes the name by typing and Pagelength by its spinner; returns the edited texts."""
        self.open_known()
        self.click_user(1)
        self.show_page("Personal")
        self.viewer.click(self.viewer.field("Address"))
        self.viewer.key("End")
        self.viewer.type(" X")
        self.assertShows("Address", KNOWN_USERS[1]["address"] + " X")
        self.show_page("General")
        up = self.viewer.find("button", "Up", within=self.viewer.find("slider", "Pagelength"))
        self.viewer.click(up)
        self.assertShows("Pagelength", str(KNOWN_USERS[1]["page_length"] + 1))

    def test_undo_answered_no_keeps_the_edits(self):
        self.edit_user()
        self.viewer.click(self.viewer.button("Undo"))
        box = self.wait_box("Undo", ["No", "Yes"])
        self.assertEqual(self.box_text(box), [UNDO_TEXT])
        self.answer("Undo", "No")
        self.assertShows("Address", KNOWN_USERS[1]["address"] + " X")
        self.assertShows("Pagelength", str(KNOWN_USERS[1]["page_length"] + 1))

    def test_undo_answered_yes_reads_the_user_again(self):
        self.edit_user()
        self.viewer.click(self.viewer.button("Undo"))
        self.wait_box("Undo", ["No", "Yes"])
        self.answer("Undo", "Yes")
        self.assertShows("Address", KNOWN_USERS[1]["address"])
        self.assertShows("Pagelength", str(KNOWN_USERS[1]["page_length"]))
        self.assertEqual(self.viewer.panel(3).name, KNOWN_USERS[1]["name"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
