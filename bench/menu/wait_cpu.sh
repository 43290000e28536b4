#!/usr/bin/env bash
# The processor time the menu uses while it waits for a program it started (the 10 ms poll):
# the menu of a demo installation under Xvfb starts its F2 entry (launch mode 2, waited for),
# whose program here sleeps; the menu's user and system time is read from /proc over the wait.
#   bench/menu/wait_cpu.sh <build folder> [seconds, default 60]
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SECONDS_TO_WAIT=${2:-60}
SCENARIO=wait-cpu
E2E_PID_VARS="MENU_PID"
TIMEOUT=$((SECONDS_TO_WAIT + 60))
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/e2e_lib.sh"
MENU_PID=
start_display
APP="$WORK/TAV/SYS/App"
install_menu_with_recorders "$BUILD/apps/TAV_menu1/TAV_menu1" "$BUILD/tests/tools/tav_record_args"
install -m 0755 "$BUILD/tests/tools/tav_record_args" "$APP/tav_demo_header"  # F2's program: sleeps
"$BUILD/demo/tav_demo_make" "$APP" >/dev/null
export TAV_RECORD_FILE="$WORK/record" TAV_RECORD_SLEEP_MS=$((SECONDS_TO_WAIT * 1000 + 5000))
(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
CAPTION='マルヴネシステム Ver 1.0'
wait_for "the menu window" window_exists "$CAPTION"
press "$(windows_named "$CAPTION" | head -n1)" F2
wait_for "the started program" test -e "$WORK/record"
ticks() { awk '{ print $14 + $15 }' "/proc/$MENU_PID/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$SECONDS_TO_WAIT"
after=$(ticks)
end=$(date +%s.%N)
awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" 'BEGIN {
    cpu = t / hz; wall = e - s
    printf "menu waiting %.1f s: %.2f s of processor time, %.3f %% of one core\n", wall, cpu, 100 * cpu / wall }'
