#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up cost: the time from exec to a visible main window, and the peak
# resident memory shortly after, for the game and for an empty Qt window of
# the same size, started in turns. Each run gets a fresh home with the
# update reminder turned off, and a fresh folder for the program.
#
#   sh bench/startup.sh [build folder] [runs]
#
# Needs Xvfb and xdotool; prints the medians of both and their ratios
# (targets: time at most 1.3, memory at most 1.4 times the empty window's).
set -eu
build="$(cd "${1:-build}" && pwd)"
runs="${2:-7}"
game="$build/lettrisko"
bare="$build/bench/bare_window"
[ -x "$game" ] && [ -x "$bare" ] || { echo "build $game and $bare first" >&2; exit 1; }

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
    mkdir -p "$home/.config/Kx" "$folder"
    cp "$program" "$folder/"
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

: > "$work/game"
: > "$work/bare"
i=0
while [ "$i" -lt "$runs" ]; do
    measure "$bare" "b$i" >> "$work/bare"
    measure "$game" "g$i" >> "$work/game"
    i=$(( i + 1 ))
done

game_ms="$(cut -d' ' -f1 "$work/game" | median)"
bare_ms="$(cut -d' ' -f1 "$work/bare" | median)"
game_kb="$(cut -d' ' -f2 "$work/game" | median)"
bare_kb="$(cut -d' ' -f2 "$work/bare" | median)"
echo "runs: $runs each, in turns"
echo "time to window:  game $game_ms ms, empty window $bare_ms ms, ratio $(echo "$game_ms $bare_ms" | awk '{ printf "%.2f", $1 / $2 }') (target <= 1.30)"
echo "peak memory:     game $(( game_kb / 1024 )) MiB, empty window $(( bare_kb / 1024 )) MiB, ratio $(echo "$game_kb $bare_kb" | awk '{ printf "%.2f", $1 / $2 }') (target <= 1.40)"
