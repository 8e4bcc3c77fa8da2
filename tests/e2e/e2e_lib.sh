# Shell helpers for the end-to-end scripts, which drive the program's real windows under Wine
# with qmdrive. Source this file, then:
#
#   e2e_init WINE_RUN PREFIX QMDRIVE_EXE [WORK_DIR]
#       WINE_RUN is scripts/wine-run; PREFIX a Wine prefix no other test uses at the same time
#       (it ends every process in it, at the start and at exit); WORK_DIR receives the program's output and the
#       screenshots (a fresh temporary folder, removed at exit, unless given). Makes the prefix,
#       sets up the display and the cleanup trap.
#   e2e_virtual_desktop WxH|off
#       gives the prefix's default desktop a size: every window then lives in one virtual desktop
#       that Wine draws with frames and captions, at the display's top left corner, so window
#       rectangles are display pixels. Without it there is no window manager and no frames.
#       Call before e2e_start.
#   e2e_start PROGRAM.EXE [ARGS...]     starts the program; its output goes to WORK_DIR/program.out
#   e2e_wait_exit [SECONDS]             waits for the program to end; sets E2E_EXIT_CODE
#   drive COMMAND [ARGS...]             runs qmdrive; its stdout and status are drive's
#   expect_eq ACTUAL EXPECTED WHAT      compares, reports, counts a failure
#   expect_ok WHAT COMMAND...           runs the command, reports, counts a failure
#   wait_for SECONDS COMMAND...         runs the command until it succeeds; fails after SECONDS
#   screenshot WINDOW OUT.png           the window's rectangle cut out of the display
#   e2e_finish                          prints the count of failures; exits 0 only without any
#
# The display is $DISPLAY when it is set (for instance by xvfb-run), else an Xvfb of our own.

E2E_FAILURES=0
E2E_XVFB_PID=
E2E_APP_PID=
E2E_EXIT_CODE=
E2E_OWN_WORK_DIR=

e2e_init() {
  E2E_WINE_RUN=$1
  E2E_PREFIX=$(realpath -m "$2")
  E2E_DRIVER=$3
  if [ -n "${4:-}" ]; then
    E2E_WORK_DIR=$4
    mkdir -p "$E2E_WORK_DIR"
  else
    E2E_WORK_DIR=$(mktemp -d)
    E2E_OWN_WORK_DIR=$E2E_WORK_DIR
  fi
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  e2e_display
  # Wine binds a prefix's desktop to the display of the session that made it: start afresh.
  e2e_end_wine
  # The first use makes the prefix, which takes a while; better before anything waits.
  "$E2E_WINE_RUN" "$E2E_PREFIX" cmd /c exit >/dev/null 2>&1 || true
}

# Ends every process in the prefix and its wineserver.
e2e_end_wine() {
  if [ -f "$E2E_PREFIX/system.reg" ]; then
    WINEPREFIX=$E2E_PREFIX "$(e2e_wineserver)" -k 2>/dev/null
    WINEPREFIX=$E2E_PREFIX "$(e2e_wineserver)" -w 2>/dev/null
  fi
  return 0
}

# The wineserver that goes with the wine64 that scripts/wine-run uses.
e2e_wineserver() {
  if [ -x /usr/lib/wine/wineserver ]; then
    echo /usr/lib/wine/wineserver
  else
    command -v wineserver || echo wineserver
  fi
}

e2e_display() {
  if [ -n "${DISPLAY:-}" ]; then
    export DISPLAY
    return 0
  fi
  local fd_file=$E2E_WORK_DIR/xvfb.display
  : >"$fd_file"
  # Xvfb picks a free display itself and writes its number once it accepts connections.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" \
    >"$E2E_WORK_DIR/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  if ! wait_for 30 grep -q '[0-9]' "$fd_file"; then
    echo "e2e: Xvfb did not start; its log:" >&2
    cat "$E2E_WORK_DIR/xvfb.log" >&2
    exit 1
  fi
  DISPLAY=:$(tr -dc '0-9' <"$fd_file")
  export DISPLAY
}

e2e_virtual_desktop() {
  local key='HKCU\Software\Wine\Explorer'
  if [ "$1" = off ]; then
    "$E2E_WINE_RUN" "$E2E_PREFIX" reg delete "$key" /v Desktop /f >/dev/null 2>&1 || true
  else
    "$E2E_WINE_RUN" "$E2E_PREFIX" reg add "$key" /v Desktop /d Default /f >/dev/null &&
      "$E2E_WINE_RUN" "$E2E_PREFIX" reg add "$key\\Desktops" /v Default /d "$1" /f >/dev/null
  fi
  # The desktop already made keeps its kind until the session ends.
  e2e_end_wine
}

e2e_start() {
  "$E2E_WINE_RUN" "$E2E_PREFIX" "$@" >"$E2E_WORK_DIR/program.out" 2>&1 &
  E2E_APP_PID=$!
}

e2e_wait_exit() {
  local seconds=${1:-30}
  if ! wait_for "$seconds" e2e_app_gone; then
    echo "e2e: the program is still running after $seconds s" >&2
    return 1
  fi
  wait "$E2E_APP_PID"
  # shellcheck disable=SC2034 # for the scripts that source this
  E2E_EXIT_CODE=$?
  E2E_APP_PID=
  return 0
}

e2e_app_gone() { [ -n "$E2E_APP_PID" ] && ! kill -0 "$E2E_APP_PID" 2>/dev/null; }

drive() {
  "$E2E_WINE_RUN" "$E2E_PREFIX" "$E2E_DRIVER" "$@"
}

expect_eq() {
  if [ "$1" = "$2" ]; then
    echo "ok: $3"
    return 0
  fi
  echo "FAILED: $3"
  echo "  expected: $(printf '%q' "$2")"
  echo "  got:      $(printf '%q' "$1")"
  E2E_FAILURES=$((E2E_FAILURES + 1))
  return 1
}

expect_ok() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
    return 0
  fi
  echo "FAILED: $what ($*)"
  E2E_FAILURES=$((E2E_FAILURES + 1))
  return 1
}

wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      return 1
    fi
    sleep 0.2
  done
}

screenshot() {
  local window=$1 out=$2 rect left top right bottom
  rect=$(drive rect "$window") || return 1
  read -r left top right bottom <<<"$rect"
  # Only what is on the display can be cut out.
  [ "$left" -lt 0 ] && left=0
  [ "$top" -lt 0 ] && top=0
  local whole=$E2E_WORK_DIR/display.png
  /usr/bin/import -window root -display "$DISPLAY" "$whole" &&
    /usr/bin/convert "$whole" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out"
}

e2e_finish() {
  if [ "$E2E_FAILURES" -eq 0 ]; then
    echo "all checks passed"
    exit 0
  fi
  echo "$E2E_FAILURES check(s) failed"
  exit 1
}

e2e_cleanup() {
  local status=$?
  if [ -n "$E2E_APP_PID" ] && kill -0 "$E2E_APP_PID" 2>/dev/null; then
    kill "$E2E_APP_PID" 2>/dev/null
    wait "$E2E_APP_PID" 2>/dev/null
  fi
  # Ends what is left in the prefix: the desktop, the services Wine starts, the wineserver.
  if [ -n "${E2E_PREFIX:-}" ]; then
    e2e_end_wine
  fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  if [ -n "$E2E_OWN_WORK_DIR" ]; then
    rm -rf "$E2E_OWN_WORK_DIR"
  fi
  exit "$status"
}
