#!/usr/bin/env bash
# Runs the real setup program on its own Xvfb display in a temporary installation and answers
# its windows and boxes with xdotool, as a user would.
#   setup_e2e.sh <TAV_setup binary> archive|missing-archive|abort|missing-readme|demo
# "demo" installs with the demonstration installation's piece (demo/setup) and checks that its
# archive unpacked the menu file into the menu's program folder.
set -euo pipefail
SETUP_BIN=$1
SCENARIO=$2
E2E_PID_VARS="SETUP_PID"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
SETUP_PID=
e2e_dump() {
    echo "-- windows:"
    list_windows
}
setup_running() { kill -0 "$SETUP_PID" 2>/dev/null; }

# ---- the display ----------------------------------------------------------------------------
start_display

# ---- the installation: the setup program with its readme and archive -----------------------
INST="$WORK/TAV/SYS"
OUT="$WORK/out"
mkdir -p "$INST" "$OUT"
if [ "$SCENARIO" = demo ]; then
    mkdir -p "$INST/App" "$WORK/payload"
    printf '@10 demo\r\n' >"$WORK/payload/TAV_MENU1.DAT"
    bash "$SOURCE_DIR/demo/setup/install_setup.sh" "$SETUP_BIN" "$INST/App" "$WORK/payload"
else
    cp "$SETUP_BIN" "$INST/TAV_setup"
fi
if [ "$SCENARIO" = demo ]; then
    :
elif [ "$SCENARIO" != missing-readme ]; then
    printf 'セットアップの前にお読み下さい。\r\n\r\n㈱マルヴネ\r\n' | iconv -f UTF-8 -t CP932 \
        >"$INST/TAV_お読み下さい.TXT"
fi
if [ "$SCENARIO" != missing-archive ] && [ "$SCENARIO" != demo ]; then
    # A stand-in for the self-extracting archive: records that it ran, works a second, and
    # records its end just before it ends.
    cat >"$INST/TAV_App.TAV" <<'ARCHIVE'
#!/bin/sh
printf '%s\n' "$0" "$@" >"$TAV_E2E_OUT/started"
sleep 1
: >"$TAV_E2E_OUT/ended"
ARCHIVE
    chmod +x "$INST/TAV_App.TAV"
fi
export TAV_E2E_OUT="$OUT"

# ---- the run -------------------------------------------------------------------------------
(cd "$WORK" && exec "$INST/TAV_setup") >"$WORK/setup.log" 2>&1 &
SETUP_PID=$!

finish() { expect_exit SETUP_PID "$1" "the setup program"; }  # the expected exit status

if [ "$SCENARIO" = missing-readme ]; then
    wait_for "the readme error box" window_exists '起動エラー'
    window_exists 'TAV_setup' && fail "the setup window was shown without a readme"
    answer_default "$(windows_named '起動エラー' | head -n1)"
    finish 1
    [ ! -e "$OUT/started" ] || fail "something was started"
    echo "PASS ($SCENARIO)"
    exit 0
fi

wait_for "the setup window" window_exists 'TAV_setup'
MAIN=$(windows_named 'TAV_setup' | head -n1)

if [ "$SCENARIO" = abort ]; then
    click_twips 9240 7440 1095 375  # 終了
    wait_for "the abort question" window_exists '中断確認'
    answer_default "$(windows_named '中断確認' | head -n1)"  # Yes is preselected
    finish 0
    [ ! -e "$OUT/started" ] || fail "the archive was started"
    # The setup program creates no file of its own: a run that logs nothing leaves no log.
    [ ! -e "$INST/FEND_SYS.LOG" ] || fail "the setup program created FEND_SYS.LOG"
    echo "PASS ($SCENARIO)"
    exit 0
fi

click_twips 2880 1800 975 495   # 開始, still disabled: nothing may happen
click_twips 2040 7440 1575 375  # 同意する
click_twips 2880 1800 975 495   # 開始
# The pointer leaves the button, so that no tool tip window joins the program's windows.
xdotool mousemove --sync --window "$MAIN" 700 250

if [ "$SCENARIO" = archive ]; then
    wait_for "the archive's start" test -e "$OUT/started"
    grep -qx "$INST/TAV_App.TAV" "$OUT/started" || fail "archive started as $(head -n1 "$OUT/started")"
    # While the archive works, no completion message. (The end marker is looked at after the
    # box: a box seen while the marker is still missing was shown too early.)
    while [ ! -e "$OUT/ended" ]; do
        if window_exists '終了確認' && [ ! -e "$OUT/ended" ]; then
            fail "completion shown while the archive was still running"
        fi
        setup_running || fail "the setup program ended while the archive was running"
        sleep 0.05
    done
    wait_for "the completion message" window_exists '終了確認'
    [ -e "$OUT/ended" ] || fail "completion shown before the archive ended"
    setup_running || fail "the setup program ended before the completion message was answered"
    answer_default "$(windows_named '終了確認' | head -n1)"
    finish 0
    [ ! -e "$INST/FEND_SYS.LOG" ] || fail "the setup program created FEND_SYS.LOG"
elif [ "$SCENARIO" = demo ]; then
    wait_for "the completion message" window_exists '終了確認'
    cmp -s "$WORK/payload/TAV_MENU1.DAT" "$INST/App/TAV_MENU1.DAT" ||
        fail "the demo archive did not unpack the menu file before the completion message"
    answer_default "$(windows_named '終了確認' | head -n1)"
    finish 0
else
    # The launcher's box (the program's title, beside the setup window), then the completion.
    launcher_box() { windows_named 'TAV_setup' | grep -vx "$MAIN"; }
    wait_for "the launcher's not-found box" launcher_box
    window_exists '終了確認' && fail "completion shown before the not-found box was answered"
    answer_default "$(launcher_box | head -n1)"
    wait_for "the completion message" window_exists '終了確認'
    answer_default "$(windows_named '終了確認' | head -n1)"
    finish 0
fi
echo "PASS ($SCENARIO)"
