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
SCENARIO=sample
E2E_PID_VARS="APP_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
APP_PID=
e2e_dump() {
    echo "-- state:"
    cat "$STATE" 2>/dev/null || true
    echo "-- program output:"
    cat "$WORK/app.log" 2>/dev/null || true
    echo "-- system log:"
    cat "$APP/FEND_SYS.LOG" 2>/dev/null || true
}
app_running() { kill -0 "$APP_PID" 2>/dev/null; }

# ---- the display ----------------------------------------------------------------------------
start_display

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
focus "$MAIN"
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
focus "$MAIN"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 00001
xdotool key --clearmodifiers F4
expect_shown LOOKUP 3
sleep 0.3
xdotool key --clearmodifiers Down Down Return
expect_shown CUST_CODE 000012
expect_shown CUST_NAME '渡辺　由美'

# F12 ends the program.
focus "$MAIN"
xdotool key --clearmodifiers F12
expect_exit APP_PID 0 "the program"
grep -q 'E N D' "$APP/FEND_SYS.LOG" || fail "no end of log"
echo "PASS"
