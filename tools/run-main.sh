#!/usr/bin/env bash
# The main job: installs what is missing, builds everything and the release
# archives (out/vireska-3.3.0-win64.zip and out/vireska-3.3.0-win32.zip, with
# out/SHA256SUMS), and
# runs the real 64-bit saver (vireska.scr /s) under Wine, with a fresh private
# Wine prefix. On the user's display it runs until a key, a click or a quick
# mouse movement ends it; where there is no display it runs on a virtual one
# for a few seconds and leaves a screenshot in out/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh
echo "building ..."
for arch in win32:i686 win64:x86_64; do
    cmake -S . -B "build/${arch%%:*}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-${arch##*:}.cmake" >/dev/null
    cmake --build "build/${arch%%:*}" -j 2 >/dev/null
done
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j 2 >/dev/null
mkdir -p out
# The release archives, one per architecture: vireska.scr, installer.exe and
# the user's README; the same commit always gives the same bytes.
rm -f out/vireska-*.zip out/SHA256SUMS
for build in win32 win64; do
    cmake --build "build/$build" --target release_archive >/dev/null
    cp "build/$build/release/"vireska-*-"$build".zip out/
    echo "release archive for $build Windows: $(ls "$root"/out/vireska-*-"$build".zip)"
done
(cd out && sha256sum vireska-*.zip >SHA256SUMS)
echo "their checksums: $root/out/SHA256SUMS"

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
