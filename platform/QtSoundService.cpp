#include "platform/QtSoundService.h"

#include <QApplication>
#include <QAudioDevice>
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
    // No sound without a device to play it on; asking again each time lets
    // a headset plugged in later be used.
    if (QMediaDevices::audioOutputs().isEmpty())
        return false;
    QSoundEffect *effect = effectFor(name);
    if (!effect || effect->status() == QSoundEffect::Error)
        return false;

    if (m_playing && m_playing != effect)
        m_playing->stop();
    // The same recording again starts from its beginning.
    effect->stop();
    // A recording still being loaded starts as soon as it is ready.
    effect->play();
    m_playing = effect;
    return true;
}

void QtSoundService::beep()
{
    QApplication::beep();
}

void QtSoundService::exclamationBeep()
{
    QApplication::beep();
}
