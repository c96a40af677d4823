#!/usr/bin/env bash
# Installs the packages in tools/packages.txt that are not installed yet.
# Quick and silent when everything is there; runs apt-get update only when
# something is missing. Needs root (or sudo) on Debian 12.
set -euo pipefail
list="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/packages.txt"

missing=()
while read -r pkg _; do
    case "$pkg" in '' | '#'*) continue ;; esac
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
    [ "${status:0:2}" = "ii" ] || missing+=("$pkg")
done <"$list"

[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo env DEBIAN_FRONTEND=noninteractive)
export DEBIAN_FRONTEND=noninteractive
# Packages of another architecture need it added to dpkg first.
for pkg in "${missing[@]}"; do
    case "$pkg" in
    *:*)
        arch=${pkg##*:}
        dpkg --print-foreign-architectures | grep -qx "$arch" || "${sudo[@]}" dpkg --add-architecture "$arch"
        ;;
    esac
done
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
