# Enter confirms the dialog: a loaded list is written back byte for byte when random order is
# off, both choices are stored, and the program ends with the dialog.
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
echo PASS
