#!/usr/bin/env bash
# A backup taken by quillmark-cli of Wine's real registry, imported by Wine's own regedit after
# applies and defaults and after other software added keys and values, puts back every key and
# value the tweaks own exactly as it was, and leaves the others' additions in place.
# usage: backup_wine_test.sh WINE_RUN PREFIX CLI RESET_SCRIPT FIXTURE_SCRIPT...
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3 reset=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/wine_registry_lib.sh"

export_path=$(windows_path "$work/export.reg")
backup=$(windows_path "$work/backup.reg")
reset_path=$(windows_path "$reset")
cat >"$work/others.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CLASSES_ROOT\Directory\shell\Theirs\command]
@="theirs.exe"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"Theirs"="1"
REG
others=$(windows_path "$work/others.reg")

failures=0
for fixture in "$@"; do
  name=$(basename "$fixture")
  prepare "$reset_path" "$fixture" || exit 1
  owned_state "$work/before"
  win "$cli" --any-system backup "$backup" || { echo "$name: the backup failed"; exit 1; }
  head -c 36 "$work/backup.reg" | grep -q '^Windows Registry Editor Version 5.00$' ||
    { echo "$name: the backup lacks its header"; failures=$((failures + 1)); }
  for command in "apply all" "defaults" "apply 1,3,5,8,10"; do
    win "$cli" --any-system $command >/dev/null 2>&1
  done
  owned_state "$work/changed"
  if cmp -s "$work/before" "$work/changed"; then
    echo "$name: the commands changed nothing the tweaks own, so the test proves nothing"
    failures=$((failures + 1))
  fi
  regedit /S "$others" || exit 1
  regedit /S "$backup" || { echo "$name: regedit refused the backup"; exit 1; }
  owned_state "$work/after"
  if cmp -s "$work/before" "$work/after"; then
    echo "$name: what the tweaks own is back as it was ($(wc -l <"$work/before") lines)"
  else
    echo "$name: what the tweaks own differs from before the backup:"
    diff "$work/before" "$work/after"
    failures=$((failures + 1))
  fi
  tr -d '\r' <"$work/after.exports" >"$work/after.lines"
  for added in '[HKEY_CLASSES_ROOT\Directory\shell\Theirs\command]' '"Theirs"="1"'; do
    if ! grep -qxF "$added" "$work/after.lines"; then
      echo "$name: the others' $added is gone"
      failures=$((failures + 1))
    fi
  done
done
exit $((failures > 0))
