#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one from its seed corpus for a
# bounded time. Exits non-zero on any finding: a crash, a sanitizer report,
# a broken check, a hang (-timeout) or a memory blow-up (-rss_limit_mb).
# Usage: fuzz/run_fuzzer.sh [TARGET] [SECONDS] [extra libFuzzer options...]
#   compile, compile_structure: the compile step on a line file and a
#     service file (libFuzzer's byte-level mutator, or the structured one)
#   check, check_structure: the checker, which must agree with compile
#   decompile, decompile_structure: compile, decompile, compile again
#   decode: route_tool's readers, dumps, drawing and view page on three
#     compiled files
#   lsp: the language server on the bytes an editor sends
#   documents: the driver's documents read and checked against the fixed
#     scenario
#   timing: the running-time calculation on a compiled line file and
#     service file
# VO_FUZZ_PRESET=fuzz-long builds without AddressSanitizer, for long runs.
# VO_FUZZ_CORPUS=DIR keeps the new inputs in DIR from one run to the next.
# VO_FUZZ_PREBUILT=1 runs the target as built, without configuring or building.
set -euo pipefail
cd "$(dirname "$0")/.."
target=compile
case "${1:-}" in
  compile | compile_structure | check | check_structure | decompile | decompile_structure | decode | lsp | documents | timing)
    target="$1"
    shift
    ;;
esac
seconds="${1:-120}"
shift || true
if [[ "$target" == lsp ]]; then
  corpus=fuzz/lsp_corpus
  max_len=65536
  what="the language server"
elif [[ "$target" == documents ]]; then
  corpus=fuzz/documents_corpus
  max_len=65536
  what="the documents"
elif [[ "$target" == decode ]]; then
  # A compiled route's line data file is at least 140 kB (7000 points of tail).
  corpus=fuzz/decode_corpus
  max_len=262144
  what="decode"
else
  corpus=fuzz/corpus
  max_len=65536
  what="$target"
fi

preset="${VO_FUZZ_PRESET:-fuzz}"
# VO_FUZZ_PREBUILT=1: the targets are built already (several runs at once
# must not configure the same folder together).
if [[ "${VO_FUZZ_PREBUILT:-0}" != 1 ]]; then
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "${target}_fuzzer"
fi
bin="build-${preset}/bin"

# New inputs go to a scratch corpus (or VO_FUZZ_CORPUS); the kept corpus
# only grows by hand.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/artifacts"
new_inputs="${VO_FUZZ_CORPUS:-$work/corpus}"
mkdir -p "$new_inputs"

status=0
# A route of 1000000 m is legal and takes about a second under the
# sanitizers, so the time limit per input leaves room for it. The progress
# lines go to a log; the summary, and any report, are shown.
echo "fuzzing ${what} for ${seconds} s"
"$bin/${target}_fuzzer" \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len="$max_len" \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  "$@" "$new_inputs" "$corpus" >"$work/fuzz.log" 2>&1 || status=$?
if ((status != 0)); then
  grep -v -E '^#[0-9]+' "$work/fuzz.log" | tail -80
else
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/fuzz.log"
fi

# Each finding is kept in build-PRESET/findings/ and printed whole in base64,
# so that a finding of a CI run can be reproduced from its log.
if compgen -G "$work/artifacts/*" >/dev/null; then
  mkdir -p "build-${preset}/findings"
  cp "$work/artifacts"/* "build-${preset}/findings/"
  echo "fuzzer findings (reproducers, kept in build-${preset}/findings/):"
  for f in "$work/artifacts"/*; do
    echo "== $(basename "$f") ($(wc -c <"$f") bytes)"
    base64 -w0 "$f"
    echo
  done
  status=1
fi
exit "$status"
