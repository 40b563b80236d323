"""The command line and the export as the shell runs them: the built kivo32 as a process with no
display at all, its output read back with Python's own csv and json, never a parser of ours."""

import csv
import io
import json
import os
import pathlib
import re
import resource
import struct
import subprocess
import tempfile
import unittest

VIEWER = os.environ["KIVO_VIEWER"]
VERSION = os.environ["KIVO_VERSION"]
ENV = {k: v for k, v in os.environ.items() if "DISPLAY" not in k and k != "QT_QPA_PLATFORM"}

# One user as the board stores it, little-endian: name, 16 bytes, address, city, phone and
# birthdate, 2 bytes, page length, charset, language, a byte, packer, protocol, a byte, time limit
# and time left, 6 bytes, 25 counters (times on, 13 more, KB downloaded, one more, resume number).
RECORD = struct.Struct("<30s16x30s30s18s18x2x3BxBBx2h6xi52xi4xi32x12x")
CITY = b"Line 1\r\nLine 2\n\r"  # every user's: an export is one line a user all the same
CODES = ("Charset", "Language", "Packer", "Protocol")


def record(user):  # given by export column: texts as stored bytes, numbers as stored
    return RECORD.pack(user.get("Name", b""), user.get("Address", b""), CITY, user.get("Phone", b""),
                       24,
                       *(user.get(code + " number", 0) for code in CODES), 60, 60,
                       *(user.get(c, 0) for c in ("Times on", "KB Downloaded", "Resume number")))


# Quoting, Windows-1252 letters (0x80: the euro sign), codes past their tables, counters' extremes.
USERS = [
    {"Name": b'Smith, "Bob"', "Address": b"Main St, 5", "Packer number": 200,
     "Protocol number": 9, "Charset number": 255, "Language number": 9, "Times on": -7},
    {"Name": b"\x80 caf\xe9", "Packer number": 7, "Protocol number": 8, "Charset number": 10,
     "Language number": 3, "Times on": 2147483647, "Resume number": 42},
    {"Name": b"", "Address": b",", "KB Downloaded": -2147483648},
]
# Texts a spreadsheet would run as formulas, and texts it would not: column, stored, CSV's cell.
FORMULAS = [
    ("Name", b'=HYPERLINK("http://x";"y")', '\'=HYPERLINK("http://x";"y")'),
    ("Name", b"@SUM(A1)", "'@SUM(A1)"),
    ("Name", b"-=Dark Knight=-", "'-=Dark Knight=-"),
    ("Phone", b"+358 9 555 0100", "'+358 9 555 0100"),
    ("Address", b"=1,2", "'=1,2"),
    ("Name", b"Bob =1", "Bob =1"),
    ("Name", b"'quoted", "'quoted"),
]
PARTIAL = b"\x01" * 100  # a record cut short: not a user
CONTENT = b"".join(map(record, USERS)) + PARTIAL


def run(*args):
    return subprocess.run([VIEWER, *args], env=ENV, capture_output=True, timeout=30)


def start(*args):
    return subprocess.Popen([VIEWER, *args], env=ENV, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)


READ = {"csv": lambda data: list(csv.DictReader(io.StringIO(data.decode(), newline=""))),
        "jsonl": lambda data: [json.loads(line) for line in data.splitlines()]}


class ExportTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.file, self.big = (os.path.join(folder.name, name) for name in ("USER.DAT", "big"))
        pathlib.Path(self.file).write_bytes(CONTENT)
        pathlib.Path(self.big).write_bytes(record({"Name": b"U"}) * 20000)  # more than a pipe holds

    def assertMessage(self, stderr, *pieces):  # the first line: the pieces, anything between
        self.assertRegex(stderr.decode(), "^kivo32: " + ".*".join(map(re.escape, pieces)) + "\n")

    def test_formats(self):
        exported = {}
        for fmt, read in READ.items():
            with self.subTest(format=fmt):
                done = run("--export", fmt, self.file)
                self.assertEqual(done.returncode, 0)
                self.assertEqual(done.stderr.decode(), f"kivo32: warning: the last 100 bytes of "
                                 f"{self.file} (from byte {3 * RECORD.size} on) are not a whole "
                                 "user and were not exported.\n")
                rows = exported[fmt] = read(done.stdout)
                self.assertEqual([int(row["Record"]) for row in rows], [1, 2, 3])
                self.assertEqual(len(done.stdout.splitlines()), len(USERS) + (fmt == "csv"))
                for row, user in zip(rows, USERS):
                    for column, stored in user.items():
                        shown = stored.decode("cp1252") if column in ("Name", "Address") else stored
                        self.assertEqual(row[column], shown if fmt == "jsonl" else str(shown))
        # Both formats carry the same columns in the same order, Record first, and the same values.
        csv_keys, jsonl_keys = (list(exported[fmt][0]) for fmt in READ)
        self.assertEqual((csv_keys[0], csv_keys), ("Record", jsonl_keys))
        self.assertEqual(exported["csv"], [{key: str(value) for key, value in row.items()}
                                           for row in exported["jsonl"]])

    def test_formula_texts(self):
        pathlib.Path(self.file).write_bytes(b"".join(record({c: s}) for c, s, _ in FORMULAS))
        stored = [s.decode() for _, s, _ in FORMULAS]
        for fmt, args, expected in (("csv", [], [cell for *_, cell in FORMULAS]),
                                    ("csv", ["--exact-text"], stored), ("jsonl", [], stored),
                                    ("jsonl", ["--exact-text"], stored)):
            with self.subTest(format=fmt, args=args):
                rows = READ[fmt](run("--export", fmt, *args, self.file).stdout)
                self.assertEqual([row[column] for row, (column, *_) in zip(rows, FORMULAS)],
                                 expected)

    def test_refusals(self):
        f, missing, fifo, link = self.file, self.file + "x", self.file + ".fifo", self.file + ".ln"
        os.mkfifo(fifo)
        os.symlink(f, link)
        only_read = f"--output names the user file {f} itself; it is only read, never written."
        # A name's control characters are shown as their symbols, never sent to the terminal.
        painted = os.path.join(os.path.dirname(f), "\x1b[31mred\nline\x7f.DAT")
        shown = painted.translate({0x1b: "\u241b", 0x0a: "\u240a", 0x7f: "\u2421"})
        cases = [  # arguments, exit code, the pieces of the message; 2 adds the usage
            (["--export", "csv", missing], 1, f"{missing} could not be opened: ",
             ". No users were exported."),
            (["--export", "jsonl", fifo], 1, f"{fifo} could not be opened: ", ""),
            (["--export", "csv", f, "--output", f], 1, only_read),
            (["--export", "csv", f, "--output", link], 1, only_read),
            (["--export", "csv", painted], 1, f"{shown} could not be opened: it does not exist", ""),
            (["--\x1b]0;title\x07"], 2, "", "\u241b]0;title\u2407", ""),
            ([f, f], 2, "Only one FILE can be named; 2 were given."),
            (["--export", "xml", f], 2, '--export takes csv|jsonl, not "xml".'),
            (["--export", "csv", "--export", "jsonl", f], 2, "--export can be given only once."),
            (["--output", "x", f], 2, "--output is only for --export."),
            (["--exact-text", f], 2, "--exact-text is only for --export."),
            (["--export", "csv"], 2, "--export needs the FILE to read."),
        ]
        for args, code, *pieces in cases:
            with self.subTest(args=args):
                done = run(*args)
                self.assertEqual((done.returncode, done.stdout), (code, b""))
                self.assertMessage(done.stderr, *pieces)
                self.assertEqual(b"\nUsage: " in done.stderr, code == 2)
                self.assertEqual(re.findall(rb"[\x00-\x09\x0b-\x1f\x7f]", done.stderr), [])
                self.assertEqual(done.stderr.count(b"\n"), 1 if code == 1 else
                                 2 + done.stderr.split(b"\n\n", 1)[1].count(b"\n"))
        with open(f, "rb") as after:
            self.assertEqual(after.read(), CONTENT)

    def test_standard_output_into_the_user_file(self):
        hard_link = self.file + ".hard"
        os.link(self.file, hard_link)
        # >> FILE, 1<> FILE, and the same through another name of the file.
        for path, mode in ((self.file, "ab"), (self.file, "r+b"), (hard_link, "ab")):
            with self.subTest(path=path, mode=mode), open(path, mode) as out:
                done = subprocess.run([VIEWER, "--export", "csv", self.file], env=ENV,
                                      stdout=out, stderr=subprocess.PIPE, timeout=30)
                self.assertEqual(done.returncode, 1)
                self.assertMessage(done.stderr, f"standard output is the user file {self.file} "
                                   "itself; it is only read, never written.")
            self.assertEqual(pathlib.Path(self.file).read_bytes(), CONTENT)

    def test_name_not_utf8(self):
        # Files copied from older systems keep Latin-1 names: opened, and written, by their bytes;
        # --output writes the very bytes standard output would take.
        folder = os.fsencode(os.path.dirname(self.file))
        latin1, target = folder + b"/K\xe4ytt\xe4j\xe4t.DAT", folder + b"/\xe5.csv"
        pathlib.Path(os.fsdecode(latin1)).write_bytes(CONTENT)
        done = run("--export", "csv", latin1, "--output", target)
        self.assertEqual(done.returncode, 0)
        self.assertEqual(pathlib.Path(os.fsdecode(target)).read_bytes(),
                         run("--export", "csv", self.file).stdout)
        self.assertMessage(done.stderr, "warning: the last 100 bytes of ",
                           "/K\ufffdytt\ufffdj\ufffdt.DAT (from byte", "")

    def test_file_cut_short_while_read(self):
        export = start("--export", "csv", self.big)
        first = export.stdout.readline()  # the export now waits for the pipe to drain
        os.truncate(self.big, 10 * RECORD.size)
        rows = READ["csv"](first + export.stdout.read())
        self.assertEqual(export.wait(timeout=30), 1)
        # What was written stays written, and the message counts it.
        self.assertEqual([int(row["Record"]) for row in rows], list(range(1, len(rows) + 1)))
        self.assertMessage(export.stderr.read(), f"{self.big} could not be read to the end: ",
                           f". {len(rows)} users were exported.")

    def test_output_full(self):
        target = self.file + ".out"
        table = run("--export", "csv", self.big).stdout
        heads = {"csv": table[:table.index(b"\n") + 1], "jsonl": b""}  # JSON Lines has none
        # Bytes a file may grow to, as ulimit -f (the write past it gets EFBIG): far into the
        # users, and within the first user, where only the header is whole.
        cases = [(fmt, limit, output, cut) for fmt in READ
                 for limit in (100_000, len(heads[fmt]) + 10) for output, cut in (
                     (["--output", target], ""), ([], " The output ends in a cut row."))]
        for fmt, limit, output, cut in cases:
            with self.subTest(format=fmt, limit=limit, output=output), open(target, "wb") as out:
                done = subprocess.run([VIEWER, "--export", fmt, self.big, *output], env=ENV,
                                      stdout=out, stderr=subprocess.PIPE, timeout=30,
                                      preexec_fn=lambda: resource.setrlimit(
                                          resource.RLIMIT_FSIZE, (limit, resource.RLIM_INFINITY)))
                data = pathlib.Path(target).read_bytes()
                # A file of our own ends after the last whole user, or the header; standard
                # output was written to its limit, and the message says a cut row follows.
                self.assertEqual((done.returncode, len(data) == limit, data.startswith(heads[fmt]),
                                  not data or data.endswith(b"\n")), (1, bool(cut), True, not cut))
                rows = READ[fmt](data[:data.rfind(b"\n") + 1])
                self.assertEqual([int(row["Record"]) for row in rows], list(range(1, len(rows) + 1)))
                where = "standard output" if cut else target
                self.assertMessage(done.stderr, f"Writing to {where} failed: ",
                                   f". {len(rows) or 'No'} users were exported.{cut}")

    def test_help_and_version(self):
        for args, expected in ((["--help"], "--export"), (["--version"], f"kivo32 {VERSION}\n")):
            done = run(*args)
            self.assertEqual((done.returncode, done.stderr, expected in done.stdout.decode()),
                             (0, b"", True), args)

    def test_reader_stopping_early_is_quiet(self):
        export = start("--export", "jsonl", self.big)
        head = subprocess.run(["head", "-n", "3"], stdin=export.stdout, capture_output=True,
                              timeout=30)
        export.stdout.close()
        self.assertEqual((export.wait(timeout=30), export.stderr.read()), (0, b""))
        self.assertEqual(len(head.stdout.splitlines()), 3)


if __name__ == "__main__":
    unittest.main()
