#!/usr/bin/env bash
# Under wine64 the live system is a 64-bit Windows 7 without WOW64 (architecture 9), so the
# identification finds no edition, the gate refuses, and live commands need --any-system.
# usage: system_wine_test.sh WINE_RUN PREFIX CLI
set -uo pipefail
wine_run=$1 prefix=$2 cli=$3
win() { "$wine_run" "$prefix" "$@"; }

expected='major version: 6
minor version: 1
build number: 7601
platform: 2
OS name: 
edition: 
WOW64: no
processor architecture: 9
gate: refuses'
failures=0
got=$(win "$cli" system | tr -d '\r')
if [ "$got" = "$expected" ]; then
  echo "quillmark-cli system: as expected"
else
  echo "quillmark-cli system printed:"
  echo "$got"
  failures=1
fi

message=$(win "$cli" status 2>&1 >/dev/null | tr -d '\r')
code=$(win "$cli" status >/dev/null 2>&1; echo $?)
if [ "$code" = 1 ] &&
  [ "$message" = "error: Quillmark was designed to run with Microsoft Windows 7 Ultimate only" ]; then
  echo "quillmark-cli status without --any-system: refused by the gate"
else
  echo "quillmark-cli status without --any-system: exit $code, \"$message\""
  failures=1
fi
exit $failures
