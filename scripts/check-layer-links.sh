#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when one of the given executables links Qt Widgets. The tests of
# the layers without a widget are given: they link their layer's library
# and the libraries below it, and are linked so that each library on the
# link line shows among those they need.
#
#   sh scripts/check-layer-links.sh EXECUTABLE...
set -eu
if [ "$#" -eq 0 ]; then
    echo "usage: $0 EXECUTABLE..." >&2
    exit 2
fi

status=0
for executable in "$@"; do
    if [ ! -f "$executable" ]; then
        echo "$executable is not built"
        status=1
        continue
    fi
    if ! libraries="$(ldd "$executable")"; then
        echo "ldd cannot read $executable"
        status=1
        continue
    fi
    widgets="$(printf '%s\n' "$libraries" | awk '$1 ~ /^libQt6Widgets/ { print $1 }')"
    if [ -n "$widgets" ]; then
        echo "$(basename "$executable") links $widgets"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "None of the $# executables links Qt Widgets."
exit "$status"
