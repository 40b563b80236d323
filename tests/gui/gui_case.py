"""The base of the real-window tests: one private desktop per test file, one viewer per test.

CTest passes the built programs in the environment: KIVO_VIEWER (the viewer) and
KIVO_SAMPLE_MAKER (our generator of the sample user file).
"""

import os
import subprocess
import tempfile
import unittest

import viewer_driver as driver
from viewer_driver import user_record, wait_for, write_user_file

VIEWER = os.environ.get("KIVO_VIEWER", "")
SAMPLE_MAKER = os.environ.get("KIVO_SAMPLE_MAKER", "")

CAPTION = "KIVO/32 v2 Build: 01    (BBBS HOW 3.33)"

# A small file whose every value the tests know, written by our own record writer. The names
# carry Windows-1252 letters, so the list and the boxes must decode the board's code page, and
# the last one carries markup, which a screen reader must read as typed, tags and all.
KNOWN_USERS = [
    dict(name="Aino \u00c4ij\u00e4l\u00e4", address="Kirkkokatu 3", city="90100 Oulu",
         phone="08-555 1001", birthdate="01-02-61", page_length=23, charset=2, language=1,
         packer=3, protocol=7, time_limit=90, time_left=75, times_on=412, messages_written=31,
         messages_read=977, messages_dumped=5, files_uploaded=12, files_downloaded=88,
         kb_uploaded=4100, kb_downloaded=30500, resume_number=0),
    dict(name="Bj\u00f6rn Str\u00f6m", address="Storgatan 8", city="111 22 Stockholm",
         phone="08-555 2002", birthdate="12-12-72", page_length=25, charset=10, language=2,
         packer=7, protocol=8, time_limit=45, time_left=3, times_on=7, messages_written=1,
         messages_read=2, messages_dumped=0, files_uploaded=0, files_downloaded=4,
         kb_uploaded=0, kb_downloaded=820, resume_number=4711),
    dict(name="Ola Nordmann", address="Fjellveien 1", city="5003 Bergen", phone="55 55 30 03",
         birthdate="17-05-80", page_length=24, charset=6, language=3, packer=1, protocol=0,
         time_limit=60, time_left=60, times_on=100000, messages_written=2222,
         messages_read=33333, messages_dumped=444, files_uploaded=55, files_downloaded=666,
         kb_uploaded=77777, kb_downloaded=888888, resume_number=0),
    dict(name="<b>Euro</b> \u20ac &amp; Guest", address="", city="", phone="", birthdate="",
         page_length=24, charset=0, language=0, packer=0, protocol=2, time_limit=15,
         time_left=15, times_on=1),
]

LANGUAGES = ["English", "Suomi", "Swedish", "Norwegian"]
PROTOCOLS = ["ZModem", "Ymodem", "XModem", "Slow Hydra", "XModem CRC", "YModem BATCH",
             "Slow ZModem", "Hydra", "ZedZap"]
PACKERS = ["Text", "ARC", "ZIP", "LZH", "ARJ", "ZOO", "HPK", "RAR"]
CHARSETS = ["IBM", "SF7", "ISO", "IBN", "US7", "GE7", "NO7", "FR7", "IT7", "SP7", "MAC"]


def names_in_file(path):
    """The names as stored: the 30 name bytes of every record, up to the first NUL."""
    with open(path, "rb") as f:
        data = f.read()
    names = []
    for start in range(0, len(data) - len(data) % driver.RECORD_SIZE, driver.RECORD_SIZE):
        raw = data[start:start + 30].split(b"\0", 1)[0]
        names.append(raw.decode("cp1252"))
    return names


class DesktopCase(unittest.TestCase):
    desktop = None

    @classmethod
    def setUpClass(cls):
        if not VIEWER or not os.access(VIEWER, os.X_OK):
            raise RuntimeError("KIVO_VIEWER must name the built viewer")
        cls.files = tempfile.mkdtemp(prefix="kivo-gui-files-")
        cls.desktop = driver.Desktop().start()

    @classmethod
    def tearDownClass(cls):
        if cls.desktop:
            cls.desktop.stop()
        subprocess.run(["rm", "-rf", cls.files], check=False, timeout=30)

    def setUp(self):
        self.viewer = driver.Viewer(self.desktop, VIEWER, cwd=self.files)
        self.addCleanup(self.viewer.close)

    # -- files

    def known_file(self, folder="known"):
        path = os.path.join(self.files, folder, "BBBSUSER.DAT")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_user_file(path, [user_record(**user) for user in KNOWN_USERS])
        return path

    def sample_file(self):
        path = os.path.join(self.files, "sample", "BBBSUSER.DAT")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run([SAMPLE_MAKER, path], check=True, capture_output=True, timeout=30)
        return path

    # -- steps a user takes

    def open_dialog(self):
        """Clicks Open and returns Qt's file dialog."""
        self.viewer.click(self.viewer.button("Open"))
        return self.viewer.wait_window("Open")

    def open_file(self, path):
        """Opens path through the real file dialog, typing it in the file name box."""
        self.open_dialog()
        self.viewer.type(path)
        self.viewer.key("Return")
        self.viewer.wait_window_gone("Open")
        self.viewer.focus()

    def open_known(self):
        path = self.known_file()
        self.open_file(path)
        wait_for("the known users listed", lambda: len(self.viewer.user_names()) == len(KNOWN_USERS))
        return path

    def click_user(self, row):
        items = [item for item in self.viewer.users()]
        self.viewer.click(items[row])
        self.wait_panel(3, KNOWN_USERS[row]["name"])

    def show_page(self, caption):
        self.viewer.click(self.viewer.find("tab", caption))
        wait_for(f"the {caption} page", lambda: self.viewer.has(self.viewer.field(
            {"General": "Pagelength", "Personal": "Name", "Statistics": "Times on"}[caption]),
            "showing"))

    def answer(self, title, button):
        """Clicks a button of the message box with this title and waits for the box to go."""
        box = self.viewer.wait_window(title)
        self.viewer.click(self.viewer.button(button, within=box))
        self.viewer.wait_window_gone(title)

    def box_text(self, box):
        """The message of a box: its labels' texts other than the empty icon label."""
        return [label.name for label in self.viewer.find_all("label", within=box) if label.name]

    # -- checks that wait for the window to catch up

    def wait_panel(self, number, text):
        wait_for(f"status panel {number} to read {text!r}",
                 lambda: self.viewer.panel(number).name == text)

    def assertShows(self, label, expected):
        try:
            wait_for(f"{label!r} to show {expected!r}",
                     lambda: self.viewer.value(label) == expected, timeout=3)
        except driver.GuiError:
            self.assertEqual(self.viewer.value(label), expected, f"the box labelled {label!r}")
