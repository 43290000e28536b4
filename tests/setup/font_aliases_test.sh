#!/usr/bin/env bash
# Every font name the windows ask for resolves to its Noto CJK stand-in through tav-fonts.conf.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$1/fonts.sh"
tav_font_config "$work"
status=0
check() {
    local got
    got=$(fc-match -f '%{family[0]}' "$1")
    if [ "$got" != "$2" ]; then
        echo "FAIL: $1 -> $got, expected $2" >&2
        status=1
    fi
}
for name in 'ＭＳ ゴシック' 'ＭＳ Ｐゴシック' 'MS Gothic' 'MS PGothic' 'MS UI Gothic'; do
    check "$name" 'Noto Sans CJK JP'
done
for name in 'ＭＳ 明朝' 'ＭＳ Ｐ明朝' 'MS Mincho' 'MS PMincho'; do
    check "$name" 'Noto Serif CJK JP'
done
# The machine's own configuration still applies to every other name.
[ "$(fc-match -f '%{family[0]}' 'Noto Sans CJK JP')" = 'Noto Sans CJK JP' ] || status=1
exit $status
