#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it from the seed corpus for a
# bounded time. Exits non-zero on any finding: a crash, a sanitizer report,
# a broken check, a hang (-timeout) or a memory blow-up (-rss_limit_mb).
# Usage: fuzz/run_fuzzer.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# New inputs go to a scratch corpus; the kept corpus only grows by hand.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"

status=0
# A route of 1000000 m is legal and takes about a second under the
# sanitizers, so the time limit per input leaves room for it. The progress
# lines go to a log; the summary, and any report, are shown.
echo "fuzzing the compile step for ${seconds} s"
build-fuzz/bin/compile_fuzzer \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  "$@" "$work/corpus" fuzz/corpus >"$work/fuzz.log" 2>&1 || status=$?
if ((status != 0)); then
  grep -v -E '^#[0-9]+' "$work/fuzz.log" | tail -80
else
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/fuzz.log"
fi

if compgen -G "$work/artifacts/*" >/dev/null; then
  echo "fuzzer findings (reproducers):"
  for f in "$work/artifacts"/*; do
    echo "== $(basename "$f")"
    base64 -w0 "$f" | head -c 4000
    echo
  done
  status=1
fi
exit "$status"
