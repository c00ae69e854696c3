#!/usr/bin/env bash
# Neovim's own LSP client against `route_tool lsp`: the diagnostics it shows
# after a typo in the example's service file must be the expected ones.
# Usage: run_test.sh ROUTE_TOOL EXAMPLES_DIR
# Exit 77 (skipped) without nvim, unless VO_REQUIRE_ALL_TESTS is set.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
route_tool=$1
examples=$2
if ! command -v nvim >/dev/null; then
  echo "nvim not found (apt-get install neovim)"
  [[ ${VO_REQUIRE_ALL_TESTS:-0} == 1 ]] && exit 1
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/Esempio_linea.txt" "$examples/Esempio_1234-.txt" "$work/"
ROUTE_TOOL=$route_tool SCENARIO_DIR=$work OUTPUT=$work/diagnostics.txt \
  timeout 60 nvim --headless --clean -u "$here/init.lua" </dev/null >"$work/nvim.log" 2>&1
status=$?
if ((status != 0)); then
  cat "$work/nvim.log"
  echo "nvim ended with status $status"
  exit 1
fi
if ! diff -u "$here/expected_diagnostics.txt" "$work/diagnostics.txt"; then
  echo "the diagnostics Neovim received differ from the expected ones"
  exit 1
fi
echo "Neovim received the expected diagnostics"
