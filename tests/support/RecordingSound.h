// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SoundService.h"

#include <QStringList>

// Counts what the game would have played, in order.
class RecordingSound : public SoundService
{
public:
    bool playResource(const QString &name) override
    {
        played << name;
        return true;
    }
    void beep() override { ++beeps; }
    void exclamationBeep() override { ++exclamations; }

    void clear()
    {
        played.clear();
        beeps = 0;
        exclamations = 0;
    }

    QStringList played;
    int beeps = 0;
    int exclamations = 0;
};
