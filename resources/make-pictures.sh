#!/usr/bin/env bash
# Draws the settings dialog's button pictures with ImageMagick and writes them
# beside this script as BMP files, each at the size of every common screen
# resolution: 18 x 18 for 96 dpi (ok.bmp), 23, 27 and 36 pixels for 120, 144
# and 192 dpi (ok-23.bmp, ...). Every size is drawn anew from the same
# figures, scaled, without smoothing, so each is crisp. The olive of the
# lower-left pixel is the transparent colour. The program draws the grey
# disabled variant itself. Run it again after changing a picture and commit
# the BMP files.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
olive='#808000' green='#008000' red='#C00000' navy='#000080'

# scaled SCALE FIGURE: the figure's points (pixel centres on the 18-pixel
# grid) for a picture SCALE times as large. An arc becomes the open path of
# its points every 5 degrees (ImageMagick's own arc does not keep its shape
# when drawn larger), the same at every size.
scaled() {
    awk -v s="$1" -v fig="$2" 'function pt(x, y) { return sprintf(" %.2f,%.2f", (x + 0.5) * s - 0.5, (y + 0.5) * s - 0.5) }
    BEGIN {
        n = split(fig, w, " ")
        if (w[1] == "arc") {
            split(w[2], p0, ","); split(w[3], p1, ","); split(w[4], a, ",")
            cx = (p0[1] + p1[1]) / 2; cy = (p0[2] + p1[2]) / 2; rx = (p1[1] - p0[1]) / 2; ry = (p1[2] - p0[2]) / 2
            if (a[2] < a[1]) a[2] += 360
            out = ""
            for (t = a[1]; t <= a[2] + 0.001; t += 5) {
                r = t * atan2(0, -1) / 180
                out = out (out == "" ? "M" : " L") pt(cx + rx * cos(r), cy + ry * sin(r))
            }
            print "stroke-linejoin round path \047" out "\047"
            exit
        }
        if (w[1] == "polyline") {
            # An open path with round joins: ImageMagick 6 draws spikes at the mitred joins of thick lines.
            out = ""
            for (i = 2; i <= n; ++i) {
                split(w[i], xy, ",")
                out = out (i == 2 ? "M" : " L") pt(xy[1], xy[2])
            }
            print "stroke-linejoin round path \047" out "\047"
            exit
        }
        out = w[1]
        for (i = 2; i <= n; ++i) {
            split(w[i], xy, ",")
            out = out pt(xy[1], xy[2])
        }
        print out
    }'
}

picture() {  # picture NAME ARGS...: ImageMagick settings and figures on the 18-pixel grid
    local name=$1 size file scale args a next
    shift
    for size in 18 23 27 36; do
        file=$name-$size.bmp
        [ "$size" = 18 ] && file=$name.bmp
        scale=$(awk "BEGIN { print $size / 18 }")
        args=() next=
        for a in "$@"; do
            case "$next" in
            draw) a=$(scaled "$scale" "$a") ;;
            width) a=$(awk "BEGIN { w = int($a * $scale + 0.5); print (w < 1 ? 1 : w) }") ;;
            esac
            case "$a" in -draw) next=draw ;; -strokewidth) next=width ;; *) next= ;; esac
            args+=("$a")
        done
        convert -size "${size}x${size}" "xc:$olive" +antialias -fill none "${args[@]}" -type Palette "BMP3:$file"
    done
}
picture ok -stroke "$green" -strokewidth 3 -draw "polyline 3,9 7,13 14,4"
picture cancel -stroke "$red" -strokewidth 3 -draw "line 4,4 13,13" -draw "line 13,4 4,13"
picture help -stroke "$navy" -strokewidth 2 -draw "arc 5,2 13,10 180,90" -draw "line 9,10 9,12" \
    -stroke none -fill "$navy" -draw "rectangle 8,14 10,16"
# "&Test": two green arrows that together form a circle.
picture test -stroke "$green" -strokewidth 2 -draw "arc 3,3 15,15 200,330" -draw "arc 3,3 15,15 20,150" \
    -stroke none -fill "$green" -draw "polygon 11,2 17,6 12,9" -draw "polygon 7,16 1,12 6,9"
