#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Synthesises the game's five sounds with sox: 16-bit PCM WAVE, 22050 Hz,
# mono. Run it from anywhere; it rewrites the .wav files beside it.
#   RICHTIG   a right guess: two bright rising plucks
#   FALSCH    a wrong guess: a soft falling bong
#   VERLOREN  a lost turn: four sinking notes, the last one wavering
#   GEWONNEN  a won turn: a rising arpeggio and a closing chord
#   ZEIT      each second of the countdown: a short wooden tick
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# -R: the same random numbers on every run, so the files are reproducible;
# -D: no dither, for the same reason.
format="-r 22050 -c 1 -b 16 -e signed-integer"
sx() { sox -R -D -V1 "$@"; }

# pluck FILE SECONDS NOTE GAIN
pluck() {
    sx -n $format "$work/$1.wav" synth "$2" pluck "$3" fade q 0.003 "$2" 0.08 gain "$4"
}

# bell FILE SECONDS FREQUENCY GAIN: a sine with its octave, dying away
bell() {
    sx -n $format "$work/$1-a.wav" synth "$2" sine "$3" fade h 0.005 "$2" "$2"
    sx -n $format "$work/$1-b.wav" synth "$2" sine "$(awk "BEGIN { print $3 * 2 }")" fade h 0.005 "$2" "$2" gain -9
    sx -m "$work/$1-a.wav" "$work/$1-b.wav" "$work/$1.wav" gain "$4"
}

# tone FILE SECONDS NOTE GAIN: a mellow triangle with soft edges
tone() {
    sx -n $format "$work/$1.wav" synth "$2" triangle "$3" fade q 0.02 "$2" 0.06 lowpass 1800 gain "$4"
}

# finish NAME PEAK PARTS...: joins the parts, brings the peak to PEAK dB
# and writes NAME.wav; the steady tones get a lower peak to sound as loud
# as the plucks, and the tick stays in the background.
finish() {
    name=$1
    peak=$2
    shift 2
    sx "$@" $format "$here/$name.wav" norm "$peak"
}

# RICHTIG, about 0.4 s
pluck r1 0.13 E5 -3
pluck r2 0.30 B5 -3
finish RICHTIG -3 "$work/r1.wav" "$work/r2.wav"

# FALSCH, about 0.45 s
sx -n $format "$work/f1.wav" synth 0.45 triangle 240-150 fade q 0.01 0.45 0.3 lowpass 1200
finish FALSCH -8 "$work/f1.wav"

# VERLOREN, about 1.6 s
tone v1 0.28 G4 -2
tone v2 0.28 F#4 -2
tone v3 0.28 F4 -2
sx -n $format "$work/v4.wav" synth 0.8 triangle E4 fade q 0.02 0.8 0.35 tremolo 6 40 lowpass 1800
finish VERLOREN -7 "$work/v1.wav" "$work/v2.wav" "$work/v3.wav" "$work/v4.wav"

# GEWONNEN, about 1.3 s
pluck g1 0.12 C5 -3
pluck g2 0.12 E5 -3
pluck g3 0.12 G5 -3
bell g4a 0.9 1046.5 -6
bell g4b 0.9 1318.5 -8
bell g4c 0.9 1568 -9
sx -m "$work/g4a.wav" "$work/g4b.wav" "$work/g4c.wav" "$work/g4.wav"
finish GEWONNEN -3 "$work/g1.wav" "$work/g2.wav" "$work/g3.wav" "$work/g4.wav"

# ZEIT, about 0.22 s: a click of a few milliseconds, then quiet
sx -n $format "$work/z1.wav" synth 0.03 sine 1900 fade q 0.001 0.03 0.025
sx -n $format "$work/z2.wav" trim 0 0.19
finish ZEIT -10 "$work/z1.wav" "$work/z2.wav"
