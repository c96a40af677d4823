#!/usr/bin/env bash
# Makes the release archive of a Windows build: one folder NAME holding
# vireska.scr, installer.exe and the user's README, as OUT_DIR/NAME.zip. The
# same build always gives the same bytes: the files in a fixed order, with
# fixed permissions and the time of the commit they were built from (or
# SOURCE_DATE_EPOCH), no owners, no extra attributes, no folder entries.
# Usage: make-archive.sh BUILD_DIR NAME OUT_DIR     (prints the archive's path)
set -euo pipefail
build=$1 name=$2 out=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v zip >/dev/null || { echo "make-archive: zip not found; run tools/install-deps.sh" >&2; exit 1; }

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 1767225600)}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$build/Main/vireska.scr" "$build/installer/installer.exe" "$here/README.txt" "$stage/$name/"
chmod 644 "$stage/$name"/*
touch -d "@$epoch" "$stage/$name"/*

mkdir -p "$out"
archive="$(cd "$out" && pwd)/$name.zip"
rm -f "$archive"
# zip keeps times as local time: the same in every time zone only in UTC.
(cd "$stage" && TZ=UTC0 zip -q -X -D -9 "$archive" "$name/vireska.scr" "$name/installer.exe" "$name/README.txt")
echo "$archive"
