# /p embeds the saver into a host window: its size, its title, following the host's size, never
# ending on input, leaving the host's pointer as it is, ending when the host goes. Bad preview
# ids end with status 2 and no window.
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480
write_playlist "$(make_clip green.mp4 green 30)"

note "invalid ids"
for args in "/p" "/P 99999999999" "/p abc" "/p 12345"; do
    status=0
    # shellcheck disable=SC2086
    "$APP/revuro" $args 2>"$E2E_WORK/stderr" || status=$?
    ((status == 2)) || fail "'$args' exited with $status, expected 2"
    (($(wc -l <"$E2E_WORK/stderr") == 1)) || fail "'$args' printed more than one line"
    (($(windows_titled 'DavodoR2.0.*') == 0)) || fail "'$args' made a window"
done

note "no display at all: a clear line, no crash"
status=0
env -u DISPLAY "$APP/revuro" /s 2>"$E2E_WORK/stderr" || status=$?
((status == 1)) || fail "without a display the saver exited with $status, expected 1"
grep -q 'cannot open the X display' "$E2E_WORK/stderr" || fail "no clear message: $(cat "$E2E_WORK/stderr")"

note "embedding"
start_host 320 240
host=$HOST
host_pid=$HOST_PID
outside=$(pointer_at 600 400)
for ((i = 0; i < 100; i++)); do
    host_pointer=$(pointer_at 100 100)
    [[ $host_pointer != "$outside" && $host_pointer != blank ]] && break
    sleep 0.1
done
[[ $host_pointer != "$outside" && $host_pointer != blank ]] || fail "the host's pointer never showed"
pointer_at 600 400 >/dev/null
start_revuro /p "$host"
preview=$(wait_for_window 'DavodoR2.0 预览') || fail "no preview window"
for ((i = 0; i < 100; i++)); do
    xwininfo -id "$preview" | grep -q 'IsViewable' && break
    sleep 0.1
done
info=$(xwininfo -id "$preview")
parent=$(xwininfo -children -id "$preview" | awk '/Parent window id/ {print $4}')
((parent == host)) || fail "the preview's parent is $parent, not the host $host"
grep -q 'Width: 320' <<<"$info" && grep -q 'Height: 240' <<<"$info" || fail "preview size: $info"
grep -q 'Relative upper-left X:  0' <<<"$info" || fail "preview not at (0, 0): $info"
wait_for_colour green 100 100 || fail "the preview does not play"
shot preview-embedded >/dev/null
wait_for_pointer 100 100 "$host_pointer" || fail "the preview changed the host's pointer"

note "keys and clicks do not end the preview"
xdotool mousemove 60 60 click 1 sleep 0.2 click --repeat 2 1 sleep 0.2 key Escape sleep 0.2 key a
sleep 1
kill -0 "$REVURO_PID" 2>/dev/null || fail "input ended the preview"

note "the preview follows the host's size"
xdotool windowsize "$host" 400 300
for ((i = 0; i < 50; i++)); do
    xwininfo -id "$preview" | grep -q 'Width: 400' && break
    sleep 0.1
done
info=$(xwininfo -id "$preview")
grep -q 'Width: 400' <<<"$info" && grep -q 'Height: 300' <<<"$info" || fail "preview did not follow: $info"

note "the host goes, the preview ends"
kill "$host_pid"
wait_for_exit "$REVURO_PID" 5 || fail "the preview outlived its host"
echo PASS
