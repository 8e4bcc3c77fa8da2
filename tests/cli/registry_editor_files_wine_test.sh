#!/usr/bin/env bash
# Files that Wine's own regedit /E writes (UTF-16LE), and the same in UTF-8, read by quillmark-cli,
# changed by apply and written back, then imported by regedit again: the keys the tweaks do not
# own come back byte for byte, below HKEY_CURRENT_USER, HKEY_USERS and HKEY_CURRENT_CONFIG.
# usage: registry_editor_files_wine_test.sh WINE_RUN PREFIX CLI
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

win() { "$wine_run" "$prefix" "$@"; }
# Wine's drive Z: is the root of the file system.
windows() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "$*"; exit 1; }

keys=('HKEY_CURRENT_USER\Software\QuillmarkRoundTrip'
  'HKEY_USERS\.DEFAULT\Software\QuillmarkRoundTrip'
  'HKEY_CURRENT_CONFIG\Software\QuillmarkRoundTrip')

# The keys, written as UTF-16LE so that regedit takes the hex(2) and hex(7) data as they are.
{
  printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n'
  for key in "${keys[@]}"; do printf '[-%s]\r\n\r\n' "$key"; done
  printf '[%s]\r\n' "${keys[0]}"
  printf '@="default text"\r\n"Bytes"=hex:00,7f,80,ff\r\n"Empty"=""\r\n"EnableLUA"=dword:00000001\r\n'
  printf '"List"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n'
  printf '"Path"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n'
  printf '"Quote \\"and\\" back\\\\slash"="C:\\\\Windows"\r\n\r\n'
  printf '[%s\\Caf\xc3\xa9]\r\n"Price"="5 \xe2\x82\xac (\xc5\xa0)"\r\n\r\n' "${keys[0]}"
  printf '[%s]\r\n"User"="default user"\r\n"Number"=dword:0000002a\r\n\r\n' "${keys[1]}"
  printf '[%s]\r\n"Config"="current"\r\n\r\n' "${keys[2]}"
} | iconv -f UTF-8 -t UTF-16LE >"$work/prepare.reg"
win regedit /S "$(windows "$work/prepare.reg")" || fail "regedit refused the keys"

for i in 0 1 2; do
  win regedit /E "$(windows "$work/export$i.reg")" "${keys[$i]}" || fail "regedit /E ${keys[$i]} failed"
  [ "$(head -c 2 "$work/export$i.reg" | od -An -tx1 | tr -d ' ')" = fffe ] ||
    fail "regedit /E wrote no UTF-16LE byte-order mark"
  cp "$work/export$i.reg" "$work/written$i.reg"
  win "$cli" --registry "$(windows "$work/written$i.reg")" apply all >"$work/applied" 2>&1 ||
    { cat "$work/applied"; fail "apply all on the export of ${keys[$i]} failed"; }
  [ "$(grep -c '\[x\]' "$work/applied")" = 14 ] || { cat "$work/applied"; fail "not every row ticked"; }
  [ "$(head -c 2 "$work/written$i.reg" | od -An -tx1 | tr -d ' ')" = fffe ] ||
    fail "the export of ${keys[$i]} was not written back in UTF-16LE"
  cmp -s "$work/export$i.reg" "$work/written$i.reg" && fail "apply all did not change the file"
done

# The same export in UTF-8 comes back in UTF-8, with the same text.
iconv -f UTF-16LE -t UTF-8 "$work/export0.reg" >"$work/utf8.reg"
win "$cli" --registry "$(windows "$work/utf8.reg")" apply all >"$work/applied" 2>&1 ||
  { cat "$work/applied"; fail "apply all on the UTF-8 file failed"; }
[ "$(head -c 3 "$work/utf8.reg" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
  fail "the UTF-8 file was not written back in UTF-8"
iconv -f UTF-8 -t UTF-16LE "$work/utf8.reg" | cmp -s - "$work/written0.reg" ||
  fail "the UTF-8 and the UTF-16LE file were written back with different texts"

# Away with the keys, in with what quillmark-cli wrote, out again as regedit writes it.
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for key in "${keys[@]}"; do printf '[-%s]\r\n\r\n' "$key"; done
} >"$work/remove.reg"
win regedit /S "$(windows "$work/remove.reg")" || fail "regedit could not remove the keys"
win regedit /S "$(windows "$work/written0.reg")" "$(windows "$work/written1.reg")" \
  "$(windows "$work/written2.reg")" || fail "regedit refused what quillmark-cli wrote"
for i in 0 1 2; do
  win regedit /E "$(windows "$work/again$i.reg")" "${keys[$i]}" || fail "${keys[$i]} did not come back"
  if ! cmp -s "$work/export$i.reg" "$work/again$i.reg"; then
    echo "${keys[$i]} came back changed:"
    diff <(iconv -f UTF-16LE -t UTF-8 "$work/export$i.reg") <(iconv -f UTF-16LE -t UTF-8 "$work/again$i.reg")
    exit 1
  fi
done
echo "regedit's own files: read, written back in their encoding, and imported again unchanged"
