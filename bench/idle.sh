#!/usr/bin/env bash
# Idle cost: the full-screen saver on a list in which every row is missing, looping on, CPU per
# second over 10 s once it has started. Prints Markdown.
source "$(dirname "$0")/lib.sh"

REPEATS=${BENCH_REPEATS:-3}
start_xvfb 800x600
app=$(make_app idle)
set_loop "$app" 是
awk 'BEGIN {for (i = 1; i <= 100; i++) printf "%s/nowhere/missing %d.mp4", (i > 1 ? "\r\n" : ""), i}' \
    >"$app/program/varariv.m3u"
tick=$(getconf CLK_TCK)

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
shares=()
for ((r = 0; r < REPEATS; r++)); do
    # Started directly rather than through in_app, so that $! is the saver itself and not a
    # subshell around it: that is the process measured and killed below.
    XDG_CONFIG_HOME="$app/config" XDG_RUNTIME_DIR="$app/run" "$app/program/revuro" /s \
        2>>"$BENCH_WORK/idle.log" &
    pid=$!
    BENCH_PIDS+=("$pid")
    sleep 3  # start-up is not idling
    before=$(ticks "$pid")
    sleep 10
    after=$(ticks "$pid") || { echo "the saver ended by itself; see $BENCH_WORK/idle.log" >&2; exit 1; }
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    shares+=("$(calc "($after - $before) / $tick / 10 * 100")")
done
share=$(median "${shares[@]}")
verdict="**missed**"
(($(calc "$share < 2"))) && verdict=met
cat <<MD
## Idle cost of a list where nothing plays

\`revuro /s\` on 100 rows that all name missing files, looping on; CPU from 3 s to 13 s after
start, $REPEATS runs: $(printf '%s%% ' "${shares[@]}")-> median **$(fmt %.2f "$share")% of one core**
(goal under 2%: $verdict).
MD
