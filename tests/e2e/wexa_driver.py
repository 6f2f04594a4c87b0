"""Drives the real wexa-tastatur.exe under Wine for end-to-end tests.

The program runs in the build tree's own Wine prefix; its drives d: and f: point at
folders of the test. Controls, texts, fonts, focus and the clipboard are read by the
Windows-side probe (wexa-probe.exe --serve), one process kept for the whole test file that
answers one command at a time; clicks are real pointer input through the X server (xdotool);
screenshots come from the X server too.

    with WexaApp() as app:
        app.click(0)                      # GlyphKey 0
        assert app.line_text() == "!"
        code = app.close()                # the exit code
"""
import atexit
import fcntl
import io
import json
import os
import select
import subprocess
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent.parent
BUILD = Path(os.environ.get("WEXA_BUILD_DIR", SOURCE / "build" / "win64")).resolve()
WINE_EXEC = SOURCE / "tools" / "wine-exec"
EXE = BUILD / "wexa-tastatur.exe"
PROBE = BUILD / "wexa-probe.exe"


def _wine_facts():
    """The Wine environment as tools/wine-exec sets it, the one place that knows it."""
    env = dict(os.environ, WEXA_BUILD_DIR=str(BUILD))
    out = subprocess.run([str(WINE_EXEC), "--env"], env=env, check=True, capture_output=True, text=True).stdout
    return dict(line.split("=", 1) for line in out.splitlines())


WINE_FACTS = _wine_facts()
PREFIX = Path(WINE_FACTS["WINEPREFIX"])


def wine_env(**overrides):
    env = dict(os.environ, **WINE_FACTS)
    env.update(overrides)
    return env


class ProbeError(RuntimeError):
    pass


class Probe:
    """One wexa-probe.exe that stays: a command goes in as a line, its JSON answer comes back.

    It answers within its own time limits when the program is busy; a probe that says
    nothing for `timeout` seconds, or ends, is a failure, reported with its exit status and
    what it wrote on its error output."""

    END = "\x1e"

    def __init__(self):
        self.errors = tempfile.TemporaryFile()
        self.proc = subprocess.Popen([str(WINE_EXEC), str(PROBE), "--serve"], env=wine_env(),
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self.errors)
        self.buffer = b""
        self.marks = None  # input marks sent since watch-input; None before it

    def alive(self):
        return self.proc.poll() is None

    def ask(self, args, timeout=60):
        request = "\t".join(map(str, args)) + "\n"
        try:
            self.proc.stdin.write(request.encode("utf-8"))
            self.proc.stdin.flush()
        except BrokenPipeError:
            self._fail(args, "the probe had ended")
        lines, deadline = [], time.monotonic() + timeout
        while True:
            line = self._line(args, deadline, timeout)
            if line == self.END:
                return json.loads("\n".join(lines)) if lines else {"error": "empty answer"}
            lines.append(line)

    def _line(self, args, deadline, timeout):
        fd = self.proc.stdout.fileno()
        while b"\n" not in self.buffer:
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([fd], [], [], remaining)[0]:
                self._fail(args, f"no answer within {timeout} s")
            chunk = os.read(fd, 1 << 16)
            if not chunk:
                self._fail(args, "the probe ended")
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode("utf-8").rstrip("\r")  # not strip(): Python counts the end mark as a space

    def _fail(self, args, what):
        self.close(kill=True)
        self.errors.seek(0)
        stderr = self.errors.read().decode(errors="replace").strip()
        self.errors.close()
        raise ProbeError(f"probe {args[0]}: {what} (exit status {self.proc.returncode}; "
                         f"error output: {stderr[-2000:] or 'none'})")

    def close(self, kill=False):
        if self.alive():
            if not kill:
                self.proc.stdin.close()
                try:
                    self.proc.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    pass
            if self.alive():
                self.proc.kill()
        self.proc.wait()
        for stream in (self.proc.stdin, self.proc.stdout):
            if not stream.closed:
                stream.close()


_shared = None


def shared_probe():
    """The probe of this test process, started on first use (and again after a failure)."""
    global _shared
    if _shared is None or not _shared.alive():
        _shared = Probe()
    return _shared


def restart_probe():
    """Ends the probe; the next command starts a new one, which sees settings made since."""
    global _shared
    if _shared is not None:
        _shared.close()
        _shared.errors.close()
        _shared = None


atexit.register(restart_probe)


def probe(*args, check=True, timeout=60):
    """Runs one probe command and returns its JSON answer."""
    answer = shared_probe().ask(args, timeout)
    if check and isinstance(answer, dict) and "error" in answer:
        raise ProbeError(f"probe {args[0]}: {answer['error']}")
    return answer


def start_probe(*args):
    """Starts a long-running probe command (a second program) and waits for its first line."""
    proc = subprocess.Popen([str(WINE_EXEC), str(PROBE), *map(str, args)], env=wine_env(),
                            stdout=subprocess.PIPE, text=True)
    # Ended with the test at the latest: a test that fails before it ends the program would
    # otherwise leave it running for its whole time, and the test runner waiting for it.
    atexit.register(lambda: proc.poll() is None and stop(proc))
    first = proc.stdout.readline()
    if not first.strip():
        raise ProbeError(f"probe {args[0]}: no answer (exit status {proc.wait()})")
    return proc, json.loads(first)


def set_dpi(dpi):
    """Runs the session at this screen density. Wine may fix the density when its session
    starts, so a change restarts the session; the probe, DPI-aware as the program is, then
    has to see it."""
    if probe("dpi") == {"x": dpi, "y": dpi}:
        return
    probe("set-dpi", dpi)
    restart_probe()
    subprocess.run([str(SOURCE / "tools" / "wine-session"), "restart", str(BUILD)], check=True,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    seen = probe("dpi")
    if seen != {"x": dpi, "y": dpi}:
        raise ProbeError(f"the session runs at {seen}, not at {dpi} DPI")


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], env=wine_env(), check=True, capture_output=True)


# The end of a piece of real input: a turn of the wheel down, which the probe's mouse hook
# counts (see its settle-input). Without delay: xdotool waits its delay after a last click too.
INPUT_MARK = ("click", "--delay", 0, 5)


def send_input(*args):
    """Real input (xdotool's commands) ended by a mark where the pointer stands, then waits
    until the program has handled all of it. The mark must land on a window of Wine."""
    p = shared_probe()
    if p.marks is None:
        p.ask(("watch-input",))
        p.marks = 0
    if args[0] == "type":  # it takes every argument after it for text
        xdotool(*args)
        args = ()
    xdotool(*args, *INPUT_MARK)
    p.marks += 1
    answer = p.ask(("settle-input", p.marks))
    if "error" in answer:
        raise ProbeError(f"probe settle-input: {answer['error']}")


def text_of(units):
    """A control's text from its UTF-16 code units, as a Python string of those units."""
    return "".join(chr(u) for u in units)


class _Numbers:
    """Gadget numbers from the program's own tables, read once through the probe."""

    @property
    def table(self):
        if not hasattr(self, "_table"):
            self._table = probe("key-table")
        return self._table

    @property
    def line_display(self):
        return self.table["line_display"]

    @property
    def pending_letters(self):
        return self.table["pending_letters"]

    @property
    def preview(self):
        return self.table["preview"]


NUMBERS = _Numbers()


def __getattr__(name):
    # LINE_DISPLAY as a module constant, read from the program when first asked for.
    if name == "LINE_DISPLAY":
        return NUMBERS.line_display
    raise AttributeError(name)


class Drives:
    """Points the prefix's drive letters at folders of the test; restores them afterwards."""

    def __init__(self, mapping):
        self.mapping = mapping
        self.saved = {}

    @staticmethod
    def link(letter):
        return PREFIX / "dosdevices" / f"{letter}:"

    @classmethod
    def map(cls, letter, target):
        link = cls.link(letter)
        if link.is_symlink() or link.exists():
            link.unlink()
        if target is not None:
            link.symlink_to(target)

    def __enter__(self):
        for letter, target in self.mapping.items():
            link = self.link(letter)
            self.saved[letter] = os.readlink(link) if link.is_symlink() else None
            self.map(letter, target)
        return self

    def __exit__(self, *exc):
        for letter, old in self.saved.items():
            self.map(letter, old)


class WexaApp:
    """The running program. Make it with `with WexaApp(...) as app:`.

    root: a folder for the drives (a fresh temporary one by default) with d/kelvast6 and
    f/tmp made unless make_font_folder / make_png_folder say otherwise; d=None or f=None
    removes that drive altogether. env: variables for the program's environment only. exe: the
    program to start, by its Linux or Windows path (the build's by default).
    """

    def __init__(self, root=None, make_font_folder=True, make_png_folder=True, drive_d="default",
                 drive_f="default", start=True, env=None, exe=EXE):
        self._tmp = None
        if root is None:
            self._tmp = tempfile.TemporaryDirectory(prefix="wexa-e2e-")
            root = self._tmp.name
        self.root = Path(root)
        self.d = self.root / "d" if drive_d == "default" else drive_d
        self.f = self.root / "f" if drive_f == "default" else drive_f
        for drive, sub, make in ((self.d, "kelvast6", make_font_folder), (self.f, "tmp", make_png_folder)):
            if drive is not None:
                Path(drive).mkdir(parents=True, exist_ok=True)
                if make:
                    (Path(drive) / sub).mkdir(exist_ok=True)
        self.drives = Drives({"d": self.d, "f": self.f})
        self.proc = None
        self.exit_code = None
        self._start = start
        self._env = env or {}
        self._exe = exe

    # Paths of the program's traces, as seen from Linux.
    @property
    def font_file(self):
        return Path(self.d) / "kelvast6" / "vevoviv.ttf"

    @property
    def png_file(self):
        return Path(self.f) / "tmp" / "wexazeile.png"

    def __enter__(self):
        # One program at a time per prefix: the drives, the clipboard and the pointer are shared.
        self._lock = open(PREFIX.parent / "e2e.lock", "w")
        fcntl.flock(self._lock, fcntl.LOCK_EX)
        self.drives.__enter__()
        if self._start:
            self.start()
        return self

    def __exit__(self, *exc):
        try:
            if self.proc and self.proc.poll() is None:
                try:
                    self.close(timeout=15)
                except Exception:
                    self.proc.kill()
                    self.proc.wait()
        finally:
            self.drives.__exit__()
            if self._tmp:
                self._tmp.cleanup()
            fcntl.flock(self._lock, fcntl.LOCK_UN)
            self._lock.close()

    def start(self, timeout=60):
        self.proc = subprocess.Popen([str(WINE_EXEC), str(self._exe)], env=wine_env(**self._env),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise RuntimeError(f"program ended at start with {self.proc.returncode}")
            if "error" not in probe("window", check=False):
                self.sync()
                self._activate()
                # The density the program runs at is the session's: else it ran unscaled.
                ran_at, screen = probe("dpi-awareness")["dpi"], probe("dpi")["x"]
                if ran_at != screen:
                    raise RuntimeError(f"the program runs at {ran_at} DPI on a screen of {screen}")
                return self
            time.sleep(0.1)
        raise RuntimeError("the main window did not appear")

    def _activate(self):
        """Gives the new window the keyboard with a click where no control stands, as a
        user's first click does (there is no window manager to do it)."""
        w = self.window()
        send_input("mousemove", w["client"][0] + 2, w["client"][1] + 2, "click", "--delay", 0, 1)

    # --- reading the window -------------------------------------------------------
    def window(self):
        return probe("window")

    def controls(self):
        return probe("controls")

    def control(self, number):
        return probe("control", number)["control"]

    def control_count(self, number):
        return sum(1 for c in self.controls() if c["id"] == number)

    def line_units(self):
        """The LineDisplay's text as a list of UTF-16 code units."""
        answer = probe("line-display")
        return answer["text"] if answer["count"] else None

    def line_text(self):
        units = self.line_units()
        return None if units is None else text_of(units)

    def focus(self):
        return probe("focus")["focus"]

    def sync(self):
        """Waits until the program's thread has handled every message it has now. Real input
        still on its way through the X server is not among them: send_input waits for that."""
        probe("settle")

    # --- acting on it -----------------------------------------------------------
    def screen_point(self, number, dx=None, dy=None):
        answer = probe("control", number)
        c = answer["control"]
        if c is None:
            raise KeyError(f"no control {number}")
        (ox, oy), (left, top, right, bottom) = answer["origin"], c["rect"]
        x = ox + (left + right) // 2 if dx is None else ox + left + dx
        y = oy + (top + bottom) // 2 if dy is None else oy + top + dy
        return x, y

    def click(self, number, button=1, repeat=1):
        """A real pointer click in the middle of the control, then waits for the program."""
        x, y = self.screen_point(number)
        self.click_at(x, y, button, repeat)

    def click_at(self, x, y, button=1, repeat=1):
        # XTest handles the move and the clicks in order; the click lands where the move ended.
        # xdotool waits its delay (100 ms unless told) after every click, the last one too:
        # only repeats need one.
        delay = 80 if repeat > 1 else 0
        send_input("mousemove", x, y, "click", "--repeat", repeat, "--delay", delay, button)

    def key(self, *keys):
        send_input("key", "--delay", 50, *keys)

    def close(self, timeout=30):
        """Asks the window to close, as the close box does, and returns the exit code."""
        probe("close")
        self.exit_code = self.proc.wait(timeout=timeout)
        return self.exit_code

    def wait_exit(self, timeout=30):
        self.exit_code = self.proc.wait(timeout=timeout)
        return self.exit_code

    # --- pictures ---------------------------------------------------------------------
    def screenshot(self):
        """The window's client area as a PIL image, from the X server, once all is painted."""
        from PIL import Image
        probe("painted")
        x, y, width, height = self.window()["client"]
        png = subprocess.run(["import", "-window", "root", "png:-"], env=wine_env(), check=True,
                             capture_output=True).stdout
        return Image.open(io.BytesIO(png)).convert("RGB").crop((x, y, x + width, y + height))

    # --- clipboard --------------------------------------------------------------------
    @staticmethod
    def clipboard_formats():
        return probe("clipboard-formats")["formats"]

    @staticmethod
    def clipboard_dib():
        """The CF_DIB block as bytes, or None when the clipboard holds none."""
        with tempfile.TemporaryDirectory() as d:
            path = Path(d) / "clip.dib"
            answer = probe("clipboard-dib", winpath(path), check=False)
            return path.read_bytes() if "error" not in answer else None

    @staticmethod
    def clipboard_text():
        return probe("clipboard-text")["text"]


def winpath(path):
    """A Linux path as Wine's z: drive sees it."""
    return "z:" + str(Path(path).resolve()).replace("/", "\\")


def own_clipboard_text(text, seconds=600):
    """Another program puts text on the clipboard and stays its owner; stop() ends it."""
    proc, answer = start_probe("clipboard-own-text", text, seconds)
    if not answer.get("owned"):
        stop(proc)
        raise RuntimeError("could not own the clipboard")
    return proc


def hold_clipboard(seconds=600):
    """Another program keeps the clipboard open; stop() ends it."""
    proc, answer = start_probe("clipboard-hold", seconds)
    if not answer.get("holding"):
        stop(proc)
        raise RuntimeError("could not open the clipboard")
    return proc


def stop(proc):
    """Ends a program that start_probe started."""
    proc.kill()
    proc.wait()
    proc.stdout.close()
