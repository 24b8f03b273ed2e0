# Any key ends the saver, also after a click into the video; mouse movement and clicks do not,
# and no pointer shows over the picture.
# A second saver started while one runs ends at once without a window of its own.
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480
write_playlist "$(make_clip red.mp4 red 30)"

for key in Escape space a F5 Shift_L; do
    start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
    wait_for_colour red 320 240 || fail "the clip is not shown"
    xdotool mousemove 100 100 sleep 0.2 mousemove 400 300 sleep 0.2 click 1 sleep 0.3 click 1
    sleep 1
    kill -0 "$REVURO_PID" 2>/dev/null || fail "the saver ended on mouse movement or a click"
    wait_for_pointer 400 300 blank || fail "a pointer shows over the saver"
    if [[ $key == Escape ]]; then
        shot saver-running >/dev/null
        note "a second saver while one runs"
        "$APP/revuro" /s >>"$E2E_WORK/second.log" 2>&1 || fail "the second saver exited with $?"
        (($(windows_titled DavodoR2.0) == 1)) || fail "the second saver made a window"
    fi
    xdotool key "$key"
    wait_for_exit "$REVURO_PID" 5 || fail "key $key did not end the saver"
    ((EXIT_STATUS == 0)) || fail "key $key ended the saver with status $EXIT_STATUS"
    note "key $key ended the saver"
done
echo PASS
