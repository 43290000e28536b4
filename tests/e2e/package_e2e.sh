#!/usr/bin/env bash
# The Debian package as an administrator meets it: builds it, runs lintian, installs it for real
# with apt-get, starts its desktop entry as an ordinary user with a fresh home (which makes the
# installation), puts the office's files into the installation, installs the package again and
# runs the README's upgrade command, checks that every office file is byte for byte unchanged,
# refreshes from a changed package (an unchanged shipped file is replaced, an edited one kept
# with the new version beside it), checks the commands' help and failures, and purges the
# package: nothing of it may be left. The user and the package are removed also on failure.
#   package_e2e.sh <CPackConfig.cmake of the build folder>
set -euo pipefail
CONFIG=$1
SCENARIO=package
E2E_PID_VARS="MENU_PID BOX_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
MENU_PID= BOX_PID= USER_NAME= INSTALLED=
APT=(apt-get -y -q -o DPkg::Lock::Timeout=300 --no-install-recommends)
e2e_dump() {
    cat "$WORK/state" 2>/dev/null || true
    cat "$WORK/menu.log" "$WORK/apt.log" 2>/dev/null | tail -n 30 || true
}
e2e_cleanup() {
    if [ -n "$INSTALLED" ]; then DEBIAN_FRONTEND=noninteractive "${APT[@]}" purge tav >/dev/null 2>&1 || true; fi
    if [ -n "$USER_NAME" ]; then
        pkill -KILL -u "$USER_NAME" 2>/dev/null || true
        userdel -r "$USER_NAME" >/dev/null 2>&1 || true
    fi
}
# The user's runtime folder lies in the work folder: without one, Qt would make /tmp/runtime-<user>.
as_user() { runuser -u "$USER_NAME" -- env -i HOME="$UHOME" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="$URUNTIME" DISPLAY="${DISPLAY:-}" QT_QPA_PLATFORM=xcb FONTCONFIG_FILE="${FONTCONFIG_FILE:-}" \
    TAV_MENU_STATE_FILE="$WORK/shared/state" "$@"; }
apt_install() { DEBIAN_FRONTEND=noninteractive "${APT[@]}" "$@" >"$WORK/apt.log" 2>&1 || fail "apt-get $*"; }

dpkg-query -W -f='${Status}' tav 2>/dev/null | grep -q 'installed' &&
    fail "a package tav is installed on this machine already; the test will not touch it"

# ---- the package and lintian ----------------------------------------------------------------
cpack --config "$CONFIG" -G DEB -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log" >&2; fail "cpack"; }
DEB=$(ls "$WORK"/pkg/tav_*.deb)
echo "package: $(basename "$DEB") $(stat -c %s "$DEB") bytes"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for dep in qt6-qpa-plugins unixodbc libsqliteodbc odbc-postgresql fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk fontconfig xdg-utils libqt6widgets6; do
    grep -Eq "(^|, )$dep( |,|$)" <<<"$DEPENDS" || fail "the package does not depend on $dep"
done
[ "$(grep -o 'libqt6widgets6' <<<"$DEPENDS" | wc -l)" = 1 ] || fail "libqt6widgets6 listed twice: $DEPENDS"
[ "$(dpkg-deb -f "$DEB" Recommends)" = "fcitx5-mozc | ibus-mozc, fcitx5-frontend-qt6 | ibus-mozc" ] || fail "Recommends"
[ "$(dpkg-deb -f "$DEB" Suggests)" = cups ] || fail "Suggests"
CONTENTS=$(dpkg-deb -c "$DEB")
grep -q ' ./etc/fonts/conf.d/65-tav-fonts.conf -> /usr/share/fontconfig/conf.avail/65-tav-fonts.conf$' <<<"$CONTENTS" ||
    fail "the fontconfig link is missing or not absolute"
# lintian's own temporary files go to the work folder too.
mkdir "$WORK/lintian-tmp"
TMPDIR="$WORK/lintian-tmp" lintian --tag-display-limit 0 "$DEB" >"$WORK/lintian.log" 2>/dev/null || true
echo "lintian: $(grep -c '^E:' "$WORK/lintian.log") errors, $(grep -c '^W:' "$WORK/lintian.log") warnings"
sed 's/^/  /' "$WORK/lintian.log"
! grep -q '^E:' "$WORK/lintian.log" || fail "lintian errors"

# ---- installed for real, an ordinary user with a fresh home ----------------------------------
chmod 755 "$WORK"
mkdir -m 1777 "$WORK/shared"
INSTALLED=yes
apt_install install "$DEB"
echo "installed: $(dpkg-query -W -f='${Package} ${Version} ${Status}' tav)"
USER_NAME=tave2e$$
UHOME=$WORK/home/$USER_NAME
mkdir -p "$WORK/home"
useradd -m -d "$UHOME" -s /bin/bash "$USER_NAME"
[ -z "$(ls -A "$UHOME" | grep -v '^\.')" ] || true

start_display
source "$SOURCE_DIR/demo/fontconfig/fonts.sh"
tav_font_config "$WORK/shared/fontconfig"
chmod -R a+rX "$WORK/shared"
URUNTIME=$WORK/shared/runtime-$USER_NAME
install -d -m 0700 -o "$USER_NAME" -g "$USER_NAME" "$URUNTIME"
STATE=$WORK/shared/state
EXEC=$(sed -n 's/^Exec=//p' /usr/share/applications/tav-menu.desktop)
[ "$EXEC" = tav-menu ] || fail "desktop entry Exec=$EXEC"
(cd / && as_user sh -c "$EXEC" </dev/null >"$WORK/menu.log" 2>&1) &
MENU_PID=$!
CAPTION='マルヴネシステム Ver 1.0'
wait_for "the menu window" window_exists "$CAPTION"
expect_shown 'JISYA(0)' '株式会社マルヴネ　本店 '
press "$(windows_named "$CAPTION" | head -n1)" Escape
wait_for "the end-of-business confirmation" window_exists '業務終了確認'
answer_default "$(windows_named '業務終了確認' | head -n1)"
expect_exit MENU_PID 0 "the menu of the desktop entry"
# The user's menu read the project's fonts and had a runtime folder of its own.
! grep -E 'Fontconfig error|QStandardPaths' "$WORK/menu.log" || fail "the menu's set-up was incomplete"
T=$UHOME/TAV
APP=$T/SYS/App
[ "$(stat -c %U "$APP/TAV_menu1")" = "$USER_NAME" ] || fail "the installation does not belong to the user"
for f in TAV_KOKY0100 KOKY0100.SCR TAV_MENU1.DAT; do [ -e "$APP/$f" ] || fail "the installation lacks $f"; done
[ -x "$T/SYS/TAV_App.TAV" ] || fail "the installation has no archive"

# ---- the office's files ----------------------------------------------------------------------
as_user sh -c "printf '[SQL/IO]\r\nZ_IOTYPE0=1\r\n' >>'$APP/FEND_RUN.INI'
  printf '@10 01 00 00 当社メニュー,,,,1,1,1,1,1,1,1,1\r\n' | iconv -f UTF-8 -t CP932 >'$APP/TAV_MENU1.DAT'
  printf '1,\"office\"\r\n' >'$APP/TAV_MENU1.PWD'
  sqlite3 '$APP/TAV_OFFICE.db' \"UPDATE 自社情報 SET メニューヘッダ = '当社' WHERE アドレス = 100\"
  printf 'our own notes\n' >'$APP/OFFICE_NOTES.TXT'
  printf '# office\n' >>'$T/SYS_TST/App/KOKY0100.SCR'"
OFFICE_FILES="SYS/App/FEND_RUN.INI SYS/App/TAV_MENU1.DAT SYS/App/TAV_MENU1.PWD SYS/App/TAV_OFFICE.db SYS/App/OFFICE_NOTES.TXT SYS_TST/App/KOKY0100.SCR"
(cd "$T" && sha256sum $OFFICE_FILES) >"$WORK/office.sha256"
echo "office files before the upgrade:"
sed 's/^/  /' "$WORK/office.sha256"

# ---- the upgrade: the package again, then the README's command -------------------------------
apt_install install --reinstall "$DEB"
as_user tav-make-installation >"$WORK/upgrade.log" 2>&1 || { cat "$WORK/upgrade.log"; fail "tav-make-installation (upgrade)"; }
sed 's/^/  upgrade: /' "$WORK/upgrade.log"
(cd "$T" && sha256sum -c --quiet "$WORK/office.sha256") || fail "an office file changed in the upgrade"
echo "office files after the upgrade: all $(wc -l <"$WORK/office.sha256") unchanged"

# A package whose KOKY0100.SCR is new: the unchanged copy is replaced, the office's kept.
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
printf '# new version\n' >>"$ROOT/usr/share/tav/KOKY0100.SCR"
chmod -R a+rX "$ROOT"
as_user "$ROOT/usr/bin/tav-make-installation" "$T" >"$WORK/refresh.log" 2>&1 || { cat "$WORK/refresh.log"; fail "refresh"; }
sed 's/^/  refresh: /' "$WORK/refresh.log"
cmp -s "$ROOT/usr/share/tav/KOKY0100.SCR" "$APP/KOKY0100.SCR" || fail "the unchanged KOKY0100.SCR was not replaced"
cmp -s "$ROOT/usr/share/tav/KOKY0100.SCR" "$T/SYS_TST/App/KOKY0100.SCR.tav-new" || fail "no new version beside the office's"
grep -qx "tav-make-installation: kept the office's $T/SYS_TST/App/KOKY0100.SCR; the package's new version is $T/SYS_TST/App/KOKY0100.SCR.tav-new" \
    "$WORK/refresh.log" || fail "the kept file was not named"
(cd "$T" && sha256sum -c --quiet "$WORK/office.sha256") || fail "an office file changed in the refresh"

# ---- the commands: help, refusals, failures from the desktop ---------------------------------
FRESH=$WORK/shared/fresh
mkdir -m 777 "$FRESH"
for cmd in tav-make-installation tav-menu tav-check-menu; do
    out=$(runuser -u "$USER_NAME" -- env HOME="$FRESH" XDG_RUNTIME_DIR="$URUNTIME" "$cmd" --help) || fail "$cmd --help exit status"
    grep -q "^Usage: $cmd" <<<"$out" || fail "$cmd --help: $out"
    man -w "$cmd" >/dev/null 2>&1 || fail "no manual page for $cmd"
done
[ -z "$(ls -A "$FRESH")" ] || fail "--help made files: $(ls -A "$FRESH")"
st=0; out=$(as_user tav-make-installation "$UHOME/TAV/SYS/App/TAV_MENU1.PWD/x" 2>&1) || st=$?
[ $st = 1 ] && grep -q 'it exists and is not a folder\|cannot make the installation folder' <<<"$out" || fail "refusal: $st $out"
st=0; out=$(as_user tav-make-installation "$UHOME/TAV/SYS" 2>&1) || st=$?
[ $st = 1 ] && grep -q 'is not empty and holds no TAV installation' <<<"$out" || fail "refusal of a foreign folder: $st $out"
# From the desktop, with a home that cannot be written: the reason in a box and on stderr.
RO=$WORK/shared/readonly
mkdir -m 555 "$RO"
(runuser -u "$USER_NAME" -- env HOME="$RO" XDG_RUNTIME_DIR="$URUNTIME" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb tav-menu </dev/null >/dev/null 2>"$WORK/ro.log") &
BOX_PID=$!
wait_for "the box of tav-menu" window_exists 'TAV 業務メニュー'
answer_default "$(windows_named 'TAV 業務メニュー' | head -n1)"
expect_exit BOX_PID 1 "tav-menu with an unwritable home"
grep -q "^tav-menu: cannot make the installation folder $RO/TAV: Permission denied" "$WORK/ro.log" || fail "tav-menu's reason: $(cat "$WORK/ro.log")"

# ---- purge: nothing of the package is left ---------------------------------------------------
dpkg-deb -c "$DEB" | awk '{ print substr($6, 2) }' | grep -v '/$' >"$WORK/files"
apt_install purge tav
INSTALLED=
dpkg-query -W -f='${Status}' tav 2>/dev/null | grep -q 'installed' && fail "still installed after purge"
while read -r f; do
    [ ! -e "$f" ] && [ ! -L "$f" ] || fail "$f left after purge"
done <"$WORK/files"
for d in /usr/lib/tav /usr/share/tav /usr/share/doc/tav; do [ ! -e "$d" ] || fail "$d left after purge"; done
echo "purged: $(wc -l <"$WORK/files") files of the package, none left; /usr/lib/tav, /usr/share/tav gone"
echo "PASS (package)"
