# scripts/install puts the program folder, the link, the menu entry, the icon and xscreensaver's
# settings file under a prefix and says where; the installed program, started through the
# link, finds its playlist in the program folder, and where that folder is read-only keeps the
# user's own list in the user's data folder; scripts/uninstall removes exactly that and keeps
# the user's playlist.
source "$(dirname "$0")/lib.sh"
root=$(cd "$REVURO_TESTS/.." && pwd)
prefix="$E2E_WORK/prefix with space"
export REVURO_BUILD_DIR=$REVURO_BUILD

note "install"
"$root/scripts/install" "$prefix" >"$E2E_WORK/install.out" || fail "scripts/install failed"
manifest="$prefix/lib/revuro/install_manifest.txt"
expected=(
    "$prefix/bin/revuro"
    "$prefix/lib/revuro/revuro"
    "$prefix/lib/revuro/first.bmp"
    "$prefix/lib/revuro/install_manifest.txt"
    "$prefix/share/applications/revuro.desktop"
    "$prefix/share/icons/hicolor/scalable/apps/revuro.svg"
    "$prefix/share/icons/hicolor/"{16x16,32x32,48x48,64x64,128x128,256x256}"/apps/revuro.png"
    "$prefix/share/man/man1/revuro.1.gz"
    "$prefix/share/metainfo/org.example.revuro.metainfo.xml"
    "$prefix/share/xscreensaver/config/revuro.xml"
)
# The Flash helper and Ruffle's files beside it, in a build that has them.
if [[ -x "$REVURO_BUILD/revuro-flash" ]]; then
    expected+=("$prefix/lib/revuro/revuro-flash")
    for file in "$REVURO_BUILD"/ruffle/*; do expected+=("$prefix/lib/revuro/ruffle/${file##*/}"); done
fi
diff <(printf '%s\n' "${expected[@]}" | sort) <(sort "$manifest") || fail "installed files differ"
for file in "${expected[@]}"; do
    [[ -e $file ]] || fail "missing $file"
    grep -qF "  $file" "$E2E_WORK/install.out" || fail "scripts/install did not say where $file went"
done
[[ $(readlink "$prefix/bin/revuro") == ../lib/revuro/revuro ]] || fail "bin/revuro is no link"
[[ -x "$prefix/lib/revuro/revuro" ]] || fail "the program is not executable"
line=$(grep '^  "Revuro"  .*  \\n\\$' "$E2E_WORK/install.out") || fail "no xscreensaver line printed"
command=${line#  \"Revuro\"  }
command=${command%  \\n\\}
[[ $(eval "printf '%s' $command") == "$prefix/bin/revuro" ]] || fail "the line does not name the program: $line"

note "the menu entry"
entry="$prefix/share/applications/revuro.desktop"
grep -qx 'Name=Revuro 设置' "$entry" || fail "entry name: $(cat "$entry")"
grep -qxF "Exec=\"$prefix/bin/revuro\" /c" "$entry" || fail "entry command: $(grep Exec "$entry")"
grep -qxF "Icon=$prefix/share/icons/hicolor/scalable/apps/revuro.svg" "$entry" || fail "entry icon"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
xml="$prefix/share/xscreensaver/config/revuro.xml"
xmllint --noout "$xml" || fail "xscreensaver's settings file is not well-formed"
grep -q '<screensaver name="revuro" _label="Revuro">' "$xml" || fail "xscreensaver's file names no revuro"
grep -q '"revuro /c"' "$xml" || fail "xscreensaver's file does not point to revuro /c"

note "the installed program, through the link, plays the playlist in its program folder"
start_xvfb 800x600
make_clip yellow.mp4 yellow 60 >/dev/null
printf '%s' "$MEDIA/yellow.mp4" >"$prefix/lib/revuro/varariv.m3u"
"$prefix/bin/revuro" /s >>"$E2E_WORK/revuro.log" 2>&1 &
REVURO_PID=$!
E2E_PIDS+=("$REVURO_PID")
wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
wait_for_colour yellow 400 300 || fail "the installed saver does not play its folder's playlist"
kill -TERM "$REVURO_PID"
wait_for_exit "$REVURO_PID" 5 || fail "the installed saver did not end"

note "installed system-wide, the program folder is read-only: OK saves the user's own list"
# bin/ stays writable: a program that looked for its folder there would save without a word.
if (($(id -u) == 0)); then
    unshare -m --propagation private \
        bash -c 'mount --bind -o ro "$1" "$1" && exec "$2" /c' _ "$prefix/lib/revuro" \
        "$prefix/bin/revuro" >>"$E2E_WORK/revuro.log" 2>&1 &
    REVURO_PID=$!
    E2E_PIDS+=("$REVURO_PID")
else
    chmod a-w "$prefix/lib/revuro"
    "$prefix/bin/revuro" /c >>"$E2E_WORK/revuro.log" 2>&1 &
    REVURO_PID=$!
    E2E_PIDS+=("$REVURO_PID")
fi
dialog=$(wait_for_window 'DavodoR2.03设置') || fail "no configuration dialog"
shot install-system-wide-config >/dev/null
xdotool windowfocus --sync "$dialog" key Return
wait_for_exit "$REVURO_PID" 10 || fail "OK did not close the dialog"
((EXIT_STATUS == 0)) || fail "the dialog ended with $EXIT_STATUS"
chmod u+w "$prefix/lib/revuro"
[[ $(cat "$XDG_DATA_HOME/revuro/varariv.m3u") == "$MEDIA/yellow.mp4" ]] ||
    fail "the user's own list does not hold the list the dialog opened with"
[[ $(cat "$prefix/lib/revuro/varariv.m3u") == "$MEDIA/yellow.mp4" ]] || fail "the playlist changed"
[[ ! -e "$prefix/lib/revuro/temp.m3u" ]] || fail "a trial list in the program folder"
[[ ! -e "$prefix/bin/varariv.m3u" ]] || fail "the playlist went beside the link"

note "uninstall keeps the playlist"
"$root/scripts/uninstall" "$prefix" >"$E2E_WORK/uninstall.out" || fail "scripts/uninstall failed"
for file in "${expected[@]}"; do
    [[ ! -e $file && ! -L $file ]] || fail "$file is still there"
    grep -qxF "removed $file" "$E2E_WORK/uninstall.out" || fail "scripts/uninstall did not name $file"
done
[[ -f "$prefix/lib/revuro/varariv.m3u" ]] || fail "the user's playlist was removed"
(($(find "$prefix" -type f | wc -l) == 1)) || fail "left behind: $(find "$prefix" -type f)"
[[ ! -e "$prefix/lib/revuro/ruffle" ]] || fail "the emptied ruffle folder was left behind"

note "uninstall again: nothing there, a clear line and a failure status"
status=0
"$root/scripts/uninstall" "$prefix" 2>"$E2E_WORK/stderr" || status=$?
((status == 1)) || fail "a second uninstall exited with $status"
grep -q 'not installed' "$E2E_WORK/stderr" || fail "unclear: $(cat "$E2E_WORK/stderr")"

note "a damaged list reaches nothing outside the prefix"
"$root/scripts/install" "$prefix" >/dev/null || fail "installing again failed"
touch "$E2E_WORK/outside"
echo "$E2E_WORK/outside" >>"$manifest"
"$root/scripts/uninstall" "$prefix" >/dev/null 2>"$E2E_WORK/stderr" && fail "a damaged list passed"
[[ -f "$E2E_WORK/outside" ]] || fail "uninstall removed a file outside the prefix"
grep -q "skipped $E2E_WORK/outside" "$E2E_WORK/stderr" || fail "no word of the skipped file"
echo PASS
