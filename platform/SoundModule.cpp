// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The module that LoadedSoundService loads: the recordings played through
// QtMultimedia.
#include "platform/QtSoundService.h"

extern "C" Q_DECL_EXPORT SoundService *lettriskoCreateSoundOutput()
{
    return new QtSoundService;
}
