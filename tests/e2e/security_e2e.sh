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
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TIMEOUT=${TAV_E2E_TIMEOUT:-30}
WORK=$(mktemp -d)
APP="$WORK/TAV/SYS/App"
STATE="$WORK/state"
XVFB_PID=
MENU_PID=
cleanup() {
    [ -n "$MENU_PID" ] && kill "$MENU_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL ($SCENARIO): $*" >&2
    cat "$STATE" >&2 2>/dev/null || true
    xdotool search --onlyvisible --name '.' getwindowname %@ >&2 2>/dev/null || true
    cat "$WORK/menu.log" >&2 2>/dev/null || true
    exit 1
}
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + TIMEOUT))
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
window_exists() { [ -n "$(windows_named "$1")" ]; }
menu_ended() { ! kill -0 "$MENU_PID" 2>/dev/null; }
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }

Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
wait_for "the Xvfb display" test -s "$WORK/display"
export DISPLAY=":$(head -n1 "$WORK/display")"
export QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER
# shellcheck source=/dev/null
source "$SOURCE_DIR/demo/fontconfig/fonts.sh"
tav_font_config "$WORK/fontconfig"

mkdir -p "$APP"
install -m 0755 "$MENU_BIN" "$APP/TAV_menu1"
for name in tav_demo_header tav_demo_note TAV_KASI0100 TAV_KASI0200 TAV_OPT01 TAV_OPT02 TAV_OPT03; do
    install -m 0755 "$RECORD_BIN" "$APP/$name"
done
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
# The menu behind the login window takes no key: F1 starts nothing.
focus "$MAIN"
xdotool key --clearmodifiers F1
case "$SCENARIO" in
login-close) "$CLOSE_BIN" "$LOGIN" || fail "could not send the close request" ;;
login-escape)
    focus "$LOGIN"
    xdotool key --clearmodifiers Escape
    ;;
*) fail "unknown scenario" ;;
esac
wait_for "the end of the menu" menu_ended
status=0
wait "$MENU_PID" || status=$?
MENU_PID=
[ "$status" -eq 0 ] || fail "exit status $status, expected 0"
[ ! -e "$WORK/record" ] || fail "a program was started: $(head -n1 "$WORK/record")"
echo "OUTCOME $SCENARIO: the menu ended with status 0, nothing started"
echo "PASS ($SCENARIO)"
