// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SoundService.h"

#include <QHash>
#include <QString>

class QSoundEffect;

// Sound output through QtMultimedia: the recordings under ":/sounds/" play
// asynchronously, one at a time. Without an audio device the game stays
// silent; nothing here waits or reports an error.
class QtSoundService : public SoundService
{
public:
    QtSoundService();
    ~QtSoundService() override;

    bool playResource(const QString &name) override;
    void beep() override;
    void exclamationBeep() override;
    // Loads every recording and asks for the devices, which starts the
    // audio system's connection.
    void prepare() override;

    // The resource path of a recording, ":/sounds/RICHTIG.wav" for "RICHTIG".
    static QString resourcePath(const QString &name);
    // The names of the recordings in the program's resources.
    static QStringList recordings();

protected:
    // Where the recordings meet the device. Tests stand in here, so that
    // the one-at-a-time rule can be watched on a machine without sound.
    virtual bool outputAvailable() const;
    // Starts the recording without waiting for it; false if it cannot play.
    virtual bool startRecording(const QString &name);
    virtual void stopRecording(const QString &name);

private:
    QSoundEffect *effectFor(const QString &name);

    // One loaded effect per recording, kept for the next time it is played.
    QHash<QString, QSoundEffect *> m_effects;
    // The recording started last; a new one stops it first.
    QString m_playing;
};
