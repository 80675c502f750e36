#!/usr/bin/env bash
# Installs the Debian packages that are missing: those of tools/packages-run.txt, and with
# "test" those of tools/packages-test.txt too. Does nothing when all are there, so both
# README commands can call it every time. Installing needs root (or sudo).
#   tools/install-deps.sh [run|test]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=("$here/packages-run.txt")
[ "${1:-run}" = test ] && lists+=("$here/packages-test.txt")
missing=()
while read -r pkg; do
  pkg=${pkg%%#*}; pkg=${pkg//[[:space:]]/}
  [ -n "$pkg" ] || continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done < <(cat "${lists[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
