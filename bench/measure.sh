#!/usr/bin/env bash
# Measures every performance target against its floor, side by side on this
# machine, and prints the table that docs/performance.md records:
#  - the program's whole run (no display) against cp of its six files, in a
#    fresh empty folder and over the files of an earlier run;
#  - route_tool compile of the largest route against cp of its three
#    outputs, and its peak resident memory against their size;
#  - the compile step alone, in memory (Google Benchmark median);
#  - route_tool check of the largest route and of the fixed scenario.
# Needs python3 and GNU time (package time).
# Usage: bench/measure.sh [RUNS]     (alternating runs per row; default 31)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-31}"

cmake --preset release >/dev/null
targets=(viterbo_orte_7547 route_tool compile_folder)
# compile_bench exists where Google Benchmark is installed.
if grep -q '^benchmark_DIR:PATH=/' build-release/CMakeCache.txt 2>/dev/null; then
  targets+=(compile_bench)
fi
cmake --build build-release -j2 --target "${targets[@]}" >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 bench/measure_targets.py --bin "$PWD/build-release/bin" --repo "$PWD" --work "$work" \
  --runs "$runs"
