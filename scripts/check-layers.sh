#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a folder includes a folder above it. The folders are layers:
# each may include itself and the folders listed after it, nothing else.
# Tests, benchmarks and fuzzers may include anything.
set -eu
cd "${1:-$(dirname "$0")/..}"

allowed() {
    case "$1" in
    text) echo "text" ;;
    platform) echo "platform text" ;;
    controls) echo "controls" ;;
    game) echo "game text" ;;
    net) echo "net game text platform" ;;
    update) echo "update text platform controls" ;;
    about) echo "about controls platform" ;;
    tools) echo "tools update text platform" ;;
    window) echo "*" ;;
    esac
}

status=0
for folder in text platform controls game net update about tools window; do
    [ -d "$folder" ] || continue
    may="$(allowed "$folder")"
    [ "$may" = "*" ] && continue
    # Every '#include "other/..."' of a header or source in the folder.
    for file in $(find "$folder" -name '*.h' -o -name '*.cpp' -o -name '*.in'); do
        for used in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^/"]*\)\/.*".*/\1/p' "$file" | sort -u); do
            case " $may " in
            *" $used "*) ;;
            *)
                echo "$file includes $used/, which lies above $folder/ (allowed: $may)"
                status=1
                ;;
            esac
        done
    done
done
[ "$status" -eq 0 ] && echo "The folders include one another in one direction."
exit "$status"
