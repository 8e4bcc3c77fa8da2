#!/usr/bin/env bash
# The identification and the system gate over the real system queries, on whole Wine prefixes:
# for each state of a table, what quillmark-cli system reports, and what the program itself does:
# its window opens probed where the gate passes; where it refuses, the gate's error appears and
# the program ends with exit code 0 once it is dismissed.
# The i686 build runs on the 32-bit Wine in a 32-bit prefix (as on a 32-bit Windows), then
# through WOW64 in a 64-bit prefix; the x86_64 build in a 64-bit prefix.
# usage: identification_wine_test.sh SOURCE_DIR PROCESSOR WORK_DIR QMDRIVE CLI PROGRAM
set -uo pipefail
source_dir=$1 processor=$2 work=$3 qmdrive=$4 cli=$5 program=$6
title="Quillmark $("$source_dir/scripts/project-version")"
mkdir -p "$work"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$source_dir/tests/e2e/e2e_lib.sh"

win() { "$E2E_WINE_RUN" "$E2E_PREFIX" "$@"; }
current_version='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion'
gate_message='Quillmark was designed to run with Microsoft Windows 7 Ultimate only'
close=1012

# use_prefix 32|64: the prefix the next rows run in, made and prepared as a fresh Windows 7
# Ultimate once, with nothing of the previous prefix left running.
use_prefix() {
  local runner=$source_dir/scripts/wine-run
  [ "$1" = 32 ] && runner=$source_dir/scripts/wine32-run
  if [ -n "${E2E_PREFIX:-}" ]; then
    e2e_end_wine
    E2E_WINE_RUN=$runner
    E2E_PREFIX=$work/win$1-prefix
    win cmd /c exit >/dev/null 2>&1
  else
    e2e_init "$runner" "$work/win$1-prefix" "$qmdrive" "$work/out"
  fi
  "$source_dir/scripts/windows7-prefix" "$E2E_PREFIX" --again >/dev/null 2>&1 ||
    { echo "FAILED: could not prepare $E2E_PREFIX"; exit 1; }
  echo "== a $1-bit prefix ($("$E2E_WINE_RUN" "$E2E_PREFIX" cmd /c ver 2>/dev/null | tr -d '\r\n'))"
}

# set_state VERSION EDITION: Wine's Windows version ("-" for the prefix's own Windows 7) and the
# "EditionID" value ("-" for none).
set_state() {
  if [ "$1" = - ]; then
    win reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
  else
    win reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null
  fi
  if [ "$2" = - ]; then
    win reg delete "$current_version" /v EditionID /f >/dev/null 2>&1
  else
    win reg add "$current_version" /v EditionID /d "$2" /f >/dev/null
  fi
}

# The version Wine's own command interpreter reports, "6.1.7601": the source of the build number.
reported_version() { win cmd /c ver 2>/dev/null | tr -d '\r' | grep -oE '[0-9]+\.[0-9]+\.[0-9]+'; }

# row WHAT VERSION EDITION_ID MAJOR.MINOR OS_NAME EDITION WOW64 ARCHITECTURE GATE
row() {
  local what=$1 version=$2 edition_id=$3 major_minor=$4 os_name=$5 edition=$6 wow64=$7
  local architecture=$8 gate=$9
  echo "-- $what"
  set_state "$version" "$edition_id"
  local ver build
  ver=$(reported_version)
  expect_eq "${ver%.*}" "$major_minor" "$what: Wine reports version $major_minor"
  build=${ver##*.}
  expect_eq "$(win "$cli" system 2>&1 | tr -d '\r')" "major version: ${major_minor%.*}
minor version: ${major_minor#*.}
build number: $build
platform: 2
OS name: $os_name
edition: $edition
WOW64: $wow64
processor architecture: $architecture
gate: $gate" "$what: quillmark-cli system"

  e2e_start "$program"
  if [ "$gate" = passes ]; then
    expect_ok "$what: the main window opens" drive wait-window TForm1 "$title" 60 >/dev/null
    expect_ok "$what: every row probed" wait_for 30 test "$(drive rows 2>/dev/null | wc -l)" = 14
    expect_eq "$(drive windows | grep -c '#32770')" 0 "$what: no dialog"
    drive click $close
  else
    # Below version 6 there is no task dialog: the program's own classic box asks instead.
    local dialog_class='#32770'
    [ "${major_minor%.*}" -lt 6 ] && dialog_class=TMessageForm
    expect_ok "$what: the gate's error appears" drive wait-window "$dialog_class" Error 60 >/dev/null
    expect_ok "$what: with its message" grep -qF "$gate_message" <<<"$(drive dialog Error)"
    expect_ok "$what: dismissed" drive answer Error 1
  fi
  expect_ok "$what: the program ends" e2e_wait_exit 30
  expect_eq "$E2E_EXIT_CODE" 0 "$what: exit code 0"
}

if [ "$processor" = i686 ]; then
  use_prefix 32
  row '"EditionID" missing' - - 6.1 "" "" no 0 refuses
  row '"Ultimate"' - Ultimate 6.1 "" Ultimate no 0 passes
  row '"ultimate"' - ultimate 6.1 "" Ultimate no 0 passes
  row '"ULTIMATE"' - ULTIMATE 6.1 "" Ultimate no 0 passes
  row '"UltimateN"' - UltimateN 6.1 "" "" no 0 refuses
  row '"Professional"' - Professional 6.1 "" "" no 0 refuses
  row 'Vista Ultimate' vista Ultimate 6.0 "Windows Vista" Ultimate no 0 passes
  row 'XP: major version 5' winxp Ultimate 5.1 "Windows XP" Professional no 0 refuses
  set_state - Ultimate
  use_prefix 64
  row 'a 64-bit Windows 7 Ultimate through WOW64' - Ultimate 6.1 "" "" yes 9 refuses
else
  use_prefix 64
  row 'a 64-bit Windows 7 Ultimate, 64-bit program' - Ultimate 6.1 "" "" no 9 refuses
fi
e2e_finish
