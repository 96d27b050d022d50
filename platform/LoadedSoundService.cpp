// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/LoadedSoundService.h"

#include "platform/BuildSettings.h"

#include <QApplication>
#include <QDir>

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

QStringList LoadedSoundService::defaultFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral("../") + installedModuleFolder()))};
}

void LoadedSoundService::prepare()
{
    if (m_tried)
        return;
    m_tried = true;
    for (const QString &folder : qAsConst(m_folders)) {
        const QString path = QDir(folder).filePath(moduleFileName());
        if (!QFile::exists(path))
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
