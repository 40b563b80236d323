#!/usr/bin/python3
"""The built viewer in a real window, met as a user and a screen reader meet it: the sample file
opened through the Open dialog, a user chosen with the mouse, every field read by its label over
the accessibility bus, and Exit answered. The values it must show are the program's own export of
the file, whose columns come from the same field table as the window."""

import json
import os
import subprocess
import tempfile
import time
import unittest

# A display of its own (Xvfb takes a free one and names it) and a runtime folder of its own, made
# known to the session bus before the accessibility bus starts from it: runs side by side share
# neither, and nothing is left in the real home.
RUNTIME = tempfile.TemporaryDirectory()
read, write = os.pipe()
XVFB = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                         "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
os.close(write)
os.environ.update(DISPLAY=":" + os.read(read, 16).decode().strip(), XDG_RUNTIME_DIR=RUNTIME.name)
subprocess.run(["dbus-update-activation-environment", "DISPLAY", "XDG_RUNTIME_DIR"], check=True)
import pyatspi  # noqa: E402  (once the display and the runtime folder exist)

VIEWER = os.environ["KIVO_VIEWER"]
SAMPLE = os.environ["KIVO_SAMPLE"]
CHOSEN = 3  # letters of the board's code page in the name, a resume number, the third language


def wait_for(what, probe, timeout=10):
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = probe()
            if found:
                return found
        except Exception:  # the tree changes under us while a window opens or closes
            pass
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find_all(within, role, name=None):
    return [n for n in walk(within) if n.getRole() == role and name in (None, n.name)]


def find(within, role, name):
    found = find_all(within, role, name)
    if len(found) != 1:
        raise AssertionError(f"{len(found)} controls of role {role} named {name!r}")
    return found[0]


def text(node):
    return node.queryText().getText(0, -1)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)


def click(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", "1")


class SmokeTest(unittest.TestCase):
    def setUp(self):
        self.addCleanup(XVFB.wait, 10)
        self.addCleanup(XVFB.terminate)  # not kill: Xvfb then frees its display for the next
        # The viewer remembers its last folder in its settings: in the runtime folder, not home.
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "KDE"))}
        env.update(HOME=RUNTIME.name, XDG_CONFIG_HOME=RUNTIME.name, XDG_RUNTIME_DIR=RUNTIME.name,
                   QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.viewer = subprocess.Popen([VIEWER], env=env, cwd=RUNTIME.name)
        self.addCleanup(self.viewer.kill)
        self.app = wait_for("the viewer on the accessibility bus", lambda: next(
            a for a in pyatspi.Registry.getDesktop(0)
            if a is not None and a.get_process_id() == self.viewer.pid and a.childCount))

    def window(self, title):
        return next((w for w in self.app if w is not None and w.name == title), None)

    def answer(self, title, button):
        box = wait_for(f"the {title} box", lambda: self.window(title))
        click(wait_for(f"its {button} button", lambda: find(box, pyatspi.ROLE_PUSH_BUTTON, button)))

    def field(self, caption):
        """The control a label names, found through the label's label-for relation, as a screen
        reader finds it."""
        label = find(self.main, pyatspi.ROLE_LABEL, caption)
        targets = [r.getTarget(i) for r in label.getRelationSet()
                   if r.getRelationType() == pyatspi.RELATION_LABEL_FOR
                   for i in range(r.getNTargets())]
        self.assertEqual(len(targets), 1, f"the label {caption!r} names one control")
        return targets[0]

    def shown(self, caption):
        if caption == "Language":  # the checked one of the language options
            return [r.name for r in find_all(self.main, pyatspi.ROLE_RADIO_BUTTON)
                    if r.getState().contains(pyatspi.STATE_CHECKED)]
        control = self.field(caption)
        if control.getRole() == pyatspi.ROLE_COMBO_BOX:
            return control.name  # Qt names a drop-down list by its chosen entry
        return text(control)

    def test_open_read_a_user_and_exit(self):
        export = subprocess.run([VIEWER, "--export", "jsonl", SAMPLE], capture_output=True,
                                check=True, timeout=30)
        rows = [json.loads(line) for line in export.stdout.splitlines()]
        user = rows[CHOSEN]
        self.main = wait_for("the main window", lambda: next(
            w for w in self.app if w is not None and w.name.startswith("KIVO/32")))

        click(find(self.main, pyatspi.ROLE_PUSH_BUTTON, "Open"))
        wait_for("the Open dialog", lambda: self.window("Open"))
        xdotool("type", "--delay", "10", SAMPLE)
        xdotool("key", "Return")
        wait_for("the Open dialog to close", lambda: self.window("Open") is None)
        users = find(self.main, pyatspi.ROLE_LIST, "Users")
        wait_for("every user listed", lambda: users.childCount == len(rows))
        click(find(users, pyatspi.ROLE_LIST_ITEM, user["Name"]))
        wait_for("the chosen user", lambda: text(self.field("Name")) == user["Name"])

        # Every column is a field, but the record number and the stored number beside a code.
        numbers = {"Record"} | {caption + " number" for caption in user}
        for caption in [c for c in user if c not in numbers]:
            with self.subTest(caption):
                expected = [user[caption]] if caption == "Language" else str(user[caption])
                self.assertEqual(self.shown(caption), expected)

        click(find(self.main, pyatspi.ROLE_PUSH_BUTTON, "Exit"))
        self.answer("Exit", "Yes")
        self.assertEqual(self.viewer.wait(timeout=10), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
