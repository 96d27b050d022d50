#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up cost: the time from exec to a visible main window, and the peak
# resident memory shortly after, for the game, for a Qt window of the same
# size with one label and one button, and for an empty one, started in
# turns. Each run gets a fresh home with the update reminder turned off and
# a fresh folder for the program, and is started twice: the first start
# finds nothing of its own (the game writes its menu entry, the caches are
# cold), a later one finds what the first left.
#
#   sh bench/startup.sh [build folder] [runs]
#
# Needs Xvfb and xdotool; prints the medians and the game's ratios to the
# window with text (targets at either start: time at most 1.3, memory at
# most 1.25 times).
set -eu
build="$(cd "${1:-build}" && pwd)"
runs="${2:-7}"
game="$build/lettrisko"
bare="$build/bench/bare_window"
text="$build/bench/text_window"
for program in "$game" "$bare" "$text"; do
    [ -x "$program" ] || { echo "build $program first" >&2; exit 1; }
done

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ]; then
    display=":$(( $$ % 400 + 100 ))"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY="$display"
    while ! xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done
fi

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# One start: prints "milliseconds kibibytes".
measure() {
    program="$1"
    home="$work/home.$2"
    folder="$work/program.$2"
    if [ ! -d "$folder" ]; then
        mkdir -p "$home/.config/Kx" "$folder"
        cp "$program" "$folder/"
    fi
    # The reminder is switched off as "Niemals" leaves it.
    printf '[Software]\nKx\\Lettrisko\\NoUpdate=\n' > "$home/.config/Kx/HKEY_LOCAL_MACHINE.ini"

    start="$(now_ms)"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        "$folder/$(basename "$program")" >"$folder/log" 2>&1 &
    pid=$!
    while ! xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$program ended before its window showed:" >&2; cat "$folder/log" >&2; exit 1; }
        sleep 0.002
    done
    shown="$(now_ms)"
    sleep 0.5
    peak="$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(( shown - start )) $peak"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for start in first later; do
    for kind in game text bare; do
        : > "$work/$kind.$start"
    done
done
i=0
while [ "$i" -lt "$runs" ]; do
    for kind in bare text game; do
        eval "program=\$$kind"
        measure "$program" "$kind$i" >> "$work/$kind.first"
        measure "$program" "$kind$i" >> "$work/$kind.later"
    done
    i=$(( i + 1 ))
done

ratio() { echo "$1 $2" | awk '{ printf "%.2f", $1 / $2 }'; }
echo "runs: $runs each, in turns; medians"
printf '%-6s %-27s %-27s %-27s %s\n' start game "window with text" "empty window" "game / window with text"
for start in first later; do
    for kind in game text bare; do
        eval "${kind}_ms=\$(cut -d' ' -f1 \"\$work/\$kind.\$start\" | median)"
        eval "${kind}_kb=\$(cut -d' ' -f2 \"\$work/\$kind.\$start\" | median)"
    done
    printf '%-6s %-27s %-27s %-27s %s\n' "$start" \
        "$game_ms ms, $(( game_kb / 1024 )) MiB" "$text_ms ms, $(( text_kb / 1024 )) MiB" \
        "$bare_ms ms, $(( bare_kb / 1024 )) MiB" \
        "time $(ratio "$game_ms" "$text_ms") (<= 1.30), memory $(ratio "$game_kb" "$text_kb") (<= 1.25)"
done
