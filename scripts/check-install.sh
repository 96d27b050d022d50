#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the game the two ways a user does and checks what lands where:
# first into a staging folder with DESTDIR (the installed tree, and both
# validators on its menu entry and metainfo), then as the Debian package,
# which is checked with lintian, installed with apt-get, started under Xvfb
# with a fresh home until its main window shows (no update wizard before
# it, Ctrl+U only says where updates come from), ended and removed again.
#
#   sh scripts/check-install.sh [package build folder, default: build-package]
#
# The package is built in a tree of its own, without the online update:
# the package manager updates it. Needs root for apt-get (an installed
# lettrisko package is replaced and then removed).
set -eu
cd "$(dirname "$0")/.."
mkdir -p "${1:-build-package}"
build="$(cd "${1:-build-package}" && pwd)"
echo "== Building the package's tree without the online update"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DLETTRISKO_ONLINE_UPDATE=OFF \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
app_id=org.example.Lettrisko
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/lettrisko_${version}_$(dpkg --print-architecture).deb"

work="$(mktemp -d)"
installed=""
cleanup() {
    # A check that failed half-way leaves no package behind.
    [ -z "$installed" ] || DEBIAN_FRONTEND=noninteractive apt-get remove -y -q lettrisko >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# The program loads its sound output from here, by the full name it was
# built with.
libdir="$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")"

installed_files() {
    echo bin/lettrisko
    echo "$libdir/lettrisko/modules/lettrisko-sound.so"
    echo share/applications/$app_id.desktop
    echo share/metainfo/$app_id.metainfo.xml
    for size in 16 24 32 48 64 128 256; do
        echo share/icons/hicolor/${size}x$size/apps/$app_id.png
    done
    echo share/icons/hicolor/scalable/apps/$app_id.svg
    echo share/man/man6/lettrisko.6.gz
    echo share/doc/lettrisko/copyright
    echo share/doc/lettrisko/changelog.gz
}

echo "== Installing into a staging folder"
DESTDIR="$work/stage" cmake --install "$build" >/dev/null
usr="$work/stage/usr"
for file in $(installed_files); do
    [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
# The program's texts are UTF-16 in the executable.
strings -el "$usr/bin/lettrisko" | grep -qx "/usr/$libdir/lettrisko/modules" \
    || fail "the program looks for its sound module elsewhere than /usr/$libdir/lettrisko/modules"
[ -x "$usr/bin/lettrisko" ] || fail "/usr/bin/lettrisko is not executable"
for size in 16 24 32 48 64 128 256; do
    file "$usr/share/icons/hicolor/${size}x$size/apps/$app_id.png" | grep -q "PNG image data, $size x $size," \
        || fail "the ${size}x$size icon is not a $size x $size picture"
done
entry="$usr/share/applications/$app_id.desktop"
grep -qx "Icon=$app_id" "$entry" || fail "the menu entry names another icon"
grep -qx "Exec=lettrisko" "$entry" || fail "the menu entry starts another program"
desktop-file-validate "$entry"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate-tree --no-net "$work/stage"

echo "== Building the Debian package"
rm -f "$deb"
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack failed"; }
[ -f "$deb" ] || fail "cpack made no $deb"
dpkg-deb -f "$deb" Section | grep -qx games || fail "the package is not in section games"
lintian --fail-on error "$deb" || fail "lintian found errors"
# Nothing in it speaks to an update server.
if dpkg-deb -f "$deb" Depends | grep -Eq 'libzip|libsodium|libssl'; then
    fail "the package depends on the online update's libraries"
fi
host="$(sed -n 's/^LETTRISKO_UPDATE_HOST:STRING=//p' "$build/CMakeCache.txt")"
if [ -n "$host" ] && dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/lettrisko | strings -el | grep -qF "$host"; then
    fail "the packaged program carries the update server's name"
fi

echo "== Installing the package"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log"; fail "apt-get install failed"; }
installed=yes
dpkg-query -L lettrisko >"$work/package-files"
for file in $(installed_files); do
    [ -f "/usr/$file" ] || fail "the package did not install /usr/$file"
done

echo "== Starting /usr/bin/lettrisko under Xvfb"
home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/start.sh" <<'EOF'
set -u
lettrisko="$1"
"$lettrisko" >"$HOME/output.log" 2>&1 &
pid=$!
echo "$pid" >"$HOME/pid"
tries=0
until xdotool search --onlyvisible --name '^Lettrisko$' >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 150 ] || ! kill -0 "$pid" 2>/dev/null; then
        echo "no main window appeared"; cat "$HOME/output.log"; exit 1
    fi
    sleep 0.2
done
if xdotool search --onlyvisible --name 'Updates installieren' >/dev/null 2>&1; then
    echo "the update wizard came up"; exit 1
fi
# Ctrl+U tells where the updates come from, at once.
main=$(xdotool search --onlyvisible --name '^Lettrisko$' | head -n 1)
xdotool windowfocus --sync "$main"
xdotool key ctrl+u
tries=0
until xdotool search --onlyvisible --name '^Updates$' >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -le 50 ] || { echo "Ctrl+U showed no notice"; exit 1; }
    sleep 0.1
done
xdotool key Return
kill -TERM "$pid"
wait "$pid" || { echo "the game ended with $?"; cat "$HOME/output.log"; exit 1; }
EOF
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    HOME="$home" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_DIRS=/usr/local/share:/usr/share \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh "$work/start.sh" /usr/bin/lettrisko \
    || fail "the installed game did not start to its main window"
# An installed game is in the menu through the package's entry alone, and
# keeps its settings in the player's configuration folder.
[ ! -e "$home/.local/share/applications/Zeichenjagd.desktop" ] || fail "a second menu entry was written"
[ -f "$home/.config/Kx/Lettrisko/Properties.ini" ] || fail "the settings were not saved in ~/.config"
[ ! -e /usr/bin/Properties.ini ] || fail "settings were written into /usr/bin"

echo "== Removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q lettrisko >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log"; fail "apt-get remove failed"; }
installed=""
while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is still there after the removal"
done <"$work/package-files"
if dpkg-query -W -f='${Status}' lettrisko 2>/dev/null | grep -q "install ok installed"; then
    fail "the package is still installed"
fi
echo "check-install: all checks passed"
