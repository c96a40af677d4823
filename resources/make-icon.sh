#!/usr/bin/env bash
# Draws the program icon: the default rosette from counter 0, 1000 steps on
# 128 x 128 with the render tool, reduced with ImageMagick to one 32 x 32 image
# in 16 colours, written beside this script as vireska.ico.
# Usage: resources/make-icon.sh [RENDER-TOOL]   (default: build/native/render/vireska-render)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
render=${1:-$root/build/native/render/vireska-render}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$render" --size 128x128 --start 0 --steps 1000 --png "$work/rosette.png" >/dev/null
convert "$work/rosette.png" -filter Box -resize 32x32 +dither -colors 16 -type Palette "$root/resources/vireska.ico"
