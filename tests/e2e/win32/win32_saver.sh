#!/usr/bin/env bash
# Revuro.scr under Wine: /s covers the screen with a top-level window titled "DavodoR2.0", shows
# first.bmp in aspect on it, and a key ends it, a mouse move does not; a second /s ends at once;
# with a list beside it, the saver plays it in order, looping as the registry's setting says, and
# without a media player shows first.bmp;
# /p embeds into a host window, follows its size, survives keys and ends with the host; /p texts
# that name no window end with status 2 and no window.
source "$(dirname "$0")/../lib.sh"

export REVURO_WINEPREFIX="$REVURO_BUILD/wine-prefix"
cp "$REVURO" "$APP/Revuro.scr"
# Upright and red: placed in aspect it leaves black bars on the left and right.
convert -size 40x60 xc:red "BMP3:$APP/first.bmp"
start_xvfb 800x600

# start_scr ARG...: Revuro.scr under Wine; sets SCR_PID.
start_scr() {
    "$REVURO_WINE_RUN" "$APP/Revuro.scr" "$@" >>"$E2E_WORK/revuro.log" 2>&1 &
    SCR_PID=$!
    E2E_PIDS+=("$SCR_PID")
}

note "the saver covers the screen"
start_scr /s
saver_pid=$SCR_PID
saver=$(wait_for_window DavodoR2.0 60) || fail "no window titled DavodoR2.0"
read -r x y < <(window_origin "$saver")
size=$(xwininfo -id "$saver" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h}')
[[ "$x $y $size" == "0 0 800x600" ]] || fail "the saver is at $x $y, $size, not over the screen"
wait_for_colour red 400 300 || fail "first.bmp is not shown in the middle"
wait_for_colour black 20 300 || fail "the bar left of the picture is not black"
shot win32_saver

note "a second saver ends at once"
start_scr /s
wait_for_exit "$SCR_PID" 30 || fail "the second saver did not end"
((EXIT_STATUS == 0)) || fail "the second saver ended with status $EXIT_STATUS"
(($(windows_titled DavodoR2.0) == 1)) || fail "the second saver left a window"

# end_with_key WINDOW PID: a key ends the saver and its window goes.
end_with_key() {
    local i
    # Without a window manager Wine takes a moment to make the focused X window its foreground
    # window; a key before that reaches no window of the saver. So a key each second, 20 at most.
    for ((i = 0; i < 20; i++)); do
        xdotool windowfocus "$1" key x 2>/dev/null || true
        wait_for_exit "$2" 1 && break
    done
    kill -0 "$2" 2>/dev/null && fail "a key did not end the saver"
    wait_for_no_window DavodoR2.0 || fail "the saver's window stayed"
}

note "a mouse move ends nothing, a key ends the saver"
xdotool mousemove 100 100 mousemove 300 200
kill -0 "$saver_pid" || fail "a mouse move ended the saver"
end_with_key "$saver" "$saver_pid"

note "the saver plays the list beside it, written in the ANSI code page, looping as the registry says"
# Wide pictures: placed in aspect they leave black bars above and below.
convert -size 64x36 xc:blue "$APP/图片一.png"
convert -size 64x36 xc:lime "$APP/二.jpg"
printf '图片一.png\r\n没有.avi\r\n二.jpg\r\n' | iconv -f UTF-8 -t GBK >"$APP/varariv.m3u"
"$REVURO_WINE_RUN" reg.exe add 'HKCU\Software\VB and VBA Program Settings\DavodoR2.0\选项设置' \
    /v 顺序播放 /t REG_SZ /d 是 /f >>"$E2E_WORK/revuro.log" 2>&1 || fail "reg could not set the loop"
start_scr /s
saver_pid=$SCR_PID
saver=$(wait_for_window DavodoR2.0 60) || fail "no saver window for the list"
wait_for_colour blue 400 300 || fail "the first picture of the list is not shown"
wait_for_colour black 400 20 || fail "the bar above the picture is not black"
shot win32_saver_list
# Five seconds a picture; the missing row costs nothing but its skip.
wait_for_colour green 400 300 || fail "the list did not go on past the missing row"
wait_for_colour blue 400 300 || fail "the list did not start again"
end_with_key "$saver" "$saver_pid"

note "without Windows Media Player a movie costs one skip and first.bmp shows"
ffmpeg -loglevel error -f lavfi -i testsrc=size=64x48:rate=5 -t 1 -c:v mpeg4 "$APP/影片.avi" ||
    fail "ffmpeg could not make the movie"
printf '影片.avi\r\n' | iconv -f UTF-8 -t GBK >"$APP/varariv.m3u"
# Wine's own media player left out, as Windows N editions ship without one.
WINEDLLOVERRIDES="mscoree,mshtml,wmp=" start_scr /s
saver_pid=$SCR_PID
saver=$(wait_for_window DavodoR2.0 60) || fail "no saver window without a media player"
wait_for_colour red 400 300 || fail "first.bmp is not shown after the movie could not play"
shot win32_saver_no_player
end_with_key "$saver" "$saver_pid"
rm "$APP/varariv.m3u"

note "previews without a window end with status 2"
for text in "/p" "/p 0" "/p abc" "/P:999999" "/p 2147483648"; do
    # shellcheck disable=SC2086
    start_scr $text
    wait_for_exit "$SCR_PID" 30 || fail "'$text' did not end"
    ((EXIT_STATUS == 2)) || fail "'$text' ended with status $EXIT_STATUS, not 2"
done

note "the preview embeds into its host, follows its size and ends with it"
# wait_for_host_line TEXT [SECONDS]: waits until the host reports its child so.
wait_for_host_line() {
    local i
    for ((i = 0; i < ${2:-30} * 10; i++)); do
        tr -d '\r' <"$out" | grep -qxF "$1" && return 0
        sleep 0.1
    done
    return 1
}
out="$E2E_WORK/host.txt"
"$REVURO_WINE_RUN" "$REVURO_PREVIEW_HOST" 200 150 >"$out" 2>>"$E2E_WORK/revuro.log" &
host_pid=$!
E2E_PIDS+=("$host_pid")
handle=$(wait_for_file_line "$out" 60 | tr -d '\r') || fail "the host printed no window handle"
host=$(wait_for_window "Revuro preview host" 30) || fail "no host window"
start_scr "/p:$handle"
preview_pid=$SCR_PID
wait_for_host_line "child 200x150 DavodoR2.0 预览" || fail "no preview child filling the host"
# G makes the host grow; as above, a key each second until Wine hands it on.
for ((i = 0; i < 20; i++)); do
    xdotool windowfocus "$host" key g 2>/dev/null || true
    wait_for_host_line "child 400x300 DavodoR2.0 预览" 1 && break
done
wait_for_host_line "child 400x300 DavodoR2.0 预览" 1 || fail "the preview did not follow its host"
xdotool key x key Escape
kill -0 "$preview_pid" || fail "a key ended the preview"
kill -9 "$host_pid"
wait_for_exit "$preview_pid" 20 || fail "the preview did not end with its host"
echo PASS
