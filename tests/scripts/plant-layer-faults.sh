#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Plants one include at a time into a copy of the layers and runs
# scripts/check-layers.sh on it: each row says whether the check must fail
# or pass with that include.
#
#   sh tests/scripts/plant-layer-faults.sh SOURCE-FOLDER [QTWIDGETS-HEADER-FOLDER]
set -eu
source_folder="$(cd "$1" && pwd)"
widgets_headers="${2:-}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/copy"
for folder in text platform controls game net update about tools window; do
    cp -R "$source_folder/$folder" "$scratch/copy/"
done

status=0
rows=0
# file | line put at its end (a new file: the line alone) | the check
while IFS='|' read -r file line expected; do
    [ -n "$file" ] || continue
    rows=$((rows + 1))
    planted="$scratch/copy/$file"
    if [ "$file" != "-" ]; then
        rm -f "$scratch/kept"
        [ ! -e "$planted" ] || cp "$planted" "$scratch/kept"
        printf '%s\n' "$line" >>"$planted"
    fi
    if sh "$source_folder/scripts/check-layers.sh" "$scratch/copy" ${widgets_headers:+"$widgets_headers"} >"$scratch/output" 2>&1; then
        outcome=passes
    else
        outcome="fails (exit $?)"
        # Failing for the planted include, named in full.
        included="$(printf '%s\n' "$line" | sed 's/.*include[[:space:]]*["<]\([^">]*\).*/\1/')"
        [ "$outcome" = "fails (exit 1)" ] && grep -qF "$file includes $included " "$scratch/output" && outcome=fails
    fi
    if [ "$outcome" != "$expected" ]; then
        echo "FAIL: $file with '$line': the check $outcome, it should be: $expected"
        sed 's/^/    /' "$scratch/output"
        status=1
    fi
    if [ "$file" != "-" ]; then
        rm "$planted"
        [ ! -e "$scratch/kept" ] || mv "$scratch/kept" "$planted"
    fi
done <<'ROWS'
-||passes
update/Unzip.cpp|#include "update/TStatusForm.h"|fails
update/UpdateLimits.h|#include <QWidget>|fails
update/Sha256.cpp|#include <QtWidgets/QLabel>|fails
update/UpdateCheck.cpp|#include <QDialog>|fails
update/THttpClient.cpp|#include "controls/MessageBoxes.h"|fails
update/TStatusForm.cpp|#include "update/Sha256.h"|passes
update/statusform_steps.cpp|#include <QWizard>|passes
game/Round.cpp|#include <QtWidgets>|fails
game/WordRules.h|#include <qpushbutton.h>|fails
game/Scoring.cpp|#include <qshortcut.h>|passes
net/PeerLink.cpp|#include <QApplication>|fails
net/PeerLink.cpp|#include "window/TForm1.h"|fails
text/IniFile.cpp|#include "platform/Registry.h"|fails
platform/Registry.cpp|#include <QMessageBox>|fails
platform/Shell.cpp|#include "platform/SystemFont.h"|fails
platform/SystemFont.cpp|#include <QLabel>|passes
platform/LoadedSoundService.cpp|#include "platform/Registry.h"|passes
about/TInfo.cpp|#include "platform/SystemFont.h"|passes
about/TInfo.cpp|#include "update/TStatusForm.h"|fails
tools/lettrisko_sign.cpp|#include <QInputDialog>|fails
ROWS

[ "$status" -eq 0 ] && echo "All $rows rows as they should be."
exit "$status"
