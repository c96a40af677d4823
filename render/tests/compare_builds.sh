#!/usr/bin/env bash
# The native and the Windows render tool must draw the same rosette: the same
# trace, operation for operation, and the same picture, for the same settings
# file and start. Usage: compare_builds.sh NATIVE_TOOL WINE_RUNNER WINDOWS_TOOL
set -u
native=$1 runner=$2 windows=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

# name | size | steps | start | geometry: LinZahl EckenZahl LinLaenge Spinit Erase AutoLength | Zoom
while IFS='|' read -r name size steps start geo zoom; do
    [ -n "$name" ] || continue
    read -r lines corners length spin erase auto <<<"$geo"
    indikator=$(( (lines - corners - length - spin - erase - auto) * 17 ))
    ini="$dir/$name.ini"
    printf '[Vireska Settings]\r\nLinZahl=%s\r\nEckenZahl=%s\r\nLinL\xe4nge=%s\r\nSpinit=%s\r\nErase=%s\r\nAutoLength=%s\r\nZoom=%s\r\nindikator=%s\r\ncontinue=1\r\ncontinueat=%s\r\n' \
        "$lines" "$corners" "$length" "$spin" "$erase" "$auto" "$zoom" "$indikator" "$start" >"$ini"
    args=(--ini "$name.ini" --size "$size" --steps "$steps")
    ( cd "$dir" && "$native" "${args[@]}" --trace "$name.native.trace" --png "$name.native.png" >/dev/null 2>"$name.native.err" )
    ( cd "$dir" && $runner "$windows" "${args[@]}" --trace "$name.win.trace" --png "$name.win.png" >/dev/null 2>"$name.win.err" </dev/null )
    if ! cmp -s "$dir/$name.native.trace" "$dir/$name.win.trace"; then
        echo "FAIL $name: traces differ: $(cmp "$dir/$name.native.trace" "$dir/$name.win.trace" 2>&1 | head -n 1)"
        failures=$((failures + 1))
    elif ! cmp -s "$dir/$name.native.png" "$dir/$name.win.png"; then
        echo "FAIL $name: pictures differ"
        failures=$((failures + 1))
    elif [ ! -s "$dir/$name.native.trace" ]; then
        echo "FAIL $name: empty trace: $(cat "$dir/$name.native.err")"
        failures=$((failures + 1))
    else
        echo "ok   $name ($(grep -c '^line ' "$dir/$name.native.trace") lines)"
    fi
done <<'CASES'
defaults|1024x768|3000|12345|200 7 25 2 1 1|15
wrap|640x480|400|2999800|200 7 25 2 1 1|15
sun|800x600|1500|777|200 15 100 2 1 0|15
wiper|1024x768|1500|5000|200 1 250 1 1 1|15
alice|1024x768|1500|0|20 15 270 0 1 1|-1
vinyl|320x240|200|90000|312 399 0 1 1 1|15
laser|152x112|800|31|1 15 400 1 1 0|0
pileup|300x300|2000|100|200 12 20 1 0 1|9
manycorners|1024x768|30|4242|200 1000 50 2 1 1|15
mostcorners|640x480|4|4242|200 30000000 50 2 1 1|15
oddsize|333x77|700|2999999|5 4 200 1 1 1|15
hugezoom|256x256|50|10|200 7 25 2 1 1|2000000000
CASES

echo "$failures settings files drew differently"
[ "$failures" -eq 0 ]
