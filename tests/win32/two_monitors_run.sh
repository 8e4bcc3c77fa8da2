#!/usr/bin/env bash
# Runs a Windows test program on a display of two monitors side by side, each 1024x768:
#   two_monitors_run.sh WINE_RUN PREFIX PROGRAM [ARGS...]
# A private Xvfb of one 2048x768 screen is split into two RandR monitors, which the server's
# Xinerama reports as two heads; the prefix (its own, since its settings differ) has Wine read
# the heads through Xinerama, as RandR would show it the single output only. Fails, saying what
# is missing, when the display cannot be had.
set -euo pipefail

# Inside the display (the script again, started by xvfb-run): split it, check that Xinerama
# shows the split, and run the program.
if [ "${1:-}" = --on-display ]; then
  shift
  wine_run=$1
  prefix=$2
  shift 2
  xrandr --setmonitor left 1024/271x768/203+0+0 screen >/dev/null
  xrandr --setmonitor right 1024/271x768/203+1024+0 none >/dev/null
  heads=$(xdpyinfo -ext XINERAMA | grep -c '^  head #' || true)
  if [ "$heads" != 2 ]; then
    echo "two_monitors_run: the display shows $heads Xinerama heads, not 2:" >&2
    xdpyinfo -ext XINERAMA | sed -n '/^XINERAMA/,$p' >&2
    exit 1
  fi
  server=/usr/lib/wine/wineserver
  [ -x "$server" ] || server=$(command -v wineserver || true)
  stop_server() { [ -z "$server" ] || WINEPREFIX=$(realpath -m "$prefix") "$server" -w || true; }
  "$wine_run" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null
  # The monitors are read when the prefix's session starts: a new one reads them with the setting.
  stop_server
  status=0
  "$wine_run" "$prefix" "$@" || status=$?
  # The prefix's server lets go of the display before the display ends.
  stop_server
  exit $status
fi

missing=()
for tool in xvfb-run xrandr xdpyinfo; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "two_monitors_run: ${missing[*]} not installed (run scripts/setup)" >&2
  exit 1
fi
# -noreset: the monitors are the server's state, which a reset at the last client's leaving
# would drop between the steps above.
exec xvfb-run -a -s "-noreset -screen 0 2048x768x24" bash "$0" --on-display "$@"
