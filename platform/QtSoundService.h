#pragma once

#include "platform/SoundService.h"

#include <QHash>
#include <QPointer>

#include <memory>

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

    // The resource path of a recording, ":/sounds/RICHTIG.wav" for "RICHTIG".
    static QString resourcePath(const QString &name);

private:
    QSoundEffect *effectFor(const QString &name);

    // One loaded effect per recording, kept for the next time it is played.
    QHash<QString, QSoundEffect *> m_effects;
    QPointer<QSoundEffect> m_playing;
};
