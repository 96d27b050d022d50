// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/QtSoundService.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

QtSoundService::QtSoundService() = default;

QtSoundService::~QtSoundService()
{
    qDeleteAll(m_effects);
}

QString QtSoundService::resourcePath(const QString &name)
{
    return QStringLiteral(":/sounds/") + name + QStringLiteral(".wav");
}

QStringList QtSoundService::recordings()
{
    QStringList names;
    for (const QString &file : QDir(QStringLiteral(":/sounds")).entryList({QStringLiteral("*.wav")}, QDir::Files))
        names << file.chopped(4);
    return names;
}

void QtSoundService::prepare()
{
    if (!outputAvailable())
        return;
    for (const QString &name : recordings())
        effectFor(name);
}

QSoundEffect *QtSoundService::effectFor(const QString &name)
{
    if (QSoundEffect *known = m_effects.value(name))
        return known;
    if (!QFile::exists(resourcePath(name)))
        return nullptr;
    auto *effect = new QSoundEffect;
    effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath(name)));
    m_effects.insert(name, effect);
    return effect;
}

bool QtSoundService::playResource(const QString &name)
{
    if (!outputAvailable() || !QFile::exists(resourcePath(name)))
        return false;
    // Stopping the same recording too makes it start again from the beginning.
    if (!m_playing.isEmpty())
        stopRecording(m_playing);
    m_playing = startRecording(name) ? name : QString();
    return !m_playing.isEmpty();
}

bool QtSoundService::outputAvailable() const
{
    // Asking again each time lets a headset plugged in later be used.
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool QtSoundService::startRecording(const QString &name)
{
    QSoundEffect *effect = effectFor(name);
    if (!effect || effect->status() == QSoundEffect::Error)
        return false;
    // A recording still being loaded starts as soon as it is ready.
    effect->play();
    return true;
}

void QtSoundService::stopRecording(const QString &name)
{
    if (QSoundEffect *effect = m_effects.value(name))
        effect->stop();
}

void QtSoundService::beep()
{
    QApplication::beep();
}

void QtSoundService::exclamationBeep()
{
    QApplication::beep();
}
