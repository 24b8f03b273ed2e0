# Saving past the file-size limit (ulimit -f) and onto a full disk: the user gets the error box,
# the dialog stays open with its whole list, the old files are intact, and once there is room
# again the same dialog saves everything. The full disk needs root (a tmpfs of its own).
source "$(dirname "$0")/lib.sh"
start_xvfb 800x600
CONFIG_TITLE="DavodoR2.03设置"
ERROR_TITLE="保存失败"
INI="$XDG_CONFIG_HOME/revuro.ini"

# 3,000 rows, about 200 KB, and one short line the dialog drops: the dialog's save differs
# from the file it loaded.
{
    printf 'ab\r\n'
    for ((i = 0; i < 3000; i++)); do printf '%s\r\n' "$MEDIA/第${i}号电影-$(printf 'x%.0s' {1..40}).mp4"; done
} | head -c -2 >"$APP/varariv.m3u"
cp "$APP/varariv.m3u" "$E2E_WORK/before.m3u"
tail -c +5 "$E2E_WORK/before.m3u" >"$E2E_WORK/expected.m3u"
set_loop 是
cp "$INI" "$E2E_WORK/before.ini"

# save_fails NAME SHOW_PLAYLIST: Enter shows the error box; after it the dialog is open, and
# the playlist (as SHOW_PLAYLIST prints it) and the settings are unchanged.
save_fails() {
    local id box
    id=$(dialog_id "$1")
    xdotool windowfocus --sync "$id" key Return
    box=$(wait_for_window "$ERROR_TITLE" 10) || fail "$1: no error box"
    shot "config-$1" >/dev/null
    xdotool windowfocus --sync "$box" key Return
    wait_for_no_window "$ERROR_TITLE" || fail "$1: Enter did not close the error box"
    kill -0 "$REVURO_PID" 2>/dev/null || fail "$1: the program ended"
    (($(windows_titled "$CONFIG_TITLE") == 1)) || fail "$1: the dialog closed"
    $2 | cmp - "$E2E_WORK/before.m3u" || fail "$1: the playlist changed"
    cmp "$INI" "$E2E_WORK/before.ini" || fail "$1: the settings changed"
}

# saves_now NAME: with room again, Enter in the same dialog saves the whole list and ends.
saves_now() {
    local id
    id=$(dialog_id "$1")
    xdotool windowfocus --sync "$id" key Return
    wait_for_exit "$REVURO_PID" 10 || fail "$1: Enter did not save and close the dialog"
    ((EXIT_STATUS == 0)) || fail "$1: the program ended with status $EXIT_STATUS"
}

playlist_here() { cat "$APP/varariv.m3u"; }

# dialog_id NAME: the dialog's window once it can take the focus.
dialog_id() {
    local id i
    id=$(wait_for_window "$CONFIG_TITLE") || fail "$1: no configuration dialog"
    for ((i = 0; i < 100; i++)); do
        xwininfo -id "$id" | grep -q IsViewable && break
        sleep 0.1
    done
    echo "$id"
}

note "file-size limit below the playlist's size"
bash -c 'ulimit -S -f 64 && exec "$1" /c' _ "$APP/revuro" >>"$E2E_WORK/revuro.log" 2>&1 &
REVURO_PID=$!
E2E_PIDS+=("$REVURO_PID")
save_fails filesize-limit playlist_here
prlimit --pid "$REVURO_PID" --fsize=unlimited
saves_now filesize-limit
cmp "$APP/varariv.m3u" "$E2E_WORK/expected.m3u" || fail "the list saved after the limit went is not whole"
ls "$APP" | grep -q 'varariv.m3u.' && fail "a temporary file was left behind"

note "no file may grow at all: the settings fail first"
cp "$E2E_WORK/before.m3u" "$APP/varariv.m3u"
cp "$E2E_WORK/before.ini" "$INI"
bash -c 'ulimit -S -f 0 && exec "$1" /c' _ "$APP/revuro" >>"$E2E_WORK/revuro.log" 2>&1 &
REVURO_PID=$!
E2E_PIDS+=("$REVURO_PID")
save_fails filesize-zero playlist_here
prlimit --pid "$REVURO_PID" --fsize=unlimited
saves_now filesize-zero
cmp "$APP/varariv.m3u" "$E2E_WORK/expected.m3u" || fail "the list saved after the limit went is not whole"

if (($(id -u) != 0)); then
    echo "SKIP: the full disk needs root for a tmpfs of its own; the file-size limits passed"
    echo PASS
    exit 0
fi

note "full disk"
cp "$E2E_WORK/before.m3u" "$APP/varariv.m3u"
cp "$E2E_WORK/before.ini" "$INI"
cp -a "$APP" "$E2E_WORK/stage"
# The program folder becomes a small tmpfs (room for the program, which a sanitizer build makes
# large, and 16 MB more), filled up to the last byte.
size_kib=$(($(du -sk "$E2E_WORK/stage" | cut -f1) + 16384))
unshare -m --propagation private bash -c '
    mount -t tmpfs -o "size=$4k" tmpfs "$1" && cp -a "$2"/. "$1"/ &&
        { head -c $(($4 * 2))K /dev/zero >"$1/filler" 2>/dev/null; true; } || exit 3
    "$1/revuro" /c
    status=$?
    cp "$1/varariv.m3u" "$3/after.m3u"
    exit $status' _ "$APP" "$E2E_WORK/stage" "$E2E_WORK" "$size_kib" >>"$E2E_WORK/revuro.log" 2>&1 &
REVURO_PID=$!
E2E_PIDS+=("$REVURO_PID")
in_namespace() { nsenter -m -t "$REVURO_PID" cat "$APP/varariv.m3u"; }
save_fails disk-full in_namespace
nsenter -m -t "$REVURO_PID" df -k "$APP" | tail -n1
nsenter -m -t "$REVURO_PID" rm "$APP/filler"
saves_now disk-full
cmp "$E2E_WORK/after.m3u" "$E2E_WORK/expected.m3u" || fail "the list saved after room was made is not whole"
echo PASS
