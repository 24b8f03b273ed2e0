# The saver plays the playlist's clips in order, skips a missing and a corrupt item exactly once,
# and starts the list again only when looping is on.
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480

red=$(make_clip red.mp4 red 2)
green=$(make_clip green.mp4 green 2)
blue=$(make_clip blue.mp4 blue 2)
yellow=$(make_clip yellow.mp4 yellow 2)
head -c 4096 /dev/urandom >"$MEDIA/corrupt.avi"
write_playlist "$red" "$MEDIA/missing.mp4" "$green" "$MEDIA/corrupt.avi" "$blue" "$yellow"

note "loop off: the list plays once and its last picture stays"
set_loop 否
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
seen=$(watch_colours 14 320 240)
note "seen: $seen"
[[ $seen == "red green blue yellow " ]] || fail "loop off played '$seen', expected red green blue yellow once"
file=$(shot saver-loop-off-end)
colour_is "$(pixel "$file" 320 240)" yellow || fail "the last clip's picture did not stay on screen"
stop_revuro

note "loop on: the list starts again after its last item"
set_loop 是
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
seen=$(watch_colours 16 320 240)
note "seen: $seen"
[[ $seen == "red green blue yellow red"* ]] || fail "loop on played '$seen', expected the list again from red"
stop_revuro

note "a picture in the list shows for a while, then the next item plays"
ffmpeg -loglevel error -y -f lavfi -i "color=c=green:s=320x240" -frames:v 1 "$MEDIA/green.png" </dev/null
write_playlist "$MEDIA/green.png" "$red"
set_loop 否
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
seen=$(watch_colours 10 320 240)
note "seen: $seen"
[[ $seen == "green red " ]] || fail "picture then clip played '$seen', expected green red"
stop_revuro

note "the list read as a media player reads it, the saver started in another folder"
mkdir -p "$APP/media" "$MEDIA/lists"
cp "$red" "$APP/media/red.mp4"
# A Windows Media playlist of two clips, named relative to its own folder.
cp "$blue" "$yellow" "$MEDIA/lists/"
cat >"$MEDIA/lists/two.wpl" <<'WPL'
<?wpl version="1.0"?>
<smil><head><title>two</title></head>
<body><seq><media src="blue.mp4"/><media src="yellow.mp4"/></seq></body></smil>
WPL
write_playlist "#EXTM3U" "#EXTINF:2,red, relative to the playlist" "media/red.mp4" \
    "file://${green// /%20}" "$MEDIA/lists/two.wpl"
cd /
start_revuro /s
cd - >/dev/null
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
seen=$(watch_colours 14 320 240)
note "seen: $seen"
[[ $seen == "red green blue yellow " ]] ||
    fail "comments, a relative row, a file URL and a .wpl played '$seen', expected red green blue yellow"
grep -q 'EXT' "$E2E_WORK/revuro.log" && fail "a comment line was taken for a file"
stop_revuro
echo PASS
