# A program folder that cannot be written, and no folder of the user's own for the list either
# (a file stands where it would be made): OK and play all report why in a box, and the dialog
# stays open with the user's list; nothing is lost and the program does not end.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600
CONFIG_TITLE="DavodoR2.03设置"
ERROR_TITLE="保存失败"

write_playlist "$MEDIA/a.mp4" "$MEDIA/b.mp4"
cp "$APP/varariv.m3u" "$E2E_WORK/before.m3u"
set_loop 是
printf 'a file, not a folder' >"$E2E_WORK/data-file"
export XDG_DATA_HOME="$E2E_WORK/data-file"

# File modes do not stop root, a read-only mount does: the program runs in a mount namespace
# of its own in which its folder is mounted read-only.
if (($(id -u) == 0)); then
    unshare -m --propagation private true 2>/dev/null ||
        fail "running as root, and no private mount namespace can be made for a read-only folder"
    unshare -m --propagation private \
        bash -c 'mount --bind -o ro "$1" "$1" && exec "$1/revuro" /c' _ "$APP" \
        >>"$E2E_WORK/revuro.log" 2>&1 &
    REVURO_PID=$!
    E2E_PIDS+=("$REVURO_PID")
else
    chmod a-w "$APP"
    trap 'chmod u+w "$APP"; e2e_cleanup' EXIT
    start_revuro /c
fi
id=$(wait_for_window "$CONFIG_TITLE") || fail "no configuration dialog"
# What the program sees.
if (($(id -u) == 0)); then
    nsenter -m -t "$REVURO_PID" touch "$APP/probe" 2>/dev/null &&
        fail "the program folder is writable for the program"
else
    touch "$APP/probe" 2>/dev/null && fail "the program folder is writable for the program"
fi

for key in Return alt+p; do
    note "$key in a read-only folder"
    xdotool windowfocus --sync "$id" key "$key"
    box=$(wait_for_window "$ERROR_TITLE" 10) || fail "$key showed no error box"
    shot "config-readonly-$key" >/dev/null
    xdotool windowfocus --sync "$box" key Return
    wait_for_no_window "$ERROR_TITLE" || fail "Enter did not close the error box"
    sleep 0.5
    kill -0 "$REVURO_PID" 2>/dev/null || fail "the program ended after the error"
    (($(windows_titled "$CONFIG_TITLE") == 1)) || fail "the dialog closed after the error"
    (($(windows_titled "DavodoR2.0  播放电影") == 0)) || fail "a trial window opened without a list"
    cmp "$E2E_WORK/before.m3u" "$APP/varariv.m3u" || fail "the playlist changed"
done
grep -qx "顺序播放=是" "$XDG_CONFIG_HOME/revuro.ini" || fail "the loop choice changed"

note "the dialog still closes normally"
xdotool windowfocus --sync "$id" key Escape
wait_for_exit "$REVURO_PID" 10 || fail "Esc did not close the dialog"
((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"
chmod u+w "$APP"
echo PASS
