#!/usr/bin/env bash
# The main job: installs what is missing, builds, and draws the default
# rosette (1000 steps on 1024x768) to out/vireska-default.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j 2 >/dev/null
mkdir -p out
picture=$(build/native/render/vireska-render --start 0 --png "$root/out/vireska-default.png")
echo "The default rosette (1000 steps from counter 0, 1024x768) is in $picture"
