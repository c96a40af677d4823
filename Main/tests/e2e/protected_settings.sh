#!/usr/bin/env bash
# Runs the tests of a settings file that refuses writes, as the Windows
# directory does for a standard user: the file is written into the prefix's
# Windows directory and made immutable (chattr +i, which the platform refuses
# as access denied even for root).
#   1. the file alone refuses: OK and the saver's resume position go to the
#      user's copy in the local application data folder's VirtualStore;
#   2. the file and an existing user copy both refuse: the write error shows.
# The marks are removed on every way out.
# Usage: protected_settings.sh RUNNER TEST_PROGRAM SAVER RENDER PASSWORD_CPL RECORD_START
set -u
runner=$1 program=$2
shift 2
ini="$WINEPREFIX/drive_c/windows/vireska.ini"
local_appdata=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local 2>/dev/null | grep -v /Public/ | head -n 1)
[ -n "$local_appdata" ] || { echo "no AppData/Local folder in $WINEPREFIX/drive_c/users"; exit 1; }
copy="$local_appdata/VirtualStore/windows/vireska.ini"
cleanup() {
    chattr -i "$ini" "$copy" 2>/dev/null
    rm -f "$ini" "$copy"
}
trap cleanup EXIT

saved_file() {
    printf '[Presets]\r\nSet0=All in One,0,200,7,25,2,1,1,15,15,\r\n'
    printf '[Vireska Settings]\r\nBoxIndex=0\r\nmsDelay=5\r\n[Registration]\r\nVersion=330\r\n'
}
protect() {
    chattr +i "$1" || { echo "chattr +i $1 failed: this file system cannot refuse writes"; exit 1; }
}

status=0
saved_file >"$ini"
protect "$ini"
"$runner" "$program" "$@" --gtest_filter='*WindowsDirectoryRefuses*' || status=1

mkdir -p "$(dirname "$copy")"
chattr -i "$copy" 2>/dev/null
saved_file >"$copy"
protect "$copy"
"$runner" "$program" "$@" --gtest_filter='*BothRefuse*' || status=1
exit $status
