#!/usr/bin/env bash
# Installing twice into one root: program files are replaced, files the user made or
# changed stay as they are, missing shipped files are added.
set -euo pipefail
src=$1; build=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
"$src/tools/install-root.sh" "$build" "$root" >/dev/null
prog="$root/Wendrak"
for d in SpielerStamm SpielerStammImport "Eigene Gruppen" ImportierteGruppen Standardexperimente \
         "Aktuelles Spiel" Temp Texte PelkamSpieler; do
  [ -d "$prog/$d" ] || { echo "missing folder $d"; exit 1; }
done
[ -x "$prog/wendrak" ] || { echo "no executable"; exit 1; }
[ -d "$root/Debug" ] || { echo "no Debug folder"; exit 1; }
[ ! -e "$prog/SpielerStamm/.keep" ] || { echo ".keep installed"; exit 1; }
ls "$prog/PelkamSpieler/"*.TP0 >/dev/null 2>&1 || { echo "no sample .TP0 on first install"; exit 1; }
rm "$prog/PelkamSpieler/"*.TP0 # taken over by the user

echo "mine" > "$prog/Eigene Gruppen/group.sgp"
shipped=$(cd "$src/data/Wendrak" && find . -type f ! -name .keep ! -path './Texte/*' -print -quit)
if [ -n "$shipped" ]; then
  echo "changed" > "$prog/$shipped"
fi
echo "[Path]" > "$root/Kemra.ini"
page=$(cd "$src/data/Wendrak" && find ./Texte -type f -print -quit)
echo "old page" > "$prog/$page"
"$src/tools/install-root.sh" "$build" "$root" >/dev/null
cmp -s "$src/data/Wendrak/$page" "$prog/$page" || { echo "text page not replaced"; exit 1; }
[ "$(cat "$prog/Eigene Gruppen/group.sgp")" = mine ] || { echo "user group overwritten"; exit 1; }
[ "$(cat "$root/Kemra.ini")" = "[Path]" ] || { echo "settings overwritten"; exit 1; }
! ls "$prog/PelkamSpieler/"*.TP0 >/dev/null 2>&1 || { echo "taken over .TP0 came back"; exit 1; }
if [ -n "$shipped" ]; then
  [ "$(cat "$prog/$shipped")" = changed ] || { echo "changed shipped file overwritten"; exit 1; }
  rm "$prog/$shipped"
  "$src/tools/install-root.sh" "$build" "$root" >/dev/null
  cmp -s "$src/data/Wendrak/$shipped" "$prog/$shipped" || { echo "missing file not added"; exit 1; }
fi
echo "install: 1 passed, 0 failed"
