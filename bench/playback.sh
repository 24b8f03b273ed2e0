#!/usr/bin/env bash
# Playback cost: the full-screen saver against the mpv command on the same clip, once with the
# video output the saver chose and once with OpenGL in software (the saver's output before it
# chose by the display), every other option as the saver gives them to libmpv; A B C A B C on
# one virtual screen. Then the single-thread decode floor of the same clip. Prints Markdown.
source "$(dirname "$0")/lib.sh"

ROUNDS=${BENCH_ROUNDS:-5}
FIRST_ROUNDS=${BENCH_FIRST_ROUNDS:-15}
SECONDS_OF_CLIP=20
HOLD=$((SECONDS_OF_CLIP + 1))  # each run lasts from its first frame to just past the clip's end
clip=$(bench_clip)

start_xvfb 1920x1080
start_session_bus
app=$(make_app playback)
printf '%s' "$clip" >"$app/program/varariv.m3u"
set_loop "$app" 否

# The clip's first frame: red, yellow and cyan bars at the bottom. Every player shows it 1:1.
probes=(--probe 160,1000,255,0,0 --probe 800,1000,255,255,0 --probe 1760,1000,0,255,255)

# What the saver's backend gives libmpv (src/qt/player/MpvBackend.cpp), as command options.
# libmpv reads no configuration and has no terminal, so neither has the command. The saver plays
# into its own window (wid); the command makes a full-screen one.
common=(--no-config --terminal=no --fs --idle=yes --keep-open=yes --keep-open-pause=no
    --force-window=yes --osd-font-size=30 --osc=yes --script-opts=osc-idlescreen=no
    --input-default-bindings=no --input-vo-keyboard=no --input-cursor=no --input-media-keys=no
    --cursor-autohide=no --stop-screensaver=no --ytdl=no --load-scripts=no
    --image-display-duration=5 --volume=50 --mute=no --speed=1 --video-unscaled=no)
# output_options NAME: the backend's options for each video output it may choose.
output_options() {
    case $1 in
        gpu) echo "--vo=gpu,x11 --hwdec=auto-safe --gpu-context=x11egl --gpu-sw=no" ;;
        xv) echo "--vo=xv,x11 --hwdec=no" ;;
        *) echo "--vo=x11 --hwdec=no" ;;
    esac
}
# The saver's options before it chose its output by the display: OpenGL, in software here.
software_gl=(--vo=gpu,x11 --gpu-context=x11egl --gpu-sw=yes --hwdec=auto-safe)

# saver_run [HOLD [COMMAND...]]: one measured run of the saver, through COMMAND when given (such
# as env taking the session bus away); the output it chose goes to $BENCH_WORK/output.
saver_run() {
    local log="$BENCH_WORK/saver.log" line hold=${1:-$HOLD}
    shift $(($# ? 1 : 0))
    line=$(REVURO_VERBOSE=1 in_app "$app" "$@" "$RUN" "${probes[@]}" --hold "$hold" --limit 60 -- \
        "$app/program/revuro" /s 2>"$log")
    sed -n 's/^revuro: video output \([a-z0-9]*\) .*/\1/p' "$log" | head -n1 >"$BENCH_WORK/output"
    cat "$log" >&2
    echo "$line"
}

# One run of each first, not counted: the first run after a build reads the fresh executable
# and its libraries from disk, and A, always first, would pay for it alone.
saver_run 0 >/dev/null
# shellcheck disable=SC2046  # the output's options are words
"$RUN" "${probes[@]}" --hold 0 --limit 60 -- mpv "${common[@]}" $(output_options "$(cat "$BENCH_WORK/output")") \
    "$clip" >/dev/null 2>&1
"$RUN" "${probes[@]}" --hold 0 --limit 60 -- mpv "${common[@]}" "${software_gl[@]}" "$clip" >/dev/null 2>&1

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
declare -a a_cpu a_rss a_first b_cpu b_rss b_first c_cpu c_rss c_first
rows=""
output=""
for ((i = 1; i <= ROUNDS; i++)); do
    a=$(saver_run)
    chosen=$(cat "$BENCH_WORK/output")
    [[ -n "$chosen" ]] || { echo "the saver did not report its video output" >&2; exit 1; }
    [[ -z "$output" || "$output" == "$chosen" ]] || { echo "the saver changed its output" >&2; exit 1; }
    output=$chosen
    # shellcheck disable=SC2046  # the output's options are words
    same=(mpv "${common[@]}" $(output_options "$output"))
    b=$("$RUN" "${probes[@]}" --hold "$HOLD" --limit 60 -- "${same[@]}" "$clip" 2>/dev/null)
    c=$("$RUN" "${probes[@]}" --hold "$HOLD" --limit 60 -- mpv "${common[@]}" "${software_gl[@]}" \
        "$clip" 2>/dev/null)
    for line in "$a" "$b" "$c"; do
        [[ $(field "$line" first_ms) != none ]] || { echo "round $i: a run showed no frame" >&2; exit 1; }
    done
    a_cpu+=("$(field "$a" cpu_s)") a_rss+=("$(field "$a" rss_kib)") a_first+=("$(field "$a" first_ms)")
    b_cpu+=("$(field "$b" cpu_s)") b_rss+=("$(field "$b" rss_kib)") b_first+=("$(field "$b" first_ms)")
    c_cpu+=("$(field "$c" cpu_s)") c_rss+=("$(field "$c" rss_kib)") c_first+=("$(field "$c" first_ms)")
    rows+="| $i | ${a_cpu[-1]} | ${b_cpu[-1]} | ${c_cpu[-1]} "
    rows+="| $(fmt %.1f "$(calc "${a_rss[-1]} / 1024")") | $(fmt %.1f "$(calc "${b_rss[-1]} / 1024")") "
    rows+="| $(fmt %.1f "$(calc "${c_rss[-1]} / 1024")") "
    rows+="| ${a_first[-1]} | ${b_first[-1]} | ${c_first[-1]} |"$'\n'
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# The first frame alone, each run killed at it: the saver and the mpv command with the session
# bus (as on a desktop), then both without one (as in a bare X server, where the D-Bus library
# tries to start a bus of its own), A B A' B', ...
no_bus=(env -u DBUS_SESSION_BUS_ADDRESS)
declare -a fa fb na nb
first_rows=""
first_load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((i = 1; i <= FIRST_ROUNDS; i++)); do
    a=$(saver_run 0)
    b=$("$RUN" "${probes[@]}" --hold 0 --limit 60 -- "${same[@]}" "$clip" 2>/dev/null)
    an=$(saver_run 0 "${no_bus[@]}")
    bn=$("${no_bus[@]}" "$RUN" "${probes[@]}" --hold 0 --limit 60 -- "${same[@]}" "$clip" 2>/dev/null)
    for line in "$a" "$b" "$an" "$bn"; do
        [[ $(field "$line" first_ms) != none ]] || { echo "first frame round $i: a run showed no frame" >&2; exit 1; }
    done
    fa+=("$(field "$a" first_ms)") fb+=("$(field "$b" first_ms)")
    na+=("$(field "$an" first_ms)") nb+=("$(field "$bn" first_ms)")
    first_rows+="| $i | ${fa[-1]} | ${fb[-1]} | $(fmt %+.1f "$(calc "${fa[-1]} - ${fb[-1]}")") "
    first_rows+="| ${na[-1]} | ${nb[-1]} | $(fmt %+.1f "$(calc "${na[-1]} - ${nb[-1]}")") |"$'\n'
done
first_load_after=$(cut -d' ' -f1-3 /proc/loadavg)
bus_gaps=() no_bus_gaps=()
for ((i = 0; i < FIRST_ROUNDS; i++)); do
    bus_gaps+=("$(calc "${fa[i]} - ${fb[i]}")")
    no_bus_gaps+=("$(calc "${na[i]} - ${nb[i]}")")
done
bus_gap=$(median "${bus_gaps[@]}") no_bus_gap=$(median "${no_bus_gaps[@]}")

decode=()
for ((i = 0; i < 3; i++)); do
    d=$("$RUN" -- ffmpeg -nostdin -loglevel error -threads 1 -filter_threads 1 -i "$clip" -f null -)
    decode+=("$(field "$d" cpu_s)")
done

cpu_a=$(median "${a_cpu[@]}") cpu_b=$(median "${b_cpu[@]}") cpu_c=$(median "${c_cpu[@]}")
cheaper=$cpu_b cheaper_name="mpv with the saver's output"
if (($(calc "$cpu_c < $cpu_b"))); then cheaper=$cpu_c cheaper_name="mpv with OpenGL in software"; fi
rss_a=$(calc "$(median "${a_rss[@]}") / 1024") rss_b=$(calc "$(median "${b_rss[@]}") / 1024")
rss_c=$(calc "$(median "${c_rss[@]}") / 1024")
first_a=$(median "${a_first[@]}") first_b=$(median "${b_first[@]}") first_c=$(median "${c_first[@]}")
# Start-up and memory compare round by round: each pair ran within seconds of each other.
first_gaps=() rss_gaps=()
for ((i = 0; i < ROUNDS; i++)); do
    first_gaps+=("$(calc "${a_first[i]} - ${b_first[i]}")")
    rss_gaps+=("$(calc "(${a_rss[i]} - ${b_rss[i]}) / 1024")")
done
first_gap=$(median "${first_gaps[@]}") rss_gap=$(median "${rss_gaps[@]}")
floor=$(median "${decode[@]}")
verdict() { if (($(calc "$1"))); then echo met; else echo "**missed**"; fi; }

cat <<MD
## Playback cost against bare mpv

The clip: 1920x1080, 30 fps, H.264 + AAC, ${SECONDS_OF_CLIP} s, generated by ffmpeg. A: \`revuro /s\`
on a one-row playlist; it chose the video output **$output** (REVURO_VERBOSE). B: the \`mpv\`
command with that output; C: the \`mpv\` command with OpenGL in software, the saver's output before
it chose by the display. B and C get every other option the saver gives libmpv:
\`mpv ${common[*]}\` plus \`$(output_options "$output")\` (B) or \`${software_gl[*]}\` (C).
All full screen on one Xvfb 1920x1080 without a window manager, under one session bus (as on a
desktop; see the next section), run A B C, A B C, ...
(rounds: $ROUNDS; load average $load_before before, $load_after after). Each run lasts from process
start to ${HOLD} s after its first frame, then the process is killed; one uncounted run of each
goes first. First frame: the screen is
polled every 2 ms until three bars of the clip's first frame show. CPU = user + system of all
threads.

| round | A CPU s | B CPU s | C CPU s | A peak RSS MiB | B peak RSS MiB | C peak RSS MiB | A first frame ms | B first frame ms | C first frame ms |
|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|
${rows}
| measure | revuro (A) | mpv, same output (B) | mpv, OpenGL in software (C) | result | goal |
|---|---:|---:|---:|---:|---|
| CPU seconds, median | $cpu_a | $cpu_b | $cpu_c | $(fmt %.3f "$(calc "$cpu_a / $cheaper")") x the cheaper ($cheaper_name) | <= 1.05: $(verdict "$cpu_a / $cheaper <= 1.05") |
| CPU against the same options | | | | $(fmt %.3f "$(calc "$cpu_a / $cpu_b")") x B | <= 1.05: $(verdict "$cpu_a / $cpu_b <= 1.05") |
| CPU against the decode floor | | | | $(fmt %.2f "$(calc "$cpu_a / $floor")") x (B: $(fmt %.2f "$(calc "$cpu_b / $floor")") x, C: $(fmt %.2f "$(calc "$cpu_c / $floor")") x) | <= 3: $(verdict "$cpu_a / $floor <= 3") |
| first frame ms, median | $first_a | $first_b | $first_c | $(fmt %+.0f "$first_gap") ms against B (median of the rounds' differences) | <= +50 ms: $(verdict "$first_gap <= 50"); the walker's <= +150 ms: $(verdict "$first_gap <= 150") |
| peak RSS MiB, median | $(fmt %.1f "$rss_a") | $(fmt %.1f "$rss_b") | $(fmt %.1f "$rss_c") | $(fmt %+.1f "$rss_gap") MiB against B (median of the rounds' differences) | <= +20 MiB: $(verdict "$rss_gap <= 20") |

## First frame, with and without a session bus

Every desktop session has a D-Bus session bus, and Qt asks it for the accessibility bus when
the saver's window is first shown. The runs above and the first two columns here have one (a
bus daemon of the benchmark's own, shared by both commands); the last two have none, as in a
bare X server, where the D-Bus library tries to start a bus itself and the saver waits for that.
Each run is killed at its first frame; A (saver), B (mpv, same output as above), then A' and B'
the same without the bus; rounds: $FIRST_ROUNDS; load average $first_load_before before,
$first_load_after after.

| round | A ms | B ms | A - B ms | A' ms (no bus) | B' ms (no bus) | A' - B' ms |
|---:|---:|---:|---:|---:|---:|---:|
${first_rows}
| measure | saver | mpv | result | goal |
|---|---:|---:|---:|---|
| first frame ms with the session bus, median | $(median "${fa[@]}") | $(median "${fb[@]}") | $(fmt %+.0f "$bus_gap") ms (median of the rounds' differences) | <= +50 ms: $(verdict "$bus_gap <= 50") |
| first frame ms without a session bus, median | $(median "${na[@]}") | $(median "${nb[@]}") | $(fmt %+.0f "$no_bus_gap") ms (median of the rounds' differences) | (no desktop runs so) |

## The decode floor

\`ffmpeg -threads 1 -filter_threads 1 -i clip -f null -\` decodes the clip's pictures and sound on
one thread and shows nothing; median of 3: **$floor CPU s**. What the players add to it: mpv's
decoding threads, converting every 1080p frame to the screen's pixels and handing it to the X
server (with $output), the audio path, and the on-screen controller.
MD
