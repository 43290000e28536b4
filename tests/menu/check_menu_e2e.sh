#!/usr/bin/env bash
# tav-check-menu on the demonstration menu (clean, status 0) and on a file with each fault
# (every fault reported at its line and column, status 2), and on warnings only (status 1).
#   check_menu_e2e.sh <tav-check-menu> <tav_demo_make> <tav_demo_note>
set -euo pipefail
CHECK=$1 MAKE=$2 NOTE=$3
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL (check-menu): $*" >&2; exit 1; }
APP=$WORK/SYS/App
mkdir -p "$APP"
"$MAKE" "$APP"
for n in tav_demo_header tav_demo_note TAV_KASI0100 TAV_KASI0200 TAV_KOKY0100; do install -m 0755 "$NOTE" "$APP/$n"; done
st=0; out=$("$CHECK" "$APP/TAV_MENU1.DAT") || st=$?
[ $st = 0 ] && [ -z "$out" ] || fail "demo menu: status $st: $out"
echo "demo menu: clean"
# The README's example menu file is clean too.
awk '/^<!-- \/menu-example -->/ { p = 0 } p && !/^```/ { print } /^<!-- menu-example -->/ { p = 1 }' \
    "$(dirname "$0")/../../README.md" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$APP/README.DAT"
[ "$(grep -c . "$APP/README.DAT")" = 8 ] || fail "the README's example was not found"
st=0; out=$("$CHECK" "$APP/README.DAT") || st=$?
[ $st = 0 ] && [ -z "$out" ] || fail "README example: status $st: $out"

F=$APP/bad.DAT
long=$(printf '%0190d' 0)
{
    printf '@10 01 00 00 表紙,,,,0,0,0,0,0,0,0,0\r\n'              # 1 visible on no profile
    printf '@2x 01 01 00 項目\r\n'                                  # 2 number column
    printf '@20 07 01 00 迷子,,,,1\r\n'                             # 3 follows no page
    printf '@30 07 01 13 十三,0,1,tav_demo_note,1\r\n'               # 4 button 13
    printf '@40 01 00 00 何か,,,,1\r\n'                             # 5 record kind
    printf '@10 02 00 00 ページ,,,,1\r\n'                            # 6
    printf '@20 02 03 00 項目,,,,1\r\n'                              # 7
    printf '@30 02 03 01 一,0,1,NO_SUCH_PROG,1\r\n'                  # 8 missing program
    printf '@30 02 03 01 二,0,1,%%PARAM09,1\r\n'                     # 9 duplicate, unknown token
    printf '@30 02 04 02 外,0,1,tav_demo_note,1\r\n'                 # 10 other group: no list item
    printf '$03 00 00 00 %sABCDEFGHIJKL\r\n' "$long"                 # 11 longer than 200
    printf '$xx 00 00 00 見出し\r\n'                                  # 12 header number
} | iconv -f UTF-8 -t CP932 >"$F"
printf '$01 00 00 00 \x82\r\n' >>"$F"                                # 13 not CP932
st=0; out=$("$CHECK" "$F") || st=$?
printf '%s\n' "$out"
[ $st = 2 ] || fail "faulty file: status $st"
expect() { grep -qxF "$F:$1" <<<"$out" || fail "missing: $1"; }
expect '1: warning: "表紙" is visible on no profile (no flag is "1")'
expect '2:2: error: the number column 2-3 "2x" is not a number'
expect '3: warning: list item "迷子" follows no page of list group 7'
expect '4:11: error: button number 13 is outside 1 to 12'
expect '4: warning: button "十三" follows no list item of button group 1'
expect '5:2: warning: record kind 40 is neither 10 (page), 20 (list item) nor 30 (button)'
expect '8: warning: the program "NO_SUCH_PROG" is not in the installation'
expect '9: warning: unknown token "%PARAM09"'
expect '9:11: warning: button number 1 again in this group; it replaces line 8'
expect '10: warning: button "外" follows no list item of button group 4'
expect '11:201: warning: the line is longer than 200 characters; the menu drops the rest'
expect '12:2: error: the number column 2-3 "xx" is not a number'
expect '13:14: error: not CP932 text'
[ "$(wc -l <<<"$out")" = 13 ] || fail "expected 13 problems"

# 1001 records: the 1001st line is the error; warnings alone give status 1.
{ for i in $(seq 1 1001); do printf '$01 00 00 00 x\r\n'; done; } >"$WORK/many.DAT"
st=0; out=$("$CHECK" "$WORK/many.DAT") || st=$?
[ $st = 2 ] && grep -qF "many.DAT:1001: error: more than 1000 records" <<<"$out" || fail "record limit: $st $out"
printf '@10 01 00 00 頁,,,,0\r\n' >"$WORK/warn.DAT"
st=0; "$CHECK" "$WORK/warn.DAT" >/dev/null || st=$?
[ $st = 1 ] || fail "warnings only: status $st"
st=0; "$CHECK" "$WORK/none.DAT" 2>/dev/null || st=$?
[ $st = 2 ] || fail "missing file: status $st"
echo "PASS (check-menu)"
