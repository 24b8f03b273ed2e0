# On a machine without working OpenGL the player falls back to plain X11 output; items that
# fail between clips must not bring the saver down with it.
source "$(dirname "$0")/lib.sh"
export LIBGL_DRIVERS_PATH=/nonexistent __EGL_VENDOR_LIBRARY_DIRS=/nonexistent
start_xvfb 640x480

head -c 4096 /dev/urandom >"$MEDIA/corrupt.avi"
write_playlist "$(make_clip red.mp4 red 2)" "$MEDIA/missing.mp4" "$(make_clip green.mp4 green 2)" \
    "$MEDIA/corrupt.avi" "$(make_clip blue.mp4 blue 2)"
start_revuro /s
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
seen=$(watch_colours 10 320 240)
note "seen: $seen"
[[ $seen == "red green blue " ]] || fail "played '$seen', expected red green blue"
kill -0 "$REVURO_PID" 2>/dev/null || fail "the saver died"
xdotool key Escape
wait_for_exit "$REVURO_PID" 5 || fail "Escape did not end the saver"
echo PASS
