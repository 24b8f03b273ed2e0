#!/usr/bin/env bash
# Flash movies in the real saver, played by its helper: a movie fills the primary monitor
# keeping its aspect between black bars, in order with movies and pictures; what the helper
# cannot play is one skip without Ruffle's error panel; any key ends the saver while a movie
# plays; a movie reaches no network; a helper that dies or is missing costs one movie; the
# trial window plays a movie too.
source "$(dirname "$0")/lib.sh"
: "${REVURO_FLASH:?REVURO_FLASH must name the built helper}"

cp "$REVURO_FLASH" "$APP/revuro-flash"
ln -s "$REVURO_BUILD/ruffle" "$APP/ruffle"
MAKE_SWF="$REVURO_BUILD/make_swf"
start_xvfb 640x480

make_movie() { "$MAKE_SWF" "$MEDIA/$1" "${@:2}" || fail "make_swf could not write $1"; }
# A stage of 8:3 on a 4:3 screen: 640x240 in the middle, bars of 120 above and below.
make_movie blue.swf --colour 0000ff --size 320x120 --frames 12 --rate 24
green=$(make_clip green.mp4 green 2)
ffmpeg -loglevel error -y -f lavfi -i "color=c=yellow:s=320x240" -frames:v 1 "$MEDIA/yellow.png" </dev/null
ffmpeg -loglevel error -y -f lavfi -i "color=c=white:s=320x240" -frames:v 1 "$MEDIA/white.png" </dev/null

# The first movie starts the helper and its web engine, which takes its time on a busy machine.
FLASH_WAIT=60

note "a movie, a Flash movie and a picture play in order; the Flash stage fills the middle"
make_movie red.swf --colour ff0000 --size 320x120 --frames 12 --rate 24
write_playlist "$green" "$MEDIA/blue.swf" "$MEDIA/yellow.png" "$MEDIA/red.swf"
set_loop 否
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
wait_for_colour green 320 240 || fail "the movie did not play first"
wait_for_colour blue 320 240 $FLASH_WAIT || fail "the Flash movie did not play after the movie"
file=$(shot saver_flash_stage)
colour_is "$(pixel "$file" 320 130)" blue || fail "the stage does not reach its top edge"
colour_is "$(pixel "$file" 320 350)" blue || fail "the stage does not reach its bottom edge"
colour_is "$(pixel "$file" 320 60)" black || fail "no black bar above the stage"
colour_is "$(pixel "$file" 320 420)" black || fail "no black bar below the stage"
wait_for_colour yellow 320 240 30 || fail "the picture did not follow the Flash movie"
wait_for_colour red 320 240 30 || fail "the second Flash movie did not follow the picture"
stop_revuro

# chroma_max FILE: the most colourful pixel of the screenshot, 0-100; black, greys and white
# (the notes) are 0.
chroma_max() { convert "$1" -colorspace HCL -channel G -separate +channel -format '%[fx:int(100*maxima)]' info:; }

note "what cannot be played is skipped without Ruffle's error panel; a movie reaches no network"
"$REVURO_BUILD/tcp_listener" >"$E2E_WORK/listener" &
E2E_PIDS+=($!)
port=$(wait_for_file_line "$E2E_WORK/listener" 10) || fail "the listener did not start"
args=()
for target in _blank "" _level1; do args+=(--get-url "http://127.0.0.1:$port/page" "$target"); done
make_movie network.swf --colour 0000ff --size 320x120 --frames 6 --rate 24 "${args[@]}"
make_movie version0.swf --colour 00ff00 --frames 12
# Flash version 0 passes the program's own reading; Ruffle refuses it with its error panel.
printf '\x00' | dd of="$MEDIA/version0.swf" bs=1 seek=3 conv=notrunc status=none
head -c 300 /dev/urandom >"$MEDIA/random.swf"
write_playlist "$MEDIA/version0.swf" "$MEDIA/random.swf" "$MEDIA/missing.swf" "$MEDIA/network.swf" \
    "$MEDIA/white.png"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
for ((i = 0; ; i++)); do
    ((i < FLASH_WAIT * 4)) || fail "the movie after the refused ones did not play"
    file=$(capture "$E2E_WORK/probe.png")
    colour_is "$(pixel "$file" 320 240)" blue && break
    chroma=$(chroma_max "$file")
    if ((chroma >= 15)); then
        cp "$file" "$SHOTS/saver_flash_refused.png"
        fail "colours on screen while the refused movies were skipped"
    fi
    sleep 0.25
done
for ((i = 0; i < 120; i++)); do
    [[ $(pixel "$(capture "$E2E_WORK/probe.png")" 320 240) == "255 255 255" ]] && break
    sleep 0.25
done
[[ $(pixel "$E2E_WORK/probe.png" 320 240) == "255 255 255" ]] || fail "the picture after the network movie did not show"
(($(wc -l <"$E2E_WORK/listener") == 1)) || fail "the movie reached the listener"
stop_revuro

note "in the saver any key ends a playing movie, mouse movement does not"
make_movie long.swf --colour 0000ff --size 320x120 --frames 1200 --rate 24
write_playlist "$MEDIA/long.swf"
for key in Escape a; do
    start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
    wait_for_colour blue 320 240 $FLASH_WAIT || fail "the movie is not shown"
    helper=$(pgrep -P "$REVURO_PID" -f revuro-flash) || fail "no helper runs beside the saver"
    xdotool mousemove 100 100 sleep 0.2 mousemove 400 300
    sleep 1
    kill -0 "$REVURO_PID" 2>/dev/null || fail "the saver ended on mouse movement"
    xdotool key "$key"
    wait_for_exit "$REVURO_PID" 5 || fail "key $key did not end the saver during the movie"
    ((EXIT_STATUS == 0)) || fail "key $key ended the saver with status $EXIT_STATUS"
    for ((i = 0; i < 100; i++)); do kill -0 "$helper" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$helper" 2>/dev/null && fail "the helper outlived the saver"
done

note "a helper that dies costs its movie only; the list goes on"
write_playlist "$MEDIA/long.swf" "$MEDIA/yellow.png"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
wait_for_colour blue 320 240 $FLASH_WAIT || fail "the movie is not shown"
kill -9 "$(pgrep -P "$REVURO_PID" -f revuro-flash)" || fail "no helper to kill"
wait_for_colour yellow 320 240 || fail "the list did not go on after the helper died"
stop_revuro

note "without the helper a Flash movie is skipped and the rest plays"
mv "$APP/revuro-flash" "$E2E_WORK/revuro-flash"
write_playlist "$MEDIA/blue.swf" "$MEDIA/yellow.png"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
wait_for_colour yellow 320 240 || fail "the picture after the Flash movie did not show"
stop_revuro
mv "$E2E_WORK/revuro-flash" "$APP/revuro-flash"

note "the trial window plays a Flash row"
write_playlist "$MEDIA/blue.swf"
start_revuro /c
id=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
xdotool windowfocus --sync "$id" key alt+p
trial=$(wait_for_window "DavodoR2.0  播放电影") || fail "play all showed no trial window"
read -r tx ty < <(window_origin "$trial")
wait_for_colour blue $((tx + 150)) $((ty + 100)) $FLASH_WAIT || fail "the trial window does not play the Flash row"
shot saver_flash_trial >/dev/null
stop_revuro
echo PASS
