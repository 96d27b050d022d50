// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The recorded sounds in the program's resources and the sound output that
// plays them.
#include "platform/LoadedSoundService.h"
#include "platform/QtSoundService.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class TestSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordings_data();
    void recordings();
    void unknownNameIsNotPlayed();
    void newSoundReplacesThePlayingOne_data();
    void newSoundReplacesThePlayingOne();
    void playingNeverWaits();
    void outputLoadedFromItsModule_data();
    void outputLoadedFromItsModule();
};

namespace {

struct WaveFormat
{
    quint16 encoding = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 bitsPerSample = 0;
    quint32 dataBytes = 0;
};

bool readWave(const QByteArray &bytes, WaveFormat &format)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            format.encoding = qFromLittleEndian<quint16>(body);
            format.channels = qFromLittleEndian<quint16>(body + 2);
            format.sampleRate = qFromLittleEndian<quint32>(body + 4);
            format.bitsPerSample = qFromLittleEndian<quint16>(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            format.dataBytes = size;
            return haveFormat && at + 8 + qsizetype(size) <= bytes.size();
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

// The service as if a device were there, which this machine may lack.
class WithOutput : public QtSoundService
{
protected:
    bool outputAvailable() const override { return true; }
};

// A device on which every recording plays until it is stopped; what the
// service asks of it is logged.
class LoggedOutput : public WithOutput
{
public:
    QStringList log;

protected:
    bool startRecording(const QString &name) override
    {
        log << QStringLiteral("start ") + name;
        return true;
    }
    void stopRecording(const QString &name) override { log << QStringLiteral("stop ") + name; }
};

} // namespace

void TestSounds::recordings_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"RICHTIG", "FALSCH", "VERLOREN", "GEWONNEN", "ZEIT"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSounds::recordings()
{
    QFETCH(QString, name);

    QFile file(QtSoundService::resourcePath(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    WaveFormat format;
    QVERIFY(readWave(file.readAll(), format));

    // Plain 16-bit PCM, which every sound output can play without a codec.
    QCOMPARE(format.encoding, quint16(1));
    QCOMPARE(format.bitsPerSample, quint16(16));
    QVERIFY(format.channels == 1 || format.channels == 2);
    QVERIFY(format.sampleRate >= 8000);
    const double seconds = double(format.dataBytes) / (format.channels * 2 * format.sampleRate);
    QVERIFY2(seconds >= 0.2 && seconds <= 1.8, qPrintable(QString::number(seconds)));

    QSoundEffect effect;
    effect.setSource(QUrl(QStringLiteral("qrc") + file.fileName()));
    QTRY_VERIFY(effect.status() == QSoundEffect::Ready || effect.status() == QSoundEffect::Error);
    QCOMPARE(effect.status(), QSoundEffect::Ready);
}

void TestSounds::unknownNameIsNotPlayed()
{
    WithOutput sound;
    QVERIFY(!sound.playResource(QStringLiteral("GIBTESNICHT")));
    QVERIFY(!sound.playResource(QString()));
}

void TestSounds::newSoundReplacesThePlayingOne_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("one") << QStringList{"ZEIT"} << QStringList{"ZEIT"} << QStringList{"start ZEIT"};
    QTest::newRow("a second stops the first")
        << QStringList{"RICHTIG", "GEWONNEN"} << QStringList{"RICHTIG", "GEWONNEN"}
        << QStringList{"start RICHTIG", "stop RICHTIG", "start GEWONNEN"};
    QTest::newRow("the same again starts over")
        << QStringList{"ZEIT", "ZEIT"} << QStringList{"ZEIT", "ZEIT"}
        << QStringList{"start ZEIT", "stop ZEIT", "start ZEIT"};
    QTest::newRow("a wrong guess that loses")
        << QStringList{"FALSCH", "VERLOREN", "ZEIT"} << QStringList{"FALSCH", "VERLOREN", "ZEIT"}
        << QStringList{"start FALSCH", "stop FALSCH", "start VERLOREN", "stop VERLOREN", "start ZEIT"};
    QTest::newRow("an unknown name leaves the sound playing")
        << QStringList{"RICHTIG", "GIBTESNICHT"} << QStringList{"RICHTIG"} << QStringList{"start RICHTIG"};
}

void TestSounds::newSoundReplacesThePlayingOne()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, started);
    QFETCH(QStringList, log);

    LoggedOutput sound;
    QStringList playing;
    for (const QString &name : names) {
        if (sound.playResource(name))
            playing << name;
    }
    QCOMPARE(playing, started);
    QCOMPARE(sound.log, log);
}

void TestSounds::playingNeverWaits()
{
    // The real recordings on the real effects, as if a device were there:
    // each call returns while its sound has barely begun.
    WithOutput sound;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) {
        QVERIFY(sound.playResource(QStringLiteral("ZEIT")));
        QVERIFY(sound.playResource(QStringLiteral("GEWONNEN")));
    }
    sound.beep();
    sound.exclamationBeep();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TestSounds::outputLoadedFromItsModule_data()
{
    QTest::addColumn<bool>("emptyFolderFirst");
    QTest::addColumn<bool>("moduleFolder");
    QTest::newRow("beside the program") << false << true;
    QTest::newRow("in the second folder") << true << true;
    QTest::newRow("nowhere: silent") << true << false;
}

void TestSounds::outputLoadedFromItsModule()
{
    QFETCH(bool, emptyFolderFirst);
    QFETCH(bool, moduleFolder);

    QTemporaryDir empty;
    QStringList folders;
    if (emptyFolderFirst)
        folders << empty.path();
    if (moduleFolder)
        folders << QStringLiteral(LETTRISKO_SOUND_MODULE_DIR);
    LoadedSoundService sound(folders);
    QVERIFY(!sound.isLoaded());
    sound.playResource(QStringLiteral("ZEIT"));
    QCOMPARE(sound.isLoaded(), moduleFolder);
    sound.beep();
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
