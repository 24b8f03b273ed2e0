# Shared by the benchmark scripts: a virtual X server of their own, private program folders,
# the measuring runner and small statistics. Benchmarks measure; nothing here fails on a time.
set -euo pipefail

: "${REVURO_BUILD:?REVURO_BUILD must name the build folder}"
BENCH_WORK=${BENCH_WORK:-$REVURO_BUILD/bench-work}
RUN="$REVURO_BUILD/revuro_bench_run"
mkdir -p "$BENCH_WORK"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS  # each script chooses its session bus
BENCH_PIDS=()

bench_cleanup() {
    local pid
    # Terminated, not killed, so that Xvfb removes its lock and socket for the next script.
    for pid in "${BENCH_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap bench_cleanup EXIT

# start_xvfb WxH: a virtual screen of our own with a black root; exports DISPLAY.
start_xvfb() {
    local file="$BENCH_WORK/display.$$" i
    rm -f "$file"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -br -nolisten tcp -noreset 3>"$file" \
        >"$BENCH_WORK/xvfb.log" 2>&1 &
    BENCH_PIDS+=($!)
    for ((i = 0; i < 100; i++)); do
        [[ -s "$file" ]] && break
        sleep 0.1
    done
    [[ -s "$file" ]] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$file")"
}

# start_session_bus: a D-Bus session bus of our own, as every desktop session has one (Qt asks
# it for the accessibility bus when a window is first shown); exports DBUS_SESSION_BUS_ADDRESS.
start_session_bus() {
    local file="$BENCH_WORK/bus.$$" i
    rm -f "$file"
    dbus-daemon --session --nofork --print-address=3 3>"$file" >"$BENCH_WORK/bus.log" 2>&1 &
    BENCH_PIDS+=($!)
    for ((i = 0; i < 100; i++)); do
        [[ -s "$file" ]] && break
        sleep 0.1
    done
    [[ -s "$file" ]] || { echo "the session bus did not start" >&2; exit 1; }
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$file")
    export DBUS_SESSION_BUS_ADDRESS
}

# make_app NAME: a program folder with a copy of the executable, its own settings and runtime
# folders (so the saver's single-instance lock is private); prints the folder.
make_app() {
    local app="$BENCH_WORK/$1"
    rm -rf "$app"
    mkdir -p "$app/program" "$app/config" "$app/run"
    chmod 700 "$app/run"
    cp "$REVURO_BUILD/revuro" "$REVURO_BUILD/first.bmp" "$app/program/"
    echo "$app"
}

# in_app APP COMMAND...: runs a command with the app's settings and runtime folders.
in_app() {
    local app=$1
    shift
    XDG_CONFIG_HOME="$app/config" XDG_RUNTIME_DIR="$app/run" "$@"
}

# set_loop APP 是|否
set_loop() {
    printf '[DavodoR2.0\\选项设置]\n顺序播放=%s\n随机播放=否\n' "$2" >"$1/config/revuro.ini"
}

# field LINE NAME: the value of NAME=value in a runner's report line.
field() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1"; }

# median VALUE...: the median of numbers.
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# fmt FORMAT NUMBER
fmt() { LC_ALL=C awk -v f="$1" -v n="$2" 'BEGIN {printf f, n}'; }

# calc EXPRESSION: floating-point arithmetic through awk.
calc() { LC_ALL=C awk "BEGIN {print $1}"; }

# bench_clip: the path of the 20 s 1920x1080 30 fps H.264 + AAC clip, made once per bench folder.
bench_clip() {
    local clip="$BENCH_WORK/clip-1080p30-h264-aac.mp4"
    if [[ ! -s "$clip" ]]; then
        ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=20" \
            -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=20" \
            -c:v libx264 -preset fast -threads 1 -pix_fmt yuv420p -c:a aac -b:a 128k -shortest \
            "$clip.tmp.mp4" </dev/null
        mv "$clip.tmp.mp4" "$clip"
    fi
    echo "$clip"
}
