# The real program killed with SIGKILL at random moments after Enter in the dialog: the
# playlist and the settings file are each exactly the old or the new content afterwards.
# CONFIG_KILL_RUNS sets the number of kills (default 5).
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600
RUNS=${CONFIG_KILL_RUNS:-5}
INI="$XDG_CONFIG_HOME/revuro.ini"

# 32,767 rows and a short line the dialog drops, so the save differs from what it loaded.
{
    printf 'ab\r\n'
    for ((i = 0; i < 32767; i++)); do printf '%s\r\n' "$MEDIA/第${i}号电影.mp4"; done
} | head -c -2 >"$E2E_WORK/old.m3u"
tail -c +5 "$E2E_WORK/old.m3u" >"$E2E_WORK/new.m3u"
set_loop 是
cp "$INI" "$E2E_WORK/old.ini"
printf '[DavodoR2.0\\选项设置]\n随机播放=否\n顺序播放=是\n' >"$E2E_WORK/new.ini"

saved=0
for ((run = 1; run <= RUNS; run++)); do
    cp "$E2E_WORK/old.m3u" "$APP/varariv.m3u"
    cp "$E2E_WORK/old.ini" "$INI"
    start_revuro /c
    id=$(wait_for_window "DavodoR2.03设置") || fail "run $run: no configuration dialog"
    for ((i = 0; i < 100; i++)); do
        xwininfo -id "$id" | grep -q IsViewable && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$id" key Return
    sleep "0.$(printf "%03d" $((RANDOM % 150)))"
    kill -9 "$REVURO_PID" 2>/dev/null || true
    wait_for_exit "$REVURO_PID" 10 || fail "run $run: the program did not end"
    cmp -s "$APP/varariv.m3u" "$E2E_WORK/old.m3u" || cmp -s "$APP/varariv.m3u" "$E2E_WORK/new.m3u" ||
        fail "run $run: the playlist is neither the old nor the new content"
    cmp -s "$INI" "$E2E_WORK/old.ini" || cmp -s "$INI" "$E2E_WORK/new.ini" ||
        fail "run $run: the settings file is neither the old nor the new content"
    cmp -s "$APP/varariv.m3u" "$E2E_WORK/new.m3u" && saved=$((saved + 1))
    find "$APP" "$XDG_CONFIG_HOME" \( -name '*.m3u.*' -o -name '*.ini.*' \) -delete
done
note "$RUNS kills of the real program, $saved after the playlist was replaced, 0 damaged files"
echo PASS
