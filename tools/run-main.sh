#!/usr/bin/env bash
# The main job: installs what is missing, builds everything and the release
# archive (out/vireska-3.3.0-win64.zip), and runs the real saver (vireska.scr
# /s) under Wine, with a fresh private Wine prefix. On the user's display it
# runs until a key, a click or a quick mouse movement ends it; where there is
# no display it runs on a virtual one for a few seconds and leaves a
# screenshot in out/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh
echo "building ..."
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build build/win64 -j 2 >/dev/null
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j 2 >/dev/null
mkdir -p out
# The release archive: vireska.scr, installer.exe and the user's README.
(cd build/win64 && cpack -G ZIP -B "$root/out" >/dev/null)
rm -rf "$root/out/_CPack_Packages"
echo "release archive: $(ls "$root"/out/vireska-*-win64.zip)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "running the saver on $DISPLAY: a key, a click or moving the mouse ends it"
    VIRESKA_USE_DISPLAY=1 bash tools/with-wine.sh tools/wine-run.sh build/win64/Main/vireska.scr /s
    echo "the saver has ended"
else
    shot="$root/out/vireska-saver.png"
    rm -f "$shot"
    # shellcheck disable=SC2016
    bash tools/with-wine.sh bash -c '
        wine "$1" /s >/dev/null 2>&1 </dev/null &
        sleep 6
        import -window root "$2"' _ "$root/build/win64/Main/vireska.scr" "$shot"
    [ -s "$shot" ] || { echo "no screenshot was taken" >&2; exit 1; }
    echo "no display here: the saver ran for a few seconds on a virtual one; its screenshot is $shot"
fi
