"""Drives the real viewer in a virtual X display and reads it back over the accessibility bus.

A Desktop owns everything one test file needs: its own Xvfb display, its own session bus and
accessibility bus. A Viewer is one run of the built program on that desktop. Input goes in
as real X events (xdotool); what the window shows comes back over AT-SPI (pyatspi), so the
tests see the program the way a user and a screen reader do.

Every process started here is killed by its own process group id when it is done with, and
every wait is bounded: a viewer that hangs makes a test fail, never CI hang.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from user_files import RECORD_SIZE, user_record, write_user_file  # noqa: E402,F401

# How long a window, a dialog or a changed value may take to show before the test gives up.
WAIT_SECONDS = float(os.environ.get("KIVO_GUI_WAIT", "10"))
POLL_SECONDS = 0.05


class GuiError(AssertionError):
    """Something the test waited for did not show in time."""


def wait_for(what, probe, timeout=WAIT_SECONDS):
    """Polls probe() until it returns something truthy; fails the test after timeout."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            found = probe()
            if found:
                return found
        except Exception as error:  # the tree changes under us while a window opens or closes
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise GuiError(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(POLL_SECONDS)


# --- processes ------------------------------------------------------------------------------

def _start(argv, env, **kwargs):
    # A process group of its own, so the process and whatever it spawns go together.
    return subprocess.Popen(argv, env=env, start_new_session=True, **kwargs)


def _stop(process, grace=3.0):
    if process is None or process.poll() is not None:
        if process is not None:
            _kill_group(process.pid, signal.SIGKILL)  # children it left behind
        return
    _kill_group(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        pass
    _kill_group(process.pid, signal.SIGKILL)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        pass


def _kill_group(pgid, sig):
    try:
        os.killpg(pgid, sig)
    except (ProcessLookupError, PermissionError):
        pass


class Desktop:
    """A private X display with a session bus and an accessibility bus on it."""

    def __init__(self):
        self.processes = []
        self.home = tempfile.mkdtemp(prefix="kivo-gui-")
        self.env = None
        self._session = None

    def start(self):
        try:
            self._start()
        except BaseException:
            self.stop()
            raise
        return self

    def _start(self):
        base = {k: v for k, v in os.environ.items() if k in ("PATH", "LANG", "LC_ALL", "TZ")}
        runtime = os.path.join(self.home, "runtime")
        os.mkdir(runtime, 0o700)
        base.update(HOME=self.home, XDG_RUNTIME_DIR=runtime,
                    XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                    XDG_CACHE_HOME=os.path.join(self.home, "cache"),
                    XDG_DATA_HOME=os.path.join(self.home, "data"))

        # Xvfb writes the number of the free display it took to the pipe.
        read_fd, write_fd = os.pipe()
        xvfb = _start(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                       "-nolisten", "tcp", "-noreset"], base, pass_fds=(write_fd,),
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        os.close(write_fd)
        display = self._read_line(read_fd, "Xvfb's display number")
        base["DISPLAY"] = ":" + display

        bus = _start(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                     base, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.processes.append(bus)
        base["DBUS_SESSION_BUS_ADDRESS"] = self._read_line(bus.stdout.fileno(),
                                                           "the session bus address")

        launcher = _start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], base,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(launcher)
        self.env = base

        address = wait_for("the accessibility bus", self._a11y_address)
        self._session_call("org.freedesktop.DBus.Properties", "Set",
                           GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled",
                                                  GLib.Variant("b", True))))

        # This process talks to the accessibility bus directly; the viewer finds it through the
        # session bus, because Qt 6.4 does not register when handed AT_SPI_BUS_ADDRESS.
        os.environ["DISPLAY"] = base["DISPLAY"]
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = base["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["AT_SPI_BUS_ADDRESS"] = address
        import pyatspi  # noqa: F401  (loaded only once the buses exist)

    @staticmethod
    def _read_line(fd, what):
        deadline = time.monotonic() + WAIT_SECONDS
        data = b""
        import select
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise GuiError(f"timed out waiting for {what}")
            chunk = os.read(fd, 256)
            if not chunk:
                raise GuiError(f"no {what}: the process ended")
            data += chunk
        return data.decode().strip()

    def _session_call(self, interface, method, parameters=None):
        if self._session is None:
            self._session = Gio.DBusConnection.new_for_address_sync(
                self.env["DBUS_SESSION_BUS_ADDRESS"],
                Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        return self._session.call_sync("org.a11y.Bus", "/org/a11y/bus", interface, method,
                                       parameters, None, Gio.DBusCallFlags.NONE, 5000, None)

    def _a11y_address(self):
        return self._session_call("org.a11y.Bus", "GetAddress").unpack()[0]

    def viewer_env(self):
        env = dict(self.env)
        env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   QT_ACCESSIBILITY="1")
        for desktop_variable in ("QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "XDG_CURRENT_DESKTOP",
                                 "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                 "AT_SPI_BUS_ADDRESS"):
            env.pop(desktop_variable, None)
        return env

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                text=True, timeout=WAIT_SECONDS)
        if check and result.returncode != 0:
            raise GuiError(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout

    def stop(self):
        for process in reversed(self.processes):
            _stop(process)
            if process.stdout:
                process.stdout.close()
        self.processes.clear()
        self._session = None  # its bus is gone with the processes
        shutil.rmtree(self.home, ignore_errors=True)


# --- the viewer -----------------------------------------------------------------------------

def _role(name):
    import pyatspi
    return {"button": pyatspi.ROLE_PUSH_BUTTON, "text": pyatspi.ROLE_TEXT,
            "label": pyatspi.ROLE_LABEL, "list": pyatspi.ROLE_LIST,
            "item": pyatspi.ROLE_LIST_ITEM, "combo": pyatspi.ROLE_COMBO_BOX,
            "radio": pyatspi.ROLE_RADIO_BUTTON, "check": pyatspi.ROLE_CHECK_BOX,
            "tab": pyatspi.ROLE_PAGE_TAB, "slider": pyatspi.ROLE_SLIDER,
            "status": pyatspi.ROLE_STATUS_BAR, "tooltip": pyatspi.ROLE_TOOL_TIP}[name]


def _has(node, state):
    import pyatspi
    return node.getState().contains({"showing": pyatspi.STATE_SHOWING,
                                     "enabled": pyatspi.STATE_ENABLED,
                                     "checked": pyatspi.STATE_CHECKED,
                                     "selected": pyatspi.STATE_SELECTED,
                                     "focused": pyatspi.STATE_FOCUSED}[state])


def _walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from _walk(child)


class Viewer:
    """One run of the built viewer on a Desktop."""

    def __init__(self, desktop, binary, cwd=None):
        self.desktop = desktop
        self.process = _start([binary], desktop.viewer_env(), cwd=cwd,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        try:
            self.app = wait_for("the viewer on the accessibility bus", self._find_app)
            self.main = wait_for("the main window", lambda: self.window(title_prefix="KIVO/32"))
            self.window_id = wait_for("the main window's X id", self._main_window_id)
        except BaseException:
            self.close()
            raise

    # -- finding things

    def _find_app(self):
        import pyatspi
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid and app.childCount:
                return app
        return None

    def windows(self):
        """The viewer's top-level windows that are on screen: the main window, dialogs, boxes."""
        return [w for w in self.app if w is not None and _has(w, "showing")]

    def window(self, title=None, title_prefix=None):
        for w in self.windows():
            if (title is not None and w.name == title) or \
               (title_prefix is not None and w.name.startswith(title_prefix)):
                return w
        return None

    def wait_window(self, title):
        return wait_for(f"a window titled {title!r}", lambda: self.window(title=title))

    def wait_window_gone(self, title):
        wait_for(f"the window {title!r} to close", lambda: self.window(title=title) is None)

    def find_all(self, role, name=None, within=None, showing=None):
        wanted = _role(role)
        found = []
        for node in _walk(within or self.main):
            if node.getRole() == wanted and (name is None or node.name == name) and \
               (showing is None or _has(node, "showing") == showing):
                found.append(node)
        return found

    def find(self, role, name=None, within=None, showing=None):
        found = self.find_all(role, name, within, showing)
        if len(found) != 1:
            raise GuiError(f"expected one {role} named {name!r}, found {len(found)}")
        return found[0]

    def button(self, caption, within=None):
        return self.find("button", caption, within, showing=True)

    def field(self, label):
        """The control a label names (its buddy), on whichever page it lies: found through the
        label's label-for relation, as a screen reader finds it."""
        import pyatspi
        caption = self.find("label", label)
        targets = [relation.getTarget(i) for relation in caption.getRelationSet()
                   if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR
                   for i in range(relation.getNTargets())]
        if len(targets) != 1:
            raise GuiError(f"the label {label!r} names {len(targets)} controls")
        return targets[0]

    def value(self, label):
        """What the control named by a label shows: a text box's text, a drop-down list's
        chosen entry."""
        control = self.field(label)
        if control.getRole() == _role("combo"):
            return control.name  # Qt names a drop-down list by its shown entry
        return self.text(control)

    def panel(self, number):
        """Status bar panel 1, 2 or 3, by its place in the bar."""
        panels = self.find("status")
        labels = [child for child in panels if child.getRole() == _role("label")]
        labels.sort(key=lambda node: self.extents(node)[0])
        return labels[number - 1]

    def users(self):
        return self.find("list", "Users")

    def user_names(self):
        return [item.name for item in self.users() if item is not None]

    # -- reading

    @staticmethod
    def text(node):
        text = node.queryText()
        return text.getText(0, text.characterCount)

    @staticmethod
    def has(node, state):
        return _has(node, state)

    @staticmethod
    def extents(node):
        import pyatspi
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    # -- input

    def focus(self):
        """Gives the main window the keyboard again: with no window manager nobody else does
        when a dialog closes."""
        self.desktop.xdotool("windowfocus", "--sync", self.window_id)

    def click(self, node):
        x, y, width, height = self.extents(node)
        if width <= 0 or height <= 0:
            raise GuiError(f"{node.getRoleName()} {node.name!r} is not on screen")
        self.desktop.xdotool("mousemove", x + width // 2, y + height // 2,
                             "click", "1")

    def hover(self, node):
        x, y, width, height = self.extents(node)
        self.desktop.xdotool("mousemove", x + width // 2, y + height // 2)

    def move_mouse_away(self):
        self.desktop.xdotool("mousemove", 5, 5)

    def key(self, *keys):
        self.desktop.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.desktop.xdotool("type", "--delay", "10", text)

    def _main_window_id(self):
        ids = self.desktop.xdotool("search", "--all", "--pid", self.process.pid, "--name",
                                   "^KIVO/32", check=False).split()
        return ids[0] if len(ids) == 1 else None

    # -- ending

    def ended(self):
        return self.process.poll() is not None

    def wait_ended(self, timeout=WAIT_SECONDS):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise GuiError("the viewer did not end") from None

    def close(self):
        _stop(self.process)
        if self.process.stderr:
            self.process.stderr.close()
