# Two monitors side by side, RandR monitors on one wide screen (Xvfb's Xinerama puts every
# screen at 0,0, so it cannot stand for two monitors), with the primary on the left and then on
# the right: the full-screen saver covers both, the picture fills the primary keeping its aspect
# and the other stays black; as an xscreensaver display mode, each monitor's process plays in its
# own window, and only the primary monitor's plays the sound.
source "$(dirname "$0")/lib.sh"
# 4:3 clip on 640x480 monitors: the picture fills the monitor exactly. It has a tone, so that
# the sound is there to be played.
ffmpeg -loglevel error -y -f lavfi -i "color=c=green:s=320x240:r=25:d=60" \
    -f lavfi -i "sine=frequency=440:duration=60" -pix_fmt yuv420p -shortest "$MEDIA/green.mp4" \
    </dev/null
write_playlist "$MEDIA/green.mp4"

# sound_device NAME: an ALSA setting whose default device writes what it plays into the file
# $E2E_WORK/NAME.sound; prints the value for ALSA_CONFIG_PATH. The virtual display has no sound
# card: this is where a process's sound can be heard from outside.
sound_device() {
    printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' \
        "$E2E_WORK/$1.sound" >"$E2E_WORK/$1.asoundrc"
    echo "/usr/share/alsa/alsa.conf:$E2E_WORK/$1.asoundrc"
}

# heard NAME: whether sound other than silence has reached that device.
heard() {
    [[ -s "$E2E_WORK/$1.sound" ]] && (($(tr -d '\0' <"$E2E_WORK/$1.sound" | head -c 1 | wc -c) > 0))
}

# hosted_in HOSTID: waits until a saver window plays inside that host.
hosted_in() {
    local i
    for ((i = 0; i < 200; i++)); do
        xwininfo -children -id "$1" | grep -q '"DavodoR2.0"' && return 0
        sleep 0.1
    done
    return 1
}

# check_layout NAME PRIMARY-X OTHER-X: both layouts are two 640x480 monitors in a row.
check_layout() {
    local name=$1 primary_x=$2 other_x=$3
    note "$name: the full-screen saver"
    start_revuro /s
    local id
    id=$(wait_for_window DavodoR2.0) || fail "$name: no saver window"
    local info
    info=$(xwininfo -id "$id")
    grep -q 'Width: 1280' <<<"$info" && grep -q 'Height: 480' <<<"$info" ||
        fail "$name: the saver does not cover both monitors: $info"
    wait_for_colour green $((primary_x + 320)) 240 || fail "$name: nothing plays on the primary"
    # The picture takes the primary's whole size once the player has its place.
    for x in $((primary_x + 2)) $((primary_x + 637)); do
        wait_for_colour green "$x" 2 || fail "$name: the picture does not fill the primary at $x"
    done
    local file
    file=$(shot "monitors-$name")
    for x in $((other_x + 2)) $((other_x + 320)) $((other_x + 637)); do
        colour_is "$(pixel "$file" "$x" 240)" black || fail "$name: the other monitor is not black at $x"
    done

    note "$name: the X server keeps the black, with the saver stopped"
    kill -STOP "$REVURO_PID"
    start_host 200 200
    xdotool windowmove --sync "$HOST" $((other_x + 220)) 140
    wait_for_colour white $((other_x + 320)) 240 || fail "$name: the window over the saver does not show"
    kill "$HOST_PID"
    wait_for_colour black $((other_x + 320)) 240 ||
        fail "$name: what the window uncovered is not black without the saver's help"
    kill -CONT "$REVURO_PID"
    xdotool key Escape
    wait_for_exit "$REVURO_PID" 5 || fail "$name: a key did not end the saver"

    note "$name: one process per monitor, each in its own window"
    local hosts=() pids=() x host
    for x in 0 640; do
        start_host 640 480
        xdotool windowmove "$HOST" "$x" 0
        ALSA_CONFIG_PATH=$(sound_device "$name-$x") XSCREENSAVER_WINDOW=$(printf '0x%x' "$HOST") \
            start_revuro
        pids+=("$REVURO_PID")
        hosts+=("$HOST")
    done
    for host in "${hosts[@]}"; do hosted_in "$host" || fail "$name: no saver in host $host"; done
    wait_for_colour green 320 240 || fail "$name: the first monitor's process does not play"
    wait_for_colour green 960 240 || fail "$name: the second monitor's process does not play"
    shot "monitors-$name-xscreensaver" >/dev/null
    local i
    for ((i = 0; i < 100; i++)); do
        heard "$name-$primary_x" && break
        sleep 0.1
    done
    heard "$name-$primary_x" || fail "$name: the primary monitor's process plays no sound"
    # Both play their picture: the other process, had it any sound, would have opened its device.
    [[ ! -e "$E2E_WORK/$name-$other_x.sound" ]] ||
        fail "$name: the other monitor's process plays sound too"
    local pid
    for pid in "${pids[@]}"; do
        kill -TERM "$pid"
        wait_for_exit "$pid" 5 || fail "$name: SIGTERM did not end a monitor's process"
    done
}

# two_monitors PRIMARY-SIDE: a wide screen split into left and right; a leading * marks the
# primary monitor, which also holds the screen's output.
two_monitors() {
    start_xvfb 1280x480
    if [[ $1 == left ]]; then
        xrandr --setmonitor '*left' 640/170x480/127+0+0 screen >/dev/null
        xrandr --setmonitor right 640/170x480/127+640+0 none >/dev/null
    else
        xrandr --setmonitor left 640/170x480/127+0+0 none >/dev/null
        xrandr --setmonitor '*right' 640/170x480/127+640+0 screen >/dev/null
    fi
    (($(xrandr --listmonitors | head -n1 | awk '{print $2}') == 2)) || fail "no two RandR monitors"
}

two_monitors left
check_layout primary-left 0 640
kill "$XVFB_PID"

two_monitors right
check_layout primary-right 640 0
echo PASS
