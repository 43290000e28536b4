#!/usr/bin/env bash
# Runs the real menu program on its own Xvfb display in a temporary installation (the
# demonstration installation's menu file and office database) and drives it with xdotool as a
# user would. The programs the menu starts are replaced by one that records its arguments.
#   menu_e2e.sh <scenario> <TAV_menu1> <tav_demo_make> <tav_demo_header> <tav_record_args>
# What the window shows is read from the state file the menu writes when TAV_MENU_STATE_FILE
# is set (one "control=text" line each).
set -euo pipefail
SCENARIO=$1
MENU_BIN=$2
MAKE_BIN=$3
HEADER_BIN=$4
RECORD_BIN=$5
E2E_PID_VARS="MENU_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
MENU_PID=
STATE="$WORK/state"

e2e_dump() {
    echo "-- state:" >&2
    cat "$STATE" >&2 2>/dev/null || true
    echo "-- windows:" >&2
    list_windows
    echo "-- menu output:" >&2
    cat "$WORK/menu.log" >&2 2>/dev/null || true
    [ -z "${LAST_FRAME:-}" ] || echo "-- the window's frame at the end: $LAST_FRAME" >&2
}

menu_running() { kill -0 "$MENU_PID" 2>/dev/null; }

finish() { expect_exit MENU_PID "$1" "the menu"; }  # the expected exit status

# Esc, then OK in the end-of-business confirmation: the menu ends with status 0.
end_of_business() {
    press "$MAIN" Escape
    wait_for "the end-of-business confirmation" window_exists '業務終了確認'
    answer_default "$(windows_named '業務終了確認' | head -n1)"
    finish 0
}

# ---- the display ----------------------------------------------------------------------------
start_display

# ---- the installation -----------------------------------------------------------------------
SYSTEM=SYS
case "$SCENARIO" in placement-test | hint) SYSTEM=SYS_TST ;; esac  # a test installation: bottom-right
APP="$WORK/TAV/$SYSTEM/App"
install_menu_with_recorders "$MENU_BIN" "$RECORD_BIN"
install -m 0755 "$HEADER_BIN" "$APP/tav_demo_header"  # the real one: the header changes
install -m 0755 "$RECORD_BIN" "$WORK/TAV/$SYSTEM/TAV_setup"
"$MAKE_BIN" "$APP" || fail "could not lay out the installation"
case "$SCENARIO" in
missing-menu) rm "$APP/TAV_MENU1.DAT" ;;
login | login-cancel) printf '1,"Open, Sesame"\r\n' >"$APP/TAV_MENU1.PWD" ;;
esac
export TAV_RECORD_FILE="$WORK/record"
export TAV_MENU_STATE_FILE="$STATE"

# ---- the run: from the program folder, where the password file lies -------------------------
(cd "$APP" && exec ./TAV_menu1) >"$WORK/menu.log" 2>&1 &
MENU_PID=$!

if [ "$SCENARIO" = missing-menu ]; then
    wait_for "the setup question" window_exists 'セットアップ確認'
    answer_default "$(windows_named 'セットアップ確認' | head -n1)"  # Yes
    finish 1
    wait_for "the setup program's start" test -e "$WORK/record"
    [ "$(head -n1 "$WORK/record")" = "$APP/../TAV_setup" ] ||
        fail "setup started as $(head -n1 "$WORK/record")"
    echo "PASS ($SCENARIO)"
    exit 0
fi

CAPTION='マルヴネシステム Ver 1.0'
wait_for "the menu window" window_exists "$CAPTION"
MAIN=$(windows_named "$CAPTION" | head -n1)
IFS=x read -r SCREEN_W SCREEN_H <<<"${E2E_SCREEN:-1280x1024}"

if [ "$SCENARIO" = login ] || [ "$SCENARIO" = login-cancel ]; then
    wait_for "the login window" window_exists 'TAV_LOGIN'
    LOGIN=$(windows_named 'TAV_LOGIN' | head -n1)
    if [ "$SCENARIO" = login-cancel ]; then
        # キャンセル at 4440, 2040, 1695 x 615 twips in the login window.
        xdotool mousemove --sync --window "$LOGIN" $(((4440 + 847) / 15)) $(((2040 + 307) / 15)) \
            click 1
        finish 0
        echo "PASS ($SCENARIO)"
        exit 0
    fi
    # The login window's frame is centred on the screen (within a pixel of rounding).
    read -r l t r b <<<"$(frame_of "$LOGIN")"
    [ $((l + r - SCREEN_W)) -ge -1 ] && [ $((l + r - SCREEN_W)) -le 1 ] &&
        [ $((t + b - SCREEN_H)) -ge -1 ] && [ $((t + b - SCREEN_H)) -le 1 ] ||
        fail "the login window's frame $l,$t-$r,$b is not centred on ${SCREEN_W}x$SCREEN_H"
    focus "$LOGIN"
    xdotool type --delay 20 'open, sesame'
    xdotool key --clearmodifiers Return
    expect_shown TAV_LOGIN.Lbl_msg 'パスワードが違います'
    window_exists 'TAV_LOGIN' || fail "a wrong password closed the login window"
    # The menu behind the login window is not usable: F1 starts nothing.
    press "$MAIN" F1
    focus "$LOGIN"
    xdotool key --clearmodifiers ctrl+a BackSpace
    xdotool type --delay 20 'Open, Sesame'
    xdotool key --clearmodifiers Return
    wait_for "the login window to close" window_gone 'TAV_LOGIN'
    wait_for "the state without the login window" lacks TAV_LOGIN
    [ ! -e "$WORK/record" ] || fail "a program was started while the login window was shown"
    menu_running || fail "the menu ended after the right password"
    end_of_business
    echo "PASS ($SCENARIO)"
    exit 0
fi

# The window is up with its caption, title and company header (trimmed, one blank after).
expect_shown caption "$CAPTION"
TITLE='マルヴネ 業務メニュー'
[ "$SYSTEM" = SYS_TST ] && TITLE='テスト環境'  # the name master's title of a test installation
expect_shown 'lblTitle(1)' "$TITLE"
expect_shown 'JISYA(0)' '株式会社マルヴネ　本店 '
expect_shown lblPage '（1／3）ページ'
expect_shown 'Command1(0)' '顧客照会 (F1)'
expect_shown 'Command1(11)' '日次締めと業務終了 (F12)'
# The clock: the first tick has run.
wait_for "the clock" grep -q '^Label3=..*' "$STATE"

case "$SCENARIO" in
window)
    end_of_business
    ;;
paging)
    press "$MAIN" Down  # the second list item
    expect_shown List1.row 1
    expect_shown 'Command1(0)' 'データフォルダ (F1)'
    expect_shown 'Command1(6)' '集計表 (F7)'
    expect_shown 'Command1(11)' ''
    click_twips 5160 1620 495 240  # ▼
    expect_shown lblPage '（2／3）ページ'
    expect_shown Combo1 '環境とオプション'
    expect_shown 'Command1(0)' 'テスト環境 (F1)'
    press "$MAIN" Down  # the option menu: buttons from the name master
    expect_shown 'Command1(0)' '顧客一覧表 (F1)'
    expect_shown 'Command1(2)' '利息計算 (F3)'
    click_twips 5160 1620 495 240  # ▼
    expect_shown lblPage '（3／3）ページ'
    expect_shown 'Command1(0)' '説明書を開いて業務終了 (F1)'
    expect_shown 'Command1(1)' ''
    click_twips 5160 1380 495 240  # ▲
    expect_shown lblPage '（2／3）ページ'
    end_of_business
    ;;
launch)
    press "$MAIN" F3  # launch mode 5: the program with " E000000000", waited for
    wait_for "the started program's record" test -e "$WORK/record"
    [ "$(head -n1 "$WORK/record")" = "$APP/TAV_KASI0100" ] || fail "started $(head -n1 "$WORK/record")"
    [ "$(sed -n '3,$p' "$WORK/record")" = "E000000000" ] ||
        fail "arguments: $(sed -n '3,$p' "$WORK/record" | tr '\n' ' ')"
    rm "$WORK/record"
    expect_shown enabled 1
    press "$MAIN" F1  # launch mode 0: the program with its own argument
    wait_for "the started program's record" test -e "$WORK/record"
    [ "$(head -n1 "$WORK/record")" = "$APP/tav_demo_note" ] || fail "started $(head -n1 "$WORK/record")"
    [ "$(sed -n '3,$p' "$WORK/record")" = "顧客照会" ] ||
        fail "arguments: $(sed -n '3,$p' "$WORK/record" | tr '\n' ' ')"
    rm "$WORK/record"
    press "$MAIN" F7  # no button F7 on this item: nothing
    press "$MAIN" F4  # launch mode 6, not waited for
    wait_for "the started program's record" test -e "$WORK/record"
    [ "$(sed -n '3,$p' "$WORK/record")" = "E000000000" ] || fail "mode 6 arguments"
    [ "$(head -n1 "$WORK/record")" = "$APP/TAV_KASI0200" ] || fail "F7 started something"
    end_of_business
    ;;
refresh)
    press "$MAIN" F2  # launch mode 2: works 3 seconds, changes the header, is waited for
    expect_shown enabled 0
    expect_shown hourglass 1
    # The clock goes on ticking while the window waits, disabled.
    first_clock=$(grep '^Label3=' "$STATE")
    clock_moved_while_waiting() {
        shows enabled 0 && grep -q '^Label3=' "$STATE" && ! grep -qxF "$first_clock" "$STATE"
    }
    wait_for "the clock to tick during the wait" clock_moved_while_waiting
    expect_shown 'JISYA(0)' '株式会社マルヴネ　新宿本店 '
    expect_shown enabled 1
    expect_shown hourglass 0
    menu_running || fail "the menu ended"
    end_of_business
    ;;
end)
    # Cancel leaves the menu as it was; OK ends it with status 0.
    press "$MAIN" Escape
    wait_for "the end-of-business confirmation" window_exists '業務終了確認'
    press "$(windows_named '業務終了確認' | head -n1)" Escape
    wait_for "the confirmation to close" window_gone '業務終了確認'
    menu_running || fail "Cancel ended the menu"
    expect_shown 'Command1(0)' '顧客照会 (F1)'
    click_twips 9960 6900 1800 495  # 終了(Esc)
    wait_for "the end-of-business confirmation" window_exists '業務終了確認'
    answer_default "$(windows_named '業務終了確認' | head -n1)"
    finish 0
    ;;
hint)
    # The real pointer over a function button shows its entry's description; over the list it
    # is cleared. F3 lies in the panel (4500, 1320 in the panel at 135, 2055), F12 on the window.
    hover_twips $((135 + 4500)) $((2055 + 1320)) 3400 550
    expect_shown lblBiko '起動パラメータ E000000000 を付けて起動し、終わるまで待ちます'
    [ -z "${TAV_E2E_SCREENSHOT:-}" ] || import -window root "$TAV_E2E_SCREENSHOT"
    hover_twips $((135 + 120)) $((2055 + 120)) 4200 3550  # List1
    expect_shown lblBiko ''
    hover_twips $((135 + 8130)) $((2055 + 3120)) 3400 550  # F12
    expect_shown lblBiko 'プログラムを起動してから業務終了を確認します'
    hover_twips $((135 + 4500)) $((2055 + 120)) 3400 550  # F1
    expect_shown lblBiko '顧客の情報を照会します（待たずに起動）'
    end_of_business
    ;;
enter)
    # List, Enter, Enter: the first button takes the focus, the second Enter presses it.
    press "$MAIN" Return
    xdotool key --clearmodifiers Return
    wait_for "the started program's record" test -e "$WORK/record"
    [ "$(head -n1 "$WORK/record")" = "$APP/tav_demo_note" ] || fail "started $(head -n1 "$WORK/record")"
    [ "$(sed -n '3,$p' "$WORK/record")" = "顧客照会" ] || fail "Enter started the wrong entry"
    end_of_business
    ;;
placement-main | placement-test)
    # Placed by the frame the window manager drew: centred in the main installation, in the
    # bottom-right corner of the screen in a test installation.
    xprop -id "$MAIN" _NET_FRAME_EXTENTS | grep -q '= ' || fail "the window manager drew no frame"
    placed() {
        LAST_FRAME=$(frame_of "$MAIN")
        read -r l t r b <<<"$LAST_FRAME"
        if [ "$SCENARIO" = placement-test ]; then
            [ "$r" -eq "$SCREEN_W" ] && [ "$b" -eq "$SCREEN_H" ]
        else
            [ $((l + r - SCREEN_W)) -ge -1 ] && [ $((l + r - SCREEN_W)) -le 1 ] &&
                [ $((t + b - SCREEN_H)) -ge -1 ] && [ $((t + b - SCREEN_H)) -le 1 ]
        fi
    }
    wait_for "the frame in its place on ${SCREEN_W}x$SCREEN_H" placed
    echo "frame $LAST_FRAME (left top right bottom) on ${SCREEN_W}x$SCREEN_H"
    end_of_business
    ;;
*)
    fail "unknown scenario"
    ;;
esac
echo "PASS ($SCENARIO)"
