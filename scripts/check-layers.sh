#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a layer includes a layer above it, or when a layer without a
# widget includes a header of Qt Widgets. Each layer may include itself and
# the layers listed after it, nothing else. Tests, benchmarks and fuzzers
# may include anything.
#
# A layer is a folder. In platform/ and update/ the folder's library
# without a widget (lettrisko_platform, lettrisko_update) is one layer, and
# the files of the folder's other libraries are a layer on top of it
# ("platform-widgets", "update-wizard"). Which library a file belongs to is
# read from the folder's CMakeLists.txt; a file that only another library
# names belongs to that one, every other file to the library without a
# widget.
#
#   sh scripts/check-layers.sh [SOURCE-FOLDER [QTWIDGETS-HEADER-FOLDER]]
set -eu
cd "${1:-$(dirname "$0")/..}"

# Sets may to the layers that a layer may include.
allowed() {
    case "$1" in
    text) may="text" ;;
    platform) may="platform text" ;;
    platform-widgets) may="platform-widgets platform text" ;;
    controls) may="controls" ;;
    game) may="game text" ;;
    net) may="net game text platform" ;;
    update) may="update text platform" ;;
    update-wizard) may="update-wizard update text platform controls" ;;
    about) may="about controls platform-widgets platform" ;;
    tools) may="tools update text platform" ;;
    *) may="*" ;;
    esac
}

# The layers that have no widget.
widget_free="text platform game net update tools"

# Qt Widgets' own headers; those that Qt Gui or Qt Core also have are not
# its own.
widgets_headers="${2:-}"
if [ -z "$widgets_headers" ]; then
    for candidate in /usr/include/*/qt6/QtWidgets /usr/include/qt6/QtWidgets; do
        if [ -d "$candidate" ]; then
            widgets_headers="$candidate"
            break
        fi
    done
fi
if [ ! -d "$widgets_headers/" ]; then
    echo "No headers of Qt Widgets found; name their folder as the second argument." >&2
    exit 2
fi
qt_headers="$(dirname "$widgets_headers")"

is_widgets_header() {
    case "$1" in
    QtWidgets | QtWidgets/*) return 0 ;;
    */*) return 1 ;;
    esac
    [ -e "$widgets_headers/$1" ] && [ ! -e "$qt_headers/QtGui/$1" ] && [ ! -e "$qt_headers/QtCore/$1" ]
}

# "library file" for every source that the folder's CMakeLists.txt names
# in an add_library() or a target_sources(), the file without its folder.
library_sources() {
    awk '
        /^[[:space:]]*(add_library|target_sources)[[:space:]]*\(/ {
            inside = 1
            library = ""
            sub(/^[^(]*\(/, "")
        }
        inside {
            sub(/#.*/, "")
            ended = sub(/\).*/, "")
            for (i = 1; i <= NF; i++) {
                if (library == "") {
                    library = $i
                } else if ($i ~ /\.(cpp|h|in)$/) {
                    file = $i
                    sub(/.*\//, "", file)
                    print library, file
                }
            }
            if (ended)
                inside = 0
        }' "$1/CMakeLists.txt"
}

# The files of a split folder's widget part, on one line: those that the
# folder's other libraries name and its library without a widget does not.
widget_part_files() {
    sources="$(library_sources "$1")"
    own=" $(printf '%s\n' "$sources" | awk -v library="$2" '$1 == library { print $2 }' | tr '\n' ' ')"
    if [ "$own" = " " ]; then
        echo "$1/CMakeLists.txt names no file of $2" >&2
        exit 2
    fi
    for file in $(printf '%s\n' "$sources" | awk -v library="$2" '$1 != library { print $2 }'); do
        case "$own" in
        *" $file "*) ;;
        *) printf '%s ' "$file" ;;
        esac
    done
}
platform_widget_part=" $(widget_part_files platform lettrisko_platform)"
update_widget_part=" $(widget_part_files update lettrisko_update)"

# Sets found_layer to the layer of a file given by its path from the source
# folder.
find_layer() {
    layer_folder="${1%%/*}"
    layer_file="${1##*/}"
    layer_file="${layer_file%.in}"
    found_layer="$layer_folder"
    case "$layer_folder" in
    platform)
        case "$platform_widget_part" in
        *" $layer_file "*) found_layer="platform-widgets" ;;
        esac
        ;;
    update)
        case "$update_widget_part" in
        *" $layer_file "*) found_layer="update-wizard" ;;
        esac
        ;;
    esac
}

# "file "other/..." or "file <...", the include with its opening mark, for
# every include of a header or source of a layer but the window.
includes() {
    find text platform controls game net update about tools -name '*.h' -o -name '*.cpp' -o -name '*.in' 2>/dev/null |
        sort | xargs awk '
            /^[ \t]*#[ \t]*include[ \t]*["<]/ {
                line = $0
                sub(/^[ \t]*#[ \t]*include[ \t]*/, "", line)
                if (match(line, /^("[^"]*"|<[^>]*>)/))
                    print FILENAME, substr(line, 1, RLENGTH - 1)
            }'
}

all_includes="$(includes)"
if [ -z "$all_includes" ]; then
    echo "No includes found in $(pwd)" >&2
    exit 2
fi
status=0
while read -r file used; do
    find_layer "$file"
    layer="$found_layer"
    allowed "$layer"
    name="${used#?}"
    case " $widget_free " in
    *" $layer "*)
        if is_widgets_header "$name"; then
            echo "$file includes $name of Qt Widgets, but $layer has no widget"
            status=1
        fi
        ;;
    esac
    case "$used" in
    \"*/*) ;;
    *) continue ;;
    esac
    find_layer "$name"
    case " $may " in
    *" $found_layer "*) ;;
    *)
        echo "$file includes $name of the layer $found_layer, which lies above $layer (allowed: $may)"
        status=1
        ;;
    esac
done <<INCLUDES
$all_includes
INCLUDES
[ "$status" -eq 0 ] && echo "The layers include one another in one direction; those without a widget include none."
exit "$status"
