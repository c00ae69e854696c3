#!/usr/bin/env python3
"""Mutation testing of the product code: do the fast tests notice a fault?

Each mutant (a comparison flipped, a constant moved by one, a statement
dropped, `&&` and `||` swapped, a term of one dropped, `min` and `max`
exchanged, two arguments or two operands swapped: see cpp_mutants.py) is
applied to a copy of the tree, built incrementally and run against the
test executables that reach its folder (FOLDERS); it is killed when a test
fails, crashes or hangs, survives when every test passes, and does not
count when it does not compile.

    tools/mutation/run_mutants.py [--count N] [--seed S]   # N a folder (40)
    tools/mutation/run_mutants.py --folder compiler/placement
    tools/mutation/run_mutants.py --file compiler/readers/lettore_linea.cpp
    tools/mutation/run_mutants.py --list                   # the mutants, not run
    tools/mutation/run_mutants.py --report                 # the stored results

The work folder (default build-mutants/) holds the copy of the tree, its
build (Release at -O1, Ninja when there is one), results.jsonl and
report.md. A run is resumable: a mutant already tried on the same file
content is not tried again, except survivors with --retest-survivors (not
those documented as equivalent).
Documented equivalent mutants (no output can change) are listed in
equivalent.txt beside this script. The tree the script is in is never
modified; on Ctrl-C the copy's mutated file is put back before exiting.
"""
import argparse
import collections
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cpp_mutants import mutants_of  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EQUIVALENT_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "equivalent.txt")

# The folders of product code, each with the test executables (and the
# scripts of SCRIPTS) that reach it, the fastest and likeliest killers first
# (no kill test and no test that needs a display, Wine or a browser). A
# folder is its own files only: "compiler" is the compile step at the top of
# compiler/, not its subfolders.
COMPILER_TESTS = ["reader_tests", "boundary_tests", "compiler_tests", "check_tests",
                  "compiler_limits_tests", "fuzz_corpus_tests", "decode_corpus_tests",
                  "decompile_tests", "route_tool_tests", "timing_tools_tests", "app_tests",
                  "app_e2e_tests"]
FOLDERS = {
    "base": ["base_tests", "huge_page_blocks_tests", "sources_tests", "reader_tests",
             "compiler_tests", "check_tests", "route_tool_tests", "decompile_tests",
             "app_tests", "app_e2e_tests"],
    "sources": ["sources_tests", "compiler_tests", "reader_tests", "fuzz_corpus_tests",
                "decompile_tests", "route_tool_tests", "timing_tools_tests", "app_tests",
                "app_e2e_tests"],
    "compiler": ["compiler_tests", "compiler_limits_tests"] + [
        t for t in COMPILER_TESTS if t not in ("compiler_tests", "compiler_limits_tests")],
    "compiler/format": ["compiler_tests", "decode_corpus_tests"] + [
        t for t in COMPILER_TESTS if t not in ("compiler_tests", "decode_corpus_tests")],
    "compiler/readers": COMPILER_TESTS,
    "compiler/recorders": COMPILER_TESTS,
    "compiler/placement": ["boundary_tests", "compiler_tests"] + [
        t for t in COMPILER_TESTS if t not in ("boundary_tests", "compiler_tests")],
    "compiler/writers": ["compiler_tests"] + [t for t in COMPILER_TESTS if t != "compiler_tests"],
    "compiler/route_model": COMPILER_TESTS + ["timing_tests"],
    "tools/route_files": ["route_tool_tests", "decode_corpus_tests", "decompile_tests",
                          "timing_tools_tests"],
    "tools/decompile": ["decompile_tests", "route_tool_tests", "timing_tools_tests"],
    "tools/timing": ["timing_tools_tests", "route_tool_tests"],
    "compiler/check": ["check_tests", "fuzz_corpus_tests", "decompile_tests", "route_tool_tests",
                       "lsp_tests", "lsp_corpus_tests"],
    "compiler/documenti": ["documents_tests", "documents_corpus_tests", "check_tests",
                           "route_tool_tests"],
    "compiler/marcia": ["timing_tests", "timing_corpus_tests", "timing_tools_tests", "check_tests",
                        "documents_tests", "route_tool_tests"],
    "tools/route_tool": ["route_tool_tests", "decode_corpus_tests", "route_tool_cli"],
    "tools/route_view": ["route_tool_tests", "route_tool_cli"],
    "tools/lsp": ["lsp_tests", "lsp_corpus_tests", "lsp_client"],
}
# Files in those folders that are not the product on Linux: test support,
# test data and the Windows-only file replacement.
NOT_PRODUCT = {
    "base/memory_file_system.cpp", "base/memory_file_system.h",
    "base/failing_disk_file_system.cpp", "base/failing_disk_file_system.h",
    "base/sha256.cpp", "base/sha256.h", "base/replace_file_win32.cpp",
    "compiler/readers/supporto_prove_lettori.h", "compiler/digest_scenario_fisso.h",
    "compiler/prove_confini.h", "sources/golden_file.cpp", "sources/golden_file.h",
    "sources/crlf_lines.cpp", "sources/crlf_lines.h", "sources/writer_output.cpp",
    "sources/writer_output.h", "sources/testi_fissi.cpp", "sources/testi_fissi.h",
    "tools/decompile/round_trip.cpp", "tools/decompile/round_trip.h",
    "tools/decompile/scenario_generator.cpp", "tools/decompile/scenario_generator.h",
    "compiler/documenti/documenti_test_support.h", "tools/lsp/server_fixture.h",
    "tools/lsp/stdio_channel_win32.cpp",
}
# A gtest filter for an executable, where part of it is left out: the kill
# test takes seconds of real kills.
FILTERS = {"app_e2e_tests": "-kill_test.*"}
# Tests that drive the real route_tool from a script, named in FOLDERS like
# the test executables: the target they need, and the command ({bin} the
# build's programs, {tree} the copy of the tree). The editor's session runs
# without its latency limit: a mutant's build beside it would break it.
SCRIPTS = {
    "route_tool_cli": ("route_tool", [sys.executable, "{tree}/tools/route_tool/route_tool_cli_test.py",
                                      "{bin}/route_tool", "{tree}/sources/testdata"]),
    "lsp_client": ("route_tool", [sys.executable, "{tree}/tools/lsp/lsp_client_test.py",
                                  "{bin}/route_tool", "{tree}/sources/testdata",
                                  "{tree}/fuzz/corpus"]),
}
SKIPPED_TOP = ("build", ".git", "out", ".cache")
SKIPPED_ANYWHERE = ("node_modules", "__pycache__")


class interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise interrupted(signal.Signals(signum).name)


# ----------------------------------------------------------- the mutants ---

def folder_of(rel):
    return rel.rsplit("/", 1)[0] if "/" in rel else ""


def product_files(tree, folders=FOLDERS):
    out = []
    for folder in folders:
        top = os.path.join(tree, folder)
        for name in sorted(os.listdir(top)):
            rel = f"{folder}/{name}"
            if name.endswith(("_test.cpp", "_test.h")) or rel in NOT_PRODUCT:
                continue
            if name.endswith((".cpp", ".h")) and os.path.isfile(os.path.join(top, name)):
                out.append(rel)
    return out


def all_mutants(tree, folders=FOLDERS, only_file=None):
    found = []
    for rel in product_files(tree, folders):
        if only_file and rel != only_file:
            continue
        with open(os.path.join(tree, rel), encoding="utf-8") as f:
            found.extend(mutants_of(rel, f.read()))
    return found


def select(mutants, count, seed):
    """Of each folder, the `count` mutants whose seeded hashes are smallest
    (all of them when it has fewer), in file order. A mutant's draw depends
    on its key only, so an edit elsewhere in the tree leaves the rest of the
    sample as it was."""
    if count is None:
        return list(mutants)

    def draw(i):
        return hashlib.sha256(f"{seed}|{mutants[i].key}".encode("utf-8")).digest()

    by_folder = collections.defaultdict(list)
    for i, m in enumerate(mutants):
        by_folder[folder_of(m.path)].append(i)
    chosen = set()
    for indices in by_folder.values():
        chosen.update(sorted(indices, key=draw)[:count])
    return [m for i, m in enumerate(mutants) if i in chosen]


def read_equivalents():
    """key -> reason, from equivalent.txt (tab-separated: file, column (with
    #n for the n-th of identical lines), mutation, the line as written, why
    no output can change)."""
    out = {}
    if not os.path.exists(EQUIVALENT_FILE):
        return out
    with open(EQUIVALENT_FILE, encoding="utf-8") as f:
        for raw in f:
            if not raw.strip() or raw.startswith("#"):
                continue
            path, place, description, line_text, reason = raw.rstrip("\n").split("\t")
            out[f"{path}|{line_text}|{place}|{description}"] = reason
    return out


# --------------------------------------------------- the copy and build ---

def skipped(rel_dir, name):
    return name in SKIPPED_ANYWHERE or (rel_dir == "." and name.startswith(SKIPPED_TOP))


def sync_tree(source, copy):
    """Makes copy hold exactly source's files; unchanged files keep their
    times, so the build stays incremental."""
    wanted = set()
    changed = 0
    for folder, dirs, files in os.walk(source):
        rel_dir = os.path.relpath(folder, source)
        dirs[:] = [d for d in dirs if not skipped(rel_dir, d)]
        for name in files:
            if skipped(rel_dir, name):
                continue
            rel = os.path.normpath(os.path.join(rel_dir, name))
            wanted.add(rel)
            src, dst = os.path.join(source, rel), os.path.join(copy, rel)
            if os.path.exists(dst) and os.path.getsize(src) == os.path.getsize(dst):
                with open(src, "rb") as a, open(dst, "rb") as b:
                    if a.read() == b.read():
                        continue
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copy2(src, dst)
            os.utime(dst)  # newer than any object built from the old content
            changed += 1
    for folder, dirs, files in os.walk(copy):
        for name in files:
            rel = os.path.normpath(os.path.relpath(os.path.join(folder, name), copy))
            if rel not in wanted:
                os.remove(os.path.join(folder, name))
                changed += 1
    return changed


def run(cmd, timeout=None, cwd=None, env=None):
    """(status, output, seconds); status None after the timeout. The child
    runs in a session of its own and its whole group is ended with it."""
    started = time.monotonic()
    p = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         start_new_session=True)
    try:
        out, _ = p.communicate(timeout=timeout)
        return p.returncode, out.decode("utf-8", "replace"), time.monotonic() - started
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        out, _ = p.communicate()
        return None, out.decode("utf-8", "replace"), time.monotonic() - started
    except BaseException:
        os.killpg(p.pid, signal.SIGKILL)
        p.wait()
        raise


def configure(tree, build):
    # Index checks in the standard containers, as in the sanitizer build:
    # a mutant that reads past the end of a string fails instead of reading
    # a byte that happens to be harmless.
    cmd = ["cmake", "-S", tree, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
           "-DCMAKE_CXX_FLAGS_RELEASE=-O1", "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS",
           "-DVO_WERROR=ON"]
    if shutil.which("ccache"):
        # A header put back after its mutant rebuilds from the cache.
        cmd.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    if shutil.which("ninja") and not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        cmd += ["-G", "Ninja"]
    status, out, _ = run(cmd)
    if status != 0:
        sys.exit("configure failed:\n" + out)


def build_targets(build, jobs, targets):
    return run(["cmake", "--build", build, "-j", str(jobs), "--target"] + targets)


def try_tests(build, jobs, timeouts, tests):
    """("no-compile" | "killed" | "survived", what failed). Each test
    executable is built just before it runs and the first failure ends the
    try, so a mutant in a header that many files include rebuilds only what
    the tests up to its killer need; what is left stale is rebuilt when a
    later try needs it."""
    for name in tests:
        status, out, _ = build_targets(build, jobs, [target_of(name)])
        if status != 0:
            return "no-compile", name
        failed = test_failure(build, name, FILTERS.get(name, ""), timeouts.get(name))
        if failed:
            return "killed", failed
    return "survived", ""


def target_of(name):
    return SCRIPTS[name][0] if name in SCRIPTS else name


def test_failure(build, name, gtest_filter, timeout):
    """What failed in one test executable or script, or None when it passed."""
    if name in SCRIPTS:
        tree = os.path.join(os.path.dirname(build), "tree")
        cmd = [a.format(bin=os.path.join(build, "bin"), tree=tree) for a in SCRIPTS[name][1]]
        status, out, _ = run(cmd, timeout=timeout)
        if status is None:
            return f"{name}: timed out"
        if status != 0:
            # "FAIL: what" lines; the first names the mutant's effect.
            failed = [l[len("FAIL: "):] for l in out.splitlines() if l.startswith("FAIL: ")]
            return f"{name}: {failed[0][:160] if failed else f'exit status {status}'}"
        return None
    cmd = [os.path.join(build, "bin", name), "--gtest_brief=1"]
    if gtest_filter:
        cmd.append("--gtest_filter=" + gtest_filter)
    status, out, _ = run(cmd, timeout=timeout)
    if status is None:
        return f"{name}: timed out"
    if status != 0:
        # "[  FAILED  ] Suite.Name (3 ms)"; not the "1 test, listed below" summary.
        failed = [l[len("[  FAILED  ]"):].split()[0] for l in out.splitlines()
                  if l.startswith("[  FAILED  ] ") and "." in l.split()[3]]
        why = failed[0] if failed else f"exit status {status}"
        return f"{name}: {why}"
    return None


# ------------------------------------------------------------- results ---

def digest(data):
    return hashlib.sha256(data).hexdigest()[:16]


def load_results(path):
    out = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                if line.strip():
                    r = json.loads(line)
                    out[r["key"]] = r
    return out


def score(killed, survived, equivalent):
    """Killed / (killed + survived), the documented equivalents left out."""
    counted = killed + survived - equivalent
    return f"{100.0 * killed / counted:.1f}%" if counted else "-"


def report(selected, results, equivalents, header, mutants):
    rows = [(m, results.get(m.key)) for m in selected]
    tried = [(m, r) for m, r in rows if r is not None]
    survivors = [(m, r) for m, r in tried if r["status"] == "survived"]
    documented = [(m, r) for m, r in survivors if m.key in equivalents]
    open_survivors = [(m, r) for m, r in survivors if m.key not in equivalents]
    in_folder = collections.Counter(folder_of(m.path) for m in mutants)
    lines = list(header)
    lines.append("")
    lines.append("The score is killed / (killed + survived), the documented equivalents left out;")
    lines.append("raw counts them as survivors.")
    lines.append("")
    lines.append("| folder | mutants | tried | killed | survived | no-compile | equivalent | score "
                 "| raw |")
    lines.append("|---|---|---|---|---|---|---|---|---|")
    groups = collections.defaultdict(list)
    for m, r in tried:
        groups[folder_of(m.path)].append((m, r))
        groups["all"].append((m, r))
    by_kind = collections.defaultdict(collections.Counter)
    for m, r in tried:
        by_kind[m.kind][r["status"]] += 1
    for folder in list(FOLDERS) + ["all"]:
        if folder not in groups:
            continue
        c = collections.Counter(r["status"] for _, r in groups[folder])
        e = sum(1 for m, r in groups[folder] if r["status"] == "survived" and m.key in equivalents)
        total = sum(in_folder.values()) if folder == "all" else in_folder[folder]
        lines.append(f"| {folder} | {total} | {len(groups[folder])} | {c['killed']} | "
                     f"{c['survived']} | {c['no-compile']} | {e} | "
                     f"{score(c['killed'], c['survived'], e)} | "
                     f"{score(c['killed'], c['survived'], 0)} |")
    lines.append("")
    lines.append("| kind | killed | survived | no-compile |")
    lines.append("|---|---|---|---|")
    for name, c in sorted(by_kind.items()):
        lines.append(f"| {name} | {c['killed']} | {c['survived']} | {c['no-compile']} |")
    lines.append("")
    lines.append(f"survivors not documented as equivalent ({len(open_survivors)}):")
    for m, _ in open_survivors:
        lines.append(f"  {m.path}:{m.line}: {m.kind}: {m.description}    {m.line_text}")
    lines.append(f"documented equivalent ({len(documented)}):")
    for m, _ in documented:
        lines.append(f"  {m.path}:{m.line}: {m.description}    {m.line_text}")
        lines.append(f"      {equivalents[m.key]}")
    return "\n".join(lines)


# ---------------------------------------------------------------- main ---

def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--count", type=int, default=40,
                    help="mutants of each folder in the seeded sample")
    ap.add_argument("--seed", type=int, default=1, help="seed of the sample")
    ap.add_argument("--folder", choices=list(FOLDERS), help="only this folder's mutants")
    ap.add_argument("--file", help="every mutant of this file (path from the tree's top)")
    ap.add_argument("--all", action="store_true", help="every mutant of every file")
    ap.add_argument("--work", default=os.path.join(REPO, "build-mutants"), help="work folder")
    ap.add_argument("--jobs", type=int, default=2, help="build jobs")
    ap.add_argument("--list", action="store_true", help="list the selected mutants and stop")
    ap.add_argument("--report", action="store_true", help="report the stored results and stop")
    ap.add_argument("--survivors", action="store_true",
                    help="print the survivors as lines for equivalent.txt, reason left empty")
    ap.add_argument("--retest-survivors", action="store_true",
                    help="try again the mutants that survived before (after new tests), "
                         "documented equivalents left out")
    args = ap.parse_args()

    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, on_signal)
    os.nice(10)  # the machine is shared

    folders = {f: t for f, t in FOLDERS.items()
               if f == (args.folder or f) and (not args.file or f == folder_of(args.file))}
    mutants = all_mutants(REPO, folders, args.file)
    if args.file and not mutants:
        sys.exit(f"no mutants in {args.file} (a product file in one of: {', '.join(FOLDERS)})")
    selected = select(mutants, None if (args.file or args.all) else args.count, args.seed)
    selection = (f"every mutant of {args.file}" if args.file else
                 f"every mutant of {', '.join(folders)}" if args.all else
                 f"seed {args.seed}, at most {args.count} a folder: {len(selected)} of "
                 f"{len(mutants)} mutants")
    tests = list(dict.fromkeys(t for f in folders.values() for t in f))
    if args.list:
        for m in selected:
            print(f"{m.path}:{m.line}:{m.column}: {m.kind}: {m.description}    {m.line_text}")
        print(f"{len(selected)} mutants ({selection}): " + ", ".join(
            f"{k} {v}" for k, v in sorted(collections.Counter(m.kind for m in selected).items())))
        return 0

    tree = os.path.join(args.work, "tree")
    build = os.path.join(args.work, "build")
    results_path = os.path.join(args.work, "results.jsonl")
    results = load_results(results_path)
    equivalents = read_equivalents()
    header = [f"# Mutation testing of {', '.join(folders)}", "", f"selection: {selection}"]
    if args.report:
        print(report(selected, results, equivalents, header, mutants))
        return 0
    if args.survivors:
        for m in selected:
            r = results.get(m.key)
            if r and r["status"] == "survived" and m.key not in equivalents:
                print(f"{m.path}\t{m.place}\t{m.description}\t{m.line_text}\t")
        return 0

    os.makedirs(tree, exist_ok=True)
    print(f"copying the tree into {tree}: {sync_tree(REPO, tree)} files changed", flush=True)
    configure(tree, build)
    status, out, _ = build_targets(build, args.jobs, list(dict.fromkeys(map(target_of, tests))))
    if status != 0:
        sys.exit("the unmutated tree does not build:\n" + out[-4000:])
    timeouts = {}
    for name in tests:
        t0 = time.monotonic()
        failed = test_failure(build, name, FILTERS.get(name, ""), None)
        if failed:
            sys.exit(f"the fast tests fail on the unmutated tree: {failed}")
        # A hung mutant is ended after a minute, or five times the clean run.
        timeouts[name] = max(60.0, 5 * (time.monotonic() - t0))
        print(f"  {name}: {time.monotonic() - t0:.1f} s", flush=True)
    print("built; the fast tests pass on the unmutated tree", flush=True)

    todo = []
    for m in selected:
        with open(os.path.join(tree, m.path), "rb") as f:
            d = digest(f.read())
        r = results.get(m.key)
        retest = args.retest_survivors and r and r["status"] == "survived" and m.key not in equivalents
        if r and r["file_digest"] == d and not retest:
            continue
        todo.append((m, d))
    # Headers last, those of the folders that fewer files include first
    # (tools before compiler/ before base/): a mutant in a header rebuilds
    # every file that includes it, so a run cut short has tried most of
    # every folder.
    order = list(FOLDERS)

    def cost(t):
        header = t[0].path.endswith(".h")
        return (header, -order.index(folder_of(t[0].path)) if header else 0)

    todo.sort(key=cost)
    print(f"{len(selected) - len(todo)} of {len(selected)} mutants already tried; "
          f"{len(todo)} to try", flush=True)

    started = time.monotonic()
    try:
        with open(results_path, "a", encoding="utf-8") as store:
            for n, (m, d) in enumerate(todo, 1):
                path = os.path.join(tree, m.path)
                with open(path, "rb") as f:
                    original = f.read()
                t0 = time.monotonic()
                try:
                    with open(path, "wb") as f:
                        f.write(m.apply(original.decode("utf-8")).encode("utf-8"))
                    outcome, by = try_tests(build, args.jobs, timeouts,
                                            FOLDERS[folder_of(m.path)])
                finally:
                    with open(path, "wb") as f:
                        f.write(original)
                r = {"key": m.key, "file_digest": d, "status": outcome, "by": by,
                     "path": m.path, "line": m.line, "description": m.description,
                     "seconds": round(time.monotonic() - t0, 1)}
                results[m.key] = r
                store.write(json.dumps(r) + "\n")
                store.flush()
                done = [results[x.key]["status"] for x, _ in todo[:n]]
                k, s = done.count("killed"), done.count("survived")
                eta = (time.monotonic() - started) / n * (len(todo) - n)
                score = f"{100.0 * k / (k + s):.1f}%" if k + s else "-"
                print(f"[{n}/{len(todo)}] {m.path}:{m.line}: {m.description}: {outcome}"
                      f"{' by ' + by if outcome == 'killed' else ''} ({r['seconds']} s) | killed {k} "
                      f"survived {s} score {score} | about {eta / 60:.0f} min left", flush=True)
    except interrupted as e:
        print(f"\nstopped by {e}: the copy is restored; run again to go on", flush=True)
    finally:
        text = report(selected, results, equivalents, header, mutants)
        with open(os.path.join(args.work, "report.md"), "w", encoding="utf-8") as f:
            f.write(text + "\n")
        print("\n" + text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
