// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/LoadedSoundService.h"

#include "platform/BuildSettings.h"
#include "platform/TrustedModule.h"

#include <QApplication>
#include <QDir>

#include <unistd.h>

namespace {

using CreateOutput = SoundService *(*)();

} // namespace

LoadedSoundService::LoadedSoundService(const QStringList &folders)
    : m_folders(folders)
{
}

// The output goes before the module that holds its code.
LoadedSoundService::~LoadedSoundService()
{
    m_output.reset();
}

QString LoadedSoundService::moduleFileName()
{
    return QStringLiteral("lettrisko-sound.so");
}

// A folder found relative to the program could be anyone's: beside a copy
// unpacked into the temporary folder, "../lib" is the temporary folder's.
QStringList LoadedSoundService::defaultFolders()
{
    return {QCoreApplication::applicationDirPath(), installedModuleFolder()};
}

void LoadedSoundService::prepare()
{
    if (m_tried)
        return;
    m_tried = true;
    for (const QString &folder : qAsConst(m_folders)) {
        // Its code runs with the player's rights: only a file that nobody
        // else can have put there or changed.
        const QString path = trustedModulePath(QDir(folder).filePath(moduleFileName()), ::geteuid());
        if (path.isEmpty())
            continue;
        m_module.setFileName(path);
        const auto create = reinterpret_cast<CreateOutput>(m_module.resolve("lettriskoCreateSoundOutput"));
        if (!create)
            continue;
        m_output.reset(create());
        if (m_output)
            m_output->prepare();
        return;
    }
}

bool LoadedSoundService::playResource(const QString &name)
{
    prepare();
    return m_output && m_output->playResource(name);
}

void LoadedSoundService::beep()
{
    QApplication::beep();
}

void LoadedSoundService::exclamationBeep()
{
    QApplication::beep();
}
