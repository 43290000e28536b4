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
WM_PID=
# A home and XDG folders of the run's own: nothing of the user running the tests is read or
# written, and nothing stays behind.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_CACHE_HOME="$WORK/home/.cache" \
    XDG_DATA_HOME="$WORK/home/.local/share" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset XDG_CONFIG_DIRS XDG_DATA_DIRS
E2E_PID_VARS=${E2E_PID_VARS:-}

e2e_finally() {
    local var
    for var in $E2E_PID_VARS; do
        [ -n "${!var:-}" ] && kill "${!var}" 2>/dev/null || true
    done
    if declare -F e2e_cleanup >/dev/null; then e2e_cleanup || true; fi
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap e2e_finally EXIT

fail() {
    echo "FAIL ($SCENARIO): $*" >&2
    if declare -F e2e_dump >/dev/null; then e2e_dump >&2 || true; fi
    if [ -n "$XVFB_PID" ]; then
        echo "-- display $DISPLAY: server $XVFB_PID $(kill -0 "$XVFB_PID" 2>/dev/null && echo running || echo gone)," \
            "socket $(ls /tmp/.X11-unix/X"${DISPLAY#:}" 2>/dev/null || echo missing)" >&2
        cat "$WORK/xvfb.log" >&2 2>/dev/null || true
    fi
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

# Under a window manager a window is activated as a user's click would; on a bare display it is
# given the input focus.
focus() {
    if [ -n "$WM_PID" ]; then
        xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowactivate "$1"
    else
        xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    fi
}
press() {  # press <window id> <key...>
    local id=$1
    shift
    focus "$id"
    xdotool key --clearmodifiers "$@"
}
# Presses the default button of a box.
answer_default() { press "$1" Return; }

# Moves the real pointer to a point of a window (pixels of its client area) and waits until it
# has moved. (mousemove --sync waits for a motion event, which never comes when the pointer is
# there already.)
pointer_to() {  # <window id> <x> <y>
    local before
    before=$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)
    xdotool mousemove --window "$1" "$2" "$3"
    pointer_moved() { [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" != "$before" ]; }
    local deadline=$((SECONDS + 2))
    until pointer_moved || ((SECONDS >= deadline)); do sleep 0.02; done
}

# The centre of a control given in twips (15 twips a pixel), relative to the window $MAIN.
twips_centre() { echo $((($1 + $3 / 2) / 15)) $((($2 + $4 / 2) / 15)); }
# Moves the pointer over a control of the main window given in twips, and clicks it.
hover_twips() { pointer_to "$MAIN" $(twips_centre "$@"); }
click_twips() {
    hover_twips "$@"
    xdotool click 1
}

# The frame of a window as the window manager drew it: "left top right bottom" in screen
# pixels, borders and title bar included (the client area on a bare display).
frame_of() {  # <window id>
    local X Y WIDTH HEIGHT WINDOW SCREEN l=0 r=0 t=0 b=0 extents
    eval "$(xdotool getwindowgeometry --shell "$1")"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    [ -n "$extents" ] && IFS=, read -r l r t b <<<"$extents"
    echo $((X - l)) $((Y - t)) $((X + WIDTH + r)) $((Y + HEIGHT + b))
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

# An Xvfb display of this run's own, $E2E_SCREEN (1280x1024) large, with the openbox window
# manager on it as on a desktop, or bare with "bare". Every program reads its fonts from the
# project's own font configuration.
start_display() {
    local attempt n
    # A display number of this run's own, drawn at random: the lowest free one (-displayfd) may
    # be one a server of another run is just leaving, whose exit then removes the new server's
    # socket. The server is ours when the display's lock file holds its pid.
    for attempt in 1 2 3 4 5; do
        n=$(((RANDOM * 32768 + RANDOM + $$) % 30000 + 100))
        # -noreset: by default the server resets when its last client leaves, and a bare
        # display's first program may connect just as the readiness check's xprop has left.
        Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1280x1024}x24" -nolisten tcp -noreset 2>"$WORK/xvfb.log" &
        XVFB_PID=$!
        export DISPLAY=":$n"
        display_ours() { [ "$({ tr -d ' \n' <"/tmp/.X$n-lock"; } 2>/dev/null)" = "$XVFB_PID" ]; }
        display_answers() { display_ours && xprop -root -len 0 RESOURCE_MANAGER >/dev/null 2>&1; }
        if wait_briefly display_answers; then break; fi
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        [ "$attempt" -lt 5 ] || fail "no Xvfb display could be started: $(cat "$WORK/xvfb.log")"
    done
    export QT_QPA_PLATFORM=xcb
    unset SESSION_MANAGER WAYLAND_DISPLAY
    # shellcheck source=/dev/null
    source "$SOURCE_DIR/demo/fontconfig/fonts.sh"
    tav_font_config "$WORK/fontconfig"
    if [ "${1:-}" != bare ]; then
        wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
        for attempt in 1 2 3; do
            openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
            WM_PID=$!
            if wait_briefly wm_ready; then return 0; fi
            kill "$WM_PID" 2>/dev/null || true
            wait "$WM_PID" 2>/dev/null || true
        done
        fail "the window manager did not start: $(cat "$WORK/openbox.log")"
    fi
}

# Like wait_for, but returns 1 instead of failing when the time-out (10 s) passes.
wait_briefly() {
    local i
    for ((i = 0; i < 200; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
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
