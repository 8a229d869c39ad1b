"""harness.py -- runs the real program on a private Xvfb display and drives it like a user.

A test makes a scratch data tree, starts its own X server and the program in that tree,
moves the mouse and presses keys through xdotool, reads the screen with ImageMagick's
import, and reads the exit status and any message box. Everything it starts is stopped
when the test ends, pass or fail.

    import harness

    class TitleTest(harness.ProgramTestCase):
        def test_quit(self):
            app = self.start(settings=harness.settings_ini(language="EN"))
            app.wait_for_picture()
            app.click_button(harness.TITLE_BUTTONS["quit"])
            self.assertEqual(app.wait_exit(), 0)

    if __name__ == "__main__":
        harness.main()

Coordinates are always those of the program's 640x480 picture, whatever the root size.
Boxes are (left, top, right, bottom) with both corners inclusive, as Allegro's rectfill has them.
Pictures of failed waits and of every run's last frame, and the program's output, are kept
under $QB_E2E_ARTIFACTS (default /tmp/qb-e2e-artifacts/<test id>/).
"""

import atexit
import collections
import ctypes
import glob
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

ROOT = os.environ.get("QB_ROOT") or os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ARTIFACTS = os.environ.get("QB_E2E_ARTIFACTS") or os.path.join(tempfile.gettempdir(), "qb-e2e-artifacts")

PICTURE_WIDTH = 640
PICTURE_HEIGHT = 480
WINDOW_TITLE = "Quillbrook"

# Waits poll quickly but give a loaded two-core machine plenty of time.
TIMEOUT = 30.0 * float(os.environ.get("QB_E2E_TIMEOUT_SCALE", "1"))
POLL = 0.05

# Where the screens put their buttons, as (left, top, right, bottom).
TITLE_BUTTONS = {name: (352, y, 352 + 255, y + 31) for name, y in (
    ("campaign", 232), ("multi", 264), ("tutorial", 296), ("editor", 328),
    ("options", 360), ("help", 392), ("quit", 424))}
LANGUAGE_BUTTONS = {code: (x, 250, x + 95, 250 + 63) for code, x in (
    ("EN", 16), ("DU", 120), ("SW", 224), ("SP", 328))}
FPS_BOX = (8, 457, 46, 472)


def centre(box):
    """The middle pixel of a box."""
    left, top, right, bottom = box
    return (left + right) // 2, (top + bottom) // 2


def settings_ini(windowed=True, debug=False, language="EN"):
    """The text of a settings file with the three keys."""
    return "WindowedMode %s\nDebugMode %s\nLanguage %s\n" % (
        "ON" if windowed else "OFF", "ON" if debug else "OFF", language)


class WaitTimeout(AssertionError):
    """A condition a test waited for did not come in time."""


def program_path():
    """The program under test: $QB_PROGRAM, else the newest build*/quillbrook of the repository."""
    path = os.environ.get("QB_PROGRAM")
    if path:
        return path
    built = [p for p in glob.glob(os.path.join(ROOT, "build*", "quillbrook")) if os.access(p, os.X_OK)]
    if not built:
        raise RuntimeError("no program to test: build it, or set QB_PROGRAM to its path")
    return max(built, key=os.path.getmtime)


def wait_until(condition, timeout=TIMEOUT, what="the condition"):
    """Polls condition() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise WaitTimeout("waited %.0f s for %s" % (timeout, what))
        time.sleep(POLL)


# Children die with the test process, even when it is killed without a chance to clean up.
_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _die_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


_running = set()  # everything started and not yet stopped, stopped at exit as a last resort


@atexit.register
def _stop_leftovers():
    for thing in list(_running):
        getattr(thing, "shutdown", thing.stop)()


def _stop_process(proc, group=False, grace=3.0):
    if proc.poll() is None:
        try:
            if group:
                os.killpg(proc.pid, signal.SIGTERM)
            else:
                proc.terminate()
        except ProcessLookupError:
            pass
        try:
            proc.wait(grace)
        except subprocess.TimeoutExpired:
            pass
    if group:
        # The group may outlive its leader (a message box still open).
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            pass
    if proc.poll() is None:
        proc.kill()
        proc.wait()


FOLDER = object()  # as the content of a file: an empty folder in its place


class DataTree:
    """A scratch working directory: system/ mirrored from the repository, data/settings.ini as given.

    Files are symbolic links into the repository, so a test can remove or replace single
    files without touching the real tree. settings=None leaves data/settings.ini out.
    """

    def __init__(self, settings=None, remove=(), files=None):
        self.path = tempfile.mkdtemp(prefix="qb-e2e-")
        source = os.path.join(ROOT, "system")
        for folder, _, names in os.walk(source):
            target = os.path.join(self.path, "system", os.path.relpath(folder, source))
            os.makedirs(target, exist_ok=True)
            for name in names:
                os.symlink(os.path.join(folder, name), os.path.join(target, name))
        os.makedirs(os.path.join(self.path, "data"))
        if settings is not None:
            self.write("data/settings.ini", settings)
        for relative in remove:
            self.remove(relative)
        for relative, content in (files or {}).items():
            self.write(relative, content)

    def file(self, relative):
        return os.path.join(self.path, relative)

    def remove(self, relative):
        """Removes a file or folder; one that is not there is a mistake in the test."""
        path = self.file(relative)
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        else:
            os.remove(path)

    def write(self, relative, content):
        """Writes bytes as they are, text in Latin-1, or FOLDER, in place of whatever was there."""
        path = self.file(relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if os.path.lexists(path):
            os.remove(path)
        if content is FOLDER:
            os.makedirs(path)
            return
        with open(path, "wb") as out:
            out.write(content if isinstance(content, bytes) else content.encode("latin-1"))

    def cleanup(self):
        shutil.rmtree(self.path, ignore_errors=True)


class XServer:
    """A private Xvfb on a display number the server picks itself (-displayfd), so runs never collide."""

    def __init__(self, width=640, height=480, depth=24):
        self.width, self.height = width, height
        self._hand = None
        self.log = tempfile.TemporaryFile()
        reader, writer = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", "%dx%dx%d" % (width, height, depth),
             "-nolisten", "tcp"],
            pass_fds=(writer,), stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
            start_new_session=True, preexec_fn=_die_with_parent)
        os.close(writer)
        _running.add(self)
        try:
            self.display = ":" + self._read_display_number(reader)
        finally:
            os.close(reader)
        env = dict(os.environ, DISPLAY=self.display)
        env.pop("XAUTHORITY", None)
        self.env = env
        wait_until(lambda: self.run("xdpyinfo", check=False).returncode == 0, what="Xvfb to answer")

    def _read_display_number(self, reader):
        text = b""
        deadline = time.monotonic() + TIMEOUT
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self.proc.poll() is not None:
                self.stop()
                raise RuntimeError("Xvfb did not start: %s" % self.server_log())
            if select.select([reader], [], [], left)[0]:
                chunk = os.read(reader, 32)
                if not chunk:
                    break
                text += chunk
        return text.decode().strip()

    def running(self):
        return self.proc.poll() is None

    def server_log(self):
        if self.log.closed:
            return ""
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def run(self, *args, check=True, timeout=TIMEOUT):
        """Runs an X client on this display; returns the CompletedProcess (text output)."""
        result = subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=timeout, preexec_fn=_die_with_parent)
        result.stdout = result.stdout.decode("latin-1")
        result.stderr = result.stderr.decode("latin-1")
        if check and result.returncode != 0:
            raise RuntimeError("%s failed (%d): %s" % (" ".join(args), result.returncode, result.stderr))
        return result

    def hand(self):
        """The one xdotool that gives this display all its input (started on first use)."""
        if self._hand is None:
            self._hand = Hand(self)
        return self._hand

    def spawn(self, *args):
        """Starts an X client in the background; stop it with stop_client()."""
        proc = subprocess.Popen(args, env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
        return proc

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args]).stdout

    def root_picture(self):
        """The whole root window as a Picture in root coordinates."""
        data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, stdin=subprocess.DEVNULL, capture_output=True, check=True,
                              timeout=TIMEOUT, preexec_fn=_die_with_parent).stdout
        return Picture.from_ppm(data)

    def windows(self):
        """Every window below the root, in the order xwininfo lists them, each with its children."""
        found, parents = [], []
        for line in self.run("xwininfo", "-root", "-tree").stdout.splitlines():
            window = Window.parse_tree_line(line)
            if not window:
                continue
            del parents[window.level - 1:]
            if parents:
                parents[-1].children.append(window)
            parents.append(window)
            found.append(window)
        return found

    def window_attributes(self, window_id):
        """Map state and override-redirect flag of one window, or None when it has gone."""
        result = self.run("xwininfo", "-id", window_id, check=False)
        if result.returncode != 0:
            return None
        state = re.search(r"Map State: (\w+)", result.stdout)
        override = re.search(r"Override Redirect State: (\w+)", result.stdout)
        return (state.group(1) if state else "", bool(override and override.group(1) == "yes"))

    def stop(self):
        if self._hand:
            self._hand.close()
        _stop_process(self.proc, group=True)
        self.log.close()
        _running.discard(self)


class Hand:
    """One long-lived xdotool reading commands from a pipe.

    The X server lets go of the keys and buttons a client holds when that client disconnects,
    and the program is not told, so a press and its release must come from the same client:
    one xdotool run per command would leave the program with a button it thinks is still down.
    After each command chain the hand asks for the pointer position; the answer tells that the
    chain has been carried out.
    """

    def __init__(self, xserver):
        self.proc = subprocess.Popen(["xdotool", "-"], env=xserver.env, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, bufsize=0,
                                     preexec_fn=_die_with_parent)
        self.pending = b""

    def do(self, *args, timeout=TIMEOUT):
        """Carries out one command chain; returns what it printed, as lines."""
        words = [str(a) for a in args]
        if any(not w or any(c.isspace() for c in w) for w in words):
            raise ValueError("hand commands take plain words: %r" % (words,))
        self.proc.stdin.write((" ".join(words) + "\ngetmouselocation\n").encode("latin-1"))
        deadline = time.monotonic() + timeout
        printed = []
        while True:
            while b"\n" not in self.pending:
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([self.proc.stdout], [], [], left)[0]:
                    raise WaitTimeout("xdotool did not carry out %s within %.0f s" % (" ".join(words), timeout))
                chunk = os.read(self.proc.stdout.fileno(), 4096)
                if not chunk:
                    raise RuntimeError("xdotool has gone (the X server with it?)")
                self.pending += chunk
            line, self.pending = self.pending.split(b"\n", 1)
            line = line.decode("latin-1")
            if re.match(r"x:-?\d+ y:-?\d+ screen:", line):
                return printed
            printed.append(line)

    def close(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.close()
            except OSError:
                pass
        _stop_process(self.proc, grace=1.0)
        self.proc.stdout.close()


class Window:
    """One line of xwininfo -tree: id, depth in the tree, name, class, size and absolute position."""

    LINE = re.compile(r"^(?P<indent>\s+)(?P<id>0x[0-9a-f]+) (?P<label>.*?)\s+"
                      r"(?P<w>\d+)x(?P<h>\d+)[+-]-?\d+[+-]-?\d+\s+(?P<x>[+-]-?\d+)(?P<y>[+-]-?\d+)\s*$")

    def __init__(self, window_id, level, name, window_class, width, height, x, y):
        self.id, self.level, self.name, self.window_class = window_id, level, name, window_class
        self.width, self.height, self.x, self.y = width, height, x, y
        self.children = []

    @classmethod
    def parse_tree_line(cls, line):
        match = cls.LINE.match(line)
        if not match:
            return None
        label = match.group("label")
        name = re.match(r'"(.*)":', label)
        window_class = re.search(r'\("([^"]*)" "([^"]*)"\)\s*$', label)
        # xwininfo indents the root's children by five spaces and each level below by three more.
        level = (len(match.group("indent")) - 5) // 3 + 1
        return cls(match.group("id"), level, name.group(1) if name else None,
                   window_class.group(1) if window_class else None,
                   int(match.group("w")), int(match.group("h")),
                   int(match.group("x").replace("+-", "-")), int(match.group("y").replace("+-", "-")))


class WindowState:
    """How the program shows itself at one moment.

    mode is "windowed" (a mapped, managed top-level window of the program), "fullscreen"
    (Allegro's X11 full-screen driver: the program's named window stays unmapped and an
    override-redirect window covering the whole root carries the picture, centred when the
    root is larger than 640x480) or None when nothing of the program is visible.
    window is the program's named top-level window, picture the window the program draws in,
    origin the root position of the picture's top-left pixel.
    """

    def __init__(self, mode, window, picture):
        self.mode, self.window, self.picture = mode, window, picture
        self.origin = (picture.x, picture.y) if picture else None
        self.size = (picture.width, picture.height) if picture else None
        self.title = window.name if window else None

    def __repr__(self):
        return "WindowState(mode=%r, title=%r, size=%r, origin=%r)" % (self.mode, self.title, self.size,
                                                                      self.origin)


Message = collections.namedtuple("Message", "pid argv text")


class Program:
    """The program running in a scratch tree on an X server, and the user in front of it."""

    def __init__(self, xserver, tree, name="program", hold_keys=(), owns=False):
        self.x, self.tree, self.name, self.owns = xserver, tree, name, owns
        self.origin = None
        self.holds, self.held_keys, self.held_buttons = [], [], set()
        if hold_keys:
            self.key_down(*hold_keys)
        self.log_path = tree.file("program.log")
        self.log = open(self.log_path, "wb")
        self.proc = subprocess.Popen([program_path()], cwd=tree.path, env=xserver.env, stdin=subprocess.DEVNULL,
                                     stdout=self.log, stderr=subprocess.STDOUT, start_new_session=True,
                                     preexec_fn=_die_with_parent)
        self.started = time.monotonic()
        _running.add(self)

    # ---- the process

    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout=TIMEOUT):
        """Waits for the program to end and returns its status: 0 to 255, or minus the signal that killed it.

        Linux keeps 8 bits: exit(-1) reads 255, 301 reads 45, 302 reads 46.
        """
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise WaitTimeout("the program still runs after %.0f s; last picture %s"
                              % (timeout, self.save_screenshot("still-running"))) from None

    def ended(self, when):
        """Why a wait cannot go on: the status, the program's own words, and the X server's."""
        server = "the X server %s is %s" % (self.x.display, "running" if self.x.running() else "gone")
        lines = [l for l in self.output().splitlines() if not l.startswith("ALSA lib ")]
        return "the program ended with status %d %s; %s; output:\n%s" % (
            self.proc.returncode, when, server, "\n".join(lines))

    def output(self):
        """What the program wrote to stdout and stderr so far."""
        with open(self.log_path, "rb") as log:
            return log.read().decode("latin-1")

    def stop(self):
        """Ends the program, its message box and any held keys; keeps a last picture and the log."""
        if self.running():
            try:
                self.save_screenshot("at-stop")
            except Exception:
                pass
        _stop_process(self.proc, group=True)
        for hold in self.holds:
            _stop_process(hold)
        self.holds = []
        if self.x.running() and (self.held_keys or self.held_buttons):
            self.release_holds()
        if not self.log.closed:
            self.log.close()
            shutil.copy(self.log_path, os.path.join(self.artifact_folder(), "program.log"))
        _running.discard(self)

    def shutdown(self):
        """stop(), then also the X server and the data tree when this run owns them. Safe to repeat."""
        self.stop()
        if self.owns:
            self.x.stop()
            self.tree.cleanup()

    # ---- message boxes

    def message_box(self):
        """The open message box (Allegro runs xmessage as a child and waits for it), or None."""
        for pid in _descendants(self.proc.pid):
            argv = _cmdline(pid)
            if argv and os.path.basename(argv[0]) == "xmessage":
                text = argv[-1][:-1] if argv[-1].endswith("\n") else argv[-1]
                return Message(pid, argv, text)
        return None

    def wait_for_message(self, timeout=TIMEOUT):
        def seen():
            if not self.running():
                raise AssertionError(self.ended("and showed no message"))
            return self.message_box()
        return wait_until(seen, timeout, "a message box")

    def dismiss_message(self, message):
        """Closes the box as the user would; the program then goes on (usually to exit)."""
        try:
            os.kill(message.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass

    def read_message_and_exit(self, timeout=TIMEOUT):
        """Waits for a message box, dismisses it, and returns (its text, the exit status)."""
        message = self.wait_for_message(timeout)
        self.dismiss_message(message)
        return message.text, self.wait_exit(timeout)

    # ---- windows

    def window_state(self):
        """A WindowState for this moment."""
        windows = self.x.windows()
        top = [w for w in windows if w.level == 1]
        named = [w for w in top if w.window_class == "allegro"]
        for window in named:
            attributes = self.x.window_attributes(window.id)
            picture = _picture_window(window)
            if picture and attributes and attributes[0] == "IsViewable" and not attributes[1]:
                return WindowState("windowed", window, picture)
        for window in top:
            attributes = self.x.window_attributes(window.id)
            if attributes and attributes[0] == "IsViewable" and attributes[1]:
                picture = _picture_window(window)
                if picture:
                    return WindowState("fullscreen", named[0] if named else None, picture)
        return WindowState(None, named[0] if named else None, None)

    def wait_for_window(self, mode=None, timeout=TIMEOUT):
        """Waits until the program shows itself (in the given mode, if one is given); returns the WindowState."""
        def shown():
            if not self.running():
                raise AssertionError(self.ended("before it showed a window"))
            state = self.window_state()
            return state if state.mode and (mode is None or state.mode == mode) else None
        state = wait_until(shown, timeout, "a %s window" % (mode or "program"))
        self.origin = state.origin
        return state

    def window_title(self, state=None):
        """WM_NAME of the program's named window, read from the server."""
        state = state or self.window_state()
        if not state.window:
            return None
        return self.x.xdotool("getwindowname", state.window.id).rstrip("\n")

    def _origin(self):
        if self.origin is None:
            state = self.window_state()
            if state.origin:
                self.origin = state.origin
        return self.origin or (0, 0)

    # ---- pictures

    def screenshot(self):
        """The screen as a Picture in the program's coordinates."""
        return self.x.root_picture().moved(self._origin())

    def pixel(self, x, y):
        return self.screenshot().pixel(x, y)

    def wait_for_screen(self, condition, timeout=TIMEOUT, what="the screen to change"):
        """Polls screenshots until condition(picture) is true; returns that picture."""
        last = []

        def check():
            if not self.running():
                raise AssertionError(self.ended("while the test waited for %s" % what))
            picture = self.screenshot()
            last[:] = [picture]
            return picture if condition(picture) else None
        try:
            return wait_until(check, timeout, what)
        except WaitTimeout as error:
            if last:
                path = self.save(last[0], "timeout")
                raise WaitTimeout("%s; last picture %s" % (error, path)) from None
            raise

    def wait_for_picture(self, timeout=TIMEOUT):
        """Waits until the program has put something other than plain black on the screen."""
        return self.wait_for_screen(lambda p: not p.uniform(), timeout, "a first picture")

    def wait_until_still(self, box=None, timeout=TIMEOUT, interval=0.2):
        """Waits until two pictures taken interval apart agree (inside box, if given); returns the later one."""
        previous = [self.screenshot()]

        def still(picture):
            time.sleep(interval)
            again = self.screenshot()
            same = again.same_as(picture, box)
            previous[0] = again
            return same
        self.wait_for_screen(still, timeout, "the screen to settle")
        return previous[0]

    def save(self, picture, label):
        """Saves a picture as PNG among the test's artifacts and returns the path."""
        path = os.path.join(self.artifact_folder(), "%s.png" % label)
        picture.save(path)
        return path

    def save_screenshot(self, label):
        return self.save(self.screenshot(), label)

    def artifact_folder(self):
        folder = os.path.join(ARTIFACTS, re.sub(r"[^A-Za-z0-9_.-]", "_", self.name))
        os.makedirs(folder, exist_ok=True)
        return folder

    # ---- input, in program coordinates

    def _root(self, x, y):
        ox, oy = self._origin()
        return x + ox, y + oy

    def xdotool(self, *args):
        """Runs an xdotool command chain through the hand, returns when it has been carried out,
        with the lines it printed."""
        return self.x.hand().do(*args)

    def move(self, x, y):
        self.xdotool("mousemove", *self._root(x, y))

    def click(self, x, y, button=1, hold=0.1, until=None, timeout=TIMEOUT):
        """Moves there, presses, and releases after hold seconds, or once until(picture) is true."""
        self.xdotool("mousemove", *self._root(x, y), "sleep", 0.05)
        if until is None:
            self.xdotool("mousedown", button, "sleep", hold, "mouseup", button)
            return None
        self.button_down(button)
        try:
            return self.wait_for_screen(until, timeout, "the press to show")
        finally:
            self.button_up(button)

    def click_button(self, box, button=1, timeout=TIMEOUT):
        """A patient click on a widget: the pointer rests on it, the button is let go only once the
        widget shows itself pressed, and the pointer stays until a frame has seen the release.
        Returns the picture with the widget pressed."""
        before = self.screenshot()
        self.move(*centre(box))
        self.wait_for_screen(lambda p: not p.same_as(before, box), timeout, "the pointer over the widget")
        hovered = self.wait_until_still(box, timeout)
        pressed = self.click(*centre(box), button=button, until=lambda p: not p.same_as(hovered, box),
                             timeout=timeout)
        time.sleep(0.1)
        return pressed

    def drag(self, points, button=1, step=0.05):
        """Presses at the first point, moves through the others, releases at the last."""
        args = ["mousemove", *self._root(*points[0]), "sleep", step, "mousedown", button, "sleep", step]
        for point in points[1:]:
            args += ["mousemove", *self._root(*point), "sleep", step]
        self.xdotool(*args, "mouseup", button)

    def button_down(self, button=1):
        """Presses a mouse button and keeps it down (across calls) until button_up."""
        self.xdotool("mousedown", button)
        self.held_buttons.add(button)

    def button_up(self, button=1):
        self.xdotool("mouseup", button)
        self.held_buttons.discard(button)

    def key_down(self, *keys):
        """Presses keys (X keysym names) and keeps them down (across calls) until key_up."""
        self.xdotool(*sum((["keydown", k] for k in keys), []))
        self.held_keys.extend(k for k in keys if k not in self.held_keys)

    def key_up(self, *keys):
        self.xdotool(*sum((["keyup", k] for k in keys), []))
        self.held_keys = [k for k in self.held_keys if k not in keys]

    def tap(self, *keys, hold=0.1, gap=0.1):
        """Presses and releases each key in turn (X keysym names: Escape, F9, Return, a, ...)."""
        args = []
        for key in keys:
            args += ["keydown", key, "sleep", hold, "keyup", key, "sleep", gap]
        self.xdotool(*args)

    def hold(self, keys, seconds):
        """Holds keys down together for a while, then releases them; returns when they are up."""
        keys = [keys] if isinstance(keys, str) else list(keys)
        self.xdotool(*sum((["keydown", k] for k in keys), []), "sleep", seconds,
                     *sum((["keyup", k] for k in keys), []))

    def hold_in_background(self, keys, seconds):
        """Holds keys for a while without waiting; returns the process, which ends when they are up."""
        keys = [keys] if isinstance(keys, str) else list(keys)
        args = sum((["keydown", k] for k in keys), []) + ["sleep", str(seconds)] + sum((["keyup", k] for k in keys), [])
        proc = self.x.spawn("xdotool", *args)
        self.holds.append(proc)
        return proc

    def release_holds(self):
        """Lets go of every key and button still held, the ones held from the start among them."""
        for hold in self.holds:
            hold.wait(TIMEOUT)
        self.holds = []
        if self.held_keys:
            self.key_up(*self.held_keys)
        for button in list(self.held_buttons):
            self.button_up(button)

    def type_text(self, text, delay=0.1):
        """Types text one key at a time, slowly enough for one key per frame."""
        self.x.xdotool("type", "--delay", int(delay * 1000), "--", text)


def _picture_window(window):
    """The 640x480 window Allegro draws in: the window itself or one of its children."""
    if (window.width, window.height) == (PICTURE_WIDTH, PICTURE_HEIGHT) and not window.children:
        return window
    for child in window.children:
        if (child.width, child.height) == (PICTURE_WIDTH, PICTURE_HEIGHT):
            return child
    if (window.width, window.height) == (PICTURE_WIDTH, PICTURE_HEIGHT):
        return window
    return None


def _descendants(pid):
    parents = {}
    for stat in glob.glob("/proc/[0-9]*/stat"):
        try:
            with open(stat, "rb") as f:
                fields = f.read().rsplit(b")", 1)[1].split()
        except OSError:
            continue
        parents.setdefault(int(fields[1]), []).append(int(stat.split("/")[2]))
    found, queue = [], [pid]
    while queue:
        for child in parents.get(queue.pop(), []):
            found.append(child)
            queue.append(child)
    return found


def _cmdline(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            return [a.decode("latin-1") for a in f.read().split(b"\0")[:-1]]
    except OSError:
        return None


class Picture:
    """An RGB picture with a movable origin: pixel(x, y) reads the root pixel at origin + (x, y)."""

    def __init__(self, width, height, data, origin=(0, 0)):
        self.root_width, self.root_height, self.data, self.origin = width, height, data, origin

    @classmethod
    def from_ppm(cls, data):
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError("not an 8-bit binary PPM")
        width, height = int(fields[1]), int(fields[2])
        pixels = data[pos + 1:pos + 1 + width * height * 3]
        return cls(width, height, pixels)

    def moved(self, origin):
        return Picture(self.root_width, self.root_height, self.data, origin)

    def pixel(self, x, y):
        """(r, g, b) at (x, y) of the program's picture."""
        rx, ry = x + self.origin[0], y + self.origin[1]
        if not (0 <= rx < self.root_width and 0 <= ry < self.root_height):
            raise IndexError("(%d, %d) is off the screen" % (x, y))
        i = (ry * self.root_width + rx) * 3
        return tuple(self.data[i:i + 3])

    def box(self, box=None):
        return box or (0, 0, PICTURE_WIDTH - 1, PICTURE_HEIGHT - 1)

    def pixels(self, box=None):
        """((x, y), (r, g, b)) for every pixel of the box, row by row."""
        left, top, right, bottom = self.box(box)
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                yield (x, y), self.pixel(x, y)

    def colours(self, box=None):
        """A Counter of the colours inside the box."""
        return collections.Counter(rgb for _, rgb in self.pixels(box))

    def mean(self, box=None):
        """The mean (r, g, b) inside the box."""
        total, count = [0, 0, 0], 0
        for _, rgb in self.pixels(box):
            for c in range(3):
                total[c] += rgb[c]
            count += 1
        return tuple(t / count for t in total)

    def uniform(self, box=None):
        """True when every pixel of the box has the same colour."""
        first = None
        for _, rgb in self.pixels(box):
            if first is None:
                first = rgb
            elif rgb != first:
                return False
        return True

    def differences(self, other, box=None):
        """The points of the box where the two pictures differ."""
        return [xy for xy, rgb in self.pixels(box) if other.pixel(*xy) != rgb]

    def same_as(self, other, box=None):
        left, top, right, bottom = self.box(box)
        if box is None and self.origin == other.origin and self.root_width == other.root_width:
            return self.data == other.data
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                if self.pixel(x, y) != other.pixel(x, y):
                    return False
        return True

    def crop(self, box=None):
        """The box as a new Picture of its own size."""
        left, top, right, bottom = self.box(box)
        rows = []
        for y in range(top, bottom + 1):
            start = ((y + self.origin[1]) * self.root_width + left + self.origin[0]) * 3
            rows.append(self.data[start:start + (right - left + 1) * 3])
        return Picture(right - left + 1, bottom - top + 1, b"".join(rows))

    def save(self, path, box=None):
        """Writes the box (the whole program picture by default) as PNG for a human to look at."""
        picture = self.crop(self._clipped(self.box(box)))
        width, height = picture.root_width, picture.root_height
        raw = b"".join(b"\0" + picture.data[y * width * 3:(y + 1) * width * 3] for y in range(height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                      + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
        return path

    def _clipped(self, box):
        left, top, right, bottom = box
        ox, oy = self.origin
        return (max(left, -ox), max(top, -oy),
                min(right, self.root_width - 1 - ox), min(bottom, self.root_height - 1 - oy))


def solid_jpeg(width, height, rgb):
    """A baseline JPEG of one flat colour, for a background whose every pixel a test knows."""
    r, g, b = rgb
    levels = (0.299 * r + 0.587 * g + 0.114 * b,
              -0.168736 * r - 0.331264 * g + 0.5 * b + 128,
              0.5 * r - 0.418688 * g - 0.081312 * b + 128)
    # With every quantiser 1 a flat block is its DC term alone, 8 * (level - 128).
    dc = [int(round(8 * (min(255.0, max(0.0, v)) - 128))) for v in levels]
    dc_bits = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]  # the usual luminance DC table
    dc_codes = _huffman_codes(dc_bits, list(range(12)))
    ac_bits = [0, 1] + [0] * 14  # only end-of-block is ever sent
    ac_codes = _huffman_codes(ac_bits, [0])

    bits = _BitWriter()
    mcus = ((width + 7) // 8) * ((height + 7) // 8)
    for n in range(mcus):
        for value in dc:
            diff = value if n == 0 else 0
            size = abs(diff).bit_length()
            bits.put(*dc_codes[size])
            if size:
                bits.put(diff if diff > 0 else diff + (1 << size) - 1, size)
            bits.put(*ac_codes[0])

    def segment(marker, body):
        return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body
    components = b"".join(struct.pack(">BBB", i, 0x11, 0) for i in (1, 2, 3))
    return (b"\xff\xd8"
            + segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
            + segment(0xDB, b"\0" + b"\x01" * 64)
            + segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) + components)
            + segment(0xC4, b"\x00" + bytes(dc_bits) + bytes(range(12)))
            + segment(0xC4, b"\x10" + bytes(ac_bits) + b"\x00")
            + segment(0xDA, b"\x03" + b"".join(struct.pack(">BB", i, 0x00) for i in (1, 2, 3)) + b"\x00\x3f\x00")
            + bits.finish() + b"\xff\xd9")


def _huffman_codes(counts, symbols):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            codes[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class _BitWriter:
    def __init__(self):
        self.out, self.acc, self.count = bytearray(), 0, 0

    def put(self, value, length):
        self.acc = (self.acc << length) | (value & ((1 << length) - 1))
        self.count += length
        while self.count >= 8:
            self.count -= 8
            byte = (self.acc >> self.count) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)
        self.acc &= (1 << self.count) - 1

    def finish(self):
        if self.count:
            self.put((1 << (8 - self.count)) - 1, 8 - self.count)
        return bytes(self.out)


class ProgramTestCase(unittest.TestCase):
    """A TestCase whose start() gives a running Program; everything is stopped after the test."""

    def start(self, settings=settings_ini(), remove=(), files=None, screen=(640, 480), hold_keys=()):
        """Makes the data tree, starts Xvfb with a root of the given size, and starts the program.
        Each call is a fresh run; program.shutdown() ends one early, the test's clean-up ends the rest.

        settings: text of data/settings.ini, or None for no file. remove: paths (relative to the
        working directory) to delete from the tree. files: {path: bytes or Latin-1 text} to add
        or replace. hold_keys: keysyms held down from before the start until release_holds().
        """
        tree = DataTree(settings, remove, files)
        try:
            xserver = XServer(*screen)
        except BaseException:
            tree.cleanup()
            raise
        self.runs = getattr(self, "runs", 0) + 1
        name = self.id() if self.runs == 1 else "%s.%d" % (self.id(), self.runs)
        program = Program(xserver, tree, name, hold_keys, owns=True)
        self.addCleanup(program.shutdown)
        return program


def main():
    """unittest.main, with SIGTERM turned into a normal exit so the clean-ups run."""
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    unittest.main()
