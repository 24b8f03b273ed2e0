# The Debian package: CPack builds revuro_<version>_amd64.deb with the libraries' packages as
# its dependencies; lintian, appstreamcli and desktop-file-validate pass; it holds the program,
# the icon at its sizes, the manual page and the rest. Installed (as root), a normal user made
# for the test saves a list of their own with the dialog, though the program folder is not
# theirs, and the saver plays that list; purged, it leaves nothing behind but the user's files.
source "$(dirname "$0")/lib.sh"
VERSION=$(sed -n 's/^CPACK_PACKAGE_VERSION:[A-Z]*=//p' "$REVURO_BUILD/CMakeCache.txt")
VERSION=${VERSION:-$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$REVURO_BUILD/CMakeCache.txt")}

note "build"
(cd "$E2E_WORK" && cpack -G DEB --config "$REVURO_BUILD/CPackConfig.cmake" -B "$E2E_WORK/package") \
    >"$E2E_WORK/cpack.log" 2>&1 || fail "cpack failed: $(tail -n 20 "$E2E_WORK/cpack.log")"
DEB="$E2E_WORK/package/revuro_${VERSION}_amd64.deb"
[[ -f $DEB ]] || fail "no $DEB: $(ls "$E2E_WORK/package")"

note "lintian, appstreamcli, desktop-file-validate"
lintian --fail-on error "$DEB" >"$E2E_WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$E2E_WORK/lintian.log")"
grep '^[EW]:' "$E2E_WORK/lintian.log" && fail "lintian has warnings"
ROOT="$E2E_WORK/contents"
dpkg-deb -x "$DEB" "$ROOT"
appstreamcli validate --no-net "$ROOT"/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata"
desktop-file-validate "$ROOT/usr/share/applications/revuro.desktop" || fail "menu entry"
grep -qx 'Exec="/usr/bin/revuro" /c' "$ROOT/usr/share/applications/revuro.desktop" || fail "Exec"
grep -qx 'Icon=revuro' "$ROOT/usr/share/applications/revuro.desktop" || fail "the entry's icon is not the theme's"
grep -q '<screenshot type="default">' "$ROOT"/usr/share/metainfo/*.xml || fail "no screenshot"

note "what it holds"
depends=$(dpkg-deb -f "$DEB" Depends)
for library in libmpv2 libqt6widgets6 libc6 libx11-6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
[[ $(readlink "$ROOT/usr/bin/revuro") == ../lib/revuro/revuro ]] || fail "/usr/bin/revuro"
for file in usr/lib/revuro/revuro usr/lib/revuro/first.bmp usr/share/doc/revuro/copyright \
    usr/share/doc/revuro/changelog.gz usr/share/xscreensaver/config/revuro.xml \
    usr/share/icons/hicolor/scalable/apps/revuro.svg; do
    [[ -f $ROOT/$file ]] || fail "no /$file"
done
for png in "$ROOT"/usr/share/icons/hicolor/*x*/apps/revuro.png; do
    size=${png#"$ROOT/usr/share/icons/hicolor/"}
    size=${size%%/*}
    [[ $(identify -format '%wx%h' "$png") == "$size" ]] || fail "$png is not $size"
done
[[ -n ${size:-} ]] || fail "no icon pictures"
man -l --warnings "$ROOT/usr/share/man/man1/revuro.1.gz" >"$E2E_WORK/man.txt" 2>"$E2E_WORK/man.err"
[[ ! -s $E2E_WORK/man.err ]] || fail "the manual page: $(cat "$E2E_WORK/man.err")"
for section in MODES OPTIONS FILES ENVIRONMENT --xscreensaver-setup XDG_DATA_HOME; do
    grep -q -- "$section" "$E2E_WORK/man.txt" || fail "the manual page has no $section"
done

if (($(id -u) != 0)); then
    echo "SKIP: installing the package needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' revuro 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIP: Revuro is installed on this machine; the test leaves it alone"
    exit 77
fi

note "install"
purge() {
    rm -f /usr/lib/revuro/varariv.m3u
    dpkg --purge revuro >>"$E2E_WORK/dpkg.log" 2>&1 || true
}
trap 'purge; e2e_cleanup' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y "$DEB" >"$E2E_WORK/apt.log" 2>&1 ||
    fail "apt-get install: $(tail -n 20 "$E2E_WORK/apt.log")"
dpkg -L revuro >"$E2E_WORK/files"
add_test_user
start_xvfb 800x600 -ac
make_clip yellow.mp4 yellow 60 >/dev/null
make_clip blue.mp4 blue 60 >/dev/null
USER_LIST="$E2E_HOME/.local/share/revuro/varariv.m3u"

note "the dialog opens with the administrator's list and OK saves the user's own"
printf '%s' "$MEDIA/yellow.mp4" >/usr/lib/revuro/varariv.m3u
as_user /usr/bin/revuro /c >>"$E2E_WORK/revuro.log" 2>&1 &
REVURO_PID=$!
E2E_PIDS+=("$REVURO_PID")
dialog=$(wait_for_window 'DavodoR2.03设置') || fail "no configuration dialog"
shot package-config >/dev/null
xdotool windowfocus --sync "$dialog" key Return
wait_for_exit "$REVURO_PID" 10 || fail "OK did not close the dialog"
((EXIT_STATUS == 0)) || fail "the dialog ended with $EXIT_STATUS"
[[ $(cat "$USER_LIST") == "$MEDIA/yellow.mp4" ]] || fail "the user's list: $(cat "$USER_LIST" 2>&1)"
[[ $(stat -c %U:%a "$(dirname "$USER_LIST")") == "$E2E_USER:700" ]] || fail "the user's folder"
# The Flash helper and Ruffle's files come with a build that has them.
folder=$'first.bmp\nrevuro'
[[ -e $REVURO_BUILD/revuro-flash && -d $REVURO_BUILD/ruffle ]] && folder+=$'\nrevuro-flash\nruffle'
[[ $(ls /usr/lib/revuro) == "$folder"$'\nvarariv.m3u' ]] || fail "the program folder: $(ls /usr/lib/revuro)"

note "the saver plays the user's list, not the administrator's"
printf '%s' "$MEDIA/blue.mp4" >/usr/lib/revuro/varariv.m3u
as_user revuro /s >>"$E2E_WORK/revuro.log" 2>&1 &
REVURO_PID=$!
E2E_PIDS+=("$REVURO_PID")
saver=$(wait_for_window DavodoR2.0) || fail "no saver window"
wait_for_colour yellow 400 300 || fail "the saver does not play the user's list"
shot package-saver >/dev/null
xdotool windowfocus --sync "$saver" key space
wait_for_exit "$REVURO_PID" 10 || fail "a key did not end the saver"

note "purge: nothing left but the user's own files"
purge
trap e2e_cleanup EXIT
dpkg-query -W revuro 2>/dev/null | grep -q . && dpkg-query -W -f='${Status}' revuro | grep -q installed &&
    fail "still installed"
while IFS= read -r path; do
    [[ -d $path ]] && continue
    [[ ! -e $path && ! -L $path ]] || fail "left behind: $path"
done <"$E2E_WORK/files"
[[ ! -e /usr/lib/revuro ]] || fail "left behind: /usr/lib/revuro"
left=$(cd "$E2E_HOME" && find . -type f ! -name '.bash*' ! -name .profile | sort)
[[ $left == $'./.config/revuro.ini\n./.local/share/revuro/varariv.m3u' ]] || fail "in the home: $left"
echo PASS
