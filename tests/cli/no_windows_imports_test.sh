#!/usr/bin/env bash
# The command line has no windows: it imports kernel32 and advapi32, and not the window manager's
# user32 or anything the windows need. no_windows_imports_test.sh OBJDUMP PROGRAM
set -euo pipefail
objdump=$1
program=$2
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]')
echo "$program imports:" $imports
for needed in KERNEL32.DLL ADVAPI32.DLL; do
  grep -qx "$needed" <<<"$imports" || { echo "FAIL: $needed is not among the imports"; exit 1; }
done
for window_library in USER32.DLL GDI32.DLL COMCTL32.DLL UXTHEME.DLL OLE32.DLL; do
  if grep -qx "$window_library" <<<"$imports"; then
    echo "FAIL: the command line imports $window_library"
    exit 1
  fi
done
