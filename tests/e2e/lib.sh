# Shared by the end-to-end tests: a private program folder, settings and runtime folder, an Xvfb
# of its own, generated clips, and helpers to drive and look at the real program.
# Every wait below is a bound on a hang, not a speed requirement.
set -euo pipefail

: "${REVURO:?REVURO must name the built executable}"
: "${REVURO_BUILD:?REVURO_BUILD must name the build folder}"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/revuro-e2e.XXXXXX")
APP="$E2E_WORK/app"          # the program folder: playlist and first.bmp live here
MEDIA="$E2E_WORK/media"
SHOTS="${REVURO_SHOTS:-$REVURO_BUILD/screenshots}"
mkdir -p "$APP" "$MEDIA" "$E2E_WORK/config" "$E2E_WORK/data" "$E2E_WORK/run" "$SHOTS"
chmod 700 "$E2E_WORK/run"
cp "$REVURO" "$APP/revuro"
[[ -f "$REVURO_BUILD/first.bmp" ]] && cp "$REVURO_BUILD/first.bmp" "$APP/"
export XDG_CONFIG_HOME="$E2E_WORK/config" XDG_DATA_HOME="$E2E_WORK/data"
export XDG_RUNTIME_DIR="$E2E_WORK/run"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
E2E_PIDS=()
E2E_USER=""

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [[ -n $E2E_USER ]]; then
        # Whatever the user still runs, then the user, its group and its home.
        for pid in $(pgrep -u "$E2E_USER" 2>/dev/null); do kill -9 "$pid" 2>/dev/null || true; done
        userdel -r "$E2E_USER" >/dev/null 2>&1 || echo "could not remove the user $E2E_USER" >&2
        rm -rf "/tmp/revuro-$E2E_UID"
    fi
    if [[ "${E2E_KEEP:-0}" != 1 ]]; then rm -rf "$E2E_WORK"; else echo "kept $E2E_WORK"; fi
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [[ -s "$E2E_WORK/revuro.log" ]]; then
        echo "-- the program's last words:" >&2
        tail -n 20 "$E2E_WORK/revuro.log" >&2
    fi
    exit 1
}
note() { echo "-- $*"; }

# start_xvfb [WxH [XVFB-ARGS...]]: a virtual screen of our own; exports DISPLAY and sets XVFB_PID.
start_xvfb() {
    local size=${1:-800x600}
    shift || true
    : >"$E2E_WORK/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" "$@" -nolisten tcp -noreset 3>"$E2E_WORK/display" \
        >"$E2E_WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    E2E_PIDS+=($!)
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$E2E_WORK/display" ]] && break
        sleep 0.1
    done
    [[ -s "$E2E_WORK/display" ]] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$E2E_WORK/display")"
}

# make_clip NAME COLOUR [SECONDS]: a solid-colour clip in $MEDIA; prints its path.
make_clip() {
    local out="$MEDIA/$1" colour=$2 seconds=${3:-2}
    ffmpeg -loglevel error -y -f lavfi -i "color=c=$colour:s=320x240:r=25:d=$seconds" \
        -pix_fmt yuv420p "$out" </dev/null
    echo "$out"
}

# write_playlist ROW...: varariv.m3u beside the program, rows joined by CR LF.
write_playlist() {
    local first=1 row
    : >"$APP/varariv.m3u"
    for row in "$@"; do
        ((first)) || printf '\r\n' >>"$APP/varariv.m3u"
        printf '%s' "$row" >>"$APP/varariv.m3u"
        first=0
    done
}

# set_loop 是|否: the loop choice in the settings store.
set_loop() {
    printf '[DavodoR2.0\\选项设置]\n顺序播放=%s\n' "$1" >"$XDG_CONFIG_HOME/revuro.ini"
}

# start_revuro ARGS...: runs the program in the background; sets REVURO_PID.
start_revuro() {
    "$APP/revuro" "$@" >>"$E2E_WORK/revuro.log" 2>&1 &
    REVURO_PID=$!
    E2E_PIDS+=("$REVURO_PID")
}

# search_window_until SECONDS XDOTOOL-SEARCH-ARGS...: prints the first window id the search
# finds within SECONDS.
search_window_until() {
    local limit=$1 i id
    shift
    for ((i = 0; i < limit * 10; i++)); do
        id=$(xdotool search "$@" 2>/dev/null | head -n1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# wait_for_window TITLE [SECONDS]: prints the id of a window with exactly that title, once it
# is on screen (mapped, and its parents too): a window still being mapped takes no focus.
wait_for_window() { search_window_until "${2:-20}" --onlyvisible --name "^$1\$"; }

# wait_for_window_made TITLE [SECONDS]: like wait_for_window, for a window that may not show.
wait_for_window_made() { search_window_until "${2:-20}" --name "^$1\$"; }

# wait_for_file_line FILE [SECONDS]: prints the first line of FILE once it is whole.
wait_for_file_line() {
    local i
    for ((i = 0; i < ${2:-10} * 10; i++)); do
        if [[ -f "$1" ]] && (($(wc -l <"$1") > 0)); then
            head -n1 "$1"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# start_host W H [unmapped]: a window of a program of our own, standing in for a preview area or
# xscreensaver's window; sets HOST (its id, decimal) and HOST_PID.
start_host() {
    local out
    out=$(mktemp "$E2E_WORK/host.XXXXXX")
    "$REVURO_BUILD/preview_host" "$@" >"$out" &
    HOST_PID=$!
    E2E_PIDS+=("$HOST_PID")
    HOST=$(wait_for_file_line "$out") || fail "the host window's program printed no window id"
}

# wait_for_exit PID [SECONDS]: true when the process ended in time; its status in EXIT_STATUS.
wait_for_exit() {
    local pid=$1 limit=${2:-10} i
    for ((i = 0; i < limit * 20; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$pid" 2>/dev/null || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# window_origin ID: the window's top-left corner on the screen, as "X Y".
window_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        END {print x, y}'
}

# capture FILE: the whole screen into FILE; prints FILE.
capture() {
    import -display "$DISPLAY" -window root "$1"
    echo "$1"
}

# shot NAME: a screenshot kept with the build for people to look at; prints its path.
shot() { capture "$SHOTS/$1.png"; }

# pixel FILE X Y: the colour there as "R G B" (0-255).
pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# colour_is "R G B" NAME: whether the colour is close to one of the clip colours.
colour_is() {
    local r g b
    read -r r g b <<<"$1"
    case $2 in
        red) ((r > 180 && g < 80 && b < 80)) ;;
        green) ((g > 90 && r < 80 && b < 80)) ;;
        blue) ((b > 180 && r < 80 && g < 80)) ;;
        yellow) ((r > 180 && g > 180 && b < 80)) ;;
        black) ((r < 20 && g < 20 && b < 20)) ;;
        white) ((r > 235 && g > 235 && b > 235)) ;;
        *) return 2 ;;
    esac
}

# wait_for_colour NAME X Y [SECONDS]: waits until the screen shows that colour at (X, Y).
wait_for_colour() {
    local name=$1 x=$2 y=$3 limit=${4:-20} i file
    for ((i = 0; i < limit * 4; i++)); do
        file=$(capture "$E2E_WORK/probe.png")
        if colour_is "$(pixel "$file" "$x" "$y")" "$name"; then return 0; fi
        sleep 0.25
    done
    return 1
}

# cpu_ticks PID: user + system clock ticks used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# colour_name "R G B": which clip colour it is, or "other".
colour_name() {
    local c
    for c in red green blue yellow black; do
        if colour_is "$1" "$c"; then
            echo "$c"
            return
        fi
    done
    echo other
}

# watch_colours SECONDS X Y: the clip colours shown at (X, Y), each change once, in order.
watch_colours() {
    local seconds=$1 x=$2 y=$3 last="" name file end
    end=$((SECONDS + seconds))
    while ((SECONDS < end)); do
        file=$(capture "$E2E_WORK/watch.png")
        name=$(colour_name "$(pixel "$file" "$x" "$y")")
        if [[ $name != other && $name != black && $name != "$last" ]]; then
            printf '%s ' "$name"
            last=$name
        fi
        sleep 0.1
    done
    echo
}

# windows_titled TITLE: how many windows carry exactly that title.
windows_titled() { xdotool search --name "^$1\$" 2>/dev/null | wc -l; }

# wait_for_no_window TITLE [SECONDS]: true once no window carries that title.
wait_for_no_window() {
    local i
    for ((i = 0; i < ${2:-10} * 10; i++)); do
        (($(windows_titled "$1") == 0)) && return 0
        sleep 0.1
    done
    return 1
}

# stop_revuro: ends the running program and waits until its windows are gone.
stop_revuro() {
    kill -9 "$REVURO_PID" 2>/dev/null || true
    wait_for_exit "$REVURO_PID" 10 || fail "the program did not end when killed"
}

# pointer_at X Y: moves the pointer to (X, Y) and prints the pointer the server shows there
# (see cursor_image); the move may still be on its way.
pointer_at() {
    xdotool mousemove "$1" "$2"
    "$REVURO_BUILD/cursor_image"
}

# wait_for_pointer X Y POINTER [SECONDS]: waits until the server shows that pointer at (X, Y).
wait_for_pointer() {
    local i seen=""
    for ((i = 0; i < ${4:-10} * 10; i++)); do
        seen=$(pointer_at "$1" "$2")
        [[ $seen == "$3" ]] && return 0
        sleep 0.1
    done
    echo "the pointer at ($1, $2) is \"$seen\", not \"$3\"" >&2
    return 1
}

# add_test_user: (root only) a normal user of the machine for this test, with its home in the
# test's folder, removed with everything it owns when the test ends; sets E2E_USER, E2E_UID,
# E2E_HOME. The test's folder is opened for it to read the program and the clips.
add_test_user() {
    E2E_HOME="$E2E_WORK/home"
    local name="revuro$$"
    useradd -m -d "$E2E_HOME" -s /bin/sh "$name" || fail "useradd could not make a user"
    E2E_USER=$name
    E2E_UID=$(id -u "$name")
    chmod 755 "$E2E_WORK" "$APP" "$MEDIA"
}

# as_user COMMAND...: runs COMMAND as the test's user (or as this one when not root), with a
# login's environment: HOME, the display, the locale and a runtime folder of its own.
as_user() {
    local run="$E2E_WORK/run-$E2E_UID"
    mkdir -p "$run"
    local -a vars=(HOME="$E2E_HOME" DISPLAY="$DISPLAY" LANG=C.UTF-8 LC_ALL=C.UTF-8
        PATH=/usr/local/bin:/usr/bin:/bin XDG_RUNTIME_DIR="$run")
    local name
    for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        [[ -n ${!name:-} ]] && vars+=("$name=${!name}")
    done
    if [[ -n $E2E_USER ]]; then
        chown "$E2E_USER:" "$run"
        chmod 700 "$run"
        setpriv --reuid="$E2E_UID" --regid="$(id -g "$E2E_USER")" --init-groups \
            env -i "${vars[@]}" "$@"
    else
        env -i "${vars[@]}" "$@"
    fi
}

# user_or_self: a normal user for the test: a new one when root, else whoever runs it, with a
# home of its own in the test's folder.
user_or_self() {
    if (($(id -u) == 0)); then
        add_test_user
    else
        E2E_HOME="$E2E_WORK/home"
        E2E_UID=$(id -u)
        mkdir -p "$E2E_HOME"
    fi
}
