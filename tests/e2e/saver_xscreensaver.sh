# As an xscreensaver display mode: the saver plays inside the window it is given, by
# $XSCREENSAVER_WINDOW or --window-id, with the full-screen saver's behaviour; one process per
# monitor, each in its own window; a bad id ends it at once with one line and no window.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600
write_playlist "$(make_clip green.mp4 green 60)"

note "bad ids"
run_bad() {  # run_bad VARIABLE ARGS...: status 2, one line, no window
    local variable=$1 status=0
    shift
    XSCREENSAVER_WINDOW=$variable "$APP/revuro" "$@" 2>"$E2E_WORK/stderr" || status=$?
    ((status == 2)) || fail "'$variable' '$*' exited with $status, expected 2"
    (($(wc -l <"$E2E_WORK/stderr") == 1)) || fail "'$variable' '$*' printed: $(cat "$E2E_WORK/stderr")"
    (($(windows_titled 'DavodoR2.0.*') == 0)) || fail "'$variable' '$*' made a window"
}
run_bad "" --window-id
run_bad "" /s -window-id zz
run_bad "" --window-id 0x7ffffff0  # names no window
run_bad 0xnothing
run_bad 123456789
grep -q 'no window has the id' "$E2E_WORK/stderr" || fail "unclear message: $(cat "$E2E_WORK/stderr")"

# host N X Y W H: a window standing in for xscreensaver's; its id in hex in HOST_ID.
host() {
    start_host "$4" "$5"
    xdotool windowmove "$HOST" "$2" "$3"
    HOST_ID=$(printf '0x%x' "$HOST")
}

# hosted_window HOSTID: the id of the saver window inside that host.
hosted_window() {
    local i child
    for ((i = 0; i < 200; i++)); do
        child=$(xwininfo -children -id "$1" | awk '/^ +0x/ && /"DavodoR2.0"/ {print $1; exit}')
        if [[ -n $child ]] && xwininfo -id "$child" | grep -q IsViewable; then
            echo "$child"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

note "XSCREENSAVER_WINDOW: plays in that window"
host 1 0 0 400 600
left=$HOST_ID
left_host=$HOST_PID
XSCREENSAVER_WINDOW=$left start_revuro
first=$REVURO_PID
child=$(hosted_window "$left") || fail "no saver window inside the host $left"
info=$(xwininfo -id "$child")
grep -q 'Width: 400' <<<"$info" && grep -q 'Height: 600' <<<"$info" || fail "size: $info"
grep -q 'Relative upper-left X:  0' <<<"$info" || fail "not at (0, 0): $info"
wait_for_colour green 200 300 || fail "the hosted saver does not play"
wait_for_pointer 200 300 blank || fail "a pointer shows over the hosted saver"
# The host has a white background: the video fills the whole window, not a part of it.
colour_is "$(pixel "$(capture "$E2E_WORK/one.png")" 395 590)" black ||
    colour_is "$(pixel "$E2E_WORK/one.png" 395 590)" green || fail "the host shows through"

note "--window-id: a second process for a second monitor also plays"
host 2 400 0 400 600
right=$HOST_ID
XSCREENSAVER_WINDOW="" start_revuro /s --window-id "$right"
second=$REVURO_PID
hosted_window "$right" >/dev/null || fail "no saver window inside the second host"
wait_for_colour green 600 300 || fail "the second hosted saver does not play"
kill -0 "$first" 2>/dev/null || fail "the first saver ended when the second started"
shot xscreensaver-two-hosts >/dev/null
(($(windows_titled DavodoR2.0) == 2)) || fail "expected two saver windows"

note "mouse movement and clicks do not end it; a key does"
xdotool mousemove 200 300 sleep 0.2 mousemove 250 320 sleep 0.2 click 1
sleep 1
kill -0 "$first" 2>/dev/null || fail "the mouse ended the hosted saver"
xdotool windowfocus "$left"
xdotool mousemove 200 300 key Escape
wait_for_exit "$first" 5 || fail "a key did not end the hosted saver"
((EXIT_STATUS == 0)) || fail "the key ended it with status $EXIT_STATUS"

note "SIGTERM, as xscreensaver ends a display mode"
kill -TERM "$second"
wait_for_exit "$second" 5 || fail "SIGTERM did not end the hosted saver"
((EXIT_STATUS == 0)) || fail "SIGTERM ended it with status $EXIT_STATUS, expected 0"
[[ -z $(xwininfo -children -id "$right" | awk '/"DavodoR2.0"/') ]] || fail "a window stayed"

note "the host window goes, the saver ends"
XSCREENSAVER_WINDOW=$left start_revuro
hosted_window "$left" >/dev/null || fail "no saver window inside the host again"
kill "$left_host"
wait_for_exit "$REVURO_PID" 5 || fail "the saver outlived its host window"
echo PASS
