#!/usr/bin/env bash
# Every test, from a fresh clone on a fresh Debian machine: installs what the
# tests need (apt-get; npm for the browser test and the editor extension),
# builds the programs as they ship, runs the Windows build under Wine and the
# packages, then builds and runs the whole test suite under the sanitizers,
# and a bounded fuzzing run of every fuzz target. Any failure, and any test
# left out for a missing tool, fails the run. Needs root, or sudo, for
# apt-get. This is what CI runs (.ci/run).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
step() { echo "=== [$(($(date +%s) - start)) s] $*"; }

as_root=()
((EUID == 0)) || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
need=()
for pkg in cmake g++ libgtest-dev nlohmann-json3-dev libcli11-dev libx11-dev libxft-dev xvfb xauth \
  clang clang-format libclang-rt-14-dev chromium neovim dpkg-dev man-db unzip; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
command -v node >/dev/null 2>&1 || need+=(nodejs)
command -v npm >/dev/null 2>&1 || need+=(npm)
# What the Windows check needs (MinGW-w64, Wine and the X tools that read its
# window) comes down while the programs build; ci/windows_check.sh then finds
# it installed.
windows_packages=()
for pkg in g++-mingw-w64-x86-64 wine64 wine xdotool x11-utils imagemagick; do
  dpkg -s "$pkg" >/dev/null 2>&1 || windows_packages+=("$pkg")
done
if ((${#need[@]} + ${#windows_packages[@]})); then
  "${as_root[@]}" apt-get update -qq
fi
if ((${#need[@]})); then
  step "installing ${need[*]}"
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
windows_log=$(mktemp)
windows_install=
if ((${#windows_packages[@]})); then
  step "installing ${windows_packages[*]}, in the background"
  { "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${windows_packages[@]}"; } \
    >"$windows_log" 2>&1 </dev/null &
  windows_install=$!
fi

# The viewer's browser test drives Chromium with puppeteer-core; its page's
# modules are checked by eslint and prettier.
(cd tools/route_view/browser_test && npm ci --no-audit --no-fund --loglevel=error)
(cd tools/route_view/web && npm ci --no-audit --no-fund --loglevel=error)
# check's SARIF output is validated against the SARIF 2.1.0 schema with ajv.
(cd tools/route_tool/sarif_test && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)

# Every test must build and run here: a missing GoogleTest, Xlib, Xvfb,
# Chromium or clang-format fails the configure or the test instead of
# leaving it out.
export VO_REQUIRE_ALL_TESTS=1

# The programs as an author builds them (no tests), for the Windows check,
# which compares the two builds' output, and for the packages. The tests
# run once, below, in the sanitizers' build.
step "the programs"
cmake -S . -B build -DVO_WERROR=ON -DBUILD_TESTING=OFF -DCMAKE_UNITY_BUILD=ON
cmake --build build -j2

# The editor extension of `route_tool lsp`, packaged into a .vsix from its
# locked npm dependencies (no install scripts are needed for it).
step "the Visual Studio Code extension"
(cd editors/vscode && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error </dev/null &&
  npm run --silent package </dev/null >/dev/null && test -s scenario-route-files.vsix)

if [[ -n $windows_install ]] && ! wait "$windows_install"; then
  cat "$windows_log"
  echo "FAIL: cannot install ${windows_packages[*]}"
  exit 1
fi
rm -f "$windows_log"
step "the Windows build under Wine"
bash ci/windows_check.sh

# The .deb, .tar.gz and .zip and the extension for each platform, built,
# unpacked or installed, and run as an author would run them.
step "the packages"
bash ci/package_check.sh

step "every test, under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan_suppressions.txt:print_suppressions=0"
# A unity build: a third less processor time than file by file (measured:
# 479 s against 727 s), and it keeps file-local names apart across files.
cmake --preset asan -DCMAKE_UNITY_BUILD=ON
cmake --build --preset asan
ctest --test-dir build-asan --output-on-failure -j2
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

# Every fuzz target for a bounded time; any finding fails. A fixed seed
# keeps the gate repeatable: the same inputs in the same order on every run
# (longer, randomly seeded sessions are run by hand: docs/reliability.md).
# Two targets run at a time, one on each core; each one's report is shown
# when the pair has ended.
step "fuzzing"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fuzz_logs=$(mktemp -d)
fuzz_failed=0
set -- compile compile_structure check check_structure decompile_structure decode lsp documents timing
while (($#)); do
  pair=("$1" "${2:-}")
  pids=()
  for target in "${pair[@]}"; do
    [[ -n $target ]] || continue
    VO_FUZZ_PREBUILT=1 bash fuzz/run_fuzzer.sh "$target" 30 -seed=7547 >"$fuzz_logs/$target.log" 2>&1 &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || fuzz_failed=1; done
  for target in "${pair[@]}"; do
    [[ -n $target ]] && { echo "--- $target"; cat "$fuzz_logs/$target.log"; }
  done
  shift $(($# < 2 ? $# : 2))
done
rm -rf "$fuzz_logs"
((fuzz_failed == 0)) || { echo "a fuzz target found a fault (its report is above)"; exit 1; }
step "all passed"
