#!/usr/bin/env python3
"""Measures every performance target against its floor on this machine and
prints the table that docs/performance.md records. Run through
bench/measure.sh, which builds the release binaries first.

    measure_targets.py --bin DIR --repo DIR --work DIR [--runs N]
"""
import argparse
import glob
import json
import os
import platform
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import side_by_side  # noqa: E402

PROGRAM = "viterbo_orte_7547"
LINE_TXT = "Viterbo_Attigliano_Orte_linea.txt"
SERVICE_TXT = "Viterbo_Attigliano_Orte_7547-.txt"


def sh(cmd):
    subprocess.run(cmd, shell=True, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def files_of(folder, but=()):
    return sorted(f for f in glob.glob(os.path.join(folder, "*"))
                  if os.path.basename(f) not in but)


def machine():
    model = "?"
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    fs = subprocess.run(["df", "-T", "."], capture_output=True, text=True).stdout.split("\n")[1]
    compiler = subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout
    with open("/proc/loadavg") as loadavg:
        load = " ".join(loadavg.read().split()[:3])
    print(f"cpus: {os.cpu_count()}, {model}")
    print(f"kernel: {platform.release()}; file system of the work folder: {fs.split()[1]}")
    print(f"compiler: {compiler.splitlines()[0]}")
    print(f"load average at the start: {load}")


class table:
    def __init__(self):
        self.rows = []

    def ratio_row(self, figure, value, unit, floor_name, floor, target):
        ratio = value / floor
        self.rows.append([figure, f"{value:.2f} {unit}", f"{floor_name}: {floor:.2f} {unit}",
                          f"{ratio:.2f}", f"<= {target}", "yes" if ratio <= target else "NO"])

    def limit_row(self, figure, value_ms, limit_ms):
        self.rows.append([figure, f"{value_ms:.2f} ms", "-", "-", f"< {limit_ms} ms",
                          "yes" if value_ms < limit_ms else "NO"])

    def skipped_row(self, figure, why, target):
        self.rows.append([figure, f"skipped: {why}", "-", "-", target, "-"])

    def print(self):
        print("| figure | measured | floor | ratio | target | met |")
        print("|---|---|---|---|---|---|")
        for row in self.rows:
            print("| " + " | ".join(row) + " |")


def program_rows(t, bin_dir, work, runs):
    """The program's whole run, without a display, against cp of its six
    files: each in a fresh empty folder, and over the files of an earlier
    run."""
    home = os.path.join(work, "program")
    os.makedirs(os.path.join(home, "exe"))
    exe = os.path.join(home, "exe", PROGRAM)
    shutil.copy(os.path.join(bin_dir, PROGRAM), exe)
    sh(exe)
    six = files_of(os.path.join(home, "exe"), but=(PROGRAM,))
    assert len(six) == 6, six
    over = os.path.join(home, "over")
    cp_over = os.path.join(home, "cp_over")
    os.makedirs(over)
    os.makedirs(cp_over)
    os.link(exe, os.path.join(over, PROGRAM))
    sh(os.path.join(over, PROGRAM))
    sh(f"cp {' '.join(six)} {cp_over}/")
    fresh = os.path.join(home, "fresh")
    cp_fresh = os.path.join(home, "cp_fresh")
    # Two pairs, one after the other: the data that one pair leaves to be
    # written back would otherwise slow the other's replacements.
    r = side_by_side.measure([
        side_by_side.case("program fresh", f"rm -rf {fresh} && mkdir {fresh} && ln {exe} {fresh}/",
                          os.path.join(fresh, PROGRAM)),
        side_by_side.case("cp fresh", f"rm -rf {cp_fresh} && mkdir {cp_fresh}",
                          f"cp {' '.join(six)} {cp_fresh}/"),
    ], runs)
    r.update(side_by_side.measure([
        side_by_side.case("program over", "", os.path.join(over, PROGRAM)),
        side_by_side.case("cp over", "", f"cp {' '.join(six)} {cp_over}/"),
    ], runs))
    size = sum(os.path.getsize(f) for f in six)
    print(f"program: six files, {size} bytes; page faults a run: program "
          f"{r['program fresh']['faults']:.0f}, cp {r['cp fresh']['faults']:.0f}")
    t.ratio_row("program run, fresh empty folder", r["program fresh"]["median_ms"], "ms",
                "cp of its six files", r["cp fresh"]["median_ms"], 2)
    t.ratio_row("program run, over an earlier run", r["program over"]["median_ms"], "ms",
                "cp over an earlier copy", r["cp over"]["median_ms"], 2)


def large_route_inputs(bin_dir, work):
    folder = os.path.join(work, "large_in")
    os.makedirs(folder)
    sh(f"{bin_dir}/compile_folder write-large {folder}")
    return os.path.join(folder, LINE_TXT), os.path.join(folder, SERVICE_TXT)


def route_tool_compile_rows(t, bin_dir, work, runs, line, service):
    """route_tool compile of the largest route against cp of its three
    outputs, each into a fresh empty folder; its peak memory against the
    size of those outputs."""
    out = os.path.join(work, "large_out")
    copy = os.path.join(work, "large_cp")
    compile_cmd = f"{bin_dir}/route_tool compile --line {line} --service {service} --out {out}"
    sh(f"mkdir {out} && {compile_cmd}")
    three = files_of(out)
    assert len(three) == 3, three
    source = os.path.join(work, "large_outputs")
    os.makedirs(source)
    for f in three:
        shutil.copy(f, source)
    three = files_of(source)
    r = side_by_side.measure([
        side_by_side.case("route_tool compile", f"rm -rf {out} && mkdir {out}", compile_cmd),
        side_by_side.case("cp three", f"rm -rf {copy} && mkdir {copy}",
                          f"cp {' '.join(three)} {copy}/"),
    ], runs)
    t.ratio_row("route_tool compile, largest route", r["route_tool compile"]["median_ms"], "ms",
                "cp of its three outputs", r["cp three"]["median_ms"], 2)
    size_mb = sum(os.path.getsize(f) for f in three) / 1e6
    peak_mb = side_by_side.peak_rss_kb(compile_cmd, prep=f"rm -rf {out} && mkdir {out}") * 1024 / 1e6
    t.ratio_row("route_tool compile, largest route, peak resident memory", peak_mb, "MB",
                "size of its three outputs", size_mb, 1.25)


def compile_step_row(t, bin_dir):
    """The compile step alone on the folder in memory: the Google Benchmark
    median."""
    bench = os.path.join(bin_dir, "compile_bench")
    figure = "compile step alone, in memory, largest route"
    if not os.path.exists(bench):
        t.skipped_row(figure, "compile_bench not built (Google Benchmark missing)", "< 25 ms")
        return
    out = subprocess.run([bench, "--benchmark_filter=LargestRoute_Memory",
                          "--benchmark_format=json"], capture_output=True, text=True, check=True)
    medians = [b for b in json.loads(out.stdout)["benchmarks"]
               if b.get("aggregate_name") == "median"]
    if not medians:
        t.skipped_row(figure, "no LargestRoute_Memory benchmark", "< 25 ms")
        return
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[medians[0]["time_unit"]]
    t.limit_row(figure, medians[0]["real_time"] * scale, 25)


def check_rows(t, bin_dir, repo, runs, line, service):
    """route_tool check of the largest route and of the fixed scenario."""
    tool = os.path.join(bin_dir, "route_tool")
    inputs = [
        ("route_tool check, largest route", line, service, 300),
        ("route_tool check, fixed scenario", os.path.join(repo, "sources/testdata", LINE_TXT),
         os.path.join(repo, "sources/testdata", SERVICE_TXT), 10),
    ]
    available = subprocess.run([tool, "check", "--help"], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL).returncode == 0
    for figure, line_file, service_file, limit in inputs:
        if not available:
            t.skipped_row(figure, "`route_tool check --help` fails (no check command yet)",
                          f"< {limit} ms")
            continue
        r = side_by_side.measure([side_by_side.case(
            "check", "", f"{tool} check --line {line_file} --service {service_file}")], runs)
        t.limit_row(figure, r["check"]["median_ms"], limit)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--repo", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=31)
    args = parser.parse_args()
    os.chdir(args.work)
    machine()
    print(f"method: median of {args.runs} alternating runs per row, after 3 warm-up rounds")
    t = table()
    program_rows(t, args.bin, args.work, args.runs)
    line, service = large_route_inputs(args.bin, args.work)
    route_tool_compile_rows(t, args.bin, args.work, args.runs, line, service)
    compile_step_row(t, args.bin)
    check_rows(t, args.bin, args.repo, args.runs, line, service)
    with open("/proc/loadavg") as loadavg:
        print(f"load average at the end: {' '.join(loadavg.read().split()[:3])}")
    print()
    t.print()


if __name__ == "__main__":
    main()
