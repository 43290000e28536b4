#!/usr/bin/env bash
# Every font name the windows ask for leads through tav-fonts.conf to its stand-in, and the
# stand-ins yield to a font that really bears the office's name.
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
# Fixed pitch: half-width characters exactly half a full-width one.
for name in 'ＭＳ ゴシック' 'MS Gothic'; do check "$name" IPAGothic; done
for name in 'ＭＳ 明朝' 'MS Mincho'; do check "$name" IPAMincho; done
# Proportional.
for name in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do check "$name" IPAPGothic; done
for name in 'ＭＳ Ｐ明朝' 'MS PMincho'; do check "$name" IPAPMincho; done
# The machine's own configuration still applies to every other name.
check 'Noto Sans CJK JP' 'Noto Sans CJK JP'

# An office that has its own fonts keeps them: here IPAPGothic bears the name ＭＳ ゴシック (renamed
# as it is scanned, with caches of this test's own), and the name leads to it, not to the
# stand-in IPAGothic.
office=$work/office
mkdir -p "$office/cache"
cat >"$office/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/opentype/ipafont-gothic</dir>
  <cachedir>$office/cache</cachedir>
  <match target="scan">
    <test name="family"><string>IPAPGothic</string></test>
    <edit name="family" mode="assign"><string>ＭＳ ゴシック</string></edit>
  </match>
  <include>$work/tav-fonts.conf</include>
</fontconfig>
CONF
got=$(FONTCONFIG_FILE=$office/fonts.conf fc-match -f '%{file}' 'ＭＳ ゴシック')
if [ "$(basename "$got")" != ipagp.ttf ]; then
    echo "FAIL: with the office's own ＭＳ ゴシック installed the name leads to $got" >&2
    status=1
fi
# The stand-in still serves the names the office's fonts lack.
got=$(FONTCONFIG_FILE=$office/fonts.conf fc-match -f '%{family[0]}' 'MS Gothic')
[ "$got" = IPAGothic ] || { echo "FAIL: MS Gothic -> $got beside the office's font" >&2; status=1; }
exit $status
