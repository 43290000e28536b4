#!/usr/bin/env bash
# Builds the Debian package, checks what it declares and holds, unpacks it into a temporary root
# (dpkg-deb -x), makes an installation with the installed tav-make-installation and starts the
# installed menu through the installed tav-menu on its own Xvfb display; the menu must show its
# window with the company header from the installation's database and end with status 0.
#   package_e2e.sh <CPackConfig.cmake of the build folder>
set -euo pipefail
CONFIG=$1
SCENARIO=package
E2E_PID_VARS="MENU_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
MENU_PID=
e2e_dump() {
    cat "$WORK/state" 2>/dev/null || true
    cat "$WORK/menu.log" 2>/dev/null || true
}

# ---- the package ----------------------------------------------------------------------------
cpack --config "$CONFIG" -G DEB -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log" >&2; fail "cpack"; }
DEB=$(ls "$WORK"/pkg/tav_*.deb 2>/dev/null | head -n1)
[ -n "$DEB" ] || fail "no package in $WORK/pkg: $(ls "$WORK/pkg")"
echo "package: $(basename "$DEB") $(stat -c %s "$DEB") bytes"
[ "$(dpkg-deb -f "$DEB" Package)" = tav ] || fail "package name"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $DEPENDS"
for dep in libqt6widgets6 qt6-qpa-plugins unixodbc libsqliteodbc odbc-postgresql fonts-noto-cjk fontconfig libc6; do
    grep -Eq "(^|, )$dep( |,|$)" <<<"$DEPENDS" || fail "the package does not depend on $dep"
done
dpkg-deb -c "$DEB" >"$WORK/contents"
for path in ./usr/lib/tav/TAV_menu1 ./usr/lib/tav/TAV_setup ./usr/lib/tav/tav_demo_make \
    ./usr/bin/tav-make-installation ./usr/bin/tav-menu ./usr/share/applications/tav-menu.desktop \
    ./usr/share/fontconfig/conf.avail/65-tav-fonts.conf; do
    grep -q " $path\$" "$WORK/contents" || fail "the package lacks $path"
done
grep -q ' ./etc/fonts/conf.d/65-tav-fonts.conf -> ../../../usr/share/fontconfig/conf.avail/65-tav-fonts.conf$' \
    "$WORK/contents" || fail "the fontconfig link is missing or wrong"
ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT"
# The link resolves inside the unpacked root as it will on the machine.
cmp -s "$ROOT/etc/fonts/conf.d/65-tav-fonts.conf" "$ROOT/usr/share/fontconfig/conf.avail/65-tav-fonts.conf" ||
    fail "the fontconfig link does not lead to the alias file"
grep -qx 'Exec=tav-menu' "$ROOT/usr/share/applications/tav-menu.desktop" || fail "desktop entry Exec"
grep -qx 'Type=Application' "$ROOT/usr/share/applications/tav-menu.desktop" || fail "desktop entry Type"
[ -x "$ROOT/usr/bin/tav-menu" ] || fail "tav-menu is not executable"
# The installed programs are stripped and need no library of the build folder.
! ldd "$ROOT/usr/lib/tav/TAV_menu1" | grep -q 'not found' || fail "TAV_menu1 misses libraries"
! ldd "$ROOT/usr/lib/tav/TAV_menu1" | grep -q "$(dirname "$CONFIG")" || fail "TAV_menu1 uses the build folder"

# ---- an installation made with the installed generator --------------------------------------
export TAV_HOME="$WORK/home/TAV"
"$ROOT/usr/bin/tav-make-installation" "$TAV_HOME" >"$WORK/make.log" 2>&1 || { cat "$WORK/make.log" >&2; fail "tav-make-installation"; }
APP="$TAV_HOME/SYS/App"
for f in TAV_menu1 TAV_MENU1.DAT FEND_RUN.INI TAV_KASI0100 tav_demo_header; do
    [ -e "$APP/$f" ] || fail "the installation lacks SYS/App/$f"
done
[ -x "$TAV_HOME/SYS/TAV_setup" ] || fail "the setup program is not one folder above the program folder"
[ -x "$TAV_HOME/SYS_TST/App/TAV_menu1" ] || fail "no test installation"
# The copy in the user's folder, not a link into the package's folder.
[ ! -L "$APP/TAV_menu1" ] || fail "the menu is a link"

# ---- the installed menu under Xvfb ----------------------------------------------------------
start_display
# The package's alias as the machine would read it from /etc/fonts/conf.d.
cat >"$WORK/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <include>$ROOT/etc/fonts/conf.d/65-tav-fonts.conf</include>
</fontconfig>
CONF
export FONTCONFIG_FILE="$WORK/fonts.conf"
fc-match 'ＭＳ ゴシック' | grep -q 'Noto Sans CJK' || fail "the alias does not lead ＭＳ ゴシック to Noto Sans CJK: $(fc-match 'ＭＳ ゴシック')"
export TAV_MENU_STATE_FILE="$WORK/state"
(cd / && exec "$ROOT/usr/bin/tav-menu") >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
CAPTION='マルヴネシステム Ver 1.0'
STATE="$WORK/state"
wait_for "the menu window" window_exists "$CAPTION"
expect_shown 'JISYA(0)' '株式会社マルヴネ　本店 '
press "$(windows_named "$CAPTION" | head -n1)" Escape
wait_for "the end-of-business confirmation" window_exists '業務終了確認'
answer_default "$(windows_named '業務終了確認' | head -n1)"
expect_exit MENU_PID 0 "the installed menu"
echo "PASS (package)"
