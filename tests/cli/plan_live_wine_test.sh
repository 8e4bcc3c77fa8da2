#!/usr/bin/env bash
# quillmark-cli plan on Wine's real registry: the whole registry, exported by Wine's regedit
# before and after, is the same byte for byte (but for the display driver's keys, the Video key
# and the display adapters' class key, which Wine writes anew, driver date and all, whenever a
# process opens the display); the plan prints what it prints over a snapshot of the same state;
# and its rows, message and exit status are those of the real command run afterwards.
# usage: plan_live_wine_test.sh WINE_RUN PREFIX CLI RESET_SCRIPT FIXTURE_SCRIPT
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3 reset=$4 fixture=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/wine_registry_lib.sh"

dump_path=$(windows_path "$work/dump.reg")
reset_path=$(windows_path "$reset")
cp "$fixture" "$work/snapshot.reg"
snapshot=$(windows_path "$work/snapshot.reg")
dump() {
  regedit /E "$dump_path" || return 1
  iconv -f UTF-16LE -t UTF-8 "$work/dump.reg" |
    awk -v video='[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video' \
      -v display='[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}' \
      '/^\[/ { skip = index($0, video) == 1 || index(toupper($0), toupper(display)) == 1 } !skip' >"$1"
}
run() {
  local name=$1
  shift
  win "$cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
  echo "exit $?" >>"$work/$name.out"
}

prepare "$reset_path" "$fixture" || exit 1
failures=0
plans=("plan 0,2,4,7,8,9,13" "plan defaults")
reals=("apply 0,2,4,7,8,9,13" "defaults")
dump "$work/before" || exit 1
for i in 0 1; do run "live$i" --any-system ${plans[$i]}; done
dump "$work/after" || exit 1
if cmp -s "$work/before" "$work/after"; then
  echo "plan: the registry is the same byte for byte ($(wc -c <"$work/before") bytes exported)"
else
  echo "plan changed the registry:"
  diff "$work/before" "$work/after" | head -40
  failures=$((failures + 1))
fi

for i in 0 1; do
  run "snapshot$i" --registry "$snapshot" ${plans[$i]}
  # Each store's own spelling is printed: Wine's HKEY_LOCAL_MACHINE has Software and System where
  # the fixture has SOFTWARE and SYSTEM, and key names compare without regard to case.
  if ! diff -qi "$work/live$i.out" "$work/snapshot$i.out" >/dev/null ||
    ! cmp -s "$work/live$i.err" "$work/snapshot$i.err"; then
    echo "${plans[$i]}: the live registry and the snapshot differ"
    diff -i "$work/live$i.out" "$work/snapshot$i.out"
    failures=$((failures + 1))
  fi
  changes=$(grep -c '^[-+~] \[' "$work/live$i.out")
  [ "$changes" -gt 0 ] || { echo "${plans[$i]}: no changes listed"; failures=$((failures + 1)); }
  run "real$i" --any-system ${reals[$i]}
  if grep -v '^[-+~] \[' "$work/live$i.out" | cmp -s - "$work/real$i.out" &&
    cmp -s "$work/live$i.err" "$work/real$i.err"; then
    echo "${plans[$i]}: $changes changes, then the rows and status of ${reals[$i]}"
  else
    echo "${plans[$i]}: rows or status differ from ${reals[$i]}"
    diff <(grep -v '^[-+~] \[' "$work/live$i.out") "$work/real$i.out"
    diff "$work/live$i.err" "$work/real$i.err"
    failures=$((failures + 1))
  fi
  prepare "$reset_path" "$fixture" || exit 1
done
exit $((failures > 0))
