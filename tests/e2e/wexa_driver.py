"""Drives the real wexa-tastatur.exe under Wine for end-to-end tests.

The program runs in the build tree's own Wine prefix; its drives d: and f: point at
folders of the test. Controls, texts, fonts, focus and the clipboard are read by the
Windows-side probe (wexa-probe.exe) in the same Wine session; clicks are real pointer
input through the X server (xdotool); screenshots come from the X server too.

    with WexaApp() as app:
        app.click(0)                      # GlyphKey 0
        assert app.line_text() == "!"
        code = app.close()                # the exit code
"""
import fcntl
import io
import json
import os
import shutil
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
PREFIX = BUILD / "wine" / "prefix"

LINE_DISPLAY = 185


def wine_env():
    env = dict(os.environ)
    env.setdefault("WEXA_BUILD_DIR", str(BUILD))
    env["WINEPREFIX"] = str(PREFIX)
    env["WINEDEBUG"] = "-all"
    if not env.get("DISPLAY"):
        display_file = BUILD / "wine" / "display"
        if display_file.exists():
            env["DISPLAY"] = display_file.read_text().strip()
    return env


def probe(*args, check=True, timeout=60):
    """Runs one probe command and returns its JSON answer."""
    out = subprocess.run([str(WINE_EXEC), str(PROBE), *map(str, args)], env=wine_env(),
                         capture_output=True, text=True, timeout=timeout)
    answer = json.loads(out.stdout) if out.stdout.strip() else {"error": "no answer"}
    if check and isinstance(answer, dict) and "error" in answer:
        raise RuntimeError(f"probe {args[0]}: {answer['error']}")
    return answer


def start_probe(*args):
    """Starts a long-running probe command (a second program) and waits for its first line."""
    proc = subprocess.Popen([str(WINE_EXEC), str(PROBE), *map(str, args)], env=wine_env(),
                            stdout=subprocess.PIPE, text=True)
    first = proc.stdout.readline()
    return proc, (json.loads(first) if first.strip() else {})


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], env=wine_env(), check=True, capture_output=True)


def text_of(units):
    """A control's text from its UTF-16 code units, as a Python string of those units."""
    return "".join(chr(u) for u in units)


class Drives:
    """Points the prefix's drive letters at folders of the test; restores them afterwards."""

    def __init__(self, mapping):
        self.mapping = mapping
        self.saved = {}

    def __enter__(self):
        devices = PREFIX / "dosdevices"
        for letter, target in self.mapping.items():
            link = devices / f"{letter}:"
            self.saved[letter] = os.readlink(link) if link.is_symlink() else None
            if link.is_symlink() or link.exists():
                link.unlink()
            if target is not None:
                link.symlink_to(target)
        return self

    def __exit__(self, *exc):
        devices = PREFIX / "dosdevices"
        for letter, old in self.saved.items():
            link = devices / f"{letter}:"
            if link.is_symlink() or link.exists():
                link.unlink()
            if old is not None:
                link.symlink_to(old)


class WexaApp:
    """The running program. Make it with `with WexaApp(...) as app:`.

    root: a folder for the drives (a fresh temporary one by default) with d/kelvast6 and
    f/tmp made unless make_font_folder / make_png_folder say otherwise; d=None or f=None
    removes that drive altogether. env: variables for the program alone, such as
    {"WINEDLLOVERRIDES": "zlib1=d"}.
    """

    def __init__(self, root=None, make_font_folder=True, make_png_folder=True, drive_d="default",
                 drive_f="default", start=True, env=None):
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
        self._env = dict(env or {})

    # Paths of the program's traces, as seen from Linux.
    @property
    def font_file(self):
        return Path(self.d) / "kelvast6" / "vevoviv.ttf"

    @property
    def png_file(self):
        return Path(self.f) / "tmp" / "wexazeile.png"

    def __enter__(self):
        # One program at a time per prefix: the drives, the clipboard and the pointer are shared.
        self._lock = open(BUILD / "wine" / "e2e.lock", "w")
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
        self.proc = subprocess.Popen([str(WINE_EXEC), str(EXE)], env={**wine_env(), **self._env},
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise RuntimeError(f"program ended at start with {self.proc.returncode}")
            try:
                answer = probe("window", check=False, timeout=20)
            except subprocess.TimeoutExpired:
                continue  # still busy starting up
            if "error" not in answer:
                self.sync()
                return self
            time.sleep(0.3)
        raise RuntimeError("the main window did not appear")

    # --- reading the window -------------------------------------------------------
    def window(self):
        return probe("window")

    def controls(self):
        return probe("controls")

    def control(self, number):
        found = [c for c in self.controls() if c["id"] == number]
        return found[0] if found else None

    def control_count(self, number):
        return sum(1 for c in self.controls() if c["id"] == number)

    def line_units(self):
        """The LineDisplay's text as a list of UTF-16 code units."""
        c = self.control(LINE_DISPLAY)
        return c["text"] if c else None

    def line_text(self):
        units = self.line_units()
        return None if units is None else text_of(units)

    def focus(self):
        return probe("focus")["focus"]

    def sync(self):
        """Waits until the program's thread has handled everything sent to it so far."""
        probe("sync")

    # --- acting on it -----------------------------------------------------------
    def screen_point(self, number, dx=None, dy=None):
        w = self.window()
        c = self.control(number)
        if c is None:
            raise KeyError(f"no control {number}")
        left, top, right, bottom = c["rect"]
        x = w["client"][0] + (left + right) // 2 if dx is None else w["client"][0] + left + dx
        y = w["client"][1] + (top + bottom) // 2 if dy is None else w["client"][1] + top + dy
        return x, y

    def click(self, number, button=1, repeat=1):
        """A real pointer click in the middle of the control, then waits for the program."""
        x, y = self.screen_point(number)
        self.click_at(x, y, button, repeat)

    def click_at(self, x, y, button=1, repeat=1):
        xdotool("mousemove", "--sync", x, y)
        xdotool("click", "--repeat", repeat, "--delay", 80, button)
        self.settle()

    def key(self, *keys):
        xdotool("key", "--delay", 50, *keys)
        self.settle()

    def settle(self):
        # The X events reach the program's queue asynchronously; two rounds of sync with
        # a short pause let them through before anyone looks.
        time.sleep(0.05)
        self.sync()
        time.sleep(0.05)
        self.sync()

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
        """The window's client area as a PIL image, from the X server."""
        from PIL import Image
        w = self.window()
        x, y, width, height = w["client"]
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
        proc.kill()
        raise RuntimeError("could not own the clipboard")
    return proc


def hold_clipboard(seconds=600):
    """Another program keeps the clipboard open; kill the returned process to release it."""
    proc, answer = start_probe("clipboard-hold", seconds)
    if not answer.get("holding"):
        proc.kill()
        raise RuntimeError("could not open the clipboard")
    return proc


def stop(proc):
    proc.kill()
    proc.wait()
