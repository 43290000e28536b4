#!/usr/bin/env bash
# The setup path end to end: the menu in an installation without TAV_MENU1.DAT asks
# "セットアップ確認", Yes starts TAV_setup, agreement and "開始" run the real installation archive
# TAV_App.TAV of the build, which unpacks the standard menu file and the office files into App
# (keeping the menu program already there), "セットアップ完了" ends the setup, and the menu started
# again shows the standard menu.
#   setup_path_e2e.sh <TAV_menu1> <TAV_setup> <TAV_App.TAV>
set -euo pipefail
MENU_BIN=$1 SETUP_BIN=$2 ARCHIVE=$3
SCENARIO=setup-path
E2E_PID_VARS="MENU_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
MENU_PID=
e2e_dump() { list_windows; cat "$WORK/menu.log" "$WORK/state" 2>/dev/null || true; }

[ -x "$ARCHIVE" ] || fail "the archive is not an executable file"
SYS=$WORK/TAV/SYS
APP=$SYS/App
mkdir -p "$APP"
install -m 0755 "$MENU_BIN" "$APP/TAV_menu1"
install -m 0755 "$SETUP_BIN" "$SYS/TAV_setup"
install -m 0644 "$SOURCE_DIR/demo/setup/TAV_お読み下さい.TXT" "$SYS/TAV_お読み下さい.TXT"
install -m 0755 "$ARCHIVE" "$SYS/TAV_App.TAV"
MENU_SUM=$(sha256sum <"$APP/TAV_menu1")
start_display fonts
export TAV_MENU_STATE_FILE="$WORK/state"
STATE=$WORK/state

(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
wait_for "the setup question" window_exists 'セットアップ確認'
answer_default "$(windows_named 'セットアップ確認' | head -n1)"  # Yes
expect_exit MENU_PID 1 "the menu after the setup question"
wait_for "the setup window" window_exists 'TAV_setup'
MAIN=$(windows_named 'TAV_setup' | head -n1)
click_twips 2040 7440 1575 375  # 同意する
click_twips 2880 1800 975 495   # 開始
xdotool mousemove --sync --window "$MAIN" 700 250
wait_for "the completion message" window_exists '終了確認'
for f in TAV_MENU1.DAT TAV_MENU1.PWD FEND_RUN.INI TAV_OFFICE.db TAV_KOKY0100 KOKY0100.SCR tav_demo_note; do
    [ -e "$APP/$f" ] || fail "the archive did not unpack $f"
done
[ "$(sha256sum <"$APP/TAV_menu1")" = "$MENU_SUM" ] || fail "the archive replaced the menu program that was there"
grep -q "^Z_PATH0=$APP/TAV_OFFICE.db" <(tr -d '\r' <"$APP/FEND_RUN.INI") || fail "FEND_RUN.INI: $(cat "$APP/FEND_RUN.INI")"
answer_default "$(windows_named '終了確認' | head -n1)"
wait_for "the end of the setup program" window_gone 'TAV_setup'

(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
CAPTION='マルヴネシステム Ver 1.0'
wait_for "the menu window" window_exists "$CAPTION"
expect_shown 'JISYA(0)' '株式会社マルヴネ　本店 '
expect_shown Combo1 '日常業務'
expect_shown lblPage '（1／3）ページ'
press "$(windows_named "$CAPTION" | head -n1)" Escape
wait_for "the end-of-business confirmation" window_exists '業務終了確認'
answer_default "$(windows_named '業務終了確認' | head -n1)"
expect_exit MENU_PID 0 "the menu with the standard menu"
echo "PASS ($SCENARIO)"
