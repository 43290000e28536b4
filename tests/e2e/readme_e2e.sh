#!/usr/bin/env bash
# The README's office-database and FEND_RUN.INI examples, typed as an administrator would, then
# the real menu started on the database they made.
#   readme_e2e.sh <backend> <TAV_menu1> <tav_demo_make> <tav_record_args>
#   sqlite       the README's sqlite3 command and its SQLite FEND_RUN.INI
#   postgresql   the README's role, database and psql commands on the suite's server, its
#                PostgreSQL FEND_RUN.INI and its odbc.ini (with the test server's port)
# The blocks are read out of README.md, so a README that no longer works fails here.
set -euo pipefail
SCENARIO=$1
MENU_BIN=$2
MAKE_BIN=$3
RECORD_BIN=$4
E2E_PID_VARS="MENU_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
APP="$WORK/TAV/SYS/App"
STATE="$WORK/state"
SQL_DIR="$SOURCE_DIR/packaging/sql"
MENU_PID=
PG_MADE=
e2e_dump() {
    echo "-- FEND_RUN.INI:"; iconv -f CP932 -t UTF-8 "$APP/FEND_RUN.INI" 2>/dev/null || true
    echo "-- state:"; cat "$STATE" 2>/dev/null || true
    echo "-- windows:"; list_windows
    echo "-- log:"; cat "$APP/FEND_SYS.LOG" 2>/dev/null || true
    echo "-- menu output:"; cat "$WORK/menu.log" 2>/dev/null || true
}
server_sql() { psql -X -q -tA -v ON_ERROR_STOP=1 -h 127.0.0.1 -U "$TAV_PG_USER" -d tavtest -c "$1"; }
e2e_cleanup() {
    [ -z "$PG_MADE" ] || server_sql 'DROP DATABASE IF EXISTS tav WITH (FORCE)' >/dev/null
    [ -z "$PG_MADE" ] || server_sql 'DROP ROLE IF EXISTS tav' >/dev/null
}

# The fenced block of README.md whose first line is $1.
readme_block() {
    awk -v first="$1" '
        /^```/ { if (open) { if (hit) exit; open = 0 } else { open = 1; n = 0 } next }
        open { if (++n == 1) hit = ($0 == first); if (hit) print }' "$SOURCE_DIR/README.md"
}
# Runs the README's command lines in the program folder, the shipped SQL files taken from the
# source tree and "sudo -u postgres" left to the test server's superuser.
run_readme_lines() {
    local line
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        line=${line//\/usr\/share\/tav\/sql\//\"\$SQL_DIR\"\/}
        line=${line#sudo -u postgres }
        echo "+ $line"
        (cd "$APP" && eval "$line") || fail "the README's command failed: $line"
    done
}
# FEND_RUN.INI as the office writes it: CP932 with CR LF.
write_run_ini() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$APP/FEND_RUN.INI"; }

start_display
install_menu_with_recorders "$MENU_BIN" "$RECORD_BIN"
"$MAKE_BIN" "$APP" >/dev/null || fail "could not lay out the installation"
rm -f "$APP/TAV_OFFICE.db"
export TAV_RECORD_FILE="$WORK/record" TAV_MENU_STATE_FILE="$STATE"

case "$SCENARIO" in
sqlite)
    readme_block 'sqlite3 TAV_OFFICE.db < /usr/share/tav/sql/tav_schema_sqlite.sql' |
        grep '^sqlite3 ' | run_readme_lines
    ini=$(readme_block '; a SQLite file')
    [ -n "$ini" ] || fail "no SQLite FEND_RUN.INI example in the README"
    sed "s|^Z_PATH0=.*|Z_PATH0=$APP/TAV_OFFICE.db|" <<<"$ini" | write_run_ini
    ;;
postgresql)
    [ -n "${TAV_PG_PORT:-}" ] || fail "TAV_PG_PORT is not set (run the tests with ./tav test)"
    export PGPORT=$TAV_PG_PORT PGHOST=127.0.0.1 PGUSER=$TAV_PG_USER
    PG_MADE=1
    commands=$(readme_block "sudo -u postgres psql -c \"CREATE ROLE tav LOGIN PASSWORD 'secret'\"")
    [ -n "$commands" ] || fail "no PostgreSQL set-up commands in the README"
    run_readme_lines <<<"$commands"
    ini=$(readme_block '; PostgreSQL through psqlODBC: the data source TAV_PG of odbc.ini')
    [ -n "$ini" ] || fail "no PostgreSQL FEND_RUN.INI example in the README"
    write_run_ini <<<"$ini"
    odbc=$(readme_block '[TAV_PG]')
    [ -n "$odbc" ] || fail "no odbc.ini example in the README"
    sed "s/^Port .*/Port       = $TAV_PG_PORT/" <<<"$odbc" >"$WORK/odbc.ini"
    export ODBCINI="$WORK/odbc.ini"
    ;;
*) fail "unknown scenario" ;;
esac

(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
CAPTION='マルヴネシステム Ver 1.0'
wait_for "the menu window" window_exists "$CAPTION"
expect_shown 'JISYA(0)' '株式会社マルヴネ　本店 '
press "$(windows_named "$CAPTION" | head -n1)" Escape
wait_for "the end-of-business confirmation" window_exists '業務終了確認'
press "$(windows_named '業務終了確認' | head -n1)" Return
expect_exit MENU_PID 0 "the menu"
if [ "$SCENARIO" = postgresql ]; then
    left=$(server_sql "SELECT count(*) FROM pg_stat_activity WHERE usename = 'tav'")
    [ "$left" = 0 ] || fail "$left connections of tav are left on the server"
fi
echo "PASS ($SCENARIO): the README's commands made a database the menu opened and closed"
