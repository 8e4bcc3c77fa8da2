#!/usr/bin/env bash
# The restore file, imported by Wine's own registry editor into a registry where every tweak is
# in force, leaves every row unticked.
# usage: restore_file_wine_test.sh WINE_RUN PREFIX CLI
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

win() { "$wine_run" "$prefix" "$@"; }
restore=$(win winepath -w "$work/RestoreFromTewaks.reg" 2>/dev/null)

win "$cli" --any-system apply all >"$work/applied" || { cat "$work/applied"; exit 1; }
[ "$(grep -c '\[x\]' "$work/applied")" = 14 ] || { echo "apply all did not tick every row"; cat "$work/applied"; exit 1; }
win "$cli" export "$restore" || exit 1
win regedit /S "$restore" || { echo "regedit refused the restore file"; exit 1; }
win "$cli" --any-system status >"$work/status" || { cat "$work/status"; exit 1; }
if grep -q '\[x\]' "$work/status"; then
  echo "rows still ticked after importing the restore file:"
  grep '\[x\]' "$work/status"
  exit 1
fi
echo "restore file imported by regedit: every row unticked"
