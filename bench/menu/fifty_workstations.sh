#!/usr/bin/env bash
# Fifty workstations on one office database: N menus (default 50) are started at once as separate
# processes, each in an installation folder of its own, all against one private PostgreSQL server
# on loopback, under the offscreen platform. Each makes its start-up; once every one has shown its
# window (or ended), the company header is changed in the database and each presses F2, whose
# program (launch mode 2) the menu waits for and then reads the header again. Reported:
#   how many windows were shown and how many refreshed to the new header,
#   the start (process start to the window's first paint) of each: median and 99th percentile,
#     against one menu started alone (median of ALONE_RUNS starts, after one warm-up start),
#   the server's client connections while the menus idle and after they ended (both must be 0),
#   the machine's load before and after.
# With a connection limit (below N), the server is started with max_connections at that value,
# and each menu must either start and refresh, or end with the connection failure's report
# (the abnormal-end box "Q0100で異常終了 ...", the log's Q0100 L901 lines, exit status 2); none may
# hang. The menus log on as an ordinary role, for which superuser_reserved_connections (3) slots
# are kept back.
#   bench/menu/fifty_workstations.sh <build folder> [count, default 50] [connection limit]
# Exit status 0 when every menu behaved as stated (the figures are never judged), 1 otherwise.
# Every wait is bounded (TAV_LOAD_START_SECONDS, TAV_LOAD_REFRESH_SECONDS); a menu still neither
# done nor ended then is killed and counted as hung.
set -euo pipefail
BUILD=$(cd "$1" && pwd)
COUNT=${2:-50}
LIMIT=${3:-}
ALONE_RUNS=${TAV_LOAD_ALONE_RUNS:-3}
START_SECONDS=${TAV_LOAD_START_SECONDS:-180}
REFRESH_SECONDS=${TAV_LOAD_REFRESH_SECONDS:-120}
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
MENU_BIN=$BUILD/apps/TAV_menu1/TAV_menu1
for f in "$MENU_BIN" "$BUILD/demo/tav_demo_make" "$BUILD/tests/tools/tav_record_args" \
    "$BUILD/bench/menu/plugins/generic/libtav_window_probe.so"; do
    [ -e "$f" ] || { echo "missing $f (build first)" >&2; exit 1; }
done
[[ $COUNT =~ ^[1-9][0-9]*$ ]] || { echo "count must be a positive number: $COUNT" >&2; exit 2; }
[ -z "$LIMIT" ] || [[ $LIMIT =~ ^[1-9][0-9]*$ ]] || { echo "bad connection limit: $LIMIT" >&2; exit 2; }

WORK=$(mktemp -d)
chmod 755 "$WORK"  # the server's owner reaches its folder inside
PG_DIR=$WORK/pg
PIDS=()
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    "$SOURCE_DIR/tests/support/pg_cluster.sh" stop "$PG_DIR" >/dev/null 2>&1 || true
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---- the server --------------------------------------------------------------------------------
max=$((COUNT + 10 > 60 ? COUNT + 10 : 60))
[ -z "$LIMIT" ] || max=$LIMIT
for try in 1 2 3; do  # a free port may be taken between the look and the bind
    TAV_PG_MAX_CONNECTIONS=$max "$SOURCE_DIR/tests/support/pg_cluster.sh" start "$PG_DIR" \
        >"$WORK/pg.log" 2>&1 && break
    "$SOURCE_DIR/tests/support/pg_cluster.sh" stop "$PG_DIR" >/dev/null 2>&1 || true
    [ "$try" -lt 3 ] || { cat "$WORK/pg.log" >&2; exit 1; }
done
# shellcheck source=/dev/null
source "$PG_DIR/env"
PGBIN=${TAV_PG_BIN:-$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n1)}
sql() { "$PGBIN/psql" -X -q -At -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$TAV_PG_PORT" -U "$TAV_PG_USER" tavtest -c "$1"; }
# The office database as the package ships it, and an ordinary role for the workstations.
"$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$TAV_PG_PORT" -U "$TAV_PG_USER" tavtest \
    -f "$SOURCE_DIR/packaging/sql/tav_schema_postgresql.sql" >/dev/null
sql "CREATE ROLE tav_ws LOGIN; GRANT SELECT, UPDATE ON 名称マスタ, 自社情報 TO tav_ws;" >/dev/null
clients() { sql "SELECT count(*) FROM pg_stat_activity WHERE backend_type = 'client backend' AND pid <> pg_backend_pid()"; }

# ---- the installations -------------------------------------------------------------------------
# One copy of the program (a link to it in each folder: the program folder is the link's own).
mkdir -p "$WORK/bin"
cp "$MENU_BIN" "$WORK/bin/TAV_menu1"
cp "$BUILD/tests/tools/tav_record_args" "$WORK/bin/tav_record_args"
# shellcheck source=/dev/null
source "$SOURCE_DIR/demo/fontconfig/fonts.sh"
tav_font_config "$WORK/fontconfig"
export QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$BUILD/bench/menu/plugins" \
    QT_QPA_GENERIC_PLUGINS=tavwindowprobe
unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER XDG_CONFIG_DIRS XDG_DATA_DIRS
CAPTION='マルヴネシステム Ver 1.0'
OLD_HEADER='株式会社マルヴネ　本店'
NEW_HEADER='株式会社マルヴネ　新宿本店'
install_workstation() {  # <n>
    local ws=$WORK/ws$1 app=$WORK/ws$1/TAV/SYS/App
    mkdir -p "$app" "$ws/home/.config" "$ws/home/.cache" "$ws/home/.local/share"
    mkdir -m 0700 "$ws/runtime"
    "$BUILD/demo/tav_demo_make" "$app" >/dev/null
    rm -f "$app/TAV_OFFICE.db"
    ln "$WORK/bin/TAV_menu1" "$app/TAV_menu1"
    # F2 (launch mode 2, waited for) starts tav_demo_header: here the recorder, which sleeps.
    ln "$WORK/bin/tav_record_args" "$app/tav_demo_header"
    printf '[SQLLOGOUT]\r\nQ_DEBUG=0\r\n[DAI]\r\nZ_DAI0=ODBC_DAO\r\n[DSRC]\r\nZ_DSRC0=%s\r\n[LOGONID]\r\nZ_LOGON0=tav_ws\r\n' \
        "$TAV_PG_DSN" >"$app/FEND_RUN.INI"
}
# Starts the menu of workstation n in the background; its pid in PIDS[n]. The probe notes the
# windows in ws<n>/probe and presses F2 once the file GO exists.
start_menu() {  # <n>
    local ws=$WORK/ws$1
    (
        cd "$ws/TAV/SYS/App"
        export HOME=$ws/home XDG_CONFIG_HOME=$ws/home/.config XDG_CACHE_HOME=$ws/home/.cache \
            XDG_DATA_HOME=$ws/home/.local/share XDG_RUNTIME_DIR=$ws/runtime \
            TAV_MENU_STATE_FILE=$ws/state TAV_RECORD_FILE=$ws/record TAV_RECORD_SLEEP_MS=300 \
            TAV_PROBE_FILE=$ws/probe TAV_PROBE_KEY=F2 TAV_PROBE_GO=$WORK/GO TAV_PROBE_ANSWER=1
        export TAV_PROBE_T0=${EPOCHREALTIME/,/.}
        exec ./TAV_menu1 >"$ws/out" 2>&1
    ) &
    PIDS[$1]=$!
}
running() { kill -0 "${PIDS[$1]}" 2>/dev/null; }
shown() { grep -q "^shown [0-9.]* $CAPTION\$" "$WORK/ws$1/probe" 2>/dev/null; }
refreshed() { [ -e "$WORK/ws$1/record" ] && grep -qxF "JISYA(0)=$NEW_HEADER " "$WORK/ws$1/state" 2>/dev/null; }
start_ms() { sed -n "s/^shown \\([0-9.]*\\) $CAPTION\$/\\1/p" "$WORK/ws$1/probe" 2>/dev/null | head -n1 || true; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
# The p-th percentile by the nearest-rank rule.
percentile() { sort -n | awk -v p="$1" '{ v[NR] = $1 } END { if (NR) { r = int(p / 100 * NR); if (r < p / 100 * NR) r++; if (r < 1) r = 1; print v[r] } }'; }
# The abnormal end of a failed connection: the box, the log's dump and closing lines, status 2.
connection_report() {  # <n> <exit status>
    local log=$WORK/ws$1/TAV/SYS/App/FEND_SYS.LOG
    [ "$2" -eq 2 ] &&
        grep -qxF "$(printf 'TAV_menu1\tQ0100で異常終了 ログファイルを参照して下さい。 ')" \
            <(sed -n 's/^box [0-9.]* //p' "$WORK/ws$1/probe" 2>/dev/null) &&
        grep -q ' Q0100 L901 1 ' "$log" 2>/dev/null &&
        tail -n1 "$log" | tr -d '\r' |
        grep -qE ' Q0100 L901 5 [0-9]{8} ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）$'
}

for n in $(seq 0 "$COUNT"); do install_workstation "$n"; done
echo "load before: $(uptime)"

# ---- one menu alone ----------------------------------------------------------------------------
# The first start fills the font cache and the page cache; it is not counted.
: >"$WORK/alone"
for run in $(seq 0 "$ALONE_RUNS"); do
    rm -f "$WORK/ws0/probe"
    start_menu 0
    deadline=$((SECONDS + START_SECONDS))
    until shown 0 || ! running 0; do
        ((SECONDS < deadline)) || { echo "FAIL: the menu alone did not show its window" >&2; exit 1; }
        sleep 0.05
    done
    shown 0 || { echo "FAIL: the menu alone ended: $(cat "$WORK/ws0/out" "$WORK/ws0/probe" 2>/dev/null)" >&2; exit 1; }
    [ "$run" -eq 0 ] || start_ms 0 >>"$WORK/alone"
    kill "${PIDS[0]}"
    wait "${PIDS[0]}" 2>/dev/null || true
    PIDS[0]=
done
ALONE=$(median <"$WORK/alone")

# ---- N at once -------------------------------------------------------------------------------
# The machine's processor use over a phase, from /proc/stat: busy share of all cores.
cpu_ticks() { awk '/^cpu / { idle = $5 + $6; total = 0; for (i = 2; i <= NF; i++) total += $i; print total, idle }' /proc/stat; }
busy_since() {  # <ticks from cpu_ticks>
    local t0 i0 t1 i1
    read -r t0 i0 <<<"$1"
    read -r t1 i1 <<<"$(cpu_ticks)"
    awk -v t=$((t1 - t0)) -v i=$((i1 - i0)) -v n="$(nproc)" 'BEGIN { if (t > 0) printf "%.0f %% of %d cores busy", 100 * (t - i) / t, n; else print "too short to tell" }'
}
ticks_start=$(cpu_ticks)
phase_start=${EPOCHREALTIME/,/.}
for n in $(seq 1 "$COUNT"); do start_menu "$n"; done
declare -A OUTCOME STATUS
# Reaps a menu that has ended and notes its status.
reap() {  # <n>
    local status=0
    wait "${PIDS[$1]}" || status=$?
    STATUS[$1]=$status
    PIDS[$1]=
}
deadline=$((SECONDS + START_SECONDS))
while :; do
    waiting=0
    for n in $(seq 1 "$COUNT"); do
        [ -z "${OUTCOME[$n]:-}" ] || continue
        if shown "$n"; then OUTCOME[$n]=shown
        elif ! running "$n"; then reap "$n"; OUTCOME[$n]=ended-at-start
        else waiting=$((waiting + 1)); fi
    done
    [ "$waiting" -gt 0 ] || break
    if ((SECONDS >= deadline)); then
        for n in $(seq 1 "$COUNT"); do
            [ -n "${OUTCOME[$n]:-}" ] || { OUTCOME[$n]=hung-at-start; kill -KILL "${PIDS[$n]}" 2>/dev/null || true; reap "$n"; }
        done
        break
    fi
    sleep 0.1
done
load_started="$(cut -d' ' -f1-3 /proc/loadavg), $(busy_since "$ticks_start") over the $(awk -v a="$phase_start" -v b="${EPOCHREALTIME/,/.}" 'BEGIN { printf "%.1f", b - a }') s of the start-up"

# Every window is up: the header changes, then each menu presses F2 and refreshes after the wait.
sql "UPDATE 自社情報 SET メニューヘッダ = '$NEW_HEADER' WHERE アドレス = 100"
: >"$WORK/GO"
deadline=$((SECONDS + REFRESH_SECONDS))
while :; do
    waiting=0
    for n in $(seq 1 "$COUNT"); do
        [ "${OUTCOME[$n]}" = shown ] || continue
        if refreshed "$n"; then OUTCOME[$n]=refreshed
        elif ! running "$n"; then reap "$n"; OUTCOME[$n]=ended-at-refresh
        else waiting=$((waiting + 1)); fi
    done
    [ "$waiting" -gt 0 ] || break
    if ((SECONDS >= deadline)); then
        for n in $(seq 1 "$COUNT"); do
            [ "${OUTCOME[$n]}" = shown ] || continue
            OUTCOME[$n]=hung-at-refresh
            kill -KILL "${PIDS[$n]}" 2>/dev/null || true
            reap "$n"
        done
        break
    fi
    sleep 0.1
done
CLIENTS_IDLE=$(clients)
for n in $(seq 1 "$COUNT"); do
    [ -z "${PIDS[$n]:-}" ] || { kill "${PIDS[$n]}" 2>/dev/null || true; wait "${PIDS[$n]}" 2>/dev/null || true; PIDS[$n]=; }
done
CLIENTS_AFTER=$(clients)

# ---- the report --------------------------------------------------------------------------------
shown_count=0 refreshed_count=0 reported=0 reported_at_start=0 bad=0 hung=0 sample=
: >"$WORK/starts"
for n in $(seq 1 "$COUNT"); do
    ms=$(start_ms "$n")
    [ -z "$ms" ] || { shown_count=$((shown_count + 1)); echo "$ms" >>"$WORK/starts"; }
    case "${OUTCOME[$n]}" in
    refreshed) refreshed_count=$((refreshed_count + 1)) ;;
    ended-at-start | ended-at-refresh)
        if [ -n "$LIMIT" ] && connection_report "$n" "${STATUS[$n]}"; then
            reported=$((reported + 1))
            [ "${OUTCOME[$n]}" = ended-at-refresh ] || reported_at_start=$((reported_at_start + 1))
            [ -n "$sample" ] || sample=$(grep -m1 ' Q0100 L901 1 ' "$WORK/ws$n/TAV/SYS/App/FEND_SYS.LOG" | tr -d '\r')
        else
            bad=$((bad + 1))
            echo "menu $n: ${OUTCOME[$n]}, exit status ${STATUS[$n]}:" >&2
            cat "$WORK/ws$n/probe" "$WORK/ws$n/out" "$WORK/ws$n/TAV/SYS/App/FEND_SYS.LOG" 2>/dev/null | sed 's/^/  /' >&2
        fi
        ;;
    *) hung=$((hung + 1)); echo "menu $n: ${OUTCOME[$n]}" >&2 ;;
    esac
done
MEDIAN=$(median <"$WORK/starts")
P99=$(percentile 99 <"$WORK/starts")
echo "menus started at once: $COUNT, PostgreSQL ${PGBIN%/bin} max_connections $(sql 'SHOW max_connections'), superuser_reserved_connections $(sql 'SHOW superuser_reserved_connections')"
echo "windows shown: $shown_count of $COUNT; refreshed after the waited-for program: $refreshed_count"
if [ -n "$LIMIT" ]; then
    echo "ended with the connection report (Q0100 L901, exit status 2): $reported ($reported_at_start at start-up, $((reported - reported_at_start)) at the refresh)"
    [ -z "$sample" ] || echo "  e.g. $sample"
fi
echo "ended otherwise: $bad; hung (killed at the time limit): $hung"
awk -v a="$ALONE" -v m="${MEDIAN:-0}" -v p="${P99:-0}" -v r="$ALONE_RUNS" -v n="$shown_count" 'BEGIN {
    printf "start to window, alone (median of %d): %.0f ms\n", r, a
    if (m > 0) printf "start to window, the %d shown of those started at once: median %.0f ms (%.2fx), p99 %.0f ms (%.2fx)\n", n, m, m / a, p, p / a }'
echo "server client connections: $CLIENTS_IDLE while the menus idle, $CLIENTS_AFTER after they ended"
echo "load when all had started: $load_started; after: $(uptime)"

ok=1
[ "$CLIENTS_IDLE" -eq 0 ] && [ "$CLIENTS_AFTER" -eq 0 ] || ok=0
[ "$bad" -eq 0 ] && [ "$hung" -eq 0 ] || ok=0
[ -n "$LIMIT" ] || [ "$refreshed_count" -eq "$COUNT" ] || ok=0
[ "$ok" -eq 1 ] || { echo "FAIL: not every menu behaved as it should" >&2; exit 1; }
