#!/usr/bin/env bash
# Makes the installation archive TAV_App.TAV: a shell script followed by a gzip'd tar of the
# program folder "App" (the programs, the standard menu file and the demonstration office files).
# Started by the setup program from its folder, it unpacks into App beside itself and keeps every
# file that is already there, then writes FEND_RUN.INI for the database where it landed.
#   make_archive.sh <output> <strip> <tav_demo_make> <TAV_menu1> <tav_demo_header> <tav_demo_note>
#                   <TAV_KOKY0100> <KOKY0100.SCR>
set -euo pipefail
OUT=$1 STRIP=$2 MAKE=$3 MENU=$4 HEADER=$5 NOTE=$6 SAMPLE=$7 SCR=$8
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
APP=$STAGE/SYS/App
mkdir -p "$APP"
install -m 0755 "$MENU" "$APP/TAV_menu1"
install -m 0755 "$HEADER" "$APP/tav_demo_header"
for name in tav_demo_note TAV_KASI0100 TAV_KASI0200 TAV_OPT01 TAV_OPT02 TAV_OPT03; do
    install -m 0755 "$NOTE" "$APP/$name"
done
install -m 0755 "$SAMPLE" "$APP/TAV_KOKY0100"
install -m 0644 "$SCR" "$APP/KOKY0100.SCR"
[ -n "$STRIP" ] && find "$APP" -type f -perm -u+x -exec "$STRIP" --strip-unneeded {} +
"$MAKE" "$APP" >/dev/null
# FEND_RUN.INI names the database by its full path, which only the unpacking knows.
rm -f "$APP/FEND_RUN.INI"

{
    cat <<'HEADER'
#!/bin/sh
# TAV_App.TAV, the installation archive of TAV: unpacks the system into the folder App beside
# this file (the setup program's folder), keeping every file that is already there.
set -eu
here=$(cd "$(dirname "$0")" && pwd -P)
app=$here/App
echo "TAV_App.TAV: unpacking into $app"
mkdir -p "$app" "$here/../Backup"
awk 'p && /^__TAV_PAYLOAD__$/ { exit } p { print } /^: <<.__TAV_PAYLOAD__.$/ { p = 1 }' "$0" |
    base64 -d | tar -xzf - -C "$app" --skip-old-files --no-same-owner
if [ ! -e "$app/FEND_RUN.INI" ]; then
    printf '[SQLLOGOUT]\r\nQ_DEBUG=0\r\n[DAI]\r\nZ_DAI0=ODBC_DAO\r\n[DBPATH]\r\nZ_PATH0=%s\r\n' \
        "$app/TAV_OFFICE.db" | iconv -f UTF-8 -t CP932 >"$app/FEND_RUN.INI"
fi
echo "TAV_App.TAV: done"
exit 0
# The payload: a gzip'd tar in base64, inside a here-document so that the file stays a script.
: <<'__TAV_PAYLOAD__'
HEADER
    tar -C "$APP" --sort=name --owner=0 --group=0 --numeric-owner --mtime=@0 -cf - . | gzip -9n |
        base64 -w 76
    echo __TAV_PAYLOAD__
} >"$OUT.tmp"
chmod 0755 "$OUT.tmp"
mv -f "$OUT.tmp" "$OUT"
