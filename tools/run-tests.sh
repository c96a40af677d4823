#!/usr/bin/env bash
# The test command: installs what is missing, then builds and tests
#   build/native  g++: unit tests, the render tool's tests
#   build/fuzz    clang with ASan and UBSan: the unit tests again, and the
#                 fuzz harnesses for a bounded run
#   build/win64   mingw-w64: the same tests as Windows programs, under Wine on
#                 a private display and prefix, plus the comparison of the
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

step "windows: configure" cmake -S . -B build/win64 "${common[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DVIRESKA_NATIVE_RENDER="$root/build/native/render/vireska-render"
step "windows: build" cmake --build build/win64 -j 2
# One test at a time: the end-to-end tests share the display and the Windows directory.
step "windows: tests under Wine" bash tools/with-wine.sh ctest --test-dir build/win64 --output-on-failure

printf '%s\n' "${summary[@]}"
echo "all tests passed"
