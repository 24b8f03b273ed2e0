#!/usr/bin/env bash
# Opening the configuration dialog on playlists of growing length, against opening it on an
# empty list, alternated. "Shown" is the same for every run: the window titled
# "DavodoR2.03设置" is viewable and its bottom strip shows the form's colour. Prints Markdown.
source "$(dirname "$0")/lib.sh"

REPEATS=${BENCH_REPEATS:-5}
SIZES=(4096 8192 16384 32767)
start_xvfb 1024x768
title="DavodoR2.03设置"
probes=(--window "$title" --probe 200,445,192,192,255 --probe 5,445,192,192,255)

# app_with ROWS: a program folder whose playlist holds ROWS paths; prints the folder.
app_with() {
    local app
    app=$(make_app "config-$1")
    set_loop "$app" 是
    if (($1 > 0)); then
        awk -v n="$1" 'BEGIN {for (i = 1; i <= n; i++) printf "%s/home/user/Videos/Screen saver/Movie %d 电影 Été.rmvb", (i > 1 ? "\r\n" : ""), i * 7919 % 100003}' \
            >"$app/program/varariv.m3u"
    fi
    echo "$app"
}

open_ms() {  # open_ms APP: milliseconds from start until the dialog is shown
    local line
    line=$(in_app "$1" "$RUN" "${probes[@]}" --limit 60 -- "$1/program/revuro" /c)
    field "$line" first_ms
}

empty=$(app_with 0)
declare -A apps times
for n in "${SIZES[@]}"; do apps[$n]=$(app_with "$n"); done
base=()
for ((r = 0; r < REPEATS; r++)); do
    for n in "${SIZES[@]}"; do
        base+=("$(open_ms "$empty")")
        times[$n]+="$(open_ms "${apps[$n]}") "
    done
done

b=$(median "${base[@]}")
cat <<MD
## Opening \`/c\` at scale

From process start until the dialog is shown, on a playlist of n rows and on an empty one
(the baseline), alternated, median of $REPEATS (baseline: of $((REPEATS * ${#SIZES[@]}))). Extra = time
over the baseline; growth is the extra over the extra at half the rows.

| rows | empty list ms | n rows ms | ratio | extra ms | growth of extra per doubling | goal |
|---:|---:|---:|---:|---:|---:|---|
MD
previous=""
for n in "${SIZES[@]}"; do
    # shellcheck disable=SC2086
    t=$(median ${times[$n]})
    extra=$(calc "$t - $b")
    growth=""
    [[ -n $previous ]] && growth=$(fmt %.2f "$(calc "$extra / $previous")")
    goal=""
    if ((n == 32767)); then
        if (($(calc "$t / $b <= 1.5"))); then goal="ratio <= 1.5: met"; else goal="ratio <= 1.5: **missed**"; fi
    fi
    echo "| $n | $b | $t | $(fmt %.2f "$(calc "$t / $b")") | $(fmt %.1f "$extra") | $growth | $goal |"
    previous=$extra
done
