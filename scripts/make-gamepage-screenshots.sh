#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the README's pictures of the game page: the figure growing in the
# middle of a turn and the line that says how the turn ended, on a light
# and on a dark desktop (docs/gamepage-*.png). Plays a turn as a player
# would, on a virtual screen (Xvfb), with the keyboard and the mouse on the
# letters (xdotool), and takes the window's picture (ImageMagick).
#
#   sh scripts/make-gamepage-screenshots.sh [build folder]      (default: build)
#
# SCREENSHOT_DISPLAY picks the virtual screen's number (default :97).
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
display=${SCREENSHOT_DISPLAY:-:97}
[ -x "$build/lettrisko" ] || { echo "No $build/lettrisko: build the game first." >&2; exit 1; }
if [ -e "/tmp/.X${display#:}-lock" ]; then
    echo "The screen $display is in use; pick another with SCREENSHOT_DISPLAY." >&2
    exit 1
fi

work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
    if [ -n "$game" ]; then
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
    fi
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.5
done

press() { xdotool key --delay 80 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 80 "$1"; sleep 0.4; }
# A click on the letter of the pad, as a player's mouse would.
click_letter() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.4
}
# Small files: the pictures hold few colours.
take() { import -window "$window" "$work/shot.png" && convert "$work/shot.png" -strip -colors 96 "PNG8:$1"; }

# One turn on a desktop of the given look: light, or dark as a KDE desktop
# with its dark colours hands them to the program.
play() {
    look=$1
    home="$work/$look"
    mkdir -p "$home/.config/Kx"
    cp "$build/lettrisko" "$home/"
    printf '[Properties]\r\nMistakes=9\r\nPlaySounds=0\r\n[Names]\r\nPlayer1=Anna\r\nPlayer2=Bert\r\n' > "$home/Properties.ini"
    printf '[Software]\nKx\\Lettrisko\\NoUpdate=sz:\n' > "$home/.config/Kx/HKEY_LOCAL_MACHINE.ini"
    desktop=""
    if [ "$look" = dark ]; then
        printf '[Colors:Window]\nBackgroundNormal=42,46,50\nForegroundNormal=252,252,252\n[Colors:View]\nBackgroundNormal=27,30,32\nForegroundNormal=252,252,252\n[Colors:Button]\nBackgroundNormal=49,54,59\nForegroundNormal=252,252,252\n[Colors:Selection]\nBackgroundNormal=61,174,233\nForegroundNormal=252,252,252\n' \
            > "$home/.config/kdeglobals"
        desktop="KDE"
    fi
    (cd "$home" && HOME="$home" XDG_CONFIG_HOME="" XDG_DATA_HOME="" XDG_CURRENT_DESKTOP="$desktop" \
        KDE_SESSION_VERSION=5 exec ./lettrisko >/dev/null 2>&1) &
    game=$!
    window=""
    for _ in $(seq 1 120); do
        for id in $(xdotool search --name '^Lettrisko$' 2>/dev/null); do
            xdotool getwindowgeometry "$id" | grep -q 'Geometry: 792x569' && window=$id
        done
        [ -n "$window" ] && break
        sleep 0.25
    done
    [ -n "$window" ] || { echo "The game's window did not appear." >&2; exit 1; }
    xdotool windowfocus --sync "$window"
    sleep 1

    press ctrl+n
    press Return
    type_text "Schmetterling"
    press Return
    press Return
    type_text "etxr"
    # Q and A by the mouse: the pad's second row starts with N at x 60.
    click_letter 228 97
    click_letter 60 61
    type_text "o"
    take "docs/gamepage-figure-$look.png"
    type_text "bdfjk"
    take "docs/gamepage-outcome-$look.png"
    kill "$game"
    wait "$game" 2>/dev/null || true
    game=""
}

mkdir -p docs
play light
play dark
echo "Written: docs/gamepage-*.png"
