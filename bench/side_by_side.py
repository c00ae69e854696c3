#!/usr/bin/env python3
"""Times whole processes side by side: one run of every case per round, the
order reversed every other round (A B, B A, ...), so that a slow spell of
this shared machine falls on every case alike.

    side_by_side.py [--runs N] [--warmup N] NAME PREP CMD [NAME PREP CMD ...]

PREP is a shell command run before every run of CMD and not timed ("" for
none); CMD is split like a shell word list and started directly, with
DISPLAY removed from its environment and its output thrown away. Prints one
line per case: the median, lowest and highest wall time in ms and the median
of the minor page faults, from wait4(2). (The peak memory is not taken
there: posix_spawn shares this interpreter's memory until the exec, and the
kernel counts that in the child's peak; see peak_rss_kb.)

bench/measure_targets.py imports it.
"""
import argparse
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import time

# The cases' own output would only cost terminal time: it goes to /dev/null.
QUIET = [(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
         (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)]

ENV = {k: v for k, v in os.environ.items() if k != "DISPLAY"}


def case(name, prep, cmd):
    argv = shlex.split(cmd)
    if "/" not in argv[0]:
        # posix_spawn does not search PATH: the program is found once, here.
        found = shutil.which(argv[0])
        if found is None:
            sys.exit(f"side_by_side: {argv[0]}: no such program")
        argv[0] = found
    return {"name": name, "prep": prep, "argv": argv}


def run_once(argv):
    start = time.perf_counter_ns()
    pid = os.posix_spawn(argv[0], argv, ENV, file_actions=QUIET)
    _, status, usage = os.wait4(pid, 0)
    wall_ms = (time.perf_counter_ns() - start) / 1e6
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"side_by_side: {shlex.join(argv)} exited with status {status}")
    return wall_ms, usage.ru_minflt


def measure(cases, runs, warmup=3):
    """Runs the cases alternately, after writing back what earlier work left
    dirty (sync); returns one summary dict per case."""
    os.sync()
    wall = {c["name"]: [] for c in cases}
    faults = {c["name"]: [] for c in cases}
    for round_index in range(warmup + runs):
        order = cases if round_index % 2 == 0 else list(reversed(cases))
        for c in order:
            if c["prep"]:
                subprocess.run(c["prep"], shell=True, check=True)
            wall_ms, minflt = run_once(c["argv"])
            if round_index >= warmup:
                wall[c["name"]].append(wall_ms)
                faults[c["name"]].append(minflt)
    return {
        c["name"]: {
            "runs": runs,
            "median_ms": statistics.median(wall[c["name"]]),
            "min_ms": min(wall[c["name"]]),
            "max_ms": max(wall[c["name"]]),
            "faults": statistics.median(faults[c["name"]]),
        }
        for c in cases
    }


def peak_rss_kb(cmd, prep="", runs=5):
    """Median peak resident memory of CMD, from GNU time (which forks, so
    the count is the command's own)."""
    peaks = []
    for _ in range(runs):
        if prep:
            subprocess.run(prep, shell=True, check=True)
        out = subprocess.run(["/usr/bin/time", "-f", "%M"] + shlex.split(cmd), env=ENV,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                             check=True)
        peaks.append(int(out.stderr.strip().splitlines()[-1]))
    return statistics.median(peaks)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=31)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("cases", nargs="+")
    args = parser.parse_args()
    if len(args.cases) % 3 != 0:
        parser.error("cases come in threes: NAME PREP CMD")
    cases = [case(*args.cases[i:i + 3]) for i in range(0, len(args.cases), 3)]
    for name, r in measure(cases, args.runs, args.warmup).items():
        print(f"{name:<28} median {r['median_ms']:8.2f} ms"
              f"  (min {r['min_ms']:.2f}, max {r['max_ms']:.2f})  faults {r['faults']:.0f}")


if __name__ == "__main__":
    main()
