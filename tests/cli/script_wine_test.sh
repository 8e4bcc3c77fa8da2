#!/usr/bin/env bash
# The deployment script of quillmark-cli, imported by Wine's own regedit, leaves what the tweaks
# own on Wine's real registry exactly as "apply ROWS" does from the same state; so do its machine
# and user parts imported one after the other; and each part holds only its own roots.
# usage: script_wine_test.sh WINE_RUN PREFIX CLI RESET_SCRIPT FIXTURE_SCRIPT ROWS...
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3 reset=$4 fixture=$5
shift 5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/wine_registry_lib.sh"

export_path=$(windows_path "$work/export.reg")
reset_path=$(windows_path "$reset")
folder=$(windows_path "$work")

failures=0
for rows in "$@"; do
  for part in whole machine user; do
    option=()
    [ "$part" = whole ] || option=(--part "$part")
    win "$cli" script "$rows" "$folder\\$part.reg" "${option[@]}" || { echo "script $rows failed"; exit 1; }
  done
  for part in machine user; do
    roots=$(tr -d '\r' <"$work/$part.reg" | sed -n 's/^\[-\{0,1\}\(HKEY_[A-Z_]*\).*/\1/p' | sort -u | tr '\n' ' ')
    expected='HKEY_CLASSES_ROOT HKEY_LOCAL_MACHINE '
    [ "$part" = user ] && expected='HKEY_CURRENT_USER '
    if [ "$roots" != "$expected" ]; then
      echo "script $rows, $part part: holds the roots $roots"
      failures=$((failures + 1))
    fi
  done

  prepare "$reset_path" "$fixture" || exit 1
  win "$cli" --any-system apply "$rows" >/dev/null || { echo "apply $rows failed"; exit 1; }
  owned_state "$work/applied"
  for imports in "whole" "user machine"; do
    prepare "$reset_path" "$fixture" || exit 1
    for part in $imports; do
      regedit /S "$folder\\$part.reg" || { echo "regedit refused the $part script"; exit 1; }
    done
    owned_state "$work/imported"
    if cmp -s "$work/applied" "$work/imported"; then
      echo "script $rows imported as $imports: the same as apply ($(wc -l <"$work/applied") lines)"
    else
      echo "script $rows imported as $imports: differs from apply:"
      diff "$work/applied" "$work/imported"
      failures=$((failures + 1))
    fi
  done
done
exit $((failures > 0))
