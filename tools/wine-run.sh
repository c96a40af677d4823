#!/usr/bin/env bash
# Usage: tools/wine-run.sh PROGRAM.exe [ARGS...]
# CTest's emulator for the cross build: runs a Windows program under Wine on
# the private prefix and display that tools/with-wine.sh set up, and exits with
# the program's exit code. Refuses to run anywhere else, so ~/.wine is never
# created or used.
set -u

refuse() {
    echo "wine-run: $* (run the tests through tools/with-wine.sh)" >&2
    exit 125
}

[ -n "${WINEPREFIX:-}" ] || refuse "no private Wine prefix: WINEPREFIX is not set"
[ -d "$WINEPREFIX/drive_c/windows/system32" ] || refuse "WINEPREFIX=$WINEPREFIX is not a prepared Wine prefix"
[ "$(cd "$WINEPREFIX" && pwd -P)" != "$(cd "$HOME/.wine" 2>/dev/null && pwd -P)" ] ||
    refuse "WINEPREFIX is the user's own ~/.wine"
[ -n "${DISPLAY:-}" ] || refuse "no display: DISPLAY is not set"

export WINEDEBUG=-all
# The program's output goes to a file, then to our standard output: Wine
# processes that it starts (services, the desktop process) inherit its
# descriptors and outlive it, and a pipe they hold would never reach its end
# for whoever reads it (CTest).
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
err=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"
cat "$err" >&2
exit "$rc"
