#!/usr/bin/env bash
# Runs the read-only settings file test: writes a saved settings file into the
# prefix's Windows directory and makes it immutable (chattr +i, which the
# platform refuses as access denied even for root), then removes the mark.
# Usage: readonly_settings.sh RUNNER TEST_PROGRAM SAVER RENDER PASSWORD_CPL
set -u
runner=$1 program=$2
shift 2
ini="$WINEPREFIX/drive_c/windows/vireska.ini"
{
    printf '[Presets]\r\nSet0=All in One,0,200,7,25,2,1,1,15,15,\r\n'
    printf '[Vireska Settings]\r\nBoxIndex=0\r\nmsDelay=5\r\n[Registration]\r\nVersion=330\r\n'
} >"$ini"
chattr +i "$ini" || { echo "chattr +i failed: this file system cannot make the file read-only"; exit 1; }
trap 'chattr -i "$ini"; rm -f "$ini"' EXIT
"$runner" "$program" "$@" --gtest_filter='*ReadOnly*'
