#!/usr/bin/env bash
# The program's real windows under Wine, driven the way a person would: read the rows, the memo
# and the status bar; tick, Apply and answer the task dialog; the pointer onto every button, and
# straight from each button onto every other; Refresh View after a change behind the program's
# back; Defaults; Export through the real save dialog; About closed both ways; Close with the
# reminder. The program is the release build as it ships; WINE_RUN is scripts/wine32-run for it.
# usage: main_window_e2e.sh SOURCE_DIR WINE_RUN PREFIX QMDRIVE PROGRAM_EXE [SCREENSHOT_DIR]
set -uo pipefail
source_dir=$1 wine_run=$2 prefix=$3 qmdrive=$4 program=$5 shots=${6:-}
[ -n "$shots" ] && mkdir -p "$shots"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$source_dir/tests/e2e/e2e_lib.sh"
title="Quillmark $("$source_dir/scripts/project-version")"
e2e_init "$wine_run" "$prefix" "$qmdrive"
"$source_dir/scripts/windows7-prefix" "$prefix" --again || exit 1
e2e_virtual_desktop 1024x768

win() { "$E2E_WINE_RUN" "$E2E_PREFIX" "$@"; }
# A registry value as reg query prints it: "REG_SZ 8", "REG_DWORD 0x0", or "absent".
value() {
  local line
  line=$(win reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -E "^ +$2 ") || {
    echo absent
    return
  }
  awk '{print $2, $3}' <<<"$line"
}
key_exists() { win reg query "$1" >/dev/null 2>&1 && echo present || echo absent; }
boxes() { drive rows | cut -f2 | tr -d '\n'; }
shot() { [ -n "$shots" ] && screenshot "$1" "$shots/$2"; }

general='Quillmark is a small and simple utility to add a few useful extras.\nSelect any row from the tweaks list to read information on it here in this window\nCheck a checkbox to activate a tweak or uncheck to disable the tweak, and click apply\nMore info can be found in the included readme.txt file'
desktop='HKCU\Control Panel\Desktop'
system_policies='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\System'
copy_to='HKCR\AllFilesystemObjects\shellex\ContextMenuHandlers\Copy To'
apply=1011 close=1012 refresh=1013 about=1014 export=1015 defaults=1016
memo=1002 status=1003

echo "== start-up"
e2e_start "$program"
expect_ok "the main window appears" drive wait-window TForm1 "$title" 60 >/dev/null
expect_eq "$(drive rows | wc -l)" 14 "fourteen rows"
expect_eq "$(drive rows | head -n 1 | cut -f3)" \
  'Add "Copy To" option in files and folders context menu (right click)' "the first row's caption"
expect_eq "$(boxes)" ".............." "a fresh Windows 7 has no tweak in force"
expect_ok "the general information text" drive wait-text $memo "$general" 10
expect_eq "$(drive text $status)" "Last Action: Quillmark is Running" "the initial status"
sleep 0.5 # let the frame and the pictures settle before the picture is taken
shot main main-window.png

echo "== Tab order"
# The memo has the focus at the start; Tab visits the list, then Apply, Close, Refresh View,
# About..., Export... and Defaults, and comes back to the memo.
expect_eq "$(drive focus | cut -f1)" $memo "the memo has the focus at the start"
tab_visits=$(for _ in 1 2 3 4 5 6 7 8; do drive key tab \; pause 0.3 \; focus | cut -f1; done |
  tr '\n' ' ')
expect_eq "$tab_visits" "1001 1011 1012 1013 1014 1015 1016 1002 " "Tab visits every control in order"
expect_eq "$(drive text $memo)" "$(printf '%b' "$general")" "the memo keeps the general text"

echo "== Apply, declined with No and with Escape"
expect_ok "tick row 0" drive check 0 on
for answer in 7 escape; do
  drive click $apply
  expect_ok "the confirmation appears" drive wait-window '#32770' Confirm >/dev/null
  expect_ok "answered $answer" drive answer Confirm $answer
  expect_eq "$(key_exists "$copy_to")" absent "nothing written after $answer"
  expect_eq "$(drive text $status)" "Last Action: Quillmark is Running" "status kept after $answer"
  expect_eq "$(boxes)" "x............." "the boxes as the user left them after $answer"
done

echo "== Apply, confirmed"
expect_ok "untick row 0" drive check 0 off
expect_ok "tick row 3" drive check 3 on
expect_ok "tick row 13" drive check 13 on
drive click $apply
expect_ok "the confirmation appears" drive wait-window '#32770' Confirm >/dev/null
dialog=$(drive dialog Confirm)
expect_eq "$(grep -c '^task	yes' <<<"$dialog")" 1 "it is a task dialog"
expect_ok "it asks to apply" grep -q 'Apply changes to system ?' <<<"$dialog"
expect_eq "$(grep -E '^button' <<<"$dialog" | cut -f2,3 | tr '\t\n' ' ;')" "6 &Yes;7 &No;" \
  "its buttons"
shot Confirm confirmation.png
expect_ok "answered Yes" drive answer Confirm 6
expect_ok "the status reports the Apply" drive wait-text $status "Last Action: Apply changes to system"
expect_eq "$(value "$desktop" MenuShowDelay)" "REG_SZ 8" "menu delay written"
expect_eq "$(value "$system_policies" EnableLUA)" "REG_DWORD 0x0" "UAC switched off"
expect_eq "$(boxes)" "...x.........x" "the rows read back"

echo "== hover and leave"
expect_ok "hovering Apply shows its text" drive hover $apply
expect_ok "the hover text" drive wait-text $memo "Click to apply tweaks !" 10
expect_ok "leaving Apply" drive leave $apply
expect_ok "the general text again" drive wait-text $memo "$general" 10

echo "== the pointer straight from one button onto another"
# The pointer jumps, as a quick mouse or a touch screen moves it, so the platform may report the
# old button's leave after the new one's enter; the memo must end with the new button's text.
# A second's rest lets any late leave arrive before the memo is read.
buttons=($apply $close $refresh $about $export $defaults)
hover_texts=("Click to apply tweaks !" "Click to close program" "Click to refresh tweaks list"
  "Click to read about Quillmark"
  "Click to create a backup reg file, you can run this file directly to restore default values"
  "Click to cancel all changes and tweaks and restore to system default settings")
for from in 0 1 2 3 4 5; do
  for to in 0 1 2 3 4 5; do
    [ "$from" = "$to" ] && continue
    expect_eq "$(drive leave "${buttons[$from]}" \; hover "${buttons[$from]}" \
      \; wait-text $memo "${hover_texts[$from]}" 10 \; hover "${buttons[$to]}" \; pause 1 \
      \; text $memo)" "${hover_texts[$to]}" \
      "from ${buttons[$from]} straight onto ${buttons[$to]}: the text of ${buttons[$to]}"
  done
done
expect_ok "leaving the last button" drive leave "${buttons[4]}"
expect_ok "the general text again" drive wait-text $memo "$general" 10

echo "== Refresh View after a change behind the program's back"
win reg add 'HKCU\Control Panel\Mouse' /v MouseHoverTime /d 50 /f >/dev/null
drive click $refresh
expect_ok "the status reports the refresh" drive wait-text $status "Last Action: Refresh view"
expect_eq "$(boxes)" "...x........xx" "row 12 now ticked"

echo "== About, closed by OK and by its close box"
drive click $about
about_box=$(drive wait-window TAboutBox "$title")
expect_ok "the about box appears" test -n "$about_box"
shot "$about_box" about-box.png
expect_ok "closed by OK" drive answer "$about_box" 1
expect_ok "the status reports the about box" drive wait-text $status "Last Action: Show about modal"
drive click $refresh
expect_ok "another action first" drive wait-text $status "Last Action: Refresh view"
drive click $about
about_box=$(drive wait-window TAboutBox "$title")
expect_ok "closed by its close box" drive answer "$about_box" close
expect_ok "the same status" drive wait-text $status "Last Action: Show about modal"

echo "== Export through the save dialog"
drive click $export
expect_eq "$(drive save-name)" "RestoreFromTewaks" "the proposed name"
expect_ok "cancelled" drive save-cancel
expect_eq "$(drive text $status)" "Last Action: Show about modal" "a cancel keeps the status"
drive click $export
expect_ok "saved" drive save-as 'C:\exported'
expect_ok "the status reports the export" \
  drive wait-text $status "Last Action: Export default settings to reg file"
expect_ok "the file is the restore file, byte for byte, with .reg added" \
  cmp "$E2E_PREFIX/drive_c/exported.reg" "$source_dir/tests/fixtures/restore_file.reg"

echo "== Defaults"
drive click $defaults
expect_ok "the question" drive wait-window '#32770' Confirm >/dev/null
expect_ok "it asks to remove all tweaks" \
  grep -q 'This will remove all tweaks, continue ?' <<<"$(drive dialog Confirm)"
expect_ok "answered Yes" drive answer Confirm 6
expect_ok "the status reports the defaults" \
  drive wait-text $status "Last Action: Restore default settings"
expect_eq "$(boxes)" ".............." "every row unticked"
expect_eq "$(value "$desktop" MenuShowDelay)" "REG_SZ 400" "menu delay back"
expect_eq "$(value "$system_policies" EnableLUA)" "REG_DWORD 0x1" "UAC back on"

echo "== a row selected by the mouse, then by the arrow keys, explains its tweak"
row_texts=(
  [1]='Adds "Move To..." option in files and folders context menu (right click), so that you can easily move them to other locations'
  [2]='Sets Windows to automatically end task of programs which are either hanged or taking longer time than expected to exit'
  [3]="Decreases menus show delay time, it'll show the sub-menus fast when you select their parent menu")
expect_ok "row 2 clicked" drive select 2
expect_ok "the memo explains row 2" drive wait-text $memo "${row_texts[2]}" 10
expect_eq "$(drive focus | cut -f1)" 1001 "the clicked list has the focus"
expect_ok "Down pressed" drive key down
expect_ok "the memo explains row 3" drive wait-text $memo "${row_texts[3]}" 10
expect_eq "$(drive selected)" 3 "Down selects the next row"
expect_ok "Up pressed twice" drive key up \; pause 0.3 \; key up
expect_ok "the memo explains row 1" drive wait-text $memo "${row_texts[1]}" 10
expect_eq "$(drive selected)" 1 "Up twice selects the row two above"

echo "== the confirmation's Tab order and access keys"
drive click $refresh
expect_ok "a refresh first" drive wait-text $status "Last Action: Refresh view"
# defaults_by_keyboard KEY: asks for the defaults, walks the buttons with Tab, answers with KEY.
defaults_by_keyboard() {
  drive click $defaults
  expect_ok "the question" drive wait-window '#32770' Confirm >/dev/null
  expect_eq "$(drive focus | cut -f1,3)" "6	&Yes" "Yes, the default button, has the focus"
  expect_eq "$(drive key tab \; pause 0.3 \; focus | cut -f1,3)" "7	&No" "Tab moves to No"
  expect_eq "$(drive key tab \; pause 0.3 \; focus | cut -f1,3)" "6	&Yes" "Tab moves back to Yes"
  expect_ok "$1 pressed" drive key "$1"
  expect_ok "the question goes with $1" drive wait-gone Confirm 10
}
defaults_by_keyboard alt+n
expect_eq "$(drive pause 1 \; text $status)" "Last Action: Refresh view" "Alt+N answers No"
defaults_by_keyboard alt+y
expect_ok "Alt+Y answers Yes" drive wait-text $status "Last Action: Restore default settings"

echo "== Close, with the reminder after the Apply"
drive click $close
expect_ok "the reminder appears" drive wait-window '#32770' Information >/dev/null
expect_ok "it recommends a restart" \
  grep -q 'it is recommended to restart your computer' <<<"$(drive dialog Information)"
expect_ok "answered OK" drive answer Information 1
expect_ok "the program ends" e2e_wait_exit 30
expect_eq "$E2E_EXIT_CODE" 0 "exit code 0"

e2e_finish
