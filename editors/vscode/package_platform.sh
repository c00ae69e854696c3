#!/usr/bin/env bash
# Packs the extension for one platform with its route_tool inside, which the
# extension then starts before any other:
#   package_platform.sh win32-x64 ../../build-mingw/bin/route_tool.exe
#   package_platform.sh linux-x64 ../../build/bin/route_tool
# Writes scenario-route-files-TARGET.vsix into this folder. Run `npm ci` here
# first (it brings the packer, @vscode/vsce).
set -euo pipefail
target=$1
binary=$(realpath "$2")
cd "$(dirname "$0")"
case $target in
  win32-*) name=route_tool.exe ;;
  *) name=route_tool ;;
esac
rm -rf server
trap 'rm -rf server' EXIT
mkdir server
cp "$binary" "server/$name"
chmod 755 "server/$name"
# Symbols are of no use inside an editor extension.
case $target in
  win32-*) strip_tool=x86_64-w64-mingw32-strip ;;
  *) strip_tool=strip ;;
esac
if command -v "$strip_tool" >/dev/null; then "$strip_tool" "server/$name"; fi
npx --no-install vsce package --target "$target" --allow-missing-repository --skip-license \
  --out "scenario-route-files-$target.vsix" </dev/null >/dev/null
