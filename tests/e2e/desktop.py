"""A private X session for end-to-end tests: Xvfb, a window manager, the editor, real input through
xdotool and what a person can see through screenshots.

Everything here looks at the program from outside: it never reads the program's memory, only the
screen, the window caption, the clipboard and the files on disk.
"""

import os
import re
import select
import shutil
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
# Debian's own Python, which has the GTK bindings and dbusmock the tests use from outside the editor.
SYSTEM_PYTHON = "/usr/bin/python3"

GREY = (0x80, 0x80, 0x80)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0, 0, 0)


class Screenshot:
    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def find_box(self, colour):
        """The bounding box (left, top, right, bottom) of all pixels of the colour, or None."""
        left = top = None
        right = bottom = -1
        row_bytes = 3 * self.width
        needle = bytes(colour)
        for y in range(self.height):
            row = self.pixels[y * row_bytes:(y + 1) * row_bytes]
            first = _find_aligned(row, needle, 0)
            if first < 0:
                continue
            last = _rfind_aligned(row, needle)
            left = first // 3 if left is None else min(left, first // 3)
            right = max(right, last // 3)
            top = y if top is None else top
            bottom = y
        if left is None:
            return None
        return left, top, right + 1, bottom + 1


def _find_aligned(row, needle, start):
    i = row.find(needle, start)
    while i >= 0 and i % 3:
        i = row.find(needle, i + 1)
    return i


def _rfind_aligned(row, needle):
    i = row.rfind(needle)
    while i >= 0 and i % 3:
        i = row.rfind(needle, 0, i + 2)
    return i


def parse_ppm(data):
    """Parses a binary PPM (P6) with maxval 255."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    return Screenshot(width, height, data[pos + 1:pos + 1 + 3 * width * height])


class Session:
    """Xvfb with openbox, and the editor started in a fresh working directory."""

    def __init__(self, program, screen="1280x1024x24", **env):
        self.program = os.path.abspath(program)
        self.screen = screen
        self.workdir = tempfile.mkdtemp(prefix="velmora-e2e-")
        self.env = dict(os.environ)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env["HOME"] = self.workdir
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.workdir, ".config")
        self.env["XDG_RUNTIME_DIR"] = self.workdir
        self.env.update(env)
        self.processes = []
        self.editor = None

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", self.screen, "-nolisten",
                                 "tcp"], pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.processes.append(xvfb)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        self.env["DISPLAY"] = ":" + number
        self.start_desktop()
        return self

    def start_desktop(self):
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        self.processes.append(wm)
        time.sleep(0.5)

    def __exit__(self, *exc):
        if self.editor and self.editor.poll() is None:
            self.editor.kill()
            self.editor.wait()
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                # xsm in the middle of a shutdown does not end on a request.
                process.kill()
                process.wait()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def run(self, *args, check=True, input=None):
        result = subprocess.run(list(args), env=self.env, capture_output=True, input=input, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError("%s failed: %s" % (" ".join(args), result.stderr.decode(errors="replace")))
        return result.stdout

    def start_editor(self, *arguments, wrapper=()):
        """Starts the editor, under the wrapper command (strace, say) when one is given."""
        self.editor = subprocess.Popen([*wrapper, self.program, *arguments], cwd=self.workdir, env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = self.wait_for_window("^ Velmora")
        self.settle()
        return self.window

    def wait_for_window(self, name_pattern, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            out = self.run("xdotool", "search", "--onlyvisible", "--name", name_pattern, check=False)
            ids = out.split()
            if ids:
                return ids[-1].decode()
            time.sleep(0.1)
        raise AssertionError("no window named %r appeared" % name_pattern)

    def window_gone(self, window, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            out = self.run("xdotool", "search", "--onlyvisible", "--name", "^ Velmora", check=False)
            if window.encode() not in out.split():
                return True
            time.sleep(0.1)
        return False

    def settle(self, seconds=0.3):
        time.sleep(seconds)

    def caption(self, window=None):
        return self.run("xdotool", "getwindowname", window or self.window).decode().rstrip("\n")

    def screenshot(self):
        return parse_ppm(self.run("import", "-window", "root", "-depth", "8", "ppm:-"))

    def key(self, *keys):
        self.run("xdotool", "key", "--clearmodifiers", "--delay", "60", *keys)
        self.settle()

    def type(self, text):
        self.run("xdotool", "type", "--delay", "40", text)
        self.settle()

    def move_pointer(self, x, y):
        # --sync waits for the pointer to move, which never happens when it is already there.
        if self.run("xdotool", "getmouselocation").split()[:2] != [b"x:%d" % x, b"y:%d" % y]:
            self.run("xdotool", "mousemove", "--sync", str(x), str(y))

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        self.run("xdotool", "click", str(button))
        self.settle()

    def drag(self, points, button=1):
        x, y = points[0]
        self.run("xdotool", "mousemove", "--sync", str(x), str(y), "mousedown", str(button))
        for x, y in points[1:]:
            self.run("xdotool", "mousemove", "--sync", str(x), str(y))
            time.sleep(0.02)
        self.run("xdotool", "mouseup", str(button))
        self.settle()

    def frame_origin(self, window):
        """The top-left corner of the window's frame, title bar included, on the screen."""
        info = self.run("xwininfo", "-id", window).decode()
        field = {line.split(":")[0].strip(): line.split(":")[1].strip() for line in info.splitlines() if ":" in line}
        return (int(field["Absolute upper-left X"]) - int(field["Relative upper-left X"]),
                int(field["Absolute upper-left Y"]) - int(field["Relative upper-left Y"]))

    def window_box(self, window):
        """The window's client area on the screen: left, top, width, height."""
        info = self.run("xwininfo", "-id", window).decode()
        field = {line.split(":")[0].strip(): line.split(":")[1].strip() for line in info.splitlines() if ":" in line}
        return tuple(int(field[name]) for name in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def press_and_release(self, press, release=None, button=1):
        """A button pressed at one screen point and let go at another (the same one by default)."""
        self.move_pointer(*press)
        time.sleep(0.2)
        self.run("xdotool", "mousedown", str(button))
        time.sleep(0.2)
        if release and release != press:
            self.move_pointer(*release)
            time.sleep(0.2)
        self.run("xdotool", "mouseup", str(button))
        self.settle()

    def drop(self, kind, payload, target):
        """Drags from another program's window (tests/e2e/drag_source.py: "file", "png" or "text") onto
        the screen point and lets go there. Answers whether the window under it took the drop."""
        source = subprocess.Popen([SYSTEM_PYTHON, os.path.join(HERE, "drag_source.py"), kind, payload],
                                  env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            left, top, width, height = self.window_box(self.wait_for_window("^drag source$"))
            x, y = left + width // 2, top + height // 2
            self.move_pointer(x, y)
            self.run("xdotool", "mousedown", "1")
            steps = 8
            for i in range(1, steps + 1):
                self.move_pointer(x + (target[0] - x) * i // steps, y + (target[1] - y) * i // steps)
                time.sleep(0.05)
            time.sleep(0.3)
            self.run("xdotool", "mouseup", "1")
            said = b""
            deadline = time.time() + 10
            while b"ended" not in said and time.time() < deadline:
                if select.select([source.stdout], [], [], 0.2)[0]:
                    said += os.read(source.stdout.fileno(), 4096)
            assert b"ended" in said, "the drag did not end"
            self.settle()
            return b"refused" not in said
        finally:
            source.terminate()
            source.wait()
            source.stdout.close()

    def start_session_bus(self):
        """A session bus of the test's own for everything started from now on."""
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env=self.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        bus.stdout.close()

    def clipboard(self, mime):
        return self.run("xclip", "-selection", "clipboard", "-o", "-t", mime, check=False)


class XsmSession(Session):
    """The editor started by xsm, X11's own session manager, as the one program of its session. xsm is
    worked as a person works it, through its buttons."""

    def start_editor(self, *arguments):
        with open(os.path.join(self.workdir, ".xsmstartup"), "w") as startup:
            startup.write(" ".join([self.program, *arguments]) + "\n")
        self.xsm = subprocess.Popen(["xsm"], cwd=self.workdir, env=self.env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
        self.processes.append(self.xsm)
        self.window = self.wait_for_window("^ Velmora")
        self.settle()
        return self.window

    def shut_down(self, name="Test"):
        """xsm's Shutdown > With Checkpoint, under a session name, every program allowed to ask."""
        main = self.wait_for_window("^xsm")
        self.run("xdotool", "windowmove", "--sync", main, "0", "0")
        self.run("xdotool", "windowraise", main)
        left, top, _, _ = self.window_box(main)
        # The Shutdown button opens a menu; its first item is With Checkpoint.
        self.press_and_release((left + 142, top + 49), (left + 159, top + 76))
        left, top, _, _ = self.window_box(self.wait_for_window("^Shutdown$"))
        self.type(name)
        self.press_and_release((left + 48, top + 137))

    def acknowledge_save_failure(self):
        """Waits for xsm's report that a program did not save, and closes it with its OK button."""
        left, top, _, height = self.window_box(self.wait_for_window("^Save Failure$"))
        self.press_and_release((left + 21, top + height - 18))

    def saved_session(self, name="Test"):
        with open(os.path.join(self.workdir, ".XSM-" + name)) as saved:
            return saved.read()


class WaylandSession(Session):
    """Xvfb with weston nested in it on the screen's top-left corner, and the editor started as a client
    of weston. Input still goes in through the X server, which hands it to weston; the editor has no X
    window, so it is found on screen only."""

    WIDTH, HEIGHT = 1200, 960

    def start_desktop(self):
        runtime = os.path.join(self.workdir, "runtime")
        os.mkdir(runtime, 0o700)
        socket = "wayland-vel-%d" % os.getpid()
        self.env.update(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")
        compositor = subprocess.Popen(["weston", "--backend=x11-backend.so", "--socket=" + socket, "--no-config",
                                       "--idle-time=0", "--width=%d" % self.WIDTH, "--height=%d" % self.HEIGHT],
                                      env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(compositor)
        deadline = time.time() + 15
        while not os.path.exists(os.path.join(runtime, socket)):
            if time.time() > deadline or compositor.poll() is not None:
                raise AssertionError("weston did not start")
            time.sleep(0.1)

    def start_editor(self):
        """Starts the editor with the Wayland protocol traced into editor_log()."""
        # Weston's X11 backend moves its pointer by the difference between two X positions, so it can
        # start off by a constant. Its pointer stops at the edges of its output: pushing into two
        # opposite corners puts both pointers on the same spot.
        for corner in ((0, 0), (self.WIDTH - 1, self.HEIGHT - 1)):
            self.run("xdotool", "mousemove", *map(str, corner))
            time.sleep(0.1)
        self.log_path = os.path.join(self.workdir, "editor.log")
        with open(self.log_path, "wb") as log:
            self.editor = subprocess.Popen([self.program], cwd=self.workdir, env=dict(self.env, WAYLAND_DEBUG="1"),
                                           stdout=subprocess.DEVNULL, stderr=log)
        return None

    def editor_log(self):
        with open(self.log_path, errors="replace") as log:
            return log.read()

    def wait_for_window(self, title, count=1, timeout=15):
        """Waits until the editor has named a window `title` `count` times since it started."""
        needle = 'set_title("%s")' % title
        deadline = time.time() + timeout
        while self.editor_log().count(needle) < count:
            if time.time() > deadline or self.editor.poll() is not None:
                raise AssertionError("no window %r appeared" % title)
            time.sleep(0.1)

    def has_keyboard(self):
        """Whether one of the editor's surfaces holds weston's keyboard focus, as the protocol says."""
        focused = None
        for line in self.editor_log().splitlines():
            entered = re.search(r"wl_keyboard@\d+\.enter\(\d+, (wl_surface@\d+)", line)
            if entered:
                focused = entered.group(1)
            elif re.search(r"wl_keyboard@\d+\.leave\(", line) or (focused and "-> %s.destroy()" % focused in line):
                focused = None
        return focused is not None

    def wait_for_keyboard(self, timeout=5):
        # Weston hands the keyboard over some time after a click or a newly mapped window; keys sent
        # before that are lost.
        deadline = time.time() + timeout
        while not self.has_keyboard() and time.time() < deadline:
            time.sleep(0.05)

    def key(self, *keys):
        self.wait_for_keyboard()
        Session.key(self, *keys)

    def type(self, text):
        self.wait_for_keyboard()
        Session.type(self, text)

    def screenshot(self):
        """The screen with weston's pointer parked on its panel, where no window can be."""
        self.run("xdotool", "mousemove", str(self.WIDTH // 2), "8")
        time.sleep(0.1)
        return Session.screenshot(self)
