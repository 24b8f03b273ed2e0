# The dialog's save killed with SIGKILL at random moments: the playlist and the settings file
# are each exactly the old or the new content afterwards, never anything else.
# SAVE_KILL_RUNS sets the number of kills (default 60).
source "$(dirname "$0")/lib.sh"
DRIVER="$REVURO_BUILD/save_driver"
RUNS=${SAVE_KILL_RUNS:-60}
INI="$XDG_CONFIG_HOME/revuro.ini"

# Two long lists, so that a good share of the kills lands inside a write.
for ((i = 0; i < 20000; i++)); do echo "$MEDIA/list-a/第${i}号电影-with-a-long-name.mp4"; done >"$E2E_WORK/a.txt"
for ((i = 0; i < 15000; i++)); do echo "$MEDIA/list-b/clip-${i}-another-long-name.avi"; done >"$E2E_WORK/b.txt"

# The two states as the dialog itself writes them.
"$DRIVER" "$APP" "$INI" "$E2E_WORK/a.txt" "$E2E_WORK/b.txt" 1 || fail "saving list A failed"
cp "$APP/varariv.m3u" "$E2E_WORK/a.m3u"
cp "$INI" "$E2E_WORK/a.ini"
"$DRIVER" "$APP" "$INI" "$E2E_WORK/a.txt" "$E2E_WORK/b.txt" 1 || fail "saving list B failed"
cp "$APP/varariv.m3u" "$E2E_WORK/b.m3u"
cp "$INI" "$E2E_WORK/b.ini"
cmp -s "$E2E_WORK/a.m3u" "$E2E_WORK/b.m3u" && fail "the two lists were saved alike"
cmp -s "$E2E_WORK/a.ini" "$E2E_WORK/b.ini" && fail "the two settings were saved alike"
grep -qx '顺序播放=是' "$E2E_WORK/a.ini" && grep -qx '顺序播放=否' "$E2E_WORK/b.ini" ||
    fail "the loop choices were not saved"

# one_of FILE A B: which of the two FILE holds exactly, or "neither".
one_of() {
    if cmp -s "$1" "$2"; then echo old-or-new; elif cmp -s "$1" "$3"; then echo old-or-new; else echo neither; fi
}

mid_write=0
for ((run = 1; run <= RUNS; run++)); do
    "$DRIVER" "$APP" "$INI" "$E2E_WORK/a.txt" "$E2E_WORK/b.txt" 2>>"$E2E_WORK/driver.log" &
    pid=$!
    E2E_PIDS+=("$pid")
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null && fail "the driver ended on its own: $(tail -n3 "$E2E_WORK/driver.log")"
    [[ $(one_of "$APP/varariv.m3u" "$E2E_WORK/a.m3u" "$E2E_WORK/b.m3u") == old-or-new ]] ||
        fail "run $run: the playlist is neither the old nor the new content"
    [[ $(one_of "$INI" "$E2E_WORK/a.ini" "$E2E_WORK/b.ini") == old-or-new ]] ||
        fail "run $run: the settings file is neither the old nor the new content"
    # A temporary file left behind means the kill came while a file was being written.
    leftovers=$(find "$APP" "$XDG_CONFIG_HOME" -name '*.m3u.*' -o -name '*.ini.*' | wc -l)
    ((leftovers > 0)) && mid_write=$((mid_write + 1))
    find "$APP" "$XDG_CONFIG_HOME" \( -name '*.m3u.*' -o -name '*.ini.*' \) -delete
done
note "$RUNS kills, $mid_write of them during a write, 0 damaged files"
[[ -s "$E2E_WORK/driver.log" ]] && fail "the driver reported: $(head -n3 "$E2E_WORK/driver.log")"
echo PASS
