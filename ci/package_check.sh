#!/usr/bin/env bash
# The packages, built and tried as an author would use them:
#   (a) the editor extension for each platform, each with its route_tool inside,
#       and that route_tool answering --version (the Windows one under Wine);
#   (b) the Linux .deb and .tar.gz: their contents checked against the list
#       below, the .deb installed with dpkg, the installed route_tool run with
#       the build tree out of reach: --version, check and compile of the
#       example scenario from the installed documents, its manual page;
#   (c) the Windows .zip: contents checked, unpacked, route_tool.exe check and
#       compile of the example under Wine.
# Needs the Linux build in build/ and the MinGW build in build-mingw/ (made
# by ci/windows_check.sh), and `npm ci` done in editors/vscode. Run from
# ci/all_tests.sh as root; prints PASS/FAIL lines, exits non-zero on a failure.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
repo=$PWD
failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

work=$(mktemp -d /tmp/package_check.XXXXXX)
installed=0
cleanup() {
  ((installed)) && dpkg -r viterbo-orte-7547 >/dev/null 2>&1
  [[ -d $repo/build.out-of-reach ]] && mv "$repo/build.out-of-reach" "$repo/build"
  WINEPREFIX=$work/prefix timeout 20 wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

export WINEDEBUG=-all WINEPREFIX=$work/prefix WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# has_all LISTING NAME...: every NAME is a line of LISTING.
has_all() {
  local listing=$1 what=$2 missing=()
  shift 2
  for f in "$@"; do grep -qxF "$f" <<<"$listing" || missing+=("$f"); done
  if ((${#missing[@]})); then
    fail "$what lacks ${missing[*]}"
  else
    pass "$what holds all $# files it must"
  fi
}

version=$(sed -n 's/^project(.*VERSION \([0-9.]*\)).*/\1/p' CMakeLists.txt)

# --- (a) the editor extension for each platform ------------------------------
vsix_linux=$repo/editors/vscode/scenario-route-files-linux-x64.vsix
vsix_win=$repo/editors/vscode/scenario-route-files-win32-x64.vsix
bash editors/vscode/package_platform.sh linux-x64 build/bin/route_tool 2>/dev/null ||
  fail "packing the linux-x64 extension"
bash editors/vscode/package_platform.sh win32-x64 build-mingw/bin/route_tool.exe 2>/dev/null ||
  fail "packing the win32-x64 extension"
for target in linux-x64 win32-x64; do
  vsix=$repo/editors/vscode/scenario-route-files-$target.vsix
  server=extension/server/route_tool
  [[ $target == win32-* ]] && server+=.exe
  listing=$(unzip -Z1 "$vsix" 2>/dev/null)
  has_all "$listing" "$target extension" extension/package.json extension/extension.js "$server" \
    extension/node_modules/vscode-languageclient/package.json
  grep -q "TargetPlatform=\"$target\"" <(unzip -p "$vsix" extension.vsixmanifest) &&
    pass "$target extension is marked for its platform" || fail "$target extension not marked for $target"
  mkdir -p "$work/$target" && unzip -q -o "$vsix" "$server" -d "$work/$target"
  if [[ $target == win32-* ]]; then
    answer=$(wine "$work/$target/$server" --version 2>/dev/null | tr -d '\r')
  else
    chmod +x "$work/$target/$server"
    answer=$("$work/$target/$server" --version)
  fi
  [[ $answer == "route_tool $version" ]] && pass "$target extension's route_tool answers '$answer'" ||
    fail "$target extension's route_tool answers '$answer'"
done

# --- (b) the Linux packages ------------------------------------------------
cmake -S . -B build -DVO_EXTENSION_VSIX="$vsix_linux" >/dev/null &&
  cmake --build build -j2 >/dev/null &&
  (cd build && cpack -G "DEB;TGZ" >"$work/cpack.log" 2>&1) || {
  tail -20 "$work/cpack.log"
  fail "cpack on Linux"
}
deb=build/viterbo-orte-7547_${version}_amd64.deb
tgz=build/viterbo-orte-7547-${version}-linux-x86_64.tar.gz
doc=usr/share/doc/viterbo-orte-7547
linux_files=(usr/bin/route_tool usr/lib/viterbo-orte-7547/viterbo_orte_7547
  usr/share/man/man1/route_tool.1.gz usr/share/bash-completion/completions/route_tool
  "$doc/README.md" "$doc/route_tool.md" "$doc/formats.md" "$doc/editors.md" "$doc/windows.md"
  "$doc/examples/Esempio_linea.txt" "$doc/examples/Esempio_1234-.txt"
  usr/share/viterbo-orte-7547/editors/scenario-route-files-linux-x64.vsix)
has_all "$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./##')" "the .deb" "${linux_files[@]}"
tgz_files=()
for f in "${linux_files[@]}"; do tgz_files+=("viterbo-orte-7547-${version}-linux-x86_64/${f#usr/}"); done
has_all "$(tar -tzf "$tgz")" "the .tar.gz" "${tgz_files[@]}"

if dpkg -i "$deb" >"$work/dpkg.log" 2>&1; then
  installed=1
  pass "dpkg -i $(basename "$deb")"
else
  cat "$work/dpkg.log"
  fail "dpkg -i $(basename "$deb")"
fi
# The installed route_tool must need nothing of the build tree.
mv build build.out-of-reach
cd "$work" || exit 1
answer=$(/usr/bin/route_tool --version)
[[ $answer == "route_tool $version" ]] && pass "installed route_tool --version: $answer" ||
  fail "installed route_tool --version: '$answer'"
ex=/$doc/examples
names=(--route Esempio --train 1234)
if /usr/bin/route_tool check --line $ex/Esempio_linea.txt --service $ex/Esempio_1234-.txt "${names[@]}" \
  >check.txt; then
  pass "installed route_tool checks the installed example clean"
else
  cat check.txt
  fail "installed route_tool check of the example"
fi
if /usr/bin/route_tool compile --line $ex/Esempio_linea.txt --service $ex/Esempio_1234-.txt "${names[@]}" \
  --out compiled >compile.txt && [[ -s compiled/Esempio_1234.dat && -s compiled/Esempio_linea.dat ]]; then
  pass "installed route_tool compiles the installed example"
else
  cat compile.txt
  fail "installed route_tool compile of the example"
fi
man -w route_tool >/dev/null 2>&1 && pass "man route_tool finds its page" || fail "man route_tool finds no page"
cd "$repo" || exit 1
mv build.out-of-reach build
dpkg -r viterbo-orte-7547 >/dev/null 2>&1 && installed=0

# --- (c) the Windows zip -------------------------------------------------------
cmake -S . -B build-mingw -DVO_EXTENSION_VSIX="$vsix_win" >/dev/null &&
  (cd build-mingw && cpack -G ZIP >"$work/cpack-win.log" 2>&1) || {
  tail -20 "$work/cpack-win.log"
  fail "cpack for Windows"
}
zip=build-mingw/viterbo-orte-7547-${version}-win64.zip
top=viterbo-orte-7547-${version}-win64
has_all "$(unzip -Z1 "$zip")" "the .zip" "$top/route_tool.exe" "$top/viterbo_orte_7547.exe" \
  "$top/docs/README.md" "$top/docs/route_tool.md" "$top/docs/formats.md" "$top/docs/editors.md" \
  "$top/docs/windows.md" "$top/examples/Esempio_linea.txt" "$top/examples/Esempio_1234-.txt" \
  "$top/editors/scenario-route-files-win32-x64.vsix"
unzip -q "$zip" -d "$work/zip"
cd "$work/zip/$top" || exit 1
if wine route_tool.exe check --line examples/Esempio_linea.txt --service examples/Esempio_1234-.txt \
  "${names[@]}" >check.txt 2>&1; then
  pass "route_tool.exe from the zip checks the example clean under Wine"
else
  cat check.txt
  fail "route_tool.exe check of the example under Wine"
fi
if wine route_tool.exe compile --line examples/Esempio_linea.txt --service examples/Esempio_1234-.txt \
  "${names[@]}" --out compiled >compile.txt 2>&1 &&
  [[ -s compiled/Esempio_1234.dat && -s compiled/Esempio_1234.sim ]]; then
  pass "route_tool.exe from the zip compiles the example under Wine"
else
  cat compile.txt
  fail "route_tool.exe compile of the example under Wine"
fi
cd "$repo" || exit 1

((failures == 0)) && echo "package_check: all passed" || echo "package_check: $failures failed"
exit $((failures != 0))
