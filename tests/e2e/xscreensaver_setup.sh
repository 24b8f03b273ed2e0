# revuro --xscreensaver-setup on the settings file that xscreensaver 6 itself writes: one line
# added to its list, the rest byte for byte, a copy of the file as it was, nothing the second
# time; xscreensaver's settings program then keeps Revuro in the list it writes back. Without a
# file it says how to make one. xscreensaver's settings program refuses root, so a normal user
# made for the test runs it (or the user running the test).
source "$(dirname "$0")/lib.sh"
command -v xscreensaver-settings >/dev/null || fail "xscreensaver is not installed (scripts/setup)"
user_or_self
# A screen of the size the settings window was laid out on; any local client may connect.
start_xvfb 1024x768 -ac
FILE="$E2E_HOME/.xscreensaver"
COPY="$FILE.before-revuro"

note "no settings file yet: the way to make one, and nothing made"
status=0
as_user "$APP/revuro" --xscreensaver-setup >"$E2E_WORK/out" 2>"$E2E_WORK/err" || status=$?
((status == 1)) || fail "without a file the setup ended with $status"
grep -q "xscreensaver-settings" "$E2E_WORK/err" || fail "no word of how to make the file: $(cat "$E2E_WORK/err")"
[[ ! -e $FILE && ! -e $COPY ]] || fail "the setup made a file"

# settings_change: starts xscreensaver's settings program as the user, passes its question
# whether to start the daemon, and raises "Blank After" by a minute, which makes it write the
# file; waits until the file is new and ends the program.
settings_change() {
    local before="" i window pid
    [[ -f $FILE ]] && before=$(stat -c %Y.%s "$FILE")
    as_user xscreensaver-settings >>"$E2E_WORK/settings.log" 2>&1 &
    pid=$!
    E2E_PIDS+=("$pid")
    # Its title names the display mode it shows first.
    window=$(wait_for_window 'XScreenSaver: .* Settings') ||
        fail "xscreensaver-settings showed no window: $(cat "$E2E_WORK/settings.log")"
    # No daemon runs for the test user, so the program always asks whether to start one.
    wait_for_window Warning >/dev/null || fail "xscreensaver-settings asked nothing about its daemon"
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Warning$' | head -n1)" key Escape
    wait_for_no_window Warning || fail "the question about the daemon did not close"
    shot "xscreensaver-settings-$1" >/dev/null
    xdotool mousemove --window "$window" 269 504 click 1
    for ((i = 0; i < 100; i++)); do
        [[ -f $FILE && $(stat -c %Y.%s "$FILE") != "$before" ]] && break
        # Seconds alone may not tell two writes apart: the copy of the first shows a change.
        [[ -f $FILE && -n $before ]] && ! cmp -s "$FILE" "$E2E_WORK/last" && break
        sleep 0.1
    done
    ((i < 100)) || fail "xscreensaver-settings did not write $FILE after \"Blank After\" changed"
    kill "$pid"
    wait_for_exit "$pid" 10 || fail "xscreensaver-settings did not end"
    cp "$FILE" "$E2E_WORK/last"
}

note "xscreensaver's settings program writes the file"
settings_change first
grep -q '^programs:' "$FILE" || fail "xscreensaver wrote no programs: list"
cp "$FILE" "$E2E_WORK/original"

note "the setup adds one line and keeps the file as it was"
as_user "$APP/revuro" --xscreensaver-setup >"$E2E_WORK/out" 2>"$E2E_WORK/err" ||
    fail "the setup failed: $(cat "$E2E_WORK/err")"
cat "$E2E_WORK/out"
changes=$(diff "$E2E_WORK/original" "$FILE" | grep '^[<>]' || true)
[[ $changes == "> "*'"Revuro"  '"$APP/revuro"'  \n\' ]] || fail "not one added line: $changes"
cmp "$E2E_WORK/original" "$COPY" || fail "the copy is not the file as it was"
grep -qF "$COPY" "$E2E_WORK/out" || fail "the setup did not say where the copy is"

note "a second time: nothing changes"
cp "$FILE" "$E2E_WORK/added"
as_user "$APP/revuro" --xscreensaver-setup >"$E2E_WORK/out" 2>"$E2E_WORK/err" ||
    fail "the second setup failed: $(cat "$E2E_WORK/err")"
grep -q already "$E2E_WORK/out" || fail "the second setup did not say Revuro is there: $(cat "$E2E_WORK/out")"
cmp "$E2E_WORK/added" "$FILE" || fail "the second setup changed the file"
cmp "$E2E_WORK/original" "$COPY" || fail "the second setup changed the copy"

note "xscreensaver's settings program reads Revuro and keeps it in the file it writes"
settings_change with-revuro
# It writes the command alone: the name it shows comes from the program's name.
grep -q "^[^:]*$APP/revuro[[:space:]]*\\\\n" "$FILE" ||
    fail "xscreensaver dropped Revuro: $(grep -A3 '^programs:' "$FILE")"

status=0
as_user "$APP/revuro" --xscreensaver-setup now >/dev/null 2>"$E2E_WORK/err" || status=$?
((status == 2)) || fail "an argument after the option ended with $status"
grep -q 'takes nothing after it' "$E2E_WORK/err" || fail "unclear: $(cat "$E2E_WORK/err")"
echo PASS
