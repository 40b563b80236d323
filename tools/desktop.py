"""The built viewer in a real window on a private X display, driven with real input (xdotool) and
read back over the accessibility bus (AT-SPI), as a user and a screen reader meet it. The
real-window smoke test and scripts/screenshots.py use it.

Importing it starts the display. Run under dbus-run-session: the accessibility bus starts from that
private session bus, so runs side by side share neither display nor bus."""

import atexit
import os
import subprocess
import tempfile
import time

# A display of its own (tools/virtual-display) and a runtime folder of its own, made known to the
# session bus before the accessibility bus starts from it.
RUNTIME = tempfile.TemporaryDirectory()
XVFB = subprocess.Popen([os.path.join(os.path.dirname(__file__), "virtual-display")],
                        stdout=subprocess.PIPE)
atexit.register(XVFB.terminate)  # not kill: Xvfb then frees its display for the next run
_number = XVFB.stdout.readline().decode().strip()
if not _number.isdigit():
    raise RuntimeError("the virtual display did not start")
os.environ.update(DISPLAY=":" + _number, XDG_RUNTIME_DIR=RUNTIME.name)
subprocess.run(["dbus-update-activation-environment", "DISPLAY", "XDG_RUNTIME_DIR"], check=True)
import pyatspi  # noqa: E402  (once the display and the runtime folder exist)


def wait_for(what, probe, timeout=10, gone=lambda: False):
    deadline = time.monotonic() + timeout
    while True:
        if gone():
            raise AssertionError(f"gone while waiting for {what}")
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


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)


def click(node):
    box = extents(node)
    xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", "1")


class Viewer:
    """One run of the built program, its settings kept in the runtime folder, not the home."""

    def __init__(self, binary):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "KDE"))}
        env.update(HOME=RUNTIME.name, XDG_CONFIG_HOME=RUNTIME.name, XDG_RUNTIME_DIR=RUNTIME.name,
                   QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([binary], env=env, cwd=RUNTIME.name)
        atexit.register(self.process.kill)  # whatever happens, nothing outlives the run
        # The first start on a fresh bus may take a while on a busy machine; a viewer that ended
        # is not waited for.
        self.app = wait_for("the viewer on the accessibility bus", lambda: next(
            a for a in pyatspi.Registry.getDesktop(0)
            if a is not None and a.get_process_id() == self.process.pid and a.childCount), 30,
            gone=lambda: self.process.poll() is not None)
        self.main = wait_for("the main window", lambda: next(
            w for w in self.app if w is not None and w.name.startswith("KIVO/32")))

    def screenshot(self, path, *over):
        """The main window as drawn on the display, once its drawing has settled; with the
        windows over it, the rectangle that holds them all."""
        time.sleep(0.4)
        boxes = [extents(w) for w in (self.main, *over)]
        left, top = min(b.x for b in boxes), min(b.y for b in boxes)
        right = max(b.x + b.width for b in boxes)
        bottom = max(b.y + b.height for b in boxes)
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{right - left}x{bottom - top}+{left}+{top}", "+repage", path],
                       check=True)

    def window(self, title):
        return next((w for w in self.app if w is not None and w.name == title), None)

    def answer(self, title, button):
        box = wait_for(f"the {title} box", lambda: self.window(title))
        click(wait_for(f"its {button} button", lambda: find(box, pyatspi.ROLE_PUSH_BUTTON, button)))

    def open_file(self, path):
        """Open, through the real dialog: the path typed, then Return."""
        click(find(self.main, pyatspi.ROLE_PUSH_BUTTON, "Open"))
        wait_for("the Open dialog", lambda: self.window("Open"))
        xdotool("type", "--delay", "10", path)
        xdotool("key", "Return")
        wait_for("the Open dialog to close", lambda: self.window("Open") is None)
        return find(self.main, pyatspi.ROLE_LIST, "Users")

    def field(self, caption, within=None):
        """The control a label names (in the main window, or within another), found through the
        label's label-for relation, as a screen reader finds it."""
        label = find(within or self.main, pyatspi.ROLE_LABEL, caption)
        targets = [r.getTarget(i) for r in label.getRelationSet()
                   if r.getRelationType() == pyatspi.RELATION_LABEL_FOR
                   for i in range(r.getNTargets())]
        if len(targets) != 1:
            raise AssertionError(f"the label {caption!r} names {len(targets)} controls")
        return targets[0]
