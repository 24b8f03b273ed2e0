# The saver forced to each video output shows the same picture: a 16:9 clip fills a 16:9 screen,
# a 4:3 clip keeps its aspect between black bars, and both outputs cover the same area. Without
# a choice forced, a display without direct rendering gets plain X11 images.
source "$(dirname "$0")/lib.sh"
start_xvfb 1920x1080
wide=$(ffmpeg -loglevel error -y -f lavfi -i "color=c=green:s=1280x720:r=25:d=30" \
    -pix_fmt yuv420p "$MEDIA/wide.mp4" </dev/null && echo "$MEDIA/wide.mp4")
square=$(make_clip square.mp4 blue 30)  # 320x240: 4:3

# picture_area FILE: the bounding box of what is not black, as WxH+X+Y.
picture_area() {
    local box w h x y
    # A black frame around the shot, so that a picture filling the screen has an edge to find.
    box=$(convert "$1" -bordercolor black -border 1 -fuzz 15% -format '%@' info:)
    IFS='x+' read -r w h x y <<<"$box"
    echo "${w}x${h}+$((x - 1))+$((y - 1))"
}

# area_of OUTPUT CLIP COLOUR: the saver forced to OUTPUT plays CLIP; prints the picture's area.
area_of() {
    write_playlist "$2"
    : >"$E2E_WORK/revuro.log"
    REVURO_VIDEO_OUTPUT=$1 REVURO_VERBOSE=1 start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "$1: no saver window"
    wait_for_colour "$3" 960 540 || fail "$1: the clip does not play"
    grep -q "video output $1 (forced" "$E2E_WORK/revuro.log" || fail "$1: the output was not forced"
    # The picture has its size once its corners show the clip's colour too.
    local area
    area=$(picture_area "$(shot "outputs-$1-$(basename "$2" .mp4)")")
    stop_revuro
    echo "$area"
}

for clip in wide square; do
    colour=green
    [[ $clip == square ]] && colour=blue
    x11=$(area_of x11 "${!clip}" "$colour")
    gpu=$(area_of gpu "${!clip}" "$colour")
    note "$clip clip: x11 $x11, gpu $gpu"
    expected="1920x1080+0+0"
    [[ $clip == square ]] && expected="1440x1080+240+0"
    [[ $x11 == "$expected" ]] || fail "x11 shows the $clip clip over $x11, not $expected"
    [[ $gpu == "$expected" ]] || fail "gpu shows the $clip clip over $gpu, not $expected"
done

# The display is probed beside the start of the rest; a name that forces nothing is reported
# and the display chooses as if none was given.
write_playlist "$wide"
for forced in "" fastest; do
    note "chosen by the display${forced:+ after REVURO_VIDEO_OUTPUT=$forced}: no direct rendering here, so plain X11 images"
    : >"$E2E_WORK/revuro.log"
    REVURO_VIDEO_OUTPUT=$forced REVURO_VERBOSE=1 start_revuro /s
    wait_for_window DavodoR2.0 >/dev/null || fail "no saver window"
    wait_for_colour green 960 540 || fail "the chosen output does not play"
    grep -q 'video output x11 (no direct rendering' "$E2E_WORK/revuro.log" ||
        fail "unexpected choice: $(grep 'video output' "$E2E_WORK/revuro.log")"
    if [[ -n $forced ]]; then
        grep -q "REVURO_VIDEO_OUTPUT=$forced is none of gpu, xv and x11" "$E2E_WORK/revuro.log" ||
            fail "the unknown output name was not reported"
    fi
    stop_revuro
done
echo PASS
