#!/usr/bin/env bash
# Runs the real menu program on its own Xvfb display in a temporary installation and breaks
# something under it; every wait has a time-out, so a hang fails the run.
#   fault_e2e.sh <scenario> <TAV_menu1> <tav_demo_make> <tav_record_args> <tav_remove_on_close>
#   pg-down-start     the office database is a PostgreSQL data source whose server is down
#   pg-down-refresh   the server (a private one) stops while the menu waits for a program
#   corrupt-db        the SQLite file of the office database is not a database
#   missing-db        the SQLite file is not there
#   log-unwritable    FEND_SYS.LOG cannot be written (and the database is missing)
#   killed-program    a waited-for program is killed by a signal
#   menu-vanishes     TAV_MENU1.DAT is removed once the start-up check has opened and closed it
# A failed database call shows the abnormal-end box, writes its lines to FEND_SYS.LOG and ends
# the menu with status 2. The outcome is printed as "OUTCOME <scenario>: ...".
set -euo pipefail
SCENARIO=$1
MENU_BIN=$2
MAKE_BIN=$3
RECORD_BIN=$4
REMOVE_BIN=$5
E2E_PID_VARS="MENU_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
APP="$WORK/TAV/SYS/App"
chmod 755 "$WORK"  # the private server's owner reaches its folder inside
MENU_PID=
PG_DIR=
e2e_cleanup() { [ -z "$PG_DIR" ] || "$SOURCE_DIR/tests/support/pg_cluster.sh" stop "$PG_DIR"; }

STATE="$WORK/state"
e2e_dump() {
    echo "-- state:"
    cat "$STATE" 2>/dev/null || true
    echo "-- windows:"
    list_windows
    echo "-- log:"
    cat "$APP/FEND_SYS.LOG" 2>/dev/null || true
    echo "-- menu output:"
    cat "$WORK/menu.log" 2>/dev/null || true
}
menu_running() { kill -0 "$MENU_PID" 2>/dev/null; }
menu_ended() { ! menu_running; }
finish() { expect_exit MENU_PID "$1" "the menu"; }  # the expected exit status
log_text() { tr -d '\r' <"$APP/FEND_SYS.LOG" 2>/dev/null; }

# The abnormal end of a data-access call: the box (titled with the program's name) is answered,
# the menu ends with status 2, and the log ends with the call's error lines.
abnormal_end() {  # <call, e.g. Q0100> <log place, e.g. L901>
    local call=$1 place=$2
    wait_for "the abnormal-end box" window_exists 'TAV_menu1'
    local started=$SECONDS
    press "$(windows_named 'TAV_menu1' | head -n1)" Return
    finish 2
    if [ "${CHECK_LOG:-1}" = 1 ]; then
        log_text | grep -q " $call $place 1 " || fail "no error line of $call $place in the log"
        log_text | tail -n1 | grep -qE " $call $place 5 [0-9]{8} ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）\$" ||
            fail "the log does not end with the SQL error line: $(log_text | tail -n1)"
    fi
    local logged="log lines of $call $place"
    [ "${CHECK_LOG:-1}" = 1 ] || logged="no log (cannot be written)"
    echo "OUTCOME $SCENARIO: abnormal-end box, $logged, exit status 2, ended $((SECONDS - started)) s after the answer"
}

# ---- the display ----------------------------------------------------------------------------
start_display bare

# ---- the installation -----------------------------------------------------------------------
install_menu_with_recorders "$MENU_BIN" "$RECORD_BIN"
install -m 0755 "$RECORD_BIN" "$WORK/TAV/SYS/TAV_setup"
"$MAKE_BIN" "$APP" >/dev/null || fail "could not lay out the installation"
export TAV_RECORD_FILE="$WORK/record"
export TAV_MENU_STATE_FILE="$STATE"
DB_FILE=$(iconv -f CP932 -t UTF-8 "$APP/FEND_RUN.INI" | sed -n 's/^Z_PATH0=//p' | tr -d '\r')
[ -f "$DB_FILE" ] || fail "no office database at $DB_FILE"

# FEND_RUN.INI leading DB 0 to an ODBC data source instead of the file.
use_data_source() {
    printf '[SQLLOGOUT]\r\nQ_DEBUG=0\r\n[DAI]\r\nZ_DAI0=ODBC_DAO\r\n[DSRC]\r\nZ_DSRC0=%s\r\n[LOGONID]\r\nZ_LOGON0=%s\r\n' \
        "$1" "$2" >"$APP/FEND_RUN.INI"
}

case "$SCENARIO" in
pg-down-start)
    [ -n "${TAV_PG_DOWN_DSN:-}" ] || fail "TAV_PG_DOWN_DSN is not set (run the tests with ./tav test)"
    use_data_source "$TAV_PG_DOWN_DSN" "${TAV_PG_USER:-postgres}"
    ;;
pg-down-refresh)
    # A private server: stopping the suite's shared one would break the other tests.
    PG_DIR="$WORK/pg"
    # A free port may be taken between the look and the bind: a few tries.
    for try in 1 2 3; do
        "$SOURCE_DIR/tests/support/pg_cluster.sh" start "$PG_DIR" >"$WORK/pg.log" 2>&1 && break
        "$SOURCE_DIR/tests/support/pg_cluster.sh" stop "$PG_DIR" || true
        [ "$try" -lt 3 ] || { cat "$WORK/pg.log" >&2; fail "the private server did not start"; }
    done
    # shellcheck source=/dev/null
    source "$PG_DIR/env"
    PGBIN=${TAV_PG_BIN:-$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n1)}
    SQL="CREATE TABLE 名称マスタ (名称ＩＤ TEXT, 名称区分 TEXT, 名称名称 TEXT, 名称説明 TEXT);
CREATE TABLE 自社情報 (アドレス INTEGER, メニューヘッダ TEXT"
    for d in １ ２ ３ ４ ５ ６ ７; do SQL+=", タイトル${d}行目 TEXT, 内容${d}行目 TEXT"; done
    SQL+=");
INSERT INTO 自社情報 (アドレス, メニューヘッダ) VALUES (100, '株式会社サーバ');
INSERT INTO 名称マスタ VALUES ('TAV_MENU', 'M0', 'TAV_MENU1.DAT', '');
INSERT INTO 名称マスタ VALUES ('VERSION', 'BA', 'Ver 1.0', '');
INSERT INTO 名称マスタ VALUES ('BK_KING', 'BK', '..\\..\\Backup', '');
INSERT INTO 名称マスタ VALUES ('TAV_OPT01', 'MA', '顧客一覧表', '顧客一覧');
INSERT INTO 名称マスタ VALUES ('TAV_OPT02', 'MA', '延滞者リスト', '延滞');
INSERT INTO 名称マスタ VALUES ('TAV_OPT03', 'MA', '利息計算', '利息');"
    "$PGBIN/psql" -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$TAV_PG_PORT" -U "$TAV_PG_USER" tavtest \
        -c "$SQL" >/dev/null || fail "could not fill the private server"
    use_data_source "$TAV_PG_DSN" "$TAV_PG_USER"
    # The program of F2 (waited for) stops the server and ends.
    PG_OWNER=$(stat -c %U "$PG_DIR/data")
    cat >"$APP/tav_demo_header" <<SH
#!/bin/sh
if [ "\$(id -u)" -eq 0 ]; then
    runuser -u "$PG_OWNER" -- "$PGBIN/pg_ctl" -D "$PG_DIR/data" -m immediate -w stop >/dev/null
else
    "$PGBIN/pg_ctl" -D "$PG_DIR/data" -m immediate -w stop >/dev/null
fi
echo stopped >"$WORK/stopped"
SH
    chmod 755 "$APP/tav_demo_header"
    ;;
corrupt-db)
    head -c 8192 /dev/urandom >"$DB_FILE"
    printf 'not a database' | dd of="$DB_FILE" conv=notrunc status=none
    ;;
missing-db | log-unwritable)
    rm -f "$DB_FILE"
    ;;
killed-program)
    cat >"$APP/tav_demo_header" <<'SH'
#!/bin/sh
: >"$TAV_RECORD_FILE.killed"
kill -KILL $$
SH
    chmod 755 "$APP/tav_demo_header"
    ;;
menu-vanishes)
    # The removal must fall between the menu's check and its read, which a busy machine may
    # keep apart by only milliseconds: the watcher runs in real time, so its wake-up comes first.
    RT=()
    if chrt -f 50 true 2>/dev/null; then RT=(chrt -f 50); fi
    "${RT[@]}" "$REMOVE_BIN" "$APP/TAV_MENU1.DAT" "$WORK/watching" &
    wait_for "the watch on the menu file" test -e "$WORK/watching"
    ;;
*) fail "unknown scenario" ;;
esac
if [ "$SCENARIO" = log-unwritable ]; then
    # A folder in the place of the log file: no process, not even root's, can append to it.
    rm -f "$APP/FEND_SYS.LOG"
    mkdir "$APP/FEND_SYS.LOG"
    CHECK_LOG=0
fi

# ---- the run --------------------------------------------------------------------------------
(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
CAPTION='マルヴネシステム Ver 1.0'

case "$SCENARIO" in
pg-down-start | corrupt-db | missing-db)
    abnormal_end Q0100 L901
    ;;
log-unwritable)
    abnormal_end Q0100 L901
    [ -d "$APP/FEND_SYS.LOG" ] || fail "the log folder was replaced"
    ;;
pg-down-refresh)
    wait_for "the menu window" window_exists "$CAPTION"
    expect_shown 'JISYA(0)' '株式会社サーバ '
    press "$(windows_named "$CAPTION" | head -n1)" F2
    wait_for "the server to stop" test -e "$WORK/stopped"
    # The refresh opens the database anew: its connect meets the stopped server.
    abnormal_end Q0100 L901
    ;;
menu-vanishes)
    # The read finds no file: the question of the missing menu file (answered Yes: the standard
    # file, missing as well) or, when the removal falls between the look and the open, the
    # unexpected-error box. Every box is answered with its default button; the menu stops.
    boxes=
    box_up() {
        local t
        for t in 'セットアップ確認 2' 'セットアップ確認' 'TAV_menu1'; do
            if window_exists "$t"; then BOX="$t"; return 0; fi
        done
        menu_ended
    }
    while menu_running; do
        BOX=
        wait_for "a box or the end" box_up
        [ -n "$BOX" ] || break
        boxes+="[$BOX] "
        press "$(windows_named "$BOX" | head -n1)" Return
        wait_for "the box to close" eval '! window_exists "$BOX" || menu_ended'
    done
    status=0
    wait "$MENU_PID" || status=$?
    MENU_PID=
    [ ! -e "$APP/TAV_MENU1.DAT" ] || fail "the menu file was not removed"
    [ "$status" -eq 1 ] || [ "$status" -eq 2 ] || fail "exit status $status after boxes $boxes"
    [ -n "$boxes" ] || fail "the menu ended without a box"
    echo "OUTCOME $SCENARIO: boxes $boxes then exit status $status"
    ;;
killed-program)
    wait_for "the menu window" window_exists "$CAPTION"
    expect_shown 'JISYA(0)' '株式会社マルヴネ　本店 '
    MAIN=$(windows_named "$CAPTION" | head -n1)
    press "$MAIN" F2
    wait_for "the program of F2" test -e "$WORK/record.killed"
    expect_shown enabled 1
    expect_shown hourglass 0
    menu_running || fail "the menu ended after its program was killed"
    # The menu is usable again: F1 starts its program.
    press "$MAIN" F1
    wait_for "the program of F1" test -e "$WORK/record"
    press "$MAIN" Escape
    wait_for "the end-of-business confirmation" window_exists '業務終了確認'
    press "$(windows_named '業務終了確認' | head -n1)" Return
    finish 0
    echo "OUTCOME $SCENARIO: the menu came back (enabled, no hourglass), started F1, ended with status 0"
    ;;
esac
echo "PASS ($SCENARIO)"
