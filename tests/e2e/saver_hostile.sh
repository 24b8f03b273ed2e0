# Hostile rows in the running saver's playlist: each one is skipped (with a short note on screen)
# and the next clip plays; a key still ends the saver; a list of nothing playable settles idle.
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480
green=$(make_clip green.mp4 green 3)
# A clip whose index comes last, cut in half: the index is gone, nothing of it can be played.
ffmpeg -loglevel error -y -f lavfi -i testsrc=s=320x240:r=25:d=4 -pix_fmt yuv420p \
    "$MEDIA/whole.mp4" </dev/null
head -c $(($(stat -c %s "$MEDIA/whole.mp4") / 2)) "$MEDIA/whole.mp4" >"$MEDIA/truncated.mp4"
ticks_per_second=$(getconf CLK_TCK)

: >"$MEDIA/zero-bytes.mp4"
head -c 200000 /dev/urandom >"$MEDIA/random-bytes.avi"
mkdir "$MEDIA/folder.mp4"
cp "$green" "$MEDIA/folder.mp4/inside.mp4"
mkfifo "$MEDIA/pipe.mp4"
# A path of 4,000 characters: folders of 200 characters, then a long name that is not there.
long="$MEDIA"
while ((${#long} < 3700)); do long="$long/$(printf 'd%.0s' {1..199})"; done
mkdir -p "$long"
long="$long/$(printf 'n%.0s' $(seq $((3995 - ${#long})))).mp4"
((${#long} == 4000)) || fail "the long path has ${#long} characters"
invalid=$'/media/\xff\xfe\xfd-not-text.mp4'

# ends_on_key: a key ends the saver (the wait is only a bound on a hang).
ends_on_key() {
    xdotool key x
    wait_for_exit "$REVURO_PID" 5 || fail "$1: a key did not end the saver"
}

set_loop 否
tried=0
for item in "$MEDIA/zero-bytes.mp4" "$MEDIA/truncated.mp4" "$MEDIA/random-bytes.avi" \
    "$MEDIA/folder.mp4" "$MEDIA/pipe.mp4" /dev/zero "$long" "$invalid"; do
    name=$(basename "$item" | cut -c1-20)
    note "$name, then a green clip"
    write_playlist "$item" "$green"
    start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "$name: no saver window"
    wait_for_colour green 320 240 30 || fail "$name: the clip after it never played"
    shot "hostile-$(tr -c 'a-z0-9\n-' _ <<<"$name" | head -c 20)" >/dev/null
    ends_on_key "$name"
    tried=$((tried + 1))
done
grep -q 'folder.mp4/inside.mp4' "$E2E_WORK/revuro.log" && fail "a folder was opened as a list"

note "32,767 missing files: a key ends the saver while it skips"
for ((i = 0; i < 32767; i++)); do echo "$MEDIA/missing/file-$i.mp4"; done |
    sed 's/$/\r/' | head -c -2 >"$APP/varariv.m3u"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
sleep 0.5
ends_on_key "32,767 missing files"
tried=$((tried + 1))

note "32,767 missing files: the pass ends, then idle"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
start=$SECONDS
# The pass is over when the saver stops using the CPU; the bound is for a hang.
while :; do
    before=$(cpu_ticks "$REVURO_PID")
    sleep 2
    after=$(cpu_ticks "$REVURO_PID")
    (((after - before) * 10 < 2 * ticks_per_second)) && break
    ((SECONDS - start < 600)) || fail "the saver still works after 10 minutes"
done
note "idle after about $((SECONDS - start)) s"
shot hostile-missing-files-done >/dev/null
ends_on_key "32,767 missing files, done"

note "nothing playable, loop on: idle on first.bmp"
set_loop 是
write_playlist "$MEDIA/zero-bytes.mp4" "$MEDIA/truncated.mp4" "$MEDIA/random-bytes.avi" \
    "$MEDIA/folder.mp4" "$MEDIA/pipe.mp4" /dev/zero /dev/urandom "$long" "$invalid" \
    "$MEDIA/missing.mp4"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
sleep 6
before=$(cpu_ticks "$REVURO_PID")
sleep 4
after=$(cpu_ticks "$REVURO_PID")
note "CPU over 4 s: $((after - before)) ticks of $((4 * ticks_per_second))"
(((after - before) * 10 < 4 * ticks_per_second)) || fail "the saver keeps the CPU busy"
shot hostile-nothing-plays >/dev/null
ends_on_key "nothing playable"
tried=$((tried + 1))
note "$tried hostile inputs, no hang"
echo PASS
