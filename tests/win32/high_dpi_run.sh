#!/usr/bin/env bash
# Runs a Windows test program in a prefix of its own whose screen is 144 DPI:
#   high_dpi_run.sh WINE_RUN PREFIX PROGRAM [ARGS...]
# Wine reads the prefix's LogPixels when its session starts, so the setting is made first and
# the session that made it ended before the program starts. Needs a display, like every test
# with windows.
set -euo pipefail
wine_run=$1
prefix=$2
shift 2
server=/usr/lib/wine/wineserver
[ -x "$server" ] || server=$(command -v wineserver || true)
stop_server() { [ -z "$server" ] || WINEPREFIX=$(realpath -m "$prefix") "$server" -w || true; }
"$wine_run" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
  >/dev/null
stop_server
status=0
"$wine_run" "$prefix" "$@" || status=$?
stop_server
exit $status
