#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one from its seed corpus for a
# bounded time. Exits non-zero on any finding: a crash, a sanitizer report,
# a broken check, a hang (-timeout) or a memory blow-up (-rss_limit_mb).
# Usage: fuzz/run_fuzzer.sh [compile|decode|lsp] [SECONDS] [extra libFuzzer options...]
#   compile: the compile step on a line file and a service file (default)
#   decode:  route_tool's readers, dumps and drawing on three compiled files
#   lsp:     the language server on the bytes an editor sends
set -euo pipefail
cd "$(dirname "$0")/.."
target=compile
if [[ "${1:-}" == compile || "${1:-}" == decode || "${1:-}" == lsp ]]; then
  target="$1"
  shift
fi
seconds="${1:-120}"
shift || true
if [[ "$target" == compile ]]; then
  corpus=fuzz/corpus
  max_len=65536
  what="the compile step"
elif [[ "$target" == lsp ]]; then
  corpus=fuzz/lsp_corpus
  max_len=65536
  what="the language server"
else
  # A compiled route's line data file is at least 140 kB (7000 points of tail).
  corpus=fuzz/decode_corpus
  max_len=262144
  what="route_tool's readers"
fi

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
echo "fuzzing ${what} for ${seconds} s"
"build-fuzz/bin/${target}_fuzzer" \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len="$max_len" \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  "$@" "$work/corpus" "$corpus" >"$work/fuzz.log" 2>&1 || status=$?
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
