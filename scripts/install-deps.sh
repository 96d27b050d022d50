#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that building, running and testing need,
# skipping the work when they are all present already.
set -eu

packages="build-essential cmake ccache qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
qt6-translations-l10n fonts-comic-neue libzip-dev libbenchmark-dev libgl-dev
desktop-file-utils xvfb xauth pkg-config libsodium-dev libssl-dev
appstream lintian xdotool dpkg-dev file clang libclang-rt-14-dev reuse imagemagick"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
