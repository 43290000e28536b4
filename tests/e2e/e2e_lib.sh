# Shared by the whole-program runs: a work folder removed at the end, the programs started
# killed at the end, waits with a time-out, an Xvfb display of its own, and xdotool helpers.
# Source it after setting SCENARIO (named in failure lines). A run may define
#   e2e_dump      prints what helps to understand a failure (state, windows, logs)
#   e2e_cleanup   extra clean-up (a private server)
# and lists the variables holding the pids of the programs it starts in E2E_PID_VARS.
TIMEOUT=${TAV_E2E_TIMEOUT:-30}
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WORK=$(mktemp -d)
XVFB_PID=
E2E_PID_VARS=${E2E_PID_VARS:-}

e2e_finally() {
    local var
    for var in $E2E_PID_VARS; do
        [ -n "${!var:-}" ] && kill "${!var}" 2>/dev/null || true
    done
    if declare -F e2e_cleanup >/dev/null; then e2e_cleanup || true; fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap e2e_finally EXIT

fail() {
    echo "FAIL ($SCENARIO): $*" >&2
    if declare -F e2e_dump >/dev/null; then e2e_dump >&2 2>/dev/null || true; fi
    exit 1
}

# Polls a command every 50 ms until it succeeds; fails after the time-out.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + TIMEOUT))
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# The visible windows whose title is exactly $1, one id a line.
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
window_exists() { [ -n "$(windows_named "$1")" ]; }
window_gone() { ! window_exists "$1"; }
list_windows() { xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null || true; }

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }
press() {  # press <window id> <key...>
    local id=$1
    shift
    focus "$id"
    xdotool key --clearmodifiers "$@"
}
# Presses the default button of a box.
answer_default() { press "$1" Return; }

# Clicks the centre of a control of the main window given in twips, 15 twips a pixel.
click_twips() {
    local left=$1 top=$2 width=$3 height=$4
    xdotool mousemove --sync --window "$MAIN" $(((left + width / 2) / 15)) $(((top + height / 2) / 15)) \
        click 1
}

# What a program shows, read from the state file it writes ("control=text" lines) at $STATE.
shows() { grep -qxF "$1=$2" "$STATE" 2>/dev/null; }
lacks() { ! grep -q "^$1=" "$STATE" 2>/dev/null; }
expect_shown() { wait_for "$1 to show \"$2\"" shows "$1" "$2"; }

# Waits for the program whose pid is in variable $1 to end and checks its exit status.
expect_exit() {  # <pid variable> <status> <what>
    local var=$1 want=$2 what=$3
    local pid=${!var}
    ended() { ! kill -0 "$pid" 2>/dev/null; }
    wait_for "the end of $what" ended
    local status=0
    wait "$pid" || status=$?
    printf -v "$var" ''
    [ "$status" -eq "$want" ] || fail "$what: exit status $status, expected $want"
}

# An Xvfb display of this run's own; with "fonts", the project's font aliases too.
start_display() {
    Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    wait_for "the Xvfb display" test -s "$WORK/display"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    export QT_QPA_PLATFORM=xcb
    unset SESSION_MANAGER
    if [ "${1:-}" = fonts ]; then
        # shellcheck source=/dev/null
        source "$SOURCE_DIR/demo/fontconfig/fonts.sh"
        tav_font_config "$WORK/fontconfig"
    fi
}

# The menu in program folder $APP, with the recorder in place of every program the demo menu
# file starts, so that what the menu starts is recorded instead of run.
install_menu_with_recorders() {  # <TAV_menu1> <tav_record_args>
    mkdir -p "$APP"
    install -m 0755 "$1" "$APP/TAV_menu1"
    local name
    for name in tav_demo_header tav_demo_note TAV_KASI0100 TAV_KASI0200 TAV_OPT01 TAV_OPT02 TAV_OPT03; do
        install -m 0755 "$2" "$APP/$name"
    done
}
