#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Draws the game's pictures and button glyphs with ImageMagick.
# Run from this folder: sh make_images.sh
set -eu

FONT=/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf
[ -f "$FONT" ] || FONT=DejaVu-Sans-Bold

# The gallows with a figure, on a transparent ground: the corner picture of
# the pages (258 x 233).
convert -size 258x233 xc:none \
    -stroke '#6b4a2b' -strokewidth 9 -fill none \
    -draw "line 40,222 160,222" -draw "line 70,222 70,22" -draw "line 66,22 196,22" \
    -draw "line 70,62 110,22" \
    -stroke '#8a6a45' -strokewidth 3 -draw "line 190,22 190,60" \
    -stroke '#202020' -strokewidth 5 -fill '#ffe0b0' -draw "circle 190,78 190,96" \
    -fill none -draw "line 190,96 190,158" \
    -draw "line 190,112 164,140" -draw "line 190,112 216,140" \
    -draw "line 190,158 170,200" -draw "line 190,158 210,200" \
    -stroke none -fill '#202020' -draw "circle 184,75 184,77" -draw "circle 196,75 196,77" \
    decoration.png

# The title picture of the start page (516 x 466): the name over letters to
# guess and the gallows, whose beam stays below the position numbers.
convert -size 516x466 xc:none \
    -font "$FONT" -pointsize 78 -fill '#1c4f9c' -stroke '#0c2f6c' -strokewidth 2 \
    -gravity north -annotate +0+10 'Lettrisko' \
    -gravity northwest -stroke none -pointsize 42 -fill '#202020' \
    -annotate +40+150 'L  _  T  T  _  _  S  K  _' \
    -pointsize 16 -fill '#555555' \
    -annotate +50+200 '1       2       3       4       5       6       7       8       9' \
    \( decoration.png -resize 110% \) -gravity southeast -geometry +10+0 -composite \
    -gravity southwest -font "$FONT" -pointsize 30 -fill '#c01818' \
    -annotate +30+60 'Ä  X  Q  Z' \
    title.png

# Two-state glyphs: the normal picture and its greyed twin.
convert -size 24x24 xc:none -stroke '#178a1f' -strokewidth 4 -fill none \
    -draw "polyline 4,13 10,19 20,5" ok.png
convert ok.png -channel RGB -fx '0.6' +channel ok_disabled.png
convert -size 24x24 xc:none -stroke '#c81e1e' -strokewidth 4 \
    -draw "line 5,5 19,19" -draw "line 19,5 5,19" cancel.png
convert cancel.png -channel RGB -fx '0.6' +channel cancel_disabled.png
convert -size 24x24 xc:none -fill '#2a62c9' -draw "circle 12,12 12,1" \
    -fill white -draw "rectangle 10,10 14,19" -draw "circle 12,6 12,4" info.png

# The application icon: a letter on a tile with a missing-letter line.
convert -size 64x64 xc:none -fill '#2a62c9' -draw "roundrectangle 2,2 61,61 10,10" \
    -font "$FONT" -pointsize 44 -fill white -gravity center -annotate +0-4 'L' \
    -stroke white -strokewidth 4 -draw "line 14,54 50,54" lettrisko.png

# Eight bits per channel, as the program keeps its pictures, and without
# the colour-space chunks and time stamps, which only cost decoding time at
# every start and change each file at every run.
mogrify -depth 8 -strip ./*.png
