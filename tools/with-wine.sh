#!/usr/bin/env bash
# Usage: tools/with-wine.sh CMD [ARGS...]
# Runs CMD with a private virtual display (Xvfb, 1024x768x24) and a fresh
# private 64-bit Wine prefix in a temporary folder, made by the Wine that runs
# it. Exports WINEPREFIX, DISPLAY and WINEDEBUG=-all for CMD, and removes the
# display, the Wine processes and the prefix on every way out. The user's own
# ~/.wine is never used. Exits with CMD's exit code.
# With VIRESKA_USE_DISPLAY=1 and a reachable $DISPLAY, that display is used
# instead of a virtual one (the prefix is still a private, fresh one).
# VIRESKA_MONITORS=2 or 3 gives a desk of that many monitors instead: Xorg
# with the dummy driver and Xinerama (tools/xorg-N-monitors.conf; needs root)
# and no Wine virtual desktop, which would be one monitor.
# VIRESKA_DPI=N sets the screen's resolution (LogPixels) to N dots per inch.
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 CMD [ARGS...]" >&2
    exit 2
fi

session=$(mktemp -d "${TMPDIR:-/tmp}/vireska-wine.XXXXXX") || exit 1
xvfb_pid="" cmd_pid=""

# Pids of a process and all its descendants, parents first.
process_tree() {
    local child
    echo "$1"
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        process_tree "$child"
    done
}

cleanup() {
    trap '' INT TERM HUP
    if [ -n "$cmd_pid" ]; then
        # CMD was stopped by a signal to this script: end it and all it started.
        kill -TERM $(process_tree "$cmd_pid") 2>/dev/null
        wait "$cmd_pid" 2>/dev/null
    fi
    if [ -d "$session/prefix" ]; then
        # Ends every Windows process of this prefix, then the server itself.
        WINEPREFIX="$session/prefix" wineserver -k >/dev/null 2>&1
        WINEPREFIX="$session/prefix" timeout 20 wineserver -w >/dev/null 2>&1
    fi
    if [ -n "$xvfb_pid" ]; then
        kill -TERM "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "with-wine: $*" >&2
    for log in "$session"/*.log; do
        [ -s "$log" ] && sed "s|^|with-wine: $(basename "$log"): |" "$log" | tail -n 20 >&2
    done
    exit 1
}

monitors=${VIRESKA_MONITORS:-1}
case "$monitors" in
1) xserver=Xvfb ;;
2 | 3) xserver=Xorg ;;
*) echo "with-wine: VIRESKA_MONITORS must be 1, 2 or 3" >&2; exit 2 ;;
esac
for tool in "$xserver" wine wineboot wineserver; do
    command -v "$tool" >/dev/null || fail "$tool not found; run tools/install-deps.sh"
done

if [ "${VIRESKA_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    display=$DISPLAY
else
    # The X server picks a free display number itself and writes it to fd 3 once it is ready.
    if [ "$monitors" = 1 ]; then
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
            3>"$session/display" >"$session/xserver.log" 2>&1 </dev/null &
    else
        Xorg -displayfd 3 -config "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/xorg-$monitors-monitors.conf" \
            -noreset -nolisten tcp -logfile "$session/xorg.log" vt7 \
            3>"$session/display" >"$session/xserver.log" 2>&1 </dev/null &
    fi
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$session/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "$xserver did not start"
        sleep 0.1
    done
    display=$(tr -dc '0-9' <"$session/display")
    [ -n "$display" ] || fail "$xserver did not report a display within 10 s"
    display=":$display"
fi

export DISPLAY="$display"
export WINEPREFIX="$session/prefix"
# A 64-bit prefix unless the caller asks for WINEARCH=win32 (32-bit Windows).
export WINEARCH=${WINEARCH:-win64}
export WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries or file associations
# written into the user's home.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# Debian's wineserver keeps its socket folder in $TMPDIR: keep it, and every
# temporary file of CMD, inside the session so that nothing is left behind.
export TMPDIR="$session/tmp"
mkdir -p "$WINEPREFIX" "$TMPDIR"

# A persistent server, started with its output away from any caller's pipe,
# so every program after it starts quickly and nothing waits on the server.
wineserver -p >/dev/null 2>&1 </dev/null || fail "wineserver did not start"
wineboot -i >"$session/wineboot.log" 2>&1 </dev/null || fail "wineboot -i failed"
[ -d "$WINEPREFIX/drive_c/windows/system32" ] || fail "wineboot -i made no prefix"
# Settings that take effect when the server starts again.
reg() { wine reg add "$@" /f >>"$session/wineboot.log" 2>&1 </dev/null || fail "could not set $1 $3"; }
restart=0
# On our own Xvfb, a virtual desktop as large as the display: with no window
# manager there, Wine waits 2 s for every top-level X window it unmaps;
# windows inside a virtual desktop are not X top-levels. The user's display
# and a desk of several monitors keep real windows.
if [ -n "$xvfb_pid" ] && [ "$monitors" = 1 ]; then
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
    restart=1
fi
# Several monitors come through Xinerama; Wine 8's desktop process dies
# listing the modes of the dummy driver unless XVidMode and XRandR are off.
if [ -n "$xvfb_pid" ] && [ "$monitors" != 1 ]; then
    reg 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N
    reg 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /d N
    restart=1
fi
if [ -n "${VIRESKA_DPI:-}" ]; then
    reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VIRESKA_DPI"
    restart=1
fi
if [ "$restart" = 1 ]; then
    wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1 </dev/null || fail "wineserver did not start again"
fi

# CMD runs in the background so that a signal reaches the traps at once.
"$@" <&0 &
cmd_pid=$!
wait "$cmd_pid"
rc=$?
cmd_pid=""
exit "$rc"
