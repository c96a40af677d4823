#!/usr/bin/env bash
# Draws the settings dialog's button pictures with ImageMagick and writes them
# beside this script as BMP files (18 x 18; the olive of the lower-left pixel
# is the transparent colour). The program draws their grey disabled variant
# itself. Run it again after changing a picture and commit the BMP files.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
olive='#808000' green='#008000' red='#C00000' navy='#000080'
picture() {  # picture FILE DRAW-ARGS...
    local file=$1
    shift
    convert -size 18x18 "xc:$olive" +antialias -fill none "$@" "BMP3:$file"
}
picture ok.bmp -stroke "$green" -strokewidth 3 -draw "polyline 3,9 7,13 14,4"
picture cancel.bmp -stroke "$red" -strokewidth 3 -draw "line 4,4 13,13" -draw "line 13,4 4,13"
picture help.bmp -stroke "$navy" -strokewidth 2 -draw "arc 5,2 13,10 180,90" -draw "line 9,10 9,12" \
    -stroke none -fill "$navy" -draw "rectangle 8,14 10,16"
# "&Test": two green arrows that together form a circle.
picture test.bmp -stroke "$green" -strokewidth 2 -draw "arc 3,3 15,15 200,330" -draw "arc 3,3 15,15 20,150" \
    -stroke none -fill "$green" -draw "polygon 11,2 17,6 12,9" -draw "polygon 7,16 1,12 6,9"
