#!/usr/bin/env bash
# Measures, in one run side by side, what docs/performance.md records:
#  - the program's whole run (start, six files, end; no display) against
#    one cp of its six output files;
#  - the largest route's compile as a whole process, and its peak memory;
#  - the compile step's medians from the Google Benchmark targets.
# Needs hyperfine and GNU time (packages hyperfine, time).
# Usage: bench/measure.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-60}"

cmake --preset release >/dev/null
cmake --build build-release -j2 --target viterbo_orte_7547 compile_folder compile_bench >/dev/null
bin="$PWD/build-release/bin"

echo "== machine"
echo "cpus: $(nproc)"
grep -m1 'model name' /proc/cpuinfo | sed 's/.*: /cpu: /'
echo "compiler: $(c++ --version | head -1)"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prog" "$work/src" "$work/dst" "$work/large"
cp "$bin/viterbo_orte_7547" "$work/prog/"
(cd "$work/prog" && env -u DISPLAY ./viterbo_orte_7547 >/dev/null)
six=()
for f in "$work"/prog/Viterbo_Attigliano_Orte*; do
  cp "$f" "$work/src/"
  six+=("$work/src/$(basename "$f")")
done
echo "program output files: ${#six[@]}, $(cat "${six[@]}" | wc -c) bytes"

echo "== program run vs cp of its six files"
(cd "$work/prog" && env -u DISPLAY hyperfine -N --warmup 10 --runs "$runs" \
  --export-json "$work/run.json" "./viterbo_orte_7547" "cp ${six[*]} $work/dst/" >/dev/null)
python3 - "$work/run.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"]
med = [x["median"] * 1000 for x in r]
print(f"program median {med[0]:.2f} ms, cp median {med[1]:.2f} ms, ratio {med[0] / med[1]:.2f} (target <= 3)")
PY
(cd "$work/prog" && env -u DISPLAY /usr/bin/time -v ./viterbo_orte_7547 2>&1 >/dev/null |
  sed -n 's/.*Maximum resident set size (kbytes): /program peak RSS kB: /p')

echo "== largest route compile (whole process, disk)"
"$bin/compile_folder" write-large "$work/large"
"$bin/compile_folder" compile "$work/large"
hyperfine -N --warmup 2 --runs 20 --export-json "$work/large.json" \
  --prepare "$bin/compile_folder write-large $work/large" \
  "$bin/compile_folder compile $work/large" >/dev/null
python3 - "$work/large.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print(f"largest route compile median {r['median'] * 1000:.1f} ms (target < 500 ms)")
PY
"$bin/compile_folder" write-large "$work/large"
/usr/bin/time -v "$bin/compile_folder" compile "$work/large" 2>&1 >/dev/null |
  sed -n 's/.*Maximum resident set size (kbytes): /largest route peak RSS kB: /p'
out=$(cat "$work"/large/*.dat "$work"/large/*.sim | wc -c)
echo "largest route output bytes: $out (target peak RSS < 3 x = $((3 * out / 1024)) kB)"

echo "== compile step medians (Google Benchmark)"
"$bin/compile_bench" --benchmark_filter='.*' 2>/dev/null | grep -E 'median|Benchmark'
