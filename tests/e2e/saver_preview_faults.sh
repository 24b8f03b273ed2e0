# A preview host that misbehaves: its window destroyed under the preview, resized to nothing,
# never mapped, or gone before the preview starts. The preview follows or ends, no X error
# ends it, and no other window is harmed.
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480
write_playlist "$(make_clip green.mp4 green 30)"
CONTROL="$REVURO_BUILD/host_control"
PREVIEW_TITLE='DavodoR2.0 预览'

# preview_size: the preview window's "W H".
preview_size() {
    xwininfo -id "$PREVIEW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}'
}

# wait_for_size "W H": the preview takes that size (the wait is a bound on a hang).
wait_for_size() {
    local i
    for ((i = 0; i < 50; i++)); do
        [[ $(preview_size) == "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}

# ended_cleanly WHAT: the preview ended with status 0 and no X error on its way out.
ended_cleanly() {
    wait_for_exit "$REVURO_PID" 5 || fail "$1: the preview did not end"
    ((EXIT_STATUS == 0)) || fail "$1: the preview ended with status $EXIT_STATUS"
    grep -q 'X Error of failed request' "$E2E_WORK/revuro.log" && fail "$1: an X error ended it"
    (($(windows_titled "$PREVIEW_TITLE") == 0)) || fail "$1: a preview window is left"
}

# A window of another program that nothing here may harm.
start_host 100 100
BYSTANDER=$HOST
BYSTANDER_PID=$HOST_PID
bystander_lives() {
    kill -0 "$BYSTANDER_PID" 2>/dev/null || fail "$1: the other program died"
    xwininfo -id "$BYSTANDER" >/dev/null 2>&1 || fail "$1: the other program's window is gone"
}

note "the host window is destroyed while its program runs on"
start_host 320 240
start_revuro /p "$HOST"
PREVIEW=$(wait_for_window "$PREVIEW_TITLE") || fail "no preview window"
wait_for_colour green 100 100 || fail "the preview does not play"
[[ $("$CONTROL" destroy "$HOST") == done ]] || fail "the host window could not be destroyed"
ended_cleanly "destroyed host"
kill -0 "$HOST_PID" 2>/dev/null || fail "the host's program died with its window"
bystander_lives "destroyed host"

note "the host resized to 0x0, then 1x1, then back"
start_host 320 240
start_revuro /p "$HOST"
PREVIEW=$(wait_for_window "$PREVIEW_TITLE") || fail "no preview window"
wait_for_size "320 240" || fail "the preview did not take the host's size"
result=$("$CONTROL" resize "$HOST" 0 0)
note "0x0: $result"
sleep 1
kill -0 "$REVURO_PID" 2>/dev/null || fail "0x0 ended the preview"
[[ $(preview_size) == "320 240" ]] || fail "the preview changed size at a refused 0x0: $(preview_size)"
[[ $("$CONTROL" resize "$HOST" 1 1) == done ]] || fail "the host could not be made 1x1"
wait_for_size "1 1" || fail "the preview did not follow to 1x1: $(preview_size)"
sleep 1
kill -0 "$REVURO_PID" 2>/dev/null || fail "1x1 ended the preview"
[[ $("$CONTROL" resize "$HOST" 320 240) == done ]] || fail "the host could not grow again"
wait_for_size "320 240" || fail "the preview did not grow back: $(preview_size)"
wait_for_colour green 100 100 || fail "the preview does not play after growing back"
shot preview-after-1x1 >/dev/null
kill "$HOST_PID"
ended_cleanly "host gone after resizing"
bystander_lives "resized host"

note "a host that is never mapped"
start_host 320 240 unmapped
start_revuro /p "$HOST"
PREVIEW=$(wait_for_window_made "$PREVIEW_TITLE") || fail "no preview window"
sleep 3
kill -0 "$REVURO_PID" 2>/dev/null || fail "the preview ended in an unmapped host"
xwininfo -id "$PREVIEW" | grep -q IsViewable && fail "the preview shows although its host is not mapped"
[[ $("$CONTROL" destroy "$HOST") == done ]] || fail "the host window could not be destroyed"
ended_cleanly "unmapped host"
bystander_lives "unmapped host"

note "the host goes before the preview is in it"
for delay in 0 0.05 0.1 0.2 0.4; do
    start_host 320 240
    start_revuro /p "$HOST"
    sleep "$delay"
    "$CONTROL" destroy "$HOST" >/dev/null
    wait_for_exit "$REVURO_PID" 5 || fail "host gone after $delay s: the preview did not end"
    # Gone before we looked is the bad id of a usage error (2); gone later is the normal end.
    ((EXIT_STATUS == 0 || EXIT_STATUS == 2)) || fail "host gone after $delay s: status $EXIT_STATUS"
    grep -q 'X Error of failed request' "$E2E_WORK/revuro.log" && fail "host gone after $delay s: an X error"
    wait_for_no_window "$PREVIEW_TITLE" 5 || fail "host gone after $delay s: a preview window is left"
    kill "$HOST_PID"
done
bystander_lives "early destruction"
echo PASS
