#!/usr/bin/env bash
# Builds the release archive of a cross build into a temporary folder and
# checks that it holds exactly the saver, the installer and the README, in one
# folder, with the built programs' bytes.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G ZIP -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
zips=("$work"/*.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "no single archive: ${zips[*]}"; exit 1; }
mkdir "$work/out"
(cd "$work/out" && cmake -E tar xf "${zips[0]}")
top=$(cd "$work/out" && ls)
listed=$(cd "$work/out/$top" && find . -type f | sort | tr '\n' ' ')
[ "$listed" = "./README.txt ./installer.exe ./vireska.scr " ] || { echo "archive $top holds: $listed"; exit 1; }
cmp "$work/out/$top/vireska.scr" "$build/Main/vireska.scr"
cmp "$work/out/$top/installer.exe" "$build/installer/installer.exe"
echo "ok: $(basename "${zips[0]}") holds $listed"
