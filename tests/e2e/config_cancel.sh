# Esc and the close box store nothing and remove the trial playlist. A trial window outlives the
# dialog: the program ends only when it is closed too.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600
CONFIG_TITLE="DavodoR2.03设置"
TRIAL_TITLE="DavodoR2.0  播放电影"

red=$(make_clip red.mp4 red 60)
blue=$(make_clip blue.mp4 blue 60)
write_playlist "$red" "$blue"
set_loop 是
cp "$APP/varariv.m3u" "$E2E_WORK/before.m3u"
cp "$XDG_CONFIG_HOME/revuro.ini" "$E2E_WORK/before.ini"

for how in Escape close-box; do
    note "closing by $how"
    printf 'old trial' >"$APP/temp.m3u"
    start_revuro /c
    id=$(wait_for_window "$CONFIG_TITLE") || fail "no configuration dialog"
    # Change both boxes, so that storing them would show.
    xdotool windowfocus --sync "$id" key Tab Tab Tab Tab Tab Tab Tab Tab space Tab space
    sleep 0.5
    if [[ $how == Escape ]]; then
        xdotool key Escape
    else
        "$REVURO_BUILD/close_box" "$id"
    fi
    wait_for_exit "$REVURO_PID" 10 || fail "$how did not close the dialog"
    ((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"
    cmp "$E2E_WORK/before.m3u" "$APP/varariv.m3u" || fail "$how changed the playlist"
    cmp "$E2E_WORK/before.ini" "$XDG_CONFIG_HOME/revuro.ini" || fail "$how changed the settings"
    [[ ! -e "$APP/temp.m3u" ]] || fail "$how left the trial playlist behind"
done

note "play all, then a double click, in one trial window"
start_revuro /c
id=$(wait_for_window "$CONFIG_TITLE") || fail "no configuration dialog"
xdotool windowfocus --sync "$id" key alt+p
trial=$(wait_for_window "$TRIAL_TITLE") || fail "play all showed no trial window"
[[ -s "$APP/temp.m3u" ]] || fail "play all wrote no trial playlist"
read -r tx ty < <(window_origin "$trial")
wait_for_colour red $((tx + 150)) $((ty + 100)) || fail "the trial window does not play the list"
shot config-trial >/dev/null

# The second row, by a double click on it in the list (rows are 16 pixels high at 12 pt).
read -r cx cy < <(window_origin "$id")
xdotool mousemove $((cx + 100)) $((cy + 16 + 3 + 16 + 8)) click --repeat 2 --delay 80 1
wait_for_colour blue $((tx + 150)) $((ty + 100)) || fail "the double click did not play the second row"
(($(windows_titled "$TRIAL_TITLE") == 1)) || fail "the double click opened a second trial window"

note "the dialog goes, the trial window stays"
xdotool windowfocus --sync "$id" key Escape
wait_for_no_window "$CONFIG_TITLE" || fail "Esc did not close the dialog"
[[ ! -e "$APP/temp.m3u" ]] || fail "closing the dialog left the trial playlist behind"
sleep 1
kill -0 "$REVURO_PID" 2>/dev/null || fail "the program ended while the trial window was open"
(($(windows_titled "$TRIAL_TITLE") == 1)) || fail "closing the dialog closed the trial window"
wait_for_colour blue $((tx + 150)) $((ty + 100)) || fail "the trial window stopped playing"
shot config-trial-alone >/dev/null

"$REVURO_BUILD/close_box" "$trial"
wait_for_exit "$REVURO_PID" 10 || fail "closing the trial window did not end the program"
((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"

note "play all passes a row that cannot be played, silently"
write_playlist "$MEDIA/missing.mp4" "$blue"
: >"$E2E_WORK/revuro.log"
start_revuro /c
id=$(wait_for_window "$CONFIG_TITLE") || fail "no configuration dialog"
xdotool windowfocus --sync "$id" key alt+p
trial=$(wait_for_window "$TRIAL_TITLE") || fail "play all showed no trial window"
read -r tx ty < <(window_origin "$trial")
wait_for_colour blue $((tx + 150)) $((ty + 100)) || fail "the trial window stopped at the missing row"
(($(windows_titled "$CONFIG_TITLE") == 1)) || fail "the dialog went away"
xdotool search --onlyvisible --name '^(提示|播放失败|保存失败)$' >/dev/null 2>&1 &&
    fail "a message box came up for the missing row"
stop_revuro
echo PASS
