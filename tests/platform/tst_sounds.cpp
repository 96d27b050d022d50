// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The recorded sounds in the program's resources and the sound output that
// plays them.
#include "platform/LoadedSoundService.h"
#include "platform/QtSoundService.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

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
    void moduleSearchedOnlyInItsOwnFolders();
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
    // A copy of the module put first in the search: "folder mode/module
    // mode", then what else is done to it; empty: none.
    QTest::addColumn<QString>("planted");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("beside the program") << false << true << "" << true;
    QTest::newRow("in the second folder") << true << true << "" << true;
    QTest::newRow("nowhere: silent") << true << false << "" << false;
    QTest::newRow("a copy in a shared folder with the sticky bit") << false << false << "1777/0644" << true;
    QTest::newRow("a folder others may write") << false << false << "0777/0644" << false;
    QTest::newRow("a folder the group may write") << false << false << "0775/0644" << false;
    QTest::newRow("a module others may write") << false << false << "0755/0646" << false;
    QTest::newRow("a module the group may write, in a sticky folder") << false << false << "1777/0664" << false;
    QTest::newRow("another user's module") << false << false << "0755/0644 foreign module" << false;
    QTest::newRow("another user's folder") << false << false << "0755/0644 foreign folder" << false;
    QTest::newRow("a link to a folder others may write") << false << false << "0777/0644 linked" << false;
    QTest::newRow("a broken module, then a folder others may write")
        << false << false << "0777/0644 after a broken one" << false;
}

void TestSounds::outputLoadedFromItsModule()
{
    QFETCH(bool, emptyFolderFirst);
    QFETCH(bool, moduleFolder);
    QFETCH(QString, planted);
    QFETCH(bool, loaded);

    QTemporaryDir empty;
    QStringList folders;
    if (!planted.isEmpty()) {
        if (planted.contains("foreign") && ::geteuid() != 0)
            QSKIP("only the administrator can hand a file to another user");
        const QString name = '/' + LoadedSoundService::moduleFileName();
        const QString folder = empty.filePath("spiel"), own = empty.filePath("eigen");
        QVERIFY(QDir().mkdir(folder) && QDir().mkdir(own));
        QVERIFY(QFile::copy(QStringLiteral(LETTRISKO_SOUND_MODULE_DIR) + name, folder + name));
        const QStringList modes = planted.section(' ', 0, 0).split('/');
        QCOMPARE(::chmod(qPrintable(folder), modes.at(0).toUInt(nullptr, 8)), 0);
        QCOMPARE(::chmod(qPrintable(folder + name), modes.at(1).toUInt(nullptr, 8)), 0);
        if (planted.contains("foreign"))
            QCOMPARE(::chown(qPrintable(planted.contains("module") ? folder + name : folder), 65534, gid_t(-1)), 0);
        // Searched first, a folder of the player's own: a link to the copy, or a module that does not load.
        if (planted.contains("linked"))
            QVERIFY(QFile::link(folder + name, own + name));
        if (planted.contains("broken"))
            QVERIFY(writeFileBytes(own + name, "kein Modul"));
        folders << own << folder;
    }
    if (emptyFolderFirst)
        folders << empty.path();
    if (moduleFolder)
        folders << QStringLiteral(LETTRISKO_SOUND_MODULE_DIR);
    LoadedSoundService sound(folders);
    QVERIFY(!sound.isLoaded());
    sound.playResource(QStringLiteral("ZEIT"));
    QCOMPARE(sound.isLoaded(), loaded);
    sound.beep();
}

// Not a folder found from wherever the program was started: beside a copy
// unpacked into the temporary folder, that would be the temporary folder's.
void TestSounds::moduleSearchedOnlyInItsOwnFolders()
{
    QCOMPARE(LoadedSoundService::defaultFolders(),
             QStringList({QCoreApplication::applicationDirPath(), QStringLiteral(LETTRISKO_INSTALLED_MODULE_DIR)}));
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
