#!/usr/bin/env bash
# The throwaway PostgreSQL server of the tests.
#   pg_cluster.sh start DIR   initdb into DIR/data (owned by a non-root user: as root, the
#                             "postgres" user of Debian's postgresql package), start the server on
#                             a free loopback port, write DIR/odbc.ini, DIR/sys/odbcinst.ini and
#                             DIR/env (the exports the tests need: ODBCSYSINI, ODBCINI, TAV_PG_*)
#   pg_cluster.sh stop DIR    stop the server and remove DIR
# TAV_PG_MAX_CONNECTIONS sets the server's max_connections (default 60).
set -euo pipefail

PGBIN=${TAV_PG_BIN:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n1)}
PGUSER_NAME=postgres

# Runs a command as the server's owner, from a folder that owner may enter (the caller's may be
# one only root may).
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then (cd / && runuser -u "$PGUSER_NAME" -- "$@"); else "$@"; fi
}

port_is_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

free_port() {
  local p i
  for i in $(seq 1 200); do
    p=$((20000 + RANDOM % 40000))
    if port_is_free "$p" && [ "$p" != "${1:-}" ]; then echo "$p"; return 0; fi
  done
  echo "no free port found" >&2
  return 1
}

start() {
  local dir=$1
  [ -x "$PGBIN/initdb" ] || { echo "PostgreSQL binaries not found in $PGBIN" >&2; exit 1; }
  mkdir -p "$dir"
  if [ "$(id -u)" -eq 0 ]; then
    # The package's own user: the tests create no user of their own, so none is left behind.
    getent passwd "$PGUSER_NAME" >/dev/null ||
      { echo "no user $PGUSER_NAME: is the postgresql package installed?" >&2; exit 1; }
    chown "$PGUSER_NAME" "$dir"
    chmod 755 "$dir"
  else
    PGUSER_NAME=$(id -un)
  fi
  as_owner mkdir -p "$dir/data" "$dir/sock"
  as_owner "$PGBIN/initdb" -D "$dir/data" -U "$PGUSER_NAME" --auth=trust -E UTF8 --locale=C >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  local port down
  port=$(free_port)
  down=$(free_port "$port")
  as_owner tee -a "$dir/data/postgresql.conf" >/dev/null <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$dir/sock'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = ${TAV_PG_MAX_CONNECTIONS:-60}
CONF
  as_owner "$PGBIN/pg_ctl" -D "$dir/data" -l "$dir/sock/server.log" -w -t 60 start >/dev/null ||
    { cat "$dir/sock/server.log" >&2; exit 1; }
  as_owner "$PGBIN/createdb" -h 127.0.0.1 -p "$port" -U "$PGUSER_NAME" -E UTF8 -T template0 tavtest

  mkdir -p "$dir/sys"
  local pgdriver sqlitedriver
  pgdriver=$(odbcinst -q -d -n "PostgreSQL Unicode" 2>/dev/null | sed -n 's/^Driver=//p')
  sqlitedriver=$(odbcinst -q -d -n "SQLite3" 2>/dev/null | sed -n 's/^Driver=//p')
  cat >"$dir/sys/odbcinst.ini" <<INI
[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode version)
Driver=${pgdriver:-psqlodbcw.so}

[SQLite3]
Description=SQLite3 ODBC Driver
Driver=${sqlitedriver:-libsqlite3odbc.so}
INI
  : >"$dir/sys/odbc.ini"
  cat >"$dir/odbc.ini" <<INI
[TAV_PG]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$port
Database=tavtest

[TAV_PG_DOWN]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$down
Database=tavtest
INI
  cat >"$dir/env" <<ENV
export ODBCSYSINI='$dir/sys'
export ODBCINI='$dir/odbc.ini'
export TAV_PG_DSN=TAV_PG
export TAV_PG_DOWN_DSN=TAV_PG_DOWN
export TAV_PG_USER='$PGUSER_NAME'
export TAV_PG_PORT=$port
ENV
  echo "PostgreSQL test server on 127.0.0.1:$port (data in $dir/data)"
}

stop() {
  local dir=$1
  [ -d "$dir" ] || return 0
  if [ -f "$dir/data/postmaster.pid" ]; then
    if [ "$(id -u)" -eq 0 ]; then
      (cd / && runuser -u "$(stat -c %U "$dir/data")" -- "$PGBIN/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null) || true
    else
      "$PGBIN/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
    fi
  fi
  rm -rf "$dir"
}

case "${1:-}" in
  start) start "$2" ;;
  stop) stop "$2" ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
