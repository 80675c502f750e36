#!/usr/bin/env bash
# Installs a build into a root folder: ROOT/Wendrak/ is the program folder, the settings
# file "Kemra.ini" and "Debug/" lie in ROOT. What the program owns (the executable, the
# help file, the text pages) is replaced; every other shipped file is only added where it
# is missing, so players, groups, settings and results of the user stay as they are.
#   tools/install-root.sh BUILD_DIR ROOT
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$1
root=$2
prog="$root/Wendrak"
mkdir -p "$prog" "$root/Debug"
# Sample players of the sibling program go into its export folder only when that folder is
# new, so players already taken over do not come back with the next installation.
new_export=no
[ -d "$prog/PelkamSpieler" ] || new_export=yes

# Shipped tree: data/Wendrak -> ROOT/Wendrak. Empty folders are kept in git by ".keep".
(cd "$src/data/Wendrak" && find . -type d) | while read -r d; do mkdir -p "$prog/$d"; done
(cd "$src/data/Wendrak" && find . -type f ! -name .keep) | while read -r f; do
  case "$f" in
    ./Texte/*) install -m 644 "$src/data/Wendrak/$f" "$prog/$f" ;;
    *) [ -e "$prog/$f" ] || install -m 644 "$src/data/Wendrak/$f" "$prog/$f" ;;
  esac
done

if [ "$new_export" = yes ]; then
  for f in "$src"/data/pelkam/*.TP0; do install -m 644 "$f" "$prog/PelkamSpieler/"; done
fi

install -m 755 "$build/wendrak" "$prog/wendrak"
[ -f "$build/help/Kemrafeld.chm" ] && install -m 644 "$build/help/Kemrafeld.chm" "$prog/Kemrafeld.chm"
echo "Installed into $root"
