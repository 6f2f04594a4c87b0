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
keyboard with its start-up steps timed), counted from the creation of the process.
"""
import statistics
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from wexa_driver import BUILD, WexaApp, probe, winpath  # noqa: E402

KEYBOARD = ("keyboard", "wexa-tastatur.exe", "Wexa Font Tastatur")
BOUND = ("bound", "bench-startup-bound.exe", "Startup bound")
STEPS = ("keyboard steps", "bench-startup-steps.exe", "Wexa Font Tastatur")
FIGURES = [("last_button", "last button (373)"), ("painted", "first complete paint"), ("idle", "idle"),
           ("exit", "exit after close")]


def time_start(program, *arguments):
    _, exe, title = program
    answer = probe("time-start", winpath(BUILD / exe), title, *arguments, timeout=120)
    if answer["exit_code"] != 0:
        raise RuntimeError(f"{exe} ended with {answer['exit_code']}")
    return answer


def cell(values):
    return f"{statistics.median(values):7.1f} ({min(values):6.1f})"


def print_figures(rounds, results):
    print(f"start-up, {rounds} alternating runs: median (min) in ms from CreateProcessW")
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


def print_steps(program, runs, folder):
    """The median time of each in-process mark over the runs, and the step's own share."""
    all_marks = []
    for i in range(runs):
        path = Path(folder) / f"{program[0].replace(' ', '-')}-{i}.txt"
        time_start(program, winpath(path))
        all_marks.append(read_marks(path))
    print(f"{program[0]}: in-process marks, median of {runs} runs, ms from process creation (step's own time)")
    previous = 0.0
    for j, (name, _) in enumerate(all_marks[0]):
        at = statistics.median(m[j][1] for m in all_marks if len(m) > j)
        print(f"  {at:8.1f} ({at - previous:7.1f})  {name}")
        previous = at


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    programs = [KEYBOARD, BOUND]
    results = {p[0]: [] for p in programs}
    with WexaApp(start=False), tempfile.TemporaryDirectory(dir=BUILD) as folder:  # the program's drives
        for p in programs:  # warm-up; the keyboard's first start also writes the font file the bound registers
            time_start(p)
        for _ in range(rounds):
            for p in programs:  # alternating, so that all see the same machine load
                results[p[0]].append(time_start(p))
        print_figures(rounds, results)
        print_steps(STEPS, 3, folder)
        print_steps(BOUND, 3, folder)


if __name__ == "__main__":
    main()
