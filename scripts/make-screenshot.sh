#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes docs/screenshot-game.png, the picture of a game in progress at the
# top of the README, and docs/screenshot-start.png, the start page: starts the built game on a virtual screen (Xvfb) with
# a settings folder of its own, plays to the middle of a turn with the
# keyboard (xdotool) as a player would, and takes the window's picture
# (ImageMagick's import).
#
#   sh scripts/make-screenshot.sh [build folder]      (default: build)
#
# SCREENSHOT_DISPLAY picks the virtual screen's number (default :97).
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
display=${SCREENSHOT_DISPLAY:-:97}
output=docs/screenshot-game.png
[ -x "$build/lettrisko" ] || { echo "No $build/lettrisko: build the game first." >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
    # The game saves its settings as it ends; the folder goes after that.
    if [ -n "$game" ]; then
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
    fi
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A copy of its own, so that its settings lie beside it: a timed turn, and
# no update reminder at the start.
cp "$build/lettrisko" "$work/"
printf '[Properties]\r\nTimeLimit=2\r\nTimeLimitValue=120\r\nPlaySounds=0\r\n[Names]\r\nPlayer1=Anna\r\nPlayer2=Bert\r\n' \
    > "$work/Properties.ini"
mkdir -p "$work/home/.config/Kx"
printf '[Software]\nKx\\Lettrisko\\NoUpdate=sz:\n' > "$work/home/.config/Kx/HKEY_LOCAL_MACHINE.ini"

# Keys typed on a screen that someone else uses would land in their programs.
if [ -e "/tmp/.X${display#:}-lock" ]; then
    echo "The screen $display is in use; pick another with SCREENSHOT_DISPLAY." >&2
    exit 1
fi
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.5
done
kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start on $display." >&2; exit 1; }

HOME="$work/home" XDG_CONFIG_HOME="" XDG_DATA_HOME="" "$work/lettrisko" >/dev/null 2>&1 &
game=$!

# The main window, not Qt's invisible helper windows.
window=""
for _ in $(seq 1 120); do
    for id in $(xdotool search --name '^Lettrisko$' 2>/dev/null); do
        xdotool getwindowgeometry "$id" | grep -q 'Geometry: 792x569' && window=$id
    done
    [ -n "$window" ] && break
    sleep 0.25
done
[ -n "$window" ] || { echo "The game's window did not appear." >&2; exit 1; }
# Without a window manager nobody hands the window the keyboard.
xdotool windowfocus --sync "$window"

mkdir -p docs
sleep 1
import -window "$window" docs/screenshot-start.png
echo "Written: docs/screenshot-start.png"

press() { xdotool key --delay 80 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 80 "$1"; sleep 0.4; }
press ctrl+n
press Return
type_text "Schmetterling"
press Return
press Return
type_text "etxrqn"
sleep 2.5

import -window "$window" "$output"
echo "Written: $output"
