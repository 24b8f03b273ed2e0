#!/usr/bin/env bash
# Flash movies in the real saver, played by its helper: a movie fills the primary monitor
# keeping its aspect between black bars, in order with movies and pictures; what the helper
# cannot play is one skip without Ruffle's error panel; any key ends the saver while a movie
# plays; a movie reaches no network; the trial window plays a movie too.
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
echo PASS
