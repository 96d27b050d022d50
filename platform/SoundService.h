// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The game's sound output: the program's recorded sounds played by name,
// and the desktop's beeps. Tests put a recording stand-in in its place.
class SoundService
{
public:
    virtual ~SoundService() = default;

    // Starts the named recording without waiting; a sound still playing is
    // replaced. False when it cannot be started.
    virtual bool playResource(const QString &name) = 0;
    // The default beep for a key that is not accepted.
    virtual void beep() = 0;
    // The exclamation beep before a warning.
    virtual void exclamationBeep() = 0;
    // Readies the output ahead of the first recording, so that it is not
    // delayed by what playing needs the first time.
    virtual void prepare() {}
};
