"""Start-up benchmark: the keyboard next to its bound, in one run.

    WEXA_BUILD_DIR=build/win64 /usr/bin/python3 bench/startup.py [ROUNDS]   (after tools/wine-session start)

The bound (bench-startup-bound.exe) makes the keyboard's window with the same manifest,
controls, places and fonts, the cheap way. Each program is started by the probe's
time-start command, which counts from just before CreateProcessW and watches from outside:
  last button  the main window has a child with identifier 373 (polled every millisecond);
  painted      the window is shown with it, and neither it nor any child has an update
               region left (every part has been given its paint);
  idle         the program's thread then answers a message sent to it;
  exit         from the close request (WM_CLOSE) to the end of the process.
The programs run alternately, after one warm-up run each that is not counted; the figures
are medians with the minimum in brackets, and the keyboard's median over the bound's.
Then both run a few times more with their in-process marks (bench-startup-steps.exe is the
keyboard with its start-up steps timed), counted from the creation of the process, and
bench-startup-steps.exe --suspects times what each suspect adds to the plain way.

The same comparison then runs in a plain prefix (build/win64/wine/plain-prefix, made once by
wineboot) with Wine's default settings, as a user's Wine has them: windows managed (no
Managed=N), no wineserver or desktop kept for the session; each run is a `wine` of its own
that starts the probe, which starts the program. Only the drives d: and f: are mapped, to the
same folders as in the test session.
"""
import os
import subprocess
import json
import statistics
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from wexa_driver import BUILD, PROBE, WINE_EXEC, WINE_FACTS, WexaApp, probe, winpath, wine_env  # noqa: E402

PLAIN_PREFIX = BUILD / "wine" / "plain-prefix"

KEYBOARD = ("keyboard", "wexa-tastatur.exe", "Wexa Font Tastatur")
BOUND = ("bound", "bench-startup-bound.exe", "Startup bound")
STEPS = ("keyboard steps", "bench-startup-steps.exe", "Wexa Font Tastatur")
FIGURES = [("last_button", "last button (373)"), ("painted", "first complete paint"), ("idle", "idle"),
           ("exit", "exit after close")]


def plain_env(**extra):
    """Wine's defaults in the plain prefix: only the display and a quiet log are ours."""
    env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
    env.update(WINEPREFIX=str(PLAIN_PREFIX), WINEDEBUG="-all", DISPLAY=WINE_FACTS["DISPLAY"], **extra)
    return env


def make_plain_prefix(drives):
    if not (PLAIN_PREFIX / "system.reg").exists():
        PLAIN_PREFIX.mkdir(parents=True, exist_ok=True)
        # No Mono or Gecko installer while the prefix is made; nothing of it stays in the settings.
        making = plain_env(WINEDLLOVERRIDES="mscoree,mshtml=")
        subprocess.run(["wineboot", "-i"], env=making, check=True, capture_output=True, timeout=600)
        subprocess.run(["wineserver", "-w"], env=making, check=True, timeout=600)
    for letter, target in drives.items():
        link = PLAIN_PREFIX / "dosdevices" / f"{letter}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        link.symlink_to(target)


def plain_time_start(program, *arguments):
    _, exe, title = program
    done = subprocess.run(["wine", str(PROBE), "time-start", winpath(BUILD / exe), title, *arguments],
                          env=plain_env(), capture_output=True, text=True, timeout=180)
    answer = json.loads(done.stdout.strip().splitlines()[-1])
    if answer["exit_code"] != 0:
        raise RuntimeError(f"{exe} ended with {answer['exit_code']}")
    return answer


def time_start(program, *arguments, start=None):
    _, exe, title = program
    if start:
        return start(program, *arguments)
    answer = probe("time-start", winpath(BUILD / exe), title, *arguments, timeout=120)
    if answer["exit_code"] != 0:
        raise RuntimeError(f"{exe} ended with {answer['exit_code']}")
    return answer


def cell(values):
    return f"{statistics.median(values):7.1f} ({min(values):6.1f})"


def print_figures(rounds, results, where):
    print(f"start-up {where}, {rounds} alternating runs: median (min) in ms from CreateProcessW")
    print(f"  {'':22} {'keyboard':>16} {'bound':>16} {'ratio':>6}")
    for key, name in FIGURES:
        k, b = ([r[key] for r in results[p[0]]] for p in (KEYBOARD, BOUND))
        print(f"  {name:22} {cell(k):>16} {cell(b):>16} {statistics.median(k) / statistics.median(b):6.2f}")


def read_marks(path):
    marks = []
    for line in Path(path).read_text().splitlines():
        ms, name = line.split(" ", 1)
        marks.append((name, float(ms)))
    return marks


def print_steps(program, runs, folder, start=None):
    """The median time of each in-process mark over the runs, and the step's own share."""
    all_marks = []
    for i in range(runs):
        path = Path(folder) / f"{program[0].replace(' ', '-')}-{i}.txt"
        time_start(program, winpath(path), start=start)
        all_marks.append(read_marks(path))
    print(f"{program[0]}: in-process marks, median of {runs} runs, ms from process creation (step's own time)")
    previous = 0.0
    for j, (name, _) in enumerate(all_marks[0]):
        at = statistics.median(m[j][1] for m in all_marks if len(m) > j)
        print(f"  {at:8.1f} ({at - previous:7.1f})  {name}")
        previous = at


def compare(rounds, folder, where, start=None):
    programs = [KEYBOARD, BOUND]
    results = {p[0]: [] for p in programs}
    for p in programs:  # warm-up; the keyboard's first start also writes the font file the bound registers
        time_start(p, start=start)
    for _ in range(rounds):
        for p in programs:  # alternating, so that all see the same machine load
            results[p[0]].append(time_start(p, start=start))
    print_figures(rounds, results, where)
    print_steps(STEPS, 3, folder, start)
    print_steps(BOUND, 3, folder, start)


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    with WexaApp(start=False) as app, tempfile.TemporaryDirectory(dir=BUILD) as folder:  # the program's drives
        compare(rounds, folder, "in the test session")
        suspects = [str(WINE_EXEC), str(BUILD / STEPS[1]), "--suspects", "9"]
        print(subprocess.run(suspects, env=wine_env(), capture_output=True, text=True, timeout=600).stdout, end="")
        make_plain_prefix({"d": app.d, "f": app.f})
        try:
            compare(rounds, folder, "in a plain prefix with Wine's defaults", plain_time_start)
        finally:
            subprocess.run(["wineserver", "-k"], env=plain_env(), capture_output=True)


if __name__ == "__main__":
    main()
