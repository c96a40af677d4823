#!/usr/bin/env bash
# Checks the release archive of a cross build: made twice, it is the same
# bytes; it holds exactly the saver, the installer and the README in one
# folder, with the built programs' bytes; the programs are small, import only
# system libraries, and carry their version resources.
# Usage: check_package.sh BUILD_DIR NAME OBJDUMP RUNNER VERSION_INFO
set -uo pipefail
build=$1 name=$2 objdump=$3 runner=$4 version_info=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$here/make-archive.sh" "$build" "$name" "$work/a" >/dev/null || exit 1
sleep 1  # a second later: a time taken from the clock would show
"$here/make-archive.sh" "$build" "$name" "$work/b" >/dev/null || exit 1
cmp -s "$work/a/$name.zip" "$work/b/$name.zip" || fail "two archives of the same build differ"

mkdir "$work/out"
(cd "$work/out" && cmake -E tar xf "$work/a/$name.zip")
listed=$(cd "$work/out" && find . | sort | tr '\n' ' ')
[ "$listed" = ". ./$name ./$name/README.txt ./$name/installer.exe ./$name/vireska.scr " ] || fail "archive holds: $listed"
dir="$work/out/$name"
cmp -s "$dir/vireska.scr" "$build/Main/vireska.scr" || fail "vireska.scr is not the built one"
cmp -s "$dir/installer.exe" "$build/installer/installer.exe" || fail "installer.exe is not the built one"

# Sizes: the saver at most 400 KB; the installer, which only calls the platform, at most 16 KB.
while read -r file limit; do
    size=$(stat -c %s "$dir/$file")
    [ "$size" -le "$limit" ] || fail "$file is $size bytes, more than $limit"
    echo "$file: $size bytes"
done <<'SIZES'
vireska.scr 409600
installer.exe 16384
SIZES

# Imports: system libraries only, and of those only what each program calls.
while read -r file allowed; do
    dlls=$("$objdump" -p "$dir/$file" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
    for dll in $dlls; do
        case " $allowed " in *" $dll "*) ;; *) fail "$file imports $dll" ;; esac
    done
    echo "$file imports: $dlls"
done <<'IMPORTS'
vireska.scr ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL
installer.exe KERNEL32.DLL SHELL32.DLL USER32.DLL
IMPORTS

# Version resources, as the platform's version API reads them.
version_of() { $runner "$version_info" "$dir/$1" | tr -d '\r'; }
want_saver='fixed FileVersion=3.2.0.0
fixed ProductVersion=3.2.0.0
FileDescription=Vireska Screen Saver with Murmura(TM) technology
FileVersion=3, 3, 0, 0
InternalName=vireska
OriginalFilename=vireska.scr
ProductName=Vireska
ProductVersion=3, 3, 0, 0'
want_installer='fixed FileVersion=3.2.0.0
fixed ProductVersion=3.2.0.0
FileDescription=Vireska Screen Saver installer
FileVersion=3, 3, 0, 0
InternalName=installer
OriginalFilename=installer.exe
ProductName=Vireska
ProductVersion=3, 3, 0, 0'
[ "$(version_of vireska.scr)" = "$want_saver" ] || fail "version of vireska.scr: $(version_of vireska.scr | tr '\n' '|')"
[ "$(version_of installer.exe)" = "$want_installer" ] || fail "version of installer.exe: $(version_of installer.exe | tr '\n' '|')"

[ "$failures" -eq 0 ] && echo "ok: $name.zip"
[ "$failures" -eq 0 ]
