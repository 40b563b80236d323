#!/usr/bin/python3
"""Choosing users with the mouse and the arrow keys, and what the three pages then show."""

import unittest

from gui_case import (CHARSETS, KNOWN_USERS, LANGUAGES, PACKERS, PROTOCOLS, DesktopCase,
                      wait_for)


class DetailTest(DesktopCase):
    def setUp(self):
        super().setUp()
        self.open_known()

    def assertShowsUser(self, row):
        user = dict(dict(resume_number=0, messages_written=0, messages_read=0,
                         messages_dumped=0, files_uploaded=0, files_downloaded=0,
                         kb_uploaded=0, kb_downloaded=0), **KNOWN_USERS[row])
        self.wait_panel(3, user["name"])
        v = self.viewer

        self.show_page("Personal")
        for label, key in (("Name", "name"), ("Address", "address"), ("Postno./City", "city"),
                           ("Phone", "phone"), ("Birthdate", "birthdate")):
            self.assertShows(label, user[key])
        resume = user["resume_number"]
        self.assertEqual(v.has(v.find("check", "Resume"), "checked"), resume != 0)
        self.assertShows("Resume number", str(resume) if resume else "")
        self.assertEqual(v.has(v.field("Resume number"), "enabled"), resume != 0)
        self.assertFalse(v.has(v.find("button", "View resume"), "enabled"))

        self.show_page("General")
        checked = [radio.name for radio in v.find_all("radio", showing=True)
                   if v.has(radio, "checked")]
        self.assertEqual(checked, [LANGUAGES[user["language"]]])
        self.assertEqual([radio.name for radio in v.find_all("radio", showing=True)], LANGUAGES)
        self.assertShows("Protocol", PROTOCOLS[user["protocol"]])
        self.assertShows("Packer", PACKERS[user["packer"]])
        self.assertShows("Charset", CHARSETS[user["charset"]])
        self.assertShows("Pagelength", str(user["page_length"]))
        self.assertShows("Timelimit", str(user["time_limit"]))
        self.assertShows("Timeleft", str(user["time_left"]))

        self.show_page("Statistics")
        for label, key in (("Times on", "times_on"), ("Messages written", "messages_written"),
                           ("Messages read", "messages_read"),
                           ("Messages dumped", "messages_dumped"),
                           ("Files uploaded", "files_uploaded"),
                           ("Files downloaded", "files_downloaded"),
                           ("KB Uploaded", "kb_uploaded"), ("KB Downloaded", "kb_downloaded")):
            self.assertShows(label, str(user[key]))

    def test_clicking_each_user_shows_the_whole_record(self):
        for row in range(len(KNOWN_USERS)):
            with self.subTest(user=KNOWN_USERS[row]["name"]):
                self.click_user(row)
                self.assertShowsUser(row)

    def test_arrow_keys_walk_the_list(self):
        self.click_user(0)
        # The list keeps the keyboard while the pages are only read, not clicked.
        for key, row in (("Down", 1), ("Down", 2), ("Down", 3), ("Up", 2), ("Home", 0),
                         ("End", 3)):
            with self.subTest(key=key, row=row):
                self.viewer.key(key)
                self.wait_panel(3, KNOWN_USERS[row]["name"])
                self.assertShows("Name", KNOWN_USERS[row]["name"])
                self.assertShows("Times on", str(KNOWN_USERS[row]["times_on"]))
                self.assertShows("Protocol", PROTOCOLS[KNOWN_USERS[row]["protocol"]])
        self.viewer.key("Up")
        self.assertShowsUser(2)

    def test_only_the_chosen_page_is_on_screen(self):
        self.click_user(0)
        v = self.viewer
        for page, own, others in (("General", "Pagelength", ("Name", "Times on")),
                                  ("Personal", "Name", ("Pagelength", "Times on")),
                                  ("Statistics", "Times on", ("Name", "Pagelength"))):
            with self.subTest(page=page):
                self.show_page(page)
                self.assertTrue(v.has(v.field(own), "showing"))
                for label in others:
                    self.assertFalse(v.has(v.field(label), "showing"), label)

    def test_statistics_boxes_refuse_typing(self):
        self.click_user(2)
        self.show_page("Statistics")
        box = self.viewer.field("Times on")
        self.viewer.click(box)
        self.viewer.type("9")
        self.viewer.key("BackSpace")
        self.assertShows("Times on", "100000")


if __name__ == "__main__":
    unittest.main(verbosity=2)
