# SIGTERM and SIGINT end every mode at once and cleanly: the process exits by itself with
# status 0 (one that died of the signal would show 128 + its number), leaves no window behind,
# and the configuration dialog removes its trial playlist as when it is closed.
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480
clip=$(make_clip blue.mp4 blue 60)
write_playlist "$clip"

# ends SIGNAL STATUS TITLE: the running program ends on the signal with that status, and no
# window with that title stays.
ends() {
    kill -"$1" "$REVURO_PID"
    wait_for_exit "$REVURO_PID" 5 || fail "SIG$1 did not end the program"
    ((EXIT_STATUS == $2)) || fail "SIG$1 ended it with status $EXIT_STATUS, expected $2"
    wait_for_no_window "$3" 5 || fail "a window '$3' stayed after SIG$1"
}

for signal in TERM INT; do

    note "full-screen saver, SIG$signal"
    start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
    wait_for_colour blue 320 240 || fail "the clip is not shown"
    ends "$signal" 0 DavodoR2.0

    note "preview, SIG$signal"
    start_host 320 240
    start_revuro /p "$HOST"
    wait_for_window 'DavodoR2.0 预览' >/dev/null || fail "no preview window"
    ends "$signal" 0 'DavodoR2.0 预览'
    kill "$HOST_PID"
    : >"$E2E_WORK/host"

    note "configuration dialog with the trial window playing, SIG$signal"
    start_revuro /c
    dialog=$(wait_for_window 'DavodoR2.03设置') || fail "no configuration dialog"
    xdotool windowfocus --sync "$dialog" key alt+p
    wait_for_window 'DavodoR2.0  播放电影' >/dev/null || fail "no trial window"
    [[ -f "$APP/temp.m3u" ]] || fail "play all wrote no trial playlist"
    ends "$signal" 0 'DavodoR2.0  播放电影'
    wait_for_no_window 'DavodoR2.03设置' 5 || fail "the dialog stayed"
    [[ ! -e "$APP/temp.m3u" ]] || fail "SIG$signal left the trial playlist behind"
done

note "the saver ended by a signal leaves the next one free to start"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window after the signals"
ends TERM 0 DavodoR2.0
echo PASS
