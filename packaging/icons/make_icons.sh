#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Draws the installed icon sizes from lettrisko.svg with ImageMagick.
# Run from this folder: sh make_icons.sh
#
# lettrisko.svg repeats the program's own 64 x 64 icon
# (resources/images/make_images.sh) as a drawing; its letter is the
# outline of Comic Neue Bold's "L", read from the font with fontTools.
set -eu

for size in 16 24 32 48 64 128 256; do
    # At 96 dpi the 64-unit picture is 64 pixels wide.
    convert -background none -density "$((96 * size / 64))" lettrisko.svg \
        -strip -depth 8 "PNG32:lettrisko-$size.png"
done
