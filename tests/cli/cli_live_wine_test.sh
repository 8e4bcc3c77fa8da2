#!/usr/bin/env bash
# quillmark-cli on Wine's real registry and on a snapshot of the same state must print the same
# rows and messages and exit alike, command after command.
# usage: cli_live_wine_test.sh WINE_RUN PREFIX CLI RESET_SCRIPT FIXTURE_SCRIPT
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3 reset=$4 fixture=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

win() { "$wine_run" "$prefix" "$@"; }
windows_path() { win winepath -w "$1" 2>/dev/null; }

win regedit /S "$(windows_path "$reset")" || exit 1
win regedit /S "$(windows_path "$fixture")" || exit 1
cp "$fixture" "$work/snapshot.reg"
snapshot=$(windows_path "$work/snapshot.reg")

failures=0
compare() {
  win "$cli" --any-system "$@" >"$work/live.out" 2>"$work/live.err"
  echo "exit $?" >>"$work/live.out"
  win "$cli" --registry "$snapshot" "$@" >"$work/snapshot.out" 2>"$work/snapshot.err"
  echo "exit $?" >>"$work/snapshot.out"
  if cmp -s "$work/live.out" "$work/snapshot.out" && cmp -s "$work/live.err" "$work/snapshot.err"; then
    printf 'quillmark-cli %s: the same, %d rows ticked\n' "$*" "$(grep -c '\[x\]' "$work/live.out")"
  else
    printf 'quillmark-cli %s: live registry and snapshot differ\n' "$*"
    diff "$work/live.out" "$work/snapshot.out"
    diff "$work/live.err" "$work/snapshot.err"
    failures=$((failures + 1))
  fi
}

compare status
compare apply 0,2,4,7,8,9,13
compare status
compare apply all
compare defaults
compare apply 1,3,5,6,10,11,12
compare apply none
compare status
exit $((failures > 0))
