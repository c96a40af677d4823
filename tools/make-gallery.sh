#!/usr/bin/env bash
# Makes the README's pictures: docs/screenshot.png, the real 64-bit saver
# (vireska.scr /s) under Wine on a virtual display a few seconds after its
# start, and docs/gallery.png, a contact sheet of the 37 factory presets drawn
# by the render tool (each as the saver reads it once the dialog has picked
# it) after enough steps to show its character, with their names. Installs
# what is missing and builds what it needs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native --target vireska-render >/dev/null
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build build/win64 --target vireska >/dev/null
render=build/native/render/vireska-render
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs

# The gallery: every preset from the same step, drawn until its lines have
# gone round the ring twice (600 steps at least, so that presets that never
# erase pile up), 200 x 150 pixels each, seven to a row.
tiles=()
while read -r number name; do
    lines=$("$render" --preset "$number" --settings | sed -n 's/^LinZahl=//p')
    steps=$((2 * lines + 100 > 600 ? 2 * lines + 100 : 600))
    png="$work/$(printf '%02d' "$number").png"
    "$render" --preset "$number" --start 100000 --size 200x150 --steps "$steps" --png "$png" >/dev/null
    tiles+=(-label "$name" "$png")
done < <("$render" --list-presets)
montage -font DejaVu-Sans -pointsize 11 -fill white -background black "${tiles[@]}" \
    -tile 7x -geometry +4+4 "$work/gallery.png"
convert "$work/gallery.png" -strip -colors 96 "PNG8:docs/gallery.png"

# The screenshot: the saver resuming at a fixed step, half size.
shot="$work/screen.png"
# shellcheck disable=SC2016
bash tools/with-wine.sh bash -c '
    printf "[Vireska Settings]\r\ncontinue=1\r\ncontinueat=123400\r\n" >"$WINEPREFIX/drive_c/windows/vireska.ini"
    wine "$1" /s >/dev/null 2>&1 </dev/null &
    sleep 8
    import -window root "$2"' _ "$root/build/win64/Main/vireska.scr" "$shot"
[ -s "$shot" ] || { echo "no screenshot was taken" >&2; exit 1; }
convert "$shot" -resize 50% -strip -colors 96 "PNG8:docs/screenshot.png"
ls -l docs/gallery.png docs/screenshot.png
