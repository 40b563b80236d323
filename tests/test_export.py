"""The command line and the export, run as the shell runs them: the built kivo32 as a process,
its output read back with Python's own csv and json modules, never with a parser of ours.

Every run has no display at all: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM.
"""

import csv
import io
import json
import os
import subprocess
import tempfile
import unittest

from user_files import RECORD_SIZE, user_record, write_user_file

VIEWER = os.environ["KIVO_VIEWER"]
SHOWN_TEXT = os.environ["KIVO_SHOWN_TEXT"]
VERSION = os.environ["KIVO_VERSION"]
ENV = {k: v for k, v in os.environ.items()
       if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

# Awkward users: quoting, line breaks, Windows-1252 bytes (0x80 is the euro sign, 0x81 is
# unassigned), codes past their tables and a language past its options.
USERS = [
    dict(name=b'Smith, "Bob"', address=b"Line 1\r\nLine 2", packer=200, protocol=9, charset=255,
         language=9, times_on=-7, resume_number=0),
    dict(name=b"\x80 \x81 caf\xe9", address=b"a\nb\rc", packer=7, protocol=8, charset=10,
         language=3, times_on=2147483647, resume_number=42),
    dict(name=b"", address=b",", kb_downloaded=-2147483648),
]
PARTIAL = b"\x01" * 100  # a record cut short: not a user


def run(*args, stdin=None, timeout=30):
    return subprocess.run([VIEWER, *args], env=ENV, capture_output=True, timeout=timeout,
                          stdin=stdin)


def shown(stored):
    """The text the window shows for these stored bytes."""
    return subprocess.run([SHOWN_TEXT, stored], check=True,
                          capture_output=True).stdout[:-1].decode("utf-8")


def read_csv(data):
    return list(csv.DictReader(io.StringIO(data.decode("utf-8"), newline="")))


def read_jsonl(data):
    return [json.loads(line) for line in data.decode("utf-8").split("\n") if line]


class ExportTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.file = os.path.join(self.dir.name, "BBBSUSER.DAT")
        write_user_file(self.file, [user_record(**user) for user in USERS], PARTIAL)

    def tearDown(self):
        self.dir.cleanup()

    def test_formats(self):
        exported = {}
        for fmt, read in (("csv", read_csv), ("jsonl", read_jsonl)):
            with self.subTest(format=fmt):
                done = run("--export", fmt, self.file)
                self.assertEqual(done.returncode, 0, done.stderr)
                # The partial record is named in a warning, and is not a user.
                self.assertIn(str(len(PARTIAL)), done.stderr.decode())
                rows = read(done.stdout)
                self.assertEqual([int(row["Record"]) for row in rows], [1, 2, 3])
                for row, user in zip(rows, USERS):
                    self.assertEqual(row["Name"], shown(user["name"]))
                    self.assertEqual(row["Address"], shown(user["address"]))
                    self.assertEqual(int(row["Packer number"]), user.get("packer", 0))
                    self.assertEqual(int(row["Language number"]), user.get("language", 0))
                    self.assertEqual(int(row["Times on"]), user.get("times_on", 0))
                    self.assertEqual(int(row["KB Downloaded"]), user.get("kb_downloaded", 0))
                    # The stored resume number, 0 too, where the window shows an empty box.
                    self.assertEqual(int(row["Resume number"]), user.get("resume_number", 0))
                # Codes past their tables keep their number in the caption; a language past
                # its options has no caption.
                self.assertIn("200", rows[0]["Packer"])
                self.assertIn("255", rows[0]["Charset"])
                self.assertEqual(rows[0]["Language"], "")
                exported[fmt] = rows

                # --output writes the very same bytes to the file it names.
                target = os.path.join(self.dir.name, "out." + fmt)
                self.assertEqual(run("--export", fmt, self.file, "--output", target).returncode, 0)
                with open(target, "rb") as out:
                    self.assertEqual(out.read(), done.stdout)
        # Both formats carry the same columns and values; JSON numbers are numbers.
        csv_rows, json_rows = exported["csv"], exported["jsonl"]
        self.assertEqual(list(csv_rows[0])[0], "Record")
        self.assertEqual(set(csv_rows[0]), set(json_rows[0]))
        for csv_row, json_row in zip(csv_rows, json_rows):
            self.assertEqual(csv_row, {key: str(value) for key, value in json_row.items()})
        self.assertIsInstance(json_rows[0]["Times on"], int)

    def test_failures(self):
        fifo = os.path.join(self.dir.name, "fifo")
        os.mkfifo(fifo)
        link = os.path.join(self.dir.name, "link.DAT")
        os.symlink(self.file, link)
        with open(self.file, "rb") as original:
            before = original.read()
        cases = [  # name, arguments, texts expected on stderr
            ("missing file", ["--export", "csv", self.file + ".missing"],
             [self.file + ".missing", "No users"]),
            ("FIFO", ["--export", "jsonl", fifo], [fifo]),
            ("unknown option", ["--frobnicate"], ["frobnicate", "Usage:"]),
            ("two files", [self.file, self.file], ["one FILE", "Usage:"]),
            ("unknown format", ["--export", "xml", self.file], ["xml", "Usage:"]),
            ("output is the file", ["--export", "csv", self.file, "--output", self.file],
             ["--output"]),
            ("output is the file by a link", ["--export", "csv", self.file, "--output", link],
             ["--output"]),
        ]
        for name, args, complaints in cases:
            with self.subTest(name):
                done = run(*args, timeout=10)
                self.assertNotEqual(done.returncode, 0)
                self.assertEqual(done.stdout, b"")
                for complaint in complaints:
                    self.assertIn(complaint, done.stderr.decode())
        with open(self.file, "rb") as after:
            self.assertEqual(after.read(), before)

        with self.subTest("file cut short while it is read"):
            big = os.path.join(self.dir.name, "big.DAT")
            write_user_file(big, [user_record(f"User {n}") for n in range(20000)])
            export = subprocess.Popen([VIEWER, "--export", "csv", big], env=ENV,
                                      stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            first = export.stdout.readline()  # the export now waits for the pipe to drain
            os.truncate(big, 10 * RECORD_SIZE)
            rows = read_csv(first + export.stdout.read())
            self.assertNotEqual(export.wait(timeout=30), 0)
            # What was written stays written, and the message counts it.
            self.assertEqual([int(row["Record"]) for row in rows], list(range(1, len(rows) + 1)))
            self.assertIn(f" {len(rows)} users were exported", export.stderr.read().decode())

    def test_help_and_version(self):
        for args, expected in ((["--help"], "--export"), (["--version"], f"kivo32 {VERSION}\n")):
            with self.subTest(args[0]):
                done = run(*args)
                self.assertEqual((done.returncode, done.stderr), (0, b""))
                self.assertIn(expected, done.stdout.decode())

    def test_reader_stopping_early_is_quiet(self):
        # Far more than a pipe holds, so the export is still writing when head has gone.
        big = os.path.join(self.dir.name, "big.DAT")
        write_user_file(big, [user_record(f"User {n}") for n in range(20000)])
        for fmt in ("csv", "jsonl"):
            with self.subTest(format=fmt):
                export = subprocess.Popen([VIEWER, "--export", fmt, big], env=ENV,
                                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                head = subprocess.run(["head", "-n", "3"], stdin=export.stdout,
                                      capture_output=True, timeout=30)
                export.stdout.close()
                self.assertEqual(export.wait(timeout=30), 0)
                self.assertEqual(export.stderr.read(), b"")
                self.assertEqual(len(head.stdout.splitlines()), 3)


if __name__ == "__main__":
    unittest.main()
