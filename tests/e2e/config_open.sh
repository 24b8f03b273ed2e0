# "/c" opens the configuration dialog: its title, fixed size, icon and colours, a stored list in
# its rows; the help box on Alt+H; Esc ends the program.
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600

# colour_near "R G B" R G B: within a small distance of the expected colour.
colour_near() {
    local r g b
    read -r r g b <<<"$1"
    (((r - $2) ** 2 + (g - $3) ** 2 + (b - $4) ** 2 < 300))
}

write_playlist "$MEDIA/红色.mp4" "$MEDIA/b.avi"
start_revuro /c
id=$(wait_for_window "DavodoR2.03设置") || fail "no configuration dialog"
sleep 1

read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
[[ "$w x $h" == "401 x 449" ]] || fail "the dialog is $w x $h, not 401 x 449"
hints=$(xprop -id "$id" WM_NORMAL_HINTS)
grep -q "minimum size: 401 by 449" <<<"$hints" || fail "no fixed minimum size: $hints"
grep -q "maximum size: 401 by 449" <<<"$hints" || fail "no fixed maximum size: $hints"
# Read whole first: grep -q stops early, and xprop, still writing the large icon, would die of
# SIGPIPE and fail the pipeline.
icon=$(xprop -id "$id" _NET_WM_ICON)
grep -q "_NET_WM_ICON(CARDINAL) = " <<<"$icon" || fail "the dialog has no icon"

file=$(shot config-open)
convert "$file" -crop "${w}x${h}+${x}+${y}" +repage "$SHOTS/config-open-dialog.png"
note "screenshot: $SHOTS/config-open-dialog.png"

# probe NAME DX DY R G B: the colour at (DX, DY) inside the dialog.
probe() {
    local seen
    seen=$(pixel "$file" $((x + $2)) $((y + $3)))
    colour_near "$seen" "$4" "$5" "$6" || fail "$1 at ($2, $3) is $seen, not $4 $5 $6"
}
probe "the form's back colour" 200 325 192 192 255
probe "the form's back colour below the options" 395 445 192 192 255
probe "Frame1" 200 270 192 0 192
probe "the empty part of the list" 300 200 192 0 192
probe "Frame2" 350 385 255 192 255
probe "chkA" 300 356 255 192 255

note "Alt+H shows the quick help"
xdotool mousemove $((x + 200)) $((y + 200)) windowfocus --sync "$id" key alt+h
help=$(wait_for_window "简易帮助" 10) || fail "Alt+H showed no help box"
shot config-help >/dev/null
xdotool windowfocus --sync "$help" key Return
for ((i = 0; i < 50; i++)); do
    xdotool search --name "^简易帮助\$" >/dev/null 2>&1 || break
    sleep 0.1
done
((i < 50)) || fail "Enter did not close the help box"
kill -0 "$REVURO_PID" 2>/dev/null || fail "closing the help box ended the program"

note "Esc ends the program"
xdotool windowfocus --sync "$id" key Escape
wait_for_exit "$REVURO_PID" 10 || fail "Esc did not close the dialog"
((EXIT_STATUS == 0)) || fail "the program ended with status $EXIT_STATUS"
echo PASS
