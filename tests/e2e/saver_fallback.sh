# Without a playlist the saver shows first.bmp over the primary screen; with a list where nothing
# can be played it settles on that picture and stays idle instead of spinning through the list.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600

expected="$E2E_WORK/expected.png"
# first.bmp is 16:9: on an 800x600 screen it fills 800x450 between two black bands.
convert "$APP/first.bmp" -resize '800x450!' "$expected"

# same_as_first_bmp FILE: the screenshot's picture area matches first.bmp scaled.
same_as_first_bmp() {
    convert "$1" -crop 800x450+0+75 +repage "$E2E_WORK/area.png"
    local error
    error=$(compare -metric RMSE "$E2E_WORK/area.png" "$expected" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/')
    note "difference from first.bmp: $error"
    awk -v e="$error" 'BEGIN { exit !(e < 0.08) }'
}

note "no playlist: first.bmp"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
sleep 3
file=$(shot saver-no-playlist)
same_as_first_bmp "$file" || fail "the screen does not show first.bmp"
colour_is "$(pixel "$file" 400 20)" black || fail "the band above the picture is not black"
sleep 6  # longer than a picture's turn in a list: the fallback must stay
same_as_first_bmp "$(shot saver-no-playlist-later)" || fail "first.bmp did not stay"
stop_revuro

note "nothing playable, loop on: first.bmp, idle"
head -c 2048 /dev/urandom >"$MEDIA/corrupt.mkv"
write_playlist "$MEDIA/missing-1.mp4" "$MEDIA/corrupt.mkv" "$MEDIA/missing-2.mp4"
set_loop 是
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
sleep 4
before=$(cpu_ticks "$REVURO_PID")
sleep 4
after=$(cpu_ticks "$REVURO_PID")
ticks_per_second=$(getconf CLK_TCK)
note "CPU over 4 s: $((after - before)) ticks of $((4 * ticks_per_second))"
# Idle means a small share of one core, far from the full core a spinning loop takes.
(((after - before) * 10 < 4 * ticks_per_second)) || fail "the saver keeps the CPU busy"
same_as_first_bmp "$(shot saver-nothing-plays)" || fail "the saver does not show first.bmp"

note "a sound file that holds nothing, loop on: first.bmp, idle"
stop_revuro
# A WAV header of 44 bytes and not one sample: it opens, and ends at once without showing or
# sounding anything.
printf 'RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00data\x00\x00\x00\x00' \
    >"$MEDIA/empty.wav"
(($(stat -c %s "$MEDIA/empty.wav") == 44)) || fail "the test's WAV header is not 44 bytes"
write_playlist "$MEDIA/empty.wav"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
sleep 4
before=$(cpu_ticks "$REVURO_PID")
sleep 4
after=$(cpu_ticks "$REVURO_PID")
note "CPU over 4 s: $((after - before)) ticks of $((4 * ticks_per_second))"
(((after - before) * 10 < 4 * ticks_per_second)) || fail "an empty sound keeps the CPU busy"
same_as_first_bmp "$(shot saver-empty-sound)" || fail "an empty sound does not end on first.bmp"
xdotool key Escape
wait_for_exit "$REVURO_PID" 5 || fail "Escape did not end the saver on first.bmp"

note "first.bmp missing too: black, still ends on a key"
rm -f "$APP/first.bmp"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
sleep 3
file=$(shot saver-black)
colour_is "$(pixel "$file" 400 300)" black || fail "the screen is not black"
xdotool key Escape
wait_for_exit "$REVURO_PID" 5 || fail "Escape did not end the saver"
echo PASS
