#!/usr/bin/env bash
# The render tool's contract: argument errors, outputs that appear whole or not
# at all, and the trace format. Usage: render_tool_test.sh RUNNER TOOL FIXTURES
# (RUNNER is empty natively, the Wine wrapper in the cross build), FIXTURES the
# folder of settings files written as other programs write them.
set -u
runner=$1 tool=$2 fixtures=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() {  # run ARGS...: output to $dir/out, $dir/err; sets $rc
    ( cd "$dir" && $runner "$tool" "$@" >"$dir/out" 2>"$dir/err" </dev/null )
    rc=$?
    tr -d '\r' <"$dir/out" >"$dir/out.txt"; tr -d '\r' <"$dir/err" >"$dir/err.txt"
}

# Bad arguments: one line on standard error, non-zero exit, nothing written.
while IFS='|' read -r what args; do
    [ -n "$what" ] || continue
    rm -f "$dir"/x.png "$dir"/x.png.part
    # shellcheck disable=SC2086
    run $args
    lines=$(wc -l <"$dir/err.txt")
    if [ "$rc" -eq 0 ] || [ "$lines" -ne 1 ]; then fail "$what: exit $rc, $lines error lines: $(cat "$dir/err.txt")"; fi
    if ls "$dir" | grep -q '^x\.png'; then fail "$what: left a file behind"; fi
done <<'CASES'
unknown option|--frobnicate --png x.png
missing value|--png
zero width|--size 0x5 --png x.png
no separator|--size 1024 --png x.png
letters in size|--size axb --png x.png
negative height|--size 10x-4 --png x.png
negative steps|--steps -1 --png x.png
steps not a number|--steps 1e3 --png x.png
start beyond 32 bits|--start 4294967296 --png x.png
no output at all|--steps 5
unwritable png|--png nonexistent-dir/x.png
unwritable trace|--trace nonexistent-dir/t.txt --png x.png
unknown preset|--preset nope --png x.png
preset beyond the list|--preset 37 --png x.png
file and preset|--ini x.ini --preset 1 --png x.png
CASES

# The worked step: counter 999 resumed, 200 lines, 7 corners, length 25,
# Spinit 2, Erase 1, AutoLength 1, Zoom 15, on 1024x768.
printf '[Vireska Settings]\r\nLinZahl=200\r\nEckenZahl=7\r\nLinL\xe4nge=25\r\nSpinit=2\r\nErase=1\r\nAutoLength=1\r\nZoom=15\r\nindikator=2788\r\ncontinueat=999\r\ncontinue=1\r\n' >"$dir/worked.ini"
run --ini worked.ini --steps 2 --trace t.txt
[ "$rc" -eq 0 ] || fail "worked step: exit $rc: $(cat "$dir/err.txt")"
head -n 3 "$dir/t.txt" | tr -d '\r' >"$dir/head.txt"
printf 'step 1000\nfill 0 0 1024 768\nline 721 803 499 559 246 12 22\n' >"$dir/want.txt"
cmp -s "$dir/head.txt" "$dir/want.txt" || fail "worked step trace starts: $(cat "$dir/head.txt")"
[ "$(grep -c '^step ' "$dir/t.txt")" -eq 2 ] || fail "two steps give two step lines"
[ "$(grep -c '^line ' "$dir/t.txt")" -eq 56 ] || fail "two steps of 7 corners give 56 lines"
grep -q '^line 512 384 513 384 0 0 0' "$dir/t.txt" || fail "erase of an empty slot blackens the centre pixel"
ls "$dir" | grep -q '\.part$' && fail "a temporary file was left behind"

# A file that another program wrote, every key as the file format spells it
# (LinL\xe4nge in Windows-1252): every value is taken, none falls back.
run --ini "$fixtures/vireska-other-program.ini" --settings
printf 'Delay=0\nmsDelay=200\nLinZahl=90\nEckenZahl=9\nLinL\xe4nge=33\nSpinit=1\nErase=1\nAutoLength=1\nZoom=12\ncontinueat=4200\ncontinue=1\n' >"$dir/want.txt"
[ "$rc" -eq 0 ] && cmp -s "$dir/out.txt" "$dir/want.txt" || fail "settings of the other program's file: $(tr '\n' ' ' <"$dir/out.txt")"
# Its steps are those of 9 corners: 36 lines each.
run --ini "$fixtures/vireska-other-program.ini" --steps 3 --trace -
[ "$(grep -c '^line ' "$dir/out.txt")" -eq 108 ] || fail "three steps of 9 corners give 108 lines"
grep -q '^step 4201$' "$dir/out.txt" || fail "the run resumes after continueat 4200"

# A hand-edited file with thirty million corners and a matching checksum: the
# tool draws 1900 corners, as the saver does, and each step ends.
printf '[Vireska Settings]\r\nEckenZahl=30000000\r\nindikator=-509997093\r\n' >"$dir/corners.ini"
run --ini corners.ini --settings
grep -qx 'EckenZahl=1900' "$dir/out.txt" || fail "thirty million corners: $(tr '\n' ' ' <"$dir/out.txt")"
run --ini corners.ini --steps 2 --size 320x240 --trace -
[ "$(grep -c '^line ' "$dir/out.txt")" -eq 15200 ] || fail "two steps of 1900 corners give 15200 lines"

# Factory presets, by name or number, as the saver reads them after the dialog
# picked them and wrote the settings: "Alice in Wonderland" is 0, 20, 15, 270,
# 0, 1, 1, 25, -1; "Vinyl" (number 26) is 0, 312, 399, 0, 1, 1, 1, 5, 15.
run --preset "Alice in Wonderland" --settings
printf 'Delay=0\nmsDelay=25\nLinZahl=20\nEckenZahl=15\nLinL\xe4nge=270\nSpinit=0\nErase=1\nAutoLength=1\nZoom=-1\ncontinueat=0\ncontinue=0\n' >"$dir/want.txt"
[ "$rc" -eq 0 ] && cmp -s "$dir/out.txt" "$dir/want.txt" || fail "preset Alice in Wonderland: $(tr '\n' ' ' <"$dir/out.txt")"
run --list-presets
[ "$(wc -l <"$dir/out.txt")" -eq 37 ] && grep -qx '16 Alice in Wonderland' "$dir/out.txt" || fail "the list of factory presets"
run --preset 26 --start 500 --settings
printf 'Delay=0\nmsDelay=5\nLinZahl=312\nEckenZahl=399\nLinL\xe4nge=0\nSpinit=1\nErase=1\nAutoLength=1\nZoom=15\ncontinueat=500\ncontinue=1\n' >"$dir/want.txt"
[ "$rc" -eq 0 ] && cmp -s "$dir/out.txt" "$dir/want.txt" || fail "preset 26: $(tr '\n' ' ' <"$dir/out.txt")"

# The same run to standard output, and again: the trace is repeatable.
run --ini worked.ini --steps 2 --trace -
tr -d '\r' <"$dir/t.txt" >"$dir/t1.txt"
cmp -s "$dir/out.txt" "$dir/t1.txt" || fail "trace to standard output differs from the trace file"

# --start overrides the file's start; the counter wraps at 3000000.
run --start 2999999 --steps 1 --size 320x200 --trace -
grep -q '^step 0$' "$dir/out.txt" && grep -q '^rect 0 0 320 200$' "$dir/out.txt" || fail "wrap step: $(head -n 3 "$dir/out.txt")"

# A PNG: whole, the right size, its path printed.
run --ini worked.ini --steps 300 --size 200x150 --png pic.png
[ "$rc" -eq 0 ] || fail "png: exit $rc: $(cat "$dir/err.txt")"
grep -q 'pic.png' "$dir/out.txt" || fail "png path not printed"
sig=$(od -An -tx1 -N8 "$dir/pic.png" 2>/dev/null | tr -d ' \n')
[ "$sig" = "89504e470d0a1a0a" ] || fail "pic.png is not a PNG ($sig)"
dims=$(od -An -tu1 -j16 -N8 "$dir/pic.png" | tr -s ' ' | sed 's/^ //')
[ "$dims" = "0 0 0 200 0 0 0 150" ] || fail "pic.png size bytes: $dims"

echo "render tool: $failures checks failed"
[ "$failures" -eq 0 ]
