#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Puts the copyright and licence lines on every file of the source that
# has none, in the comment syntax of its kind; a file that has them already
# is left as it is, so running the script again changes nothing. Pictures,
# sounds, Debian's own files and the fuzzers' inputs, which cannot carry a
# comment, are covered by .reuse/dep5 instead. A file of a kind the script
# does not know is named at the end, and the script fails, so that nothing
# is missed.
#
#   sh scripts/add-spdx-headers.sh        (then: reuse lint)
set -eu
cd "$(dirname "$0")/.."

holder="2026 Kx Software"
licence="GPL-3.0-or-later"
# Assembled, so that this script's own lines are not read as a licence tag.
copyright_tag="SPDX-FileCopyrightText:"
licence_tag="SPDX-License""-Identifier:"

# The files of the source: what git knows of, or else everything but the
# build folders.
source_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files --cached --others --exclude-standard
    else
        find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'
    fi
}

# The comment style of a file: "line PREFIX" for comments to the end of the
# line, "block" for <!-- -->; nothing when the file takes no header.
style_of() {
    case "$1" in
        LICENSE | LICENSES/* | .reuse/* | .git | .git/*) ;;
        *.png | *.wav | packaging/changelog | packaging/copyright) ;;
        fuzz/corpus/* | fuzz/*.dict) ;;
        game/words/*.txt) ;;
        *.cpp | *.h | *.cpp.in | *.h.in) echo "line //" ;;
        *.sh | *.py | *CMakeLists.txt | *.cmake | *.desktop.in | .gitignore | .ci/* | */lintian-overrides)
            echo "line #" ;;
        *.6) echo 'line .\"' ;;
        *.md | *.xml | *.xml.in | *.svg) echo "block" ;;
        *) echo "unknown" ;;
    esac
}

# Writes the header and the file's text to standard output. A first line
# that must stay first (#!, <?xml) stays first.
with_header() {
    file=$1
    kind=$2
    prefix=$3
    # Through the environment: awk would read the backslash of .\" as an escape.
    KIND=$kind PREFIX=$prefix COPYRIGHT="$copyright_tag $holder" LICENCE="$licence_tag $licence" awk '
        BEGIN {
            kind = ENVIRON["KIND"]; prefix = ENVIRON["PREFIX"]
            copyright = ENVIRON["COPYRIGHT"]; licence = ENVIRON["LICENCE"]
        }
        function header() {
            if (kind == "block") {
                print "<!-- " copyright " -->"
                print "<!-- " licence " -->"
            } else {
                print prefix " " copyright
                print prefix " " licence
                # A blank line apart from what follows; roff would print it.
                if (prefix != ".\\\"")
                    print ""
            }
        }
        NR == 1 && (/^#!/ || /^<\?xml/) { print; header(); done = 1; next }
        NR == 1 { header(); done = 1 }
        { print }
        END { if (!done) header() }
    ' "$file"
}

unknown=""
changed=0
# One file name a line, blanks and all.
newline='
'
IFS=$newline
for file in $(source_files); do
    IFS=' 	'
    [ -f "$file" ] || continue
    grep -q "$licence_tag" "$file" && continue
    style=$(style_of "$file")
    case "$style" in
        "") continue ;;
        unknown) unknown="$unknown $file"; continue ;;
        block) kind=block; prefix="" ;;
        *) kind=line; prefix=${style#line } ;;
    esac
    temporary=$(mktemp)
    with_header "$file" "$kind" "$prefix" > "$temporary"
    # Written through, so that the file keeps its permissions.
    cat "$temporary" > "$file"
    rm -f "$temporary"
    changed=$((changed + 1))
done

echo "Headers added: $changed"
if [ -n "$unknown" ]; then
    echo "No comment style known for:$unknown" >&2
    exit 1
fi
