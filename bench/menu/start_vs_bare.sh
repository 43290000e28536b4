#!/usr/bin/env bash
# The menu's start against a bare Qt program that shows the same window (bench_bare_menu_window:
# the same controls, fonts and texts, no logic), in one run: each is started REPS times (default
# 20), the two taking turns, under the offscreen platform with the project's font configuration;
# the time from the process start to the window's first paint is noted by the window probe.
# The menu runs on the demonstration installation (SQLite office database). One start of each
# before the count fills the font and page caches. Prints the medians, the ratio (goal: at most
# 1.10) and the load.
#   bench/menu/start_vs_bare.sh <build folder> [repetitions, default 20]
# Exit status 1 only when a program did not show its window (the figures are never judged).
set -euo pipefail
BUILD=$(cd "$1" && pwd)
REPS=${2:-20}
[[ $REPS =~ ^[1-9][0-9]*$ ]] || { echo "repetitions must be a positive number: $REPS" >&2; exit 2; }
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
MENU_BIN=$BUILD/apps/TAV_menu1/TAV_menu1
BARE_BIN=$BUILD/bench/menu/bench_bare_menu_window
for f in "$MENU_BIN" "$BARE_BIN" "$BUILD/demo/tav_demo_make" \
    "$BUILD/bench/menu/plugins/generic/libtav_window_probe.so"; do
    [ -e "$f" ] || { echo "missing $f (build first)" >&2; exit 1; }
done
WORK=$(mktemp -d)
PID=
cleanup() {
    [ -z "$PID" ] || kill -KILL "$PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

APP=$WORK/TAV/SYS/App
mkdir -p "$APP" "$WORK/home/.config" "$WORK/home/.cache" "$WORK/home/.local/share"
mkdir -m 0700 "$WORK/runtime"
cp "$MENU_BIN" "$APP/TAV_menu1"
cp "$BARE_BIN" "$WORK/bare"
"$BUILD/demo/tav_demo_make" "$APP" >/dev/null
# shellcheck source=/dev/null
source "$SOURCE_DIR/demo/fontconfig/fonts.sh"
tav_font_config "$WORK/fontconfig"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache \
    XDG_DATA_HOME=$WORK/home/.local/share XDG_RUNTIME_DIR=$WORK/runtime \
    QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$BUILD/bench/menu/plugins" \
    QT_QPA_GENERIC_PLUGINS=tavwindowprobe TAV_PROBE_FILE=$WORK/probe
unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER XDG_CONFIG_DIRS XDG_DATA_DIRS TAV_MENU_STATE_FILE
CAPTION='マルヴネシステム Ver 1.0'

# Starts a program in its folder; the probe ends it once its window is painted (30 s at most).
# Prints the ms. The script only waits meanwhile: a polling loop would take a processor from
# the program.
start_once() {  # <folder> <program>
    rm -f "$WORK/probe"
    (cd "$1" && export TAV_PROBE_T0=${EPOCHREALTIME/,/.} TAV_PROBE_QUIT=1 &&
        exec "$2" >>"$WORK/out" 2>&1) &
    PID=$!
    sleep 30 >/dev/null 2>&1 &
    local watchdog=$! ms
    wait -n "$PID" "$watchdog" 2>/dev/null || true
    kill -KILL "$PID" "$watchdog" 2>/dev/null || true
    wait "$PID" "$watchdog" 2>/dev/null || true
    PID=
    ms=$(sed -n "s/^shown \\([0-9.]*\\) $CAPTION\$/\\1/p" "$WORK/probe" 2>/dev/null | head -n1 || true)
    if [ -z "$ms" ]; then
        echo "FAIL: $2 did not show its window:" >&2
        cat "$WORK/probe" "$WORK/out" "$APP/FEND_SYS.LOG" 2>/dev/null >&2
        exit 1
    fi
    echo "$ms"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# The machine's processor use over the count, from /proc/stat: busy share of all cores.
cpu_ticks() { awk '/^cpu / { idle = $5 + $6; total = 0; for (i = 2; i <= NF; i++) total += $i; print total, idle }' /proc/stat; }
echo "load before: $(uptime)"
start_once "$APP" ./TAV_menu1 >/dev/null
start_once "$WORK" ./bare >/dev/null
: >"$WORK/menu.ms"
read -r ticks0 idle0 <<<"$(cpu_ticks)"
: >"$WORK/bare.ms"
for _ in $(seq 1 "$REPS"); do
    start_once "$APP" ./TAV_menu1 >>"$WORK/menu.ms"
    start_once "$WORK" ./bare >>"$WORK/bare.ms"
done
read -r ticks1 idle1 <<<"$(cpu_ticks)"
menu=$(median <"$WORK/menu.ms")
bare=$(median <"$WORK/bare.ms")
menu_min=$(sort -n "$WORK/menu.ms" | head -n1)
bare_min=$(sort -n "$WORK/bare.ms" | head -n1)
awk -v m="$menu" -v b="$bare" -v mm="$menu_min" -v bm="$bare_min" -v n="$REPS" 'BEGIN {
    printf "start to window (median of %d): menu %.1f ms, bare window %.1f ms, ratio %.3f (goal <= 1.10)\n", n, m, b, m / b
    printf "fastest of each: menu %.1f ms, bare window %.1f ms, ratio %.3f\n", mm, bm, mm / bm }'
# Each menu start is paired with the bare start that followed it: the median of those ratios
# holds when the machine's speed drifts during the count.
pairs=$(paste -d' ' "$WORK/menu.ms" "$WORK/bare.ms" | awk '{ print $1 / $2 }' | median)
echo "median of the paired ratios: $pairs"
echo "menu runs (ms): $(sort -n "$WORK/menu.ms" | tr '\n' ' ')"
echo "bare runs (ms): $(sort -n "$WORK/bare.ms" | tr '\n' ' ')"
awk -v t=$((ticks1 - ticks0)) -v i=$((idle1 - idle0)) -v n="$(nproc)" 'BEGIN {
    if (t > 0) printf "processors over the count: %.0f %% of %d cores busy (the starts themselves included)\n", 100 * (t - i) / t, n }'
echo "load after: $(uptime)"
