#!/usr/bin/env bash
# The test command: installs what is missing, then builds and tests
#   build/native  g++: unit tests, the render tool's tests
#   build/fuzz    clang with ASan and UBSan: the unit tests again, and the
#                 fuzz harnesses for a bounded run
#   build/win32   mingw-w64 i686, build/win64 mingw-w64 x86_64: the same tests
#                 as Windows programs, under Wine on a private display and a
#                 fresh 32-bit or 64-bit prefix, plus the comparison of the
#                 Windows render tool with the native one
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh

summary=()
step() {  # step NAME CMD...: runs CMD, records its time, stops the run on failure
    local name=$1 start=$SECONDS
    shift
    echo "==> $name"
    if "$@"; then
        summary+=("ok      $(printf '%4d' $((SECONDS - start))) s  $name")
    else
        summary+=("FAILED  $(printf '%4d' $((SECONDS - start))) s  $name")
        printf '%s\n' "${summary[@]}"
        exit 1
    fi
}

common=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)

step "native: configure" cmake -S . -B build/native "${common[@]}"
step "native: build" cmake --build build/native -j 2
step "native: tests" ctest --test-dir build/native --output-on-failure -j 2

step "sanitizers and fuzzing: configure" env CC=clang CXX=clang++ \
    cmake -S . -B build/fuzz "${common[@]}" -DVIRESKA_FUZZ=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE
step "sanitizers and fuzzing: build" cmake --build build/fuzz -j 2
step "sanitizers and fuzzing: tests" ctest --test-dir build/fuzz --output-on-failure -j 2

step "windows 32-bit: configure" cmake -S . -B build/win32 "${common[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DVIRESKA_NATIVE_RENDER="$root/build/native/render/vireska-render"
step "windows 32-bit: build" cmake --build build/win32 -j 2
step "windows 64-bit: configure" cmake -S . -B build/win64 "${common[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DVIRESKA_NATIVE_RENDER="$root/build/native/render/vireska-render" \
    -DVIRESKA_WIN32_INSTALLER="$root/build/win32/installer/installer.exe"
step "windows 64-bit: build" cmake --build build/win64 -j 2
# The tests that share the display and the Windows directory run one at a
# time; the desks of several monitors, each with an X server and a prefix of
# its own, run beside them. The 32-bit programs on 32-bit Windows (a win32
# prefix), the 64-bit ones on 64-bit Windows.
step "windows 32-bit: tests under Wine" env WINEARCH=win32 bash tools/with-wine.sh ctest --test-dir build/win32 --output-on-failure -j 2
step "windows 64-bit: tests under Wine" env WINEARCH=win64 bash tools/with-wine.sh ctest --test-dir build/win64 --output-on-failure -j 2

printf '%s\n' "${summary[@]}"
echo "all tests passed"
