# Enter confirms the dialog: a loaded list is written back byte for byte when random order is
# off, even a line the character set cannot decode; both choices are stored, and the program
# ends with the dialog. Files added through the add dialog are saved after the loaded rows; rows
# removed by Delete and the list's context menu are not. A playlist that is a symbolic link stays
# one, and temporaries of killed saves beside the file it names are removed.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600

# wait_viewable ID: waits until the window is mapped and viewable.
wait_viewable() {
    local i
    for ((i = 0; i < 100; i++)); do
        xwininfo -id "$1" 2>/dev/null | grep -q IsViewable && return 0
        sleep 0.1
    done
    return 1
}

# windows_shown: how many of the program's windows are showing (a popup menu is one).
windows_shown() { xdotool search --onlyvisible --classname '^revuro$' 2>/dev/null | wc -l; }

# open_dialog: starts the dialog and waits until it is shown; its window id is in DIALOG.
open_dialog() {
    start_revuro /c
    DIALOG=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
    wait_viewable "$DIALOG" || fail "the dialog was never shown"
}

# confirm ID: Enter in the dialog, which must then end the program normally.
confirm() {
    xdotool windowfocus --sync "$1" key Return
    wait_for_exit "$REVURO_PID" 10 || fail "Enter did not close the dialog"
    ((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"
}

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

note "a GBK line in a UTF-8 locale"
{
    printf '%s\r\n' "$MEDIA/a.mp4"
    printf '%s' "$MEDIA/第二部 电影.mp4" | iconv -f UTF-8 -t GBK
    printf '\r\n%s' "$MEDIA/c.mp4"
} >"$APP/varariv.m3u"
cp "$APP/varariv.m3u" "$E2E_WORK/gbk.m3u"
start_revuro /c
box=$(wait_for_window "提示") || fail "the undecodable line was not reported"
wait_viewable "$box" || fail "the report on the undecodable line was never shown"
shot config-undecodable-note >/dev/null
xdotool windowfocus --sync "$box" key Return
id=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
wait_viewable "$id" || fail "the dialog was never shown"
shot config-undecodable-row >/dev/null
confirm "$id"
cmp "$E2E_WORK/gbk.m3u" "$APP/varariv.m3u" || fail "the list with a GBK line was not written back"

note "Delete and the list's context menu"
write_playlist "$MEDIA/a.mp4" "$MEDIA/b.mp4" "$MEDIA/c.mp4" "$MEDIA/d.mp4"
open_dialog
id=$DIALOG
# The first row, then the one below it, which Delete removes.
xdotool windowfocus --sync "$id" mousemove --window "$id" 40 24 click 1 key Down Delete
xdotool mousemove --window "$id" 40 24 click 3
for ((i = 0; i < 100; i++)); do
    (($(windows_shown) == 2)) && break
    sleep 0.1
done
((i < 100)) || fail "a right click on a row showed no menu"
shot config-list-menu >/dev/null
xdotool key Down Return
for ((i = 0; i < 100; i++)); do
    (($(windows_shown) == 1)) && break
    sleep 0.1
done
((i < 100)) || fail "the menu did not close"
confirm "$id"
printf '%s\r\n%s' "$MEDIA/c.mp4" "$MEDIA/d.mp4" >"$E2E_WORK/expected.m3u"
cmp "$E2E_WORK/expected.m3u" "$APP/varariv.m3u" || fail "the removed rows were saved, or others were lost"

note "a playlist that is a symbolic link"
mkdir "$E2E_WORK/lists"
# A short line the dialog drops, so that the save changes the file.
printf 'ab\r\n%s\r\n%s' "$MEDIA/a.mp4" "$MEDIA/b.mp4" >"$E2E_WORK/lists/mine.m3u"
printf 'half a list' >"$E2E_WORK/lists/mine.m3u.Kill01"  # left by a killed save
printf 'keep' >"$E2E_WORK/lists/mine.m3u.bak"
rm "$APP/varariv.m3u"
ln -s ../lists/mine.m3u "$APP/varariv.m3u"
open_dialog
confirm "$DIALOG"
[[ -L "$APP/varariv.m3u" && $(readlink "$APP/varariv.m3u") == ../lists/mine.m3u ]] ||
    fail "the link was replaced"
printf '%s\r\n%s' "$MEDIA/a.mp4" "$MEDIA/b.mp4" >"$E2E_WORK/expected.m3u"
cmp "$E2E_WORK/expected.m3u" "$E2E_WORK/lists/mine.m3u" || fail "the file the link names was not saved"
[[ $(ls -A "$E2E_WORK/lists" | tr '\n' ' ') == "mine.m3u mine.m3u.bak " ]] ||
    fail "the folder of the linked file holds $(ls -A "$E2E_WORK/lists" | tr '\n' ' ')"
echo PASS
