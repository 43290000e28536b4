#!/usr/bin/env bash
# The printed lists on a real printer: a private CUPS server (tests/support/cups_server.sh) with
# a queue that keeps each job's document is the default printer; the control list and the
# unmatched list of a test form of 80 controls go to it through Qt's printing and CUPS, and each
# job must hold the list's two pages as text: its title, its lines with their ideographs (no
# Kangxi radical) and the page feet. Nothing falls back to a PDF file.
#   cups_print_test.sh <tav_print_lists> <source folder>
set -euo pipefail
PRINT_BIN=$1
SRC=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tav-print.XXXXXX")
chmod 755 "$work"  # the backend runs as "lp" and writes below it
cleanup() { "$SRC/tests/support/cups_server.sh" stop "$work/cups" || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; tail -n 20 "$work/cups/log/error_log" >&2 2>/dev/null || true; exit 1; }

source "$SRC/demo/fontconfig/fonts.sh"
tav_font_config "$work/fonts"
"$SRC/tests/support/cups_server.sh" start "$work/cups"
source "$work/cups/env"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME" "$work/run"
[ "$(lpstat -d)" = "system default destination: tav_pdf" ] || fail "no default printer"

# Prints one list and waits for its job's document: the job number $2.
print_list() {
    local out
    out=$(cd "$work/run" && "$PRINT_BIN" "$1" 2>"$work/$1.err") ||
        fail "$1: the program showed: $out $(cat "$work/$1.err")"
    for _ in $(seq 1 300); do [ -s "$work/cups/out/$2.pdf" ] && return 0; sleep 0.1; done
    fail "$1: job $2 never reached the printer"
}
check_job() {
    local pdf=$work/cups/out/$1.pdf title=$2 text
    [ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 2 ] || fail "job $1: $(pdfinfo "$pdf" | grep Pages)"
    text=$(pdftotext -layout -enc UTF-8 "$pdf" -)
    grep -qF "$title" <<<"$text" || fail "job $1: no title $title"
    grep -qF '< 1 >' <<<"$text" && grep -qF '< 2 >' <<<"$text" || fail "job $1: no page feet"
    grep -qP '[\x{2E80}-\x{2FDF}]' <<<"$text" && fail "job $1: Kangxi radicals in the text"
    printf '%s\n' "$text" >"$work/job$1.txt"
}

print_list control 1
print_list unmatched 2
check_job 1 'フォームヘルパ フォームコントロール一覧'
grep -qE '002 +001 +CUST_NAME +ﾔﾏﾀﾞ 山田 一覧 表示 +ﾗﾍﾞﾙ' "$work/job1.txt" || fail "job 1: the mixed line"
check_job 2 'フォームヘルパ Tag-項目ﾃｰﾌﾞﾙ アンマッチリスト'
grep -qE 'NOT_SHOWN +3' "$work/job2.txt" || fail "job 2: the item without control"
# Both jobs are completed on the server, and no list went to a file instead.
[ "$(lpstat -W completed -o | wc -l)" = 2 ] || fail "jobs: $(lpstat -W completed -o)"
[ -z "$(ls -A "$work/run")" ] || fail "a list went to a file: $(ls "$work/run")"
echo PASS
