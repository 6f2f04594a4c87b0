"""Start-up benchmark: time from process start to the window shown and idle, for the
keyboard and for an empty Win32 program started the same way in the same run.

    /usr/bin/python3 bench/startup.py [ROUNDS]      (after tools/wine-session start)
"""
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from wexa_driver import BUILD, WINE_EXEC, WexaApp, probe, wine_env  # noqa: E402


def time_start(exe, title):
    env = wine_env()
    t0 = time.perf_counter()
    proc = subprocess.Popen([str(WINE_EXEC), str(exe)], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    while subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=env,
                         capture_output=True).returncode != 0:
        time.sleep(0.005)
    shown = time.perf_counter() - t0
    # Idle: the program's thread answers a message sent to it (one probe round trip later).
    probe("sync-title", title)
    idle = time.perf_counter() - t0
    probe("close-title", title)
    proc.wait(timeout=30)
    return shown, idle


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    programs = [("wexa-tastatur.exe", "Wexa Font Tastatur"), ("bench-empty-window.exe", "Empty Win32 window")]
    results = {name: [] for name, _ in programs}
    with WexaApp(start=False):  # the program's drives, mapped as for a user
        for _ in range(rounds):
            for name, title in programs:  # interleaved, so both see the same machine load
                results[name].append(time_start(BUILD / name, title))
    print(f"start-up over {rounds} rounds (median, min) in ms")
    for name, runs in results.items():
        shown = [s * 1000 for s, _ in runs]
        idle = [i * 1000 for _, i in runs]
        print(f"  {name:24} shown {statistics.median(shown):7.1f} ({min(shown):7.1f})"
              f"   idle {statistics.median(idle):7.1f} ({min(idle):7.1f})")


if __name__ == "__main__":
    main()
