#!/usr/bin/env bash
# The Flash helper on its own, in a stand-in host window, driven over its pipe as the saver
# drives it: it shows a movie's stage with black bars and reports each pass, refuses what it
# cannot play without showing Ruffle's error panel (its window goes out of the way), reaches no
# network, takes neither keyboard nor mouse, and ends with its pipe or its host window.
source "$(dirname "$0")/lib.sh"
: "${REVURO_FLASH:?REVURO_FLASH must name the built helper}"

cp "$REVURO_FLASH" "$APP/revuro-flash"
ln -s "$REVURO_BUILD/ruffle" "$APP/ruffle"
MAKE_SWF="$REVURO_BUILD/make_swf"
REPORTS="$E2E_WORK/reports"
start_xvfb 800x600

start_host 640 360
read -r HOST_X HOST_Y <<<"$(window_origin "$HOST")"

# start_helper: the helper in the host window, its commands from fd 4; sets HELPER_PID.
start_helper() {
    rm -f "$E2E_WORK/to-helper" "$REPORTS"
    mkfifo "$E2E_WORK/to-helper"
    : >"$REPORTS"
    "$APP/revuro-flash" --window "$HOST" --video-output x11 <"$E2E_WORK/to-helper" \
        >"$REPORTS" 2>>"$E2E_WORK/revuro.log" &
    HELPER_PID=$!
    E2E_PIDS+=("$HELPER_PID")
    exec 4>"$E2E_WORK/to-helper"
}
send() { printf '%s\n' "$*" >&4; }

# wait_for_report REGEX [SECONDS] [COUNT]: waits until COUNT report lines match REGEX.
# The first load starts the web engine, which takes its time on a busy machine.
wait_for_report() {
    local regex=$1 limit=${2:-60} count=${3:-1} i
    for ((i = 0; i < limit * 10; i++)); do
        (($(grep -cE "$regex" "$REPORTS") >= count)) && return 0
        sleep 0.1
    done
    echo "-- the helper reported:" >&2
    cat "$REPORTS" >&2
    return 1
}

# area_is_host FILE: whether the host's whole area shows the host's own white in the
# screenshot: the helper's window is out of the way.
area_is_host() {
    local min
    min=$(convert "$1" -crop "640x360+$HOST_X+$HOST_Y" +repage -format '%[fx:int(255*minima)]' info:)
    ((min > 230))
}

make_movie() { "$MAKE_SWF" "$MEDIA/$1" "${@:2}" || fail "make_swf could not write $1"; }
make_movie red.swf --colour ff0000 --size 320x240 --frames 12 --rate 24 --square
make_movie red-lzma.swf --colour ff0000 --size 320x240 --frames 12 --rate 24 --pack lzma
make_movie as3.swf --colour ff00ff --size 320x240 --frames 12 --rate 24 --as3 --pack zlib
make_movie version0.swf --colour 00ff00 --frames 12
# Flash version 0 passes the program's own reading; Ruffle refuses it with its error panel.
printf '\x00' | dd of="$MEDIA/version0.swf" bs=1 seek=3 conv=notrunc status=none
head -c 300 /dev/urandom >"$MEDIA/random.swf"
: >"$MEDIA/empty.swf"
head -c 12 "$MEDIA/red.swf" >"$MEDIA/header-only.swf"

start_helper
xdotool windowfocus --sync "$HOST" 2>/dev/null || fail "the stand-in host could not take the focus"

note "a movie fills the host keeping its aspect, black bars beside it, one report per pass"
send "load 1 $MEDIA/red.swf"
wait_for_report '^loaded 1 500 1$' || fail "the movie was not shown with a pass signal"
wait_for_report '^pass 1$' 20 2 || fail "no pass was reported twice"
file=$(shot flash_helper_stage)
# The square moves through the middle; above it the stage shows its colour.
colour_is "$(pixel "$file" $((HOST_X + 320)) $((HOST_Y + 40)))" red || fail "the stage is not in the middle"
colour_is "$(pixel "$file" $((HOST_X + 40)) $((HOST_Y + 180)))" black || fail "no black bar on the left"
colour_is "$(pixel "$file" $((HOST_X + 600)) $((HOST_Y + 180)))" black || fail "no black bar on the right"

note "the helper takes neither the keyboard nor the mouse"
[[ $(xdotool getwindowfocus) == "$HOST" ]] || fail "the helper took the keyboard focus"
xdotool mousemove $((HOST_X + 320)) $((HOST_Y + 180))
[[ $("$REVURO_BUILD/pointer_window") == "$HOST" ]] || fail "the helper's window takes the mouse"

note "an LZMA movie plays; an ActionScript 3 movie has no pass signal"
send "load 2 $MEDIA/red-lzma.swf"
wait_for_report '^loaded 2 500 1$' 30 || fail "the LZMA movie was not shown"
send "load 3 $MEDIA/as3.swf"
wait_for_report '^loaded 3 500 0$' 30 || fail "the ActionScript 3 movie was not shown without a signal"

note "what cannot be played is one failure each, and Ruffle's error panel never shows"
send "load 4 $MEDIA/random.swf"
send "load 5 $MEDIA/empty.swf"
send "load 6 $MEDIA/header-only.swf"
send "load 7 $MEDIA/missing.swf"
wait_for_report '^failed 4 not a Flash movie$' 30 || fail "a file of random bytes was not refused"
wait_for_report '^failed 5 the file is empty$' 30 || fail "an empty file was not refused"
wait_for_report '^failed 6 the file ends inside its header$' 30 || fail "a cut file was not refused"
wait_for_report '^failed 7 ' 30 || fail "a missing file was not refused"
send "load 8 $MEDIA/version0.swf"
wait_for_report '^failed 8 Ruffle ' 30 || fail "Ruffle's refusal was not reported"
area_is_host "$(shot flash_helper_refused)" || fail "something shows where the refused movie was"
(($(grep -c '^loaded [45678] ' "$REPORTS") == 0)) || fail "a refused movie was reported as shown"

note "a movie that asks for the network reaches nothing"
# Not holding the pipe to the helper open: the helper ends when the pipe closes.
"$REVURO_BUILD/tcp_listener" >"$E2E_WORK/listener" 4>&- &
E2E_PIDS+=($!)
port=$(wait_for_file_line "$E2E_WORK/listener" 10) || fail "the listener did not start"
args=()
for url in "http://127.0.0.1:$port/page" "https://127.0.0.1:$port/page"; do
    # a browser window, this page, a movie level, a named frame
    for target in _blank "" _level1 frame; do args+=(--get-url "$url" "$target"); done
done
make_movie network.swf --colour 0000ff --frames 6 --rate 24 "${args[@]}"
send "load 9 $MEDIA/network.swf"
wait_for_report '^pass 9$' 30 3 || fail "the network movie did not play its passes"
(($(wc -l <"$E2E_WORK/listener") == 1)) || fail "the movie reached the listener"
# The listener does count what reaches it.
exec 5<>"/dev/tcp/127.0.0.1/$port"
exec 5>&-
for ((i = 0; i < 100; i++)); do (($(wc -l <"$E2E_WORK/listener") > 1)) && break; sleep 0.1; done
(($(wc -l <"$E2E_WORK/listener") > 1)) || fail "the listener counts no connection"

note "stop takes the movie window out of the way"
send stop
for ((i = 0; i < 100; i++)); do area_is_host "$(capture "$E2E_WORK/probe.png")" && break; sleep 0.1; done
area_is_host "$E2E_WORK/probe.png" || fail "the movie stayed after stop"

note "the helper ends when its pipe closes"
exec 4>&-
wait_for_exit "$HELPER_PID" 20 || fail "the helper did not end when the pipe closed"
((EXIT_STATUS == 0)) || fail "the helper ended with status $EXIT_STATUS"

note "the helper ends with its host window"
start_helper
send "load 10 $MEDIA/red.swf"
wait_for_report '^loaded 10 ' || fail "the movie was not shown"
[[ $("$REVURO_BUILD/host_control" destroy "$HOST") == done ]] || fail "the host window was not destroyed"
wait_for_exit "$HELPER_PID" 20 || fail "the helper did not end with its host window"
exec 4>&-

note "without Ruffle's files the helper says so and ends"
mkdir "$E2E_WORK/bare"
cp "$REVURO_FLASH" "$E2E_WORK/bare/revuro-flash"
status=0
output=$("$E2E_WORK/bare/revuro-flash" --window "$HOST" </dev/null) || status=$?
((status == 3)) || fail "the helper without Ruffle ended with status $status"
[[ $output == "unavailable Ruffle's files are missing from $E2E_WORK/bare/ruffle" ]] ||
    fail "the helper without Ruffle said: $output"
echo PASS
