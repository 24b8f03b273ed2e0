#!/usr/bin/env bash
# Revuro.scr /c under Wine: the settings dialog laid out from its design in twips at 96 and at
# 144 DPI, in its colours, with Chinese rendered; Esc writes nothing and removes temp.m3u; the add
# dialog and a drop from the shell add files in order without duplicates; a double click plays a
# row in the trial window; Delete removes a row; Enter writes varariv.m3u in code page 936 and the two settings, and the
# program ends once the trial window is closed as well; OK with an empty list asks first;
# a failed save says so and keeps the list; the about box opens once, says when the
# system-information tool is missing, and keeps the program running until it is closed.
# Wine draws the dialog's controls into the dialog's own X window, so win_config_probe reads them
# (places, rows) and drives them (clicks, drops, the open dialog's answer) through Win32.
source "$(dirname "$0")/../lib.sh"

# A Wine prefix of the test's own: it changes the fonts and the DPI. Wine writes only its registry
# files, which are copied; the Windows folder is shared with the build's prefix by hard links.
base="$REVURO_BUILD/wine-prefix"
[[ -f $base/system.reg ]] || REVURO_WINEPREFIX="$base" "$REVURO_WINE_RUN" "$REVURO_CONFIG_PROBE" \
    >/dev/null 2>&1 || true
[[ -f $base/system.reg ]] || fail "no Wine prefix in $base"
export REVURO_WINEPREFIX="$E2E_WORK/wine-prefix"
mkdir "$REVURO_WINEPREFIX"
cp -a "$base"/*.reg "$base/.update-timestamp" "$base/dosdevices" "$REVURO_WINEPREFIX/"
cp -al "$base/drive_c" "$REVURO_WINEPREFIX/"
trap 'WINEPREFIX="$REVURO_WINEPREFIX" wineserver -k 2>/dev/null || true; e2e_cleanup' EXIT

cp "$REVURO" "$APP/Revuro.scr"
start_xvfb 1024x768

TITLE="DavodoR2.03设置"
TRIAL="DavodoR2.0  播放电影"

# wine_run PROGRAM ARG...: quietly, its output without CRs.
wine_run() { "$REVURO_WINE_RUN" "$@" 2>>"$E2E_WORK/revuro.log" | tr -d '\r'; }
probe() { wine_run "$REVURO_CONFIG_PROBE" "$@"; }
# winpath PATH: the path as Wine's programs name it.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The Song face the dialog asks for, as a font that is installed here: a substitute in the test's
# prefix only, as a Chinese Windows has the face itself.
for face in 宋体 SimSun; do
    wine_run reg.exe add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v "$face" /d "AR PL UMing CN" /f >/dev/null || fail "reg could not add the font substitute $face"
done

# No settings stored yet (another test may have left some in the build's prefix).
wine_run reg.exe delete 'HKCU\Software\VB and VBA Program Settings\DavodoR2.0' /f >/dev/null 2>&1 || true

# start_config: Revuro.scr /c started in the media folder, where the open dialog starts; sets
# SCR_PID and DIALOG (the dialog's X window).
start_config() {
    (cd "$MEDIA" && exec "$REVURO_WINE_RUN" "$APP/Revuro.scr" /c) >>"$E2E_WORK/revuro.log" 2>&1 &
    SCR_PID=$!
    E2E_PIDS+=("$SCR_PID")
    DIALOG=$(wait_for_window "$TITLE" 60) || fail "no window titled $TITLE"
}

# wait_for_rows TEXT: waits until the dialog's list holds these rows (one a line).
wait_for_rows() {
    local seen="" end=$((SECONDS + 20))
    while ((SECONDS < end)); do
        seen=$(probe rows "$TITLE") && [[ $seen == "$1" ]] && return 0
        sleep 0.2
    done
    echo "the list holds:" >&2
    echo "$seen" >&2
    return 1
}

# press_until_exit KEY PID: the key on the dialog until the program ends. A key reaches a Wine window
# only once Wine has made it the foreground window, so a key each second, 20 at most.
press_until_exit() {
    local i
    for ((i = 0; i < 20; i++)); do
        xdotool windowfocus "$DIALOG" key "$1" 2>/dev/null || true
        wait_for_exit "$2" 1 && return 0
    done
    return 1
}

# check_layout DPI: every control where the design puts it, in twips converted at DPI, within a
# pixel, in the tab order of the design; the client area of the design's size.
check_layout() {
    local dpi=$1 controls
    controls=$(probe controls "$TITLE") || fail "the probe found no dialog"
    [[ $(head -n1 <<<"$controls") == "dpi $dpi $dpi" ]] ||
        fail "the screen is not at $dpi DPI: $(head -n1 <<<"$controls")"
    # Caption (the list has none), left, top, width, height in twips in the form.
    local design='电影文件|0 0 6015 4815
确定(Enter)|240 6120 1215 495
取消(ESC)|1680 6120 1215 495
帮助(&H)|3120 6120 1215 495
关于(&B)|4560 6120 1215 495
|120 240 5775 3660
添加电影(&A)|120 4200 1215 495
全部清除(&C)|2400 4200 1215 495
全部播放(&P)|4560 4200 1215 495
选项设置|0 4920 6012 1095
循环播放电影文件|120 5160 5535 375
随机播放电影文件|120 5520 4215 375'
    local caption twips seen
    while IFS='|' read -r caption twips; do
        seen=$(awk -v c="$caption" '$1 == "control" { split($0, p, "|"); if (p[2] == c) print $4, $5, $6, $7 }' \
            <<<"$controls")
        [[ -n $seen ]] || fail "no control \"$caption\" in the dialog"
        awk -v dpi="$dpi" -v twips="$twips" -v seen="$seen" 'BEGIN {
            split(twips, t, " "); split(seen, s, " ")
            for (i = 1; i <= 4; i++) { d = s[i] - t[i] * dpi / 1440; if (d > 1 || d < -1) exit 1 }
        }' || fail "\"$caption\" is at $seen pixels at $dpi DPI, not $twips twips"
    done <<<"$design"
    seen=$(awk '$1 == "client" {print $2, $3}' <<<"$controls")
    awk -v dpi="$dpi" -v seen="$seen" 'BEGIN { split(seen, s, " ");
        d1 = s[1] - 6015 * dpi / 1440; d2 = s[2] - 6735 * dpi / 1440
        if (d1 > 1 || d1 < -1 || d2 > 1 || d2 < -1) exit 1 }' ||
        fail "the client area is $seen pixels at $dpi DPI, not 6015 x 6735 twips"
    # The windows in stacking order are the tab order; the frames lie beneath.
    seen=$(awk -F'|' '/^control/ {print $2}' <<<"$controls" | paste -sd,)
    [[ $seen == "确定(Enter),取消(ESC),帮助(&H),关于(&B),,添加电影(&A),全部清除(&C),全部播放(&P),循环播放电影文件,随机播放电影文件,电影文件,选项设置" ]] ||
        fail "the controls are in the order $seen"
}

# colour_near "R G B" R G B: within a small distance of the expected colour.
colour_near() {
    local r g b
    read -r r g b <<<"$1"
    (((r - $2) ** 2 + (g - $3) ** 2 + (b - $4) ** 2 < 300))
}

# dialog_shot NAME: the dialog alone, kept with the screenshots; prints its path.
dialog_shot() {
    local x y size file
    read -r x y < <(window_origin "$DIALOG")
    size=$(xwininfo -id "$DIALOG" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h}')
    file=$(capture "$E2E_WORK/screen.png")
    convert "$file" -crop "${size}+${x}+${y}" +repage "$SHOTS/$1.png"
    echo "$SHOTS/$1.png"
}

a="$MEDIA/a.avi"
movie="$MEDIA/电影一.avi"
touch "$a" "$movie" "$MEDIA/b.avi" "$MEDIA/c.avi" "$MEDIA/c.avi.mp4" "$MEDIA/d.avi"
mkdir "$MEDIA/文件夹"
convert -size 64x48 xc:blue "BMP3:$MEDIA/蓝.bmp"
printf '%s\r\n%s\r\n' "$(winpath "$a")" "$(winpath "$movie")" | iconv -f UTF-8 -t GBK >"$APP/varariv.m3u"
cp "$APP/varariv.m3u" "$E2E_WORK/stored.m3u"
echo trial >"$APP/temp.m3u"

note "the dialog at 96 DPI: the design's places, colours and the stored list"
start_config
rows="$(winpath "$a")
$(winpath "$movie")"
wait_for_rows "$rows" || fail "the stored list is not shown"
check_layout 96
file=$(dialog_shot win32-config)
note "screenshot: $file"
probe_colour() {
    colour_near "$(pixel "$file" "$2" "$3")" "$4" "$5" "$6" ||
        fail "$1 at ($2, $3) is $(pixel "$file" "$2" "$3"), not $4 $5 $6"
}
probe_colour "the form's back colour" 200 325 192 192 255
probe_colour "Frame1" 200 270 192 0 192
probe_colour "the empty part of the list" 300 200 192 0 192
probe_colour "Frame2" 350 385 255 192 255
linux="${REVURO_LINUX_SHOTS:-}/config-open-dialog.png"
if [[ -f $linux ]]; then
    convert "$file" "$linux" -background black -splice 8x0 +append "$SHOTS/win32-config-beside-linux.png"
    note "screenshot: $SHOTS/win32-config-beside-linux.png (Windows, then Linux)"
fi

note "Esc writes nothing and removes temp.m3u"
press_until_exit Escape "$SCR_PID" || fail "Esc did not close the dialog"
((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"
[[ ! -e $APP/temp.m3u ]] || fail "temp.m3u is still there"
cmp -s "$APP/varariv.m3u" "$E2E_WORK/stored.m3u" || fail "Esc changed varariv.m3u"
for key in 随机播放 顺序播放; do
    probe setting DavodoR2.0 选项设置 "$key" >/dev/null && fail "Esc stored $key"
done

note "the add dialog adds the selection in order, without duplicates"
start_config
wait_for_rows "$rows" || fail "the stored list is not shown"
probe click "$TITLE" "添加电影(&A)" || fail "no add button"
wait_for_window_made 添加电影文件 >/dev/null || fail "the add button opened no window titled 添加电影文件"
shot win32-config-add >/dev/null
# a.avi is listed; c.avi comes after c.avi.mp4, whose name it begins.
probe answer 添加电影文件 '"b.avi" "a.avi" "c.avi.mp4" "c.avi"' || fail "no name box in the add dialog"
rows+="
$(winpath "$MEDIA/b.avi")
$(winpath "$MEDIA/c.avi.mp4")"
wait_for_rows "$rows" || fail "the selection was not added as b.avi, c.avi.mp4"
probe click "$TITLE" "添加电影(&A)" || fail "no add button"
wait_for_window_made 添加电影文件 >/dev/null || fail "the add button opened no window the second time"
probe answer 添加电影文件 'd.avi' || fail "no name box in the add dialog"
rows+="
$(winpath "$MEDIA/d.avi")"
wait_for_rows "$rows" || fail "the single file was not added"

note "a drop from the shell adds files and folders, without duplicates"
probe drop "$TITLE" "$(winpath "$MEDIA/文件夹")" "$(winpath "$MEDIA/b.avi")" "$(winpath "$MEDIA/蓝.bmp")" ||
    fail "the drop could not be made"
rows+="
$(winpath "$MEDIA/文件夹")
$(winpath "$MEDIA/蓝.bmp")"
wait_for_rows "$rows" || fail "the drop was not added as the folder and the picture"

note "the Delete key removes the selected row"
read -r rx ry < <(probe row-point "$TITLE" 4) || fail "no fifth row to point at"
xdotool mousemove "$rx" "$ry" click 1
# Once, when the dialog is the foreground window: a second Delete would remove another row.
for ((i = 0; i < 20; i++)); do
    [[ $(probe foreground) == "$TITLE" ]] && break
    xdotool windowfocus "$DIALOG" 2>/dev/null || true
    sleep 0.5
done
[[ $(probe foreground) == "$TITLE" ]] || fail "the dialog did not become the foreground window"
xdotool key Delete
rows=$(grep -vxF "$(winpath "$MEDIA/d.avi")" <<<"$rows")
wait_for_rows "$rows" || fail "Delete did not remove the selected row d.avi"

note "a double click plays the row in the trial window"
read -r rx ry < <(probe row-point "$TITLE" 5) || fail "no sixth row to point at"
for ((i = 0; i < 10; i++)); do
    xdotool mousemove "$rx" "$ry" click --repeat 2 --delay 80 1
    wait_for_window "$TRIAL" 2 >/dev/null && break
done
trial=$(wait_for_window "$TRIAL" 2) || fail "a double click opened no window titled \"$TRIAL\""
read -r tx ty < <(window_origin "$trial")
wait_for_colour blue $((tx + 100)) $((ty + 100)) || fail "the trial window does not show the picture"
shot win32-config-trial >/dev/null

note "the boxes are set, Enter stores the list and the settings; the trial window stays"
# With a list stored and no settings, both boxes open unchecked; loop on.
probe click "$TITLE" "循环播放电影文件" || fail "no loop box"
config_pid=$SCR_PID
for ((i = 0; i < 20; i++)); do
    xdotool windowfocus "$DIALOG" key Return 2>/dev/null || true
    wait_for_no_window "$TITLE" 1 2>/dev/null && break
done
xdotool search --name "^$TITLE\$" >/dev/null 2>&1 && fail "Enter did not close the dialog"
kill -0 "$config_pid" 2>/dev/null || fail "the program ended while the trial window is open"
awk 'NR > 1 {printf "\r\n"} {printf "%s", $0}' <<<"$rows" | iconv -f UTF-8 -t GBK >"$E2E_WORK/expected.m3u"
cmp "$APP/varariv.m3u" "$E2E_WORK/expected.m3u" >&2 ||
    { od -c "$APP/varariv.m3u" | head -20 >&2; fail "varariv.m3u is not the list in code page 936 with CR LF"; }
[[ $(probe setting DavodoR2.0 选项设置 顺序播放) == 是 ]] || fail "顺序播放 is not 是"
[[ $(probe setting DavodoR2.0 选项设置 随机播放) == 否 ]] || fail "随机播放 is not 否"
[[ ! -e $APP/temp.m3u ]] || fail "temp.m3u is there after OK"

note "closing the trial window ends the program"
probe close "$TRIAL" || fail "the trial window is gone already"
wait_for_exit "$config_pid" 20 || fail "the program did not end with its last window"
((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"

note "at 144 DPI the dialog grows with the screen"
wine_run reg.exe add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null ||
    fail "reg could not set the DPI"
start_config
check_layout 144
file=$(dialog_shot win32-config-144dpi)
note "screenshot: $file"

note "OK with an empty list asks first; closing the question keeps the dialog and writes nothing"
cp "$APP/varariv.m3u" "$E2E_WORK/stored.m3u"
probe click "$TITLE" "全部清除(&C)" || fail "no clear button"
wait_for_rows "" || fail "the clear button left rows"
probe click "$TITLE" "确定(Enter)" || fail "no OK button"
wait_for_window_made 提示 >/dev/null || fail "OK with an empty list asked nothing"
shot win32-config-empty-question >/dev/null
probe close 提示 || fail "the question is gone already"
for ((i = 0; i < 100; i++)); do
    xdotool search --name '^提示$' >/dev/null 2>&1 || break
    sleep 0.1
done
((i < 100)) || fail "the question did not close"
kill -0 "$SCR_PID" 2>/dev/null || fail "closing the question ended the program"
cmp -s "$APP/varariv.m3u" "$E2E_WORK/stored.m3u" || fail "closing the question changed varariv.m3u"

note "a save that fails says so and keeps the dialog and its list"
probe drop "$TITLE" "$(winpath "$a")" || fail "the drop could not be made"
wait_for_rows "$(winpath "$a")" || fail "the drop was not added"
rm "$APP/varariv.m3u"
mkdir "$APP/varariv.m3u"  # no file can replace a folder
probe click "$TITLE" "确定(Enter)" || fail "no OK button"
wait_for_window_made 保存失败 >/dev/null || fail "the failed save showed no box titled 保存失败"
shot win32-config-save-failed >/dev/null
probe close 保存失败 || fail "the box is gone already"
wait_for_rows "$(winpath "$a")" || fail "the list is not kept after the failed save"
kill -0 "$SCR_PID" 2>/dev/null || fail "the failed save ended the program"

note "the about box opens beside the dialog and says when the system-information tool is missing"
ABOUT="关于 Revuro"
probe click "$TITLE" "关于(&B)" || fail "no about button"
wait_for_window_made "$ABOUT" >/dev/null || fail "the about button opened no box titled $ABOUT"
probe controls "$ABOUT" | grep -qF "|Revuro" || fail "the about box shows no title line Revuro"
shot win32-config-about >/dev/null
# Wine has no system-information tool in the registry.
probe click "$ABOUT" "系统信息(&S)..." || fail "no system-information button"
wait_for_window_made Revuro >/dev/null || fail "the system-information button said nothing"
probe controls Revuro | grep -qF "此时系统信息不可用" || fail "the box does not say the tool is unavailable"
shot win32-config-sysinfo >/dev/null
probe close Revuro || fail "the message is gone already"
probe click "$TITLE" "关于(&B)" || fail "no about button"
[[ $(xdotool search --name "^$ABOUT\$" 2>/dev/null | wc -l) == 1 ]] || fail "a second about box opened"

probe close "$TITLE" || fail "the dialog is gone already"
wait_for_no_window "$TITLE" || fail "the close box did not close the dialog"
kill -0 "$SCR_PID" 2>/dev/null || fail "the program ended while the about box is open"
probe close "$ABOUT" || fail "the about box is gone already"
wait_for_exit "$SCR_PID" 20 || fail "the program did not end with its last window"
echo PASS
