# The X server goes away under the program (the user logs out, the server dies): every mode
# ends at once with status 1, never by a signal, whatever the player was doing.
source "$(dirname "$0")/lib.sh"
clip=$(make_clip green.mp4 green 30)
write_playlist "$clip"

# lose_display WHAT SIGNAL: ends the X server with SIGNAL; the program must end with 1.
lose_display() {
    kill "-$2" "$XVFB_PID"
    wait_for_exit "$REVURO_PID" 10 || fail "$1: the program did not end when the display went ($2)"
    ((EXIT_STATUS == 1)) || fail "$1: ended with status $EXIT_STATUS after SIG$2, expected 1"
    grep -q 'the X display is gone' "$E2E_WORK/revuro.log" ||
        fail "$1: no word of the lost display on stderr"
    : >"$E2E_WORK/revuro.log"
}

for signal in TERM KILL TERM; do
    note "the full-screen saver, server ended with SIG$signal"
    start_xvfb 800x600
    start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
    wait_for_colour green 320 240 || fail "the saver does not play"
    lose_display "/s" "$signal"

    note "the configuration dialog with a playing trial window, SIG$signal"
    start_xvfb 800x600
    start_revuro /c
    id=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
    xdotool windowfocus --sync "$id" key alt+p
    trial=$(wait_for_window "DavodoR2.0  播放电影") || fail "Alt+P opened no trial window"
    read -r tx ty < <(window_origin "$trial")
    wait_for_colour green $((tx + 100)) $((ty + 80)) || fail "the trial window does not play"
    lose_display "/c" "$signal"

    note "the preview, SIG$signal"
    start_xvfb 800x600
    start_host 320 240
    start_revuro /p "$HOST"
    wait_for_window 'DavodoR2.0 预览' >/dev/null || fail "no preview window"
    wait_for_colour green 100 100 || fail "the preview does not play"
    lose_display "/p" "$signal"
done
echo PASS
