# The about box of the real program: opened from the configuration dialog, a fixed box kept
# off the taskbar with the program icon, its links handed to the desktop's opener, the
# system-information button's message, and Esc closing it while the dialog lives on.
source "$(dirname "$0")/lib.sh"

# The desktop's opener, as Qt finds it on the PATH: here it only writes down what it was given.
mkdir -p "$E2E_WORK/bin"
cat >"$E2E_WORK/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$E2E_WORK/opened"
EOF
chmod +x "$E2E_WORK/bin/xdg-open"
export PATH="$E2E_WORK/bin:$PATH"

# visible_windows TITLE: the ids of mapped windows with exactly that title.
visible_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# click_at WINDOW X Y: a left click at (X, Y) inside the window.
click_at() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

# wait_until SECONDS COMMAND...: polls until the command succeeds.
wait_until() {
    local limit=$1 i
    shift
    for ((i = 0; i < limit * 10; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

opened_has() { grep -qxF "$1" "$E2E_WORK/opened" 2>/dev/null; }
no_about_box() { [[ -z "$(visible_windows '关于 Revuro')" ]]; }
message_box() { [[ -n "$(visible_windows Revuro)" ]]; }

start_xvfb 800x600
start_revuro /c
config=$(wait_for_window "DavodoR2.03设置") || fail "the configuration dialog did not open"

note "the about button opens one box"
click_at "$config" 344 424 # cmdAbout
about=$(wait_for_window "关于 Revuro") || fail "the about box did not open"
click_at "$config" 344 424
sleep 0.5
[[ $(visible_windows '关于 Revuro' | wc -l) -eq 1 ]] || fail "a second click opened a second box"

note "a fixed box of 304 x 286, off the taskbar, with the program icon"
size=$(xwininfo -id "$about" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[[ $size == 304x286 ]] || fail "the box is $size"
xprop -id "$about" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
    fail "the box asks for a taskbar entry: $(xprop -id "$about" _NET_WM_STATE)"
xprop -id "$about" WM_NORMAL_HINTS | grep -q "program specified minimum size: 304 by 286" ||
    fail "the box can be resized"
icons=$(xprop -id "$about" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | sort -u | tr '\n' ' ')
for want in "Icon (16 x 16)" "Icon (32 x 32)" "Icon (48 x 48)"; do
    [[ $icons == *"$want"* ]] || fail "the box's icon lacks $want: $icons"
done

note "the banner's sky and the title show"
file=$(shot about_box)
eval "$(xdotool getwindowgeometry --shell "$about")"
read -r r g b <<<"$(pixel "$file" $((X + 150)) $((Y + 6)))"
((b > 200 && b > r + 60)) || fail "no light-blue sky at the top of the banner: $r $g $b"
read -r r g b <<<"$(pixel "$file" $((X + 150)) $((Y + 216)))"
((r == 128 && g == 128 && b == 128)) || fail "no grey rule above the buttons: $r $g $b"

note "the two links go to the desktop's opener; the author line does nothing"
click_at "$about" 150 150 # Label1_0
click_at "$about" 150 167 # Label1_1
wait_until 10 opened_has "https://revuro.example.org/" || fail "the home page was not opened"
click_at "$about" 150 183 # Label1_2
wait_until 10 opened_has "mailto:feedback@revuro.example.org" || fail "no new mail was opened"
[[ $(wc -l <"$E2E_WORK/opened") -eq 2 ]] || fail "opened more than the two links: $(cat "$E2E_WORK/opened")"

note "system information is not available here"
click_at "$about" 249 264 # cmdSysInfo
wait_until 10 message_box || fail "no message about system information"
box=$(visible_windows Revuro | head -n1)
shot about_sysinfo >/dev/null
xdotool windowfocus --sync "$box"
xdotool key Return
wait_until 10 bash -c '! xdotool search --onlyvisible --name "^Revuro\$" >/dev/null 2>&1' ||
    fail "the message did not close"
[[ -n "$(visible_windows '关于 Revuro')" ]] || fail "the about box closed with the message"

note "Esc closes the box; the dialog stays"
xdotool windowfocus --sync "$about"
xdotool key Escape
wait_until 10 no_about_box || fail "Esc did not close the about box"
kill -0 "$REVURO_PID" || fail "the program ended with the about box"
[[ -n "$(visible_windows 'DavodoR2.03设置')" ]] || fail "the configuration dialog went away"

note "it opens again, loaded afresh"
click_at "$config" 344 424
wait_for_window "关于 Revuro" >/dev/null || fail "the about box did not open a second time"
echo "PASS"
