// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SoundService.h"

#include <QLibrary>
#include <QStringList>

#include <memory>

// The desktop's sound output, loaded when it is first needed: the
// recordings play through a module of their own (QtMultimedia and the
// audio system's libraries), which the program does not load at start.
// Without the module the game stays silent; the beeps need none.
class LoadedSoundService : public SoundService
{
public:
    // The folders searched for the module, in order; by default the
    // program's own folder and the library folder it was built to be
    // installed with. A module that others could have planted or changed
    // is passed over.
    explicit LoadedSoundService(const QStringList &folders = defaultFolders());
    ~LoadedSoundService() override;

    bool playResource(const QString &name) override;
    void beep() override;
    void exclamationBeep() override;
    void prepare() override;

    // Whether the module was found and gives sound output.
    bool isLoaded() const { return bool(m_output); }

    static QStringList defaultFolders();
    // The module's file name.
    static QString moduleFileName();

private:
    QStringList m_folders;
    bool m_tried = false;
    QLibrary m_module;
    std::unique_ptr<SoundService> m_output;
};
