#!/usr/bin/env bash
# The login window of the real menu (password file switched on) under Xvfb:
#   login-close    the window frame's close request (WM_DELETE_WINDOW) to the login window
#   login-escape   Esc in the login window
# Either ends the menu with status 0; the menu behind it started nothing and never became usable.
#   security_e2e.sh <scenario> <TAV_menu1> <tav_demo_make> <tav_record_args> <tav_x_close>
set -euo pipefail
SCENARIO=$1
MENU_BIN=$2
MAKE_BIN=$3
RECORD_BIN=$4
CLOSE_BIN=$5
E2E_PID_VARS="MENU_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
APP="$WORK/TAV/SYS/App"
STATE="$WORK/state"
MENU_PID=
e2e_dump() {
    cat "$STATE" 2>/dev/null || true
    list_windows
    cat "$WORK/menu.log" 2>/dev/null || true
}

start_display

install_menu_with_recorders "$MENU_BIN" "$RECORD_BIN"
"$MAKE_BIN" "$APP" >/dev/null || fail "could not lay out the installation"
printf '1,"pw"\r\n' >"$APP/TAV_MENU1.PWD"
export TAV_RECORD_FILE="$WORK/record"
export TAV_MENU_STATE_FILE="$STATE"
(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!

CAPTION='マルヴネシステム Ver 1.0'
wait_for "the menu window" window_exists "$CAPTION"
MAIN=$(windows_named "$CAPTION" | head -n1)
wait_for "the login window" window_exists 'TAV_LOGIN'
LOGIN=$(windows_named 'TAV_LOGIN' | head -n1)
# The menu behind the login window takes no key: F1 starts nothing. The window manager may pass
# the menu's activation on to the modal login window, so the wait for it is kept short (xdotool
# would wait 15 s).
timeout 2 xdotool windowactivate --sync "$MAIN" 2>/dev/null || true
xdotool key --clearmodifiers F1
case "$SCENARIO" in
login-close) "$CLOSE_BIN" "$LOGIN" || fail "could not send the close request" ;;
login-escape)
    focus "$LOGIN"
    xdotool key --clearmodifiers Escape
    ;;
*) fail "unknown scenario" ;;
esac
expect_exit MENU_PID 0 "the menu"
[ ! -e "$WORK/record" ] || fail "a program was started: $(head -n1 "$WORK/record")"
echo "OUTCOME $SCENARIO: the menu ended with status 0, nothing started"
echo "PASS ($SCENARIO)"
