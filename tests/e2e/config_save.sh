# Enter confirms the dialog: a loaded list is written back byte for byte when random order is
# off, both choices are stored, and the program ends with the dialog. Files added through the
# add dialog are saved after the loaded rows.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600

write_playlist "$MEDIA/第一部 电影.mp4" "$MEDIA/b.avi" "/srv/片库/c d/e.rmvb"
cp "$APP/varariv.m3u" "$E2E_WORK/before.m3u"
set_loop 是

start_revuro /c
id=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
xdotool windowfocus --sync "$id" key Return
wait_for_exit "$REVURO_PID" 10 || fail "Enter did not close the dialog"
((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"

cmp "$E2E_WORK/before.m3u" "$APP/varariv.m3u" || fail "the playlist was not written back unchanged"
grep -qx "顺序播放=是" "$XDG_CONFIG_HOME/revuro.ini" || fail "the loop choice was not stored as 是"
grep -qx "随机播放=否" "$XDG_CONFIG_HOME/revuro.ini" || fail "the random choice was not stored as 否"
[[ ! -e "$APP/temp.m3u" ]] || fail "the trial playlist was left behind"

note "adding files through the add dialog"
: >"$MEDIA/c.mp4"
: >"$MEDIA/d.avi"
: >"$MEDIA/b.avi"
# The add dialog first opens in the current folder.
cd "$MEDIA"
start_revuro /c
cd - >/dev/null
id=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
xdotool windowfocus --sync "$id" key alt+a
add=$(wait_for_window "添加电影文件" 10) || fail "Alt+A showed no add dialog"
shot config-add >/dev/null
# Three files at once; b.avi is listed already.
xdotool windowfocus --sync "$add" sleep 0.3 type --delay 20 '"d.avi" "b.avi" "c.mp4"'
xdotool key Return
for ((i = 0; i < 100; i++)); do
    (($(windows_titled "添加电影文件") == 0)) && break
    sleep 0.1
done
((i < 100)) || fail "the add dialog did not close"
xdotool windowfocus --sync "$id" key Return
wait_for_exit "$REVURO_PID" 10 || fail "Enter did not close the dialog"
{
    cat "$E2E_WORK/before.m3u"
    printf '\r\n%s\r\n%s' "$MEDIA/d.avi" "$MEDIA/c.mp4"
} >"$E2E_WORK/expected.m3u"
cmp "$E2E_WORK/expected.m3u" "$APP/varariv.m3u" || fail "the added files were not saved in order"
echo PASS
