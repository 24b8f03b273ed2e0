# The monitors may still sleep while the saver plays: the player inhibits neither the X screen
# saver nor DPMS. (Xvfb has no DPMS extension, so holding playback while the monitors are off
# is covered by the saver window's widget test; here the saver must simply run without it.)
source "$(dirname "$0")/lib.sh"
start_xvfb 640x480
write_playlist "$(make_clip green.mp4 green 60)"
state="$REVURO_BUILD/screensaver_state"

power_settings() { xset q | sed -n '/^Screen Saver:/,/^Colors:/p;/^DPMS/,$p'; }

xset s 600 600
before=$(power_settings)
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
wait_for_colour green 320 240 || fail "the clip is not shown"
sleep 2  # the player has settled into playing
after=$(power_settings)
[[ $before == "$after" ]] || fail "the saver changed the power settings: $before --- $after"
[[ $("$state") == off ]] || fail "the X screen saver is $("$state") while idle time is short"

note "the X screen saver starts while the saver plays"
xset s 2 0
for ((i = 0; i < 200; i++)); do
    [[ $("$state") == on ]] && break
    sleep 0.1
done
[[ $("$state") == on ]] || fail "the X screen saver did not start: $("$state")"
kill -0 "$REVURO_PID" 2>/dev/null || fail "the saver ended"
grep -q 'DPMS (Energy Star):' <<<"$after" || fail "xset q does not report DPMS"
note "$(grep -A1 'DPMS (Energy Star):' <<<"$after" | tail -n1 | sed 's/^ *//')"
echo PASS
