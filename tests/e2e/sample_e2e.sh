#!/usr/bin/env bash
# Runs the sample business screen 顧客照会 (TAV_KOKY0100) on its own Xvfb display in a program
# folder laid out by the demonstration generator, and drives it with xdotool as a user would:
# F4 opens the code look-up at the customer code, Down and Enter choose the second customer,
# and the code and name are written back into the form; F12 ends the program.
#   sample_e2e.sh <TAV_KOKY0100> <tav_demo_make> <KOKY0100.SCR>
set -euo pipefail
SAMPLE_BIN=$1
MAKE_BIN=$2
SCR_FILE=$3
TIMEOUT=${TAV_E2E_TIMEOUT:-30}

WORK=$(mktemp -d)
XVFB_PID=
APP_PID=
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "-- state:" >&2
    cat "$STATE" >&2 2>/dev/null || true
    echo "-- program output:" >&2
    cat "$WORK/app.log" >&2 2>/dev/null || true
    echo "-- system log:" >&2
    cat "$APP/FEND_SYS.LOG" >&2 2>/dev/null || true
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

shows() { grep -qxF "$1=$2" "$STATE" 2>/dev/null; }
expect_shown() { wait_for "$1 to show \"$2\"" shows "$1" "$2"; }
app_running() { kill -0 "$APP_PID" 2>/dev/null; }
app_ended() { ! app_running; }

# ---- the display ----------------------------------------------------------------------------
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
wait_for "the Xvfb display" test -s "$WORK/display"
export DISPLAY=":$(head -n1 "$WORK/display")"
export QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER

# ---- the program folder, as the demonstration installation lays it out -----------------------
APP="$WORK/TAV/SYS/App"
mkdir -p "$APP"
install -m 0755 "$SAMPLE_BIN" "$APP/TAV_KOKY0100"
install -m 0644 "$SCR_FILE" "$APP/KOKY0100.SCR"
"$MAKE_BIN" "$APP" >/dev/null
STATE="$WORK/state"
export TAV_SAMPLE_STATE_FILE="$STATE"

(cd "$APP" && exec ./TAV_KOKY0100) >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_for "the window" grep -qs '^READY=1' "$STATE"
MAIN=$(xdotool search --sync --onlyvisible --name '^顧客照会$' | head -n1)
[ -n "$MAIN" ] || fail "no window 顧客照会"
xdotool windowfocus --sync "$MAIN" 2>/dev/null || xdotool windowfocus "$MAIN"
expect_shown CUST_CODE ""

# F4 on the customer code: the look-up lists every customer, the first one selected.
xdotool key --clearmodifiers F4
expect_shown LOOKUP 12
app_running || fail "the program ended"
sleep 0.3
xdotool key --clearmodifiers Down
sleep 0.2
xdotool key --clearmodifiers Return
expect_shown CUST_CODE 000002
expect_shown CUST_NAME '鈴木　花子'
expect_shown PHONE 045-222-3333
expect_shown BALANCE 350,000
expect_shown CONTRACT 2021/03/01

# A typed beginning of a code: the look-up lists the customers from 00001.
xdotool windowfocus --sync "$MAIN" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 00001
xdotool key --clearmodifiers F4
expect_shown LOOKUP 3
sleep 0.3
xdotool key --clearmodifiers Down Down Return
expect_shown CUST_CODE 000012
expect_shown CUST_NAME '渡辺　由美'

# F12 ends the program.
xdotool windowfocus --sync "$MAIN" 2>/dev/null || true
xdotool key --clearmodifiers F12
wait_for "the end of the program" app_ended
status=0
wait "$APP_PID" || status=$?
APP_PID=
[ "$status" -eq 0 ] || fail "exit status $status"
grep -q 'E N D' "$APP/FEND_SYS.LOG" || fail "no end of log"
echo "PASS"
