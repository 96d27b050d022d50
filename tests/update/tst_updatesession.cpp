// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The update from the server to the replaced program file: description,
// archive, script, and the script's run once the program has ended.
#include "platform/Shell.h"
#include "support/HostileFiles.h"
#include "support/LoopbackHttpServer.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"
#include "update/THttpClient.h"
#include "update/UpdateSession.h"
#include "update/UpdateSignature.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(Response)

namespace {

using Entries = QList<ZipEntry>;

// One block of four lines for the program's folder, then a tail for the
// unpacked files' folder.
const QByteArray Template = "set -e\r\n"
                            "test -d '%s'\r\n"
                            "rm -f '%sgame.txt.alt'\r\n"
                            "cp -f '%sgame.txt' '%s'\r\n"
                            " test -f '%sUpdate.sh'\r\n";
const QByteArray DoubleQuoted = QByteArray(Template).replace('\'', '"');

const QByteArray Description = "[Lettrisko]\r\n"
                               "Date=1.1.2099\r\n"
                               "File=Lettrisko 2.zip\r\n"
                               "News=6.12.2026:Alt, \"1.1.2099: Neue W\xf6rter\"\r\n";

// The description, filled up to size bytes by a comment.
QByteArray descriptionOfSize(qint64 size)
{
    const QByteArray head = Description + "; ";
    return head + QByteArray(size - head.size() - 2, 'x') + "\r\n";
}

// The description in as many lines, each LF ending one.
QByteArray descriptionOfLines(int lines)
{
    return Description + QByteArray(lines - 1 - Description.count('\n'), '\n');
}

// An archive of size bytes: the template and a stored file filling it up.
QByteArray archiveOfSize(qint64 size)
{
    const auto archive = [](qint64 fill) {
        return zipArchiveBytes({{"Update.sh", Template}, {"fill.bin", QByteArray(fill, 'x'), 0, ZIP_CM_STORE}});
    };
    return archive(size - archive(0).size());
}

// The template and files of nothing but zeros, size bytes in all unpacked.
QByteArray archiveUnpackingTo(qint64 size)
{
    return zipArchiveBytes({{"Update.sh", Template}, {"big.bin", QByteArray(size - Template.size(), '\0')}});
}

// The template and more files, entries in all.
QByteArray archiveOfEntries(int entries)
{
    Entries files{{"Update.sh", Template}};
    while (files.size() < entries)
        files << ZipEntry{"file" + QByteArray::number(files.size()), "neu\n"};
    return zipArchiveBytes(files);
}

// The template, filled up to size bytes by a comment in its tail.
QByteArray archiveWithTemplateOfSize(qint64 size)
{
    return zipArchiveBytes({{"Update.sh", Template + " #" + QByteArray(size - Template.size() - 4, 'x') + "\r\n"}});
}

} // namespace

class TestUpdateSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void updateReplacesTheProgramFileAfterTheProgramEnded_data();
    void updateReplacesTheProgramFileAfterTheProgramEnded();
    void fetchFailures_data();
    void fetchFailures();
    void hostileServers_data();
    void hostileServers();
    void refusedPreparations_data();
    void refusedPreparations();
    void signedUpdates_data();
    void signedUpdates();
    void signingToolRoundTrip_data();
    void signingToolRoundTrip();
    void configurationChecksTheKey_data();
    void configurationChecksTheKey();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<UpdateSession> m_session;
};

void TestUpdateSession::initTestCase()
{
    // The largest file here, an archive unpacked, has 16 MB.
    QVERIFY(limitFileSize(32 << 20));
}

void TestUpdateSession::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    m_program = std::make_unique<QTemporaryDir>();
    m_server = std::make_unique<LoopbackHttpServer>();
    m_session = std::make_unique<UpdateSession>();
    m_session->ProgramName = "Lettrisko";
    m_session->ZIPFileName = "Zeichenjagd.zip";
    m_session->ProgramDate = QDateTime(QDate(2026, 12, 7), QTime(12, 0));
    m_session->TempDir = m_temp->path();
    m_session->ProgramDir = m_program->path();
    m_session->http()->Host = QString("127.0.0.1:%1").arg(m_server->port());
}

void TestUpdateSession::cleanup()
{
    m_session.reset();
    m_server.reset();
    m_program.reset();
    m_temp.reset();
}

// Folder names that end a quoted string or start an expansion, under a
// template in either quoting style; a retry at once after a cancelled
// download; a program folder gone before the script ran.
void TestUpdateSession::updateReplacesTheProgramFileAfterTheProgramEnded_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("templateText");
    QTest::addColumn<QString>("how");

    QTest::newRow("plain") << "Lettrisko" << Template << "";
    QTest::newRow("retried at once after a cancel") << "Lettrisko" << Template << "retry";
    QTest::newRow("folder gone, restarted anyway") << "Lettrisko" << Template << "deleted";
    const QStringList folders{"Annas Spiel'$(touch gehackt)'", "Anna's Spiele",
                              "Spiel \"x\" `touch gehackt`; touch gehackt", "Zeile\nzwei $(touch gehackt) ${HOME}"};
    for (const QString &folder : folders) {
        QTest::addRow("%s, single quotes", qPrintable(folder)) << folder << Template << "";
        QTest::addRow("%s, double quotes", qPrintable(folder)) << folder << DoubleQuoted << "";
    }
}

void TestUpdateSession::updateReplacesTheProgramFileAfterTheProgramEnded()
{
    QFETCH(QString, folder);
    QFETCH(QByteArray, templateText);
    QFETCH(QString, how);
    // A command smuggled in by a folder name would run in the script's
    // working folder.
    QTemporaryDir workingDir;
    struct BackWhenDone
    {
        QString folder = QDir::currentPath();
        ~BackWhenDone() { QDir::setCurrent(folder); }
    } back;
    QVERIFY(QDir::setCurrent(workingDir.path()));
    const QString root = m_program->path() + '/';
    const QString programDir = root + folder + '/';
    QVERIFY(QDir().mkpath(programDir));
    m_session->ProgramDir = programDir;
    m_session->FailureNotePath = root + "note.txt";
    QVERIFY(writeFileBytes(programDir + "game.txt", "alt\n"));
    // Stands for the program started again after the update.
    QVERIFY(writeFileBytes(root + "restart.sh", "#!/bin/sh\necho gestartet > \"$(dirname \"$0\")/restarted.txt\"\n"));
    QFile::setPermissions(root + "restart.sh", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_session->ExecutablePath = root + "restart.sh";

    m_server->route("/Updates.ini", Response::text(Description));
    Response archive =
        Response::text(zipArchiveBytes({{"Lettrisko/game.txt", "neu\n"}, {"Lettrisko/Update.sh", templateText}}));
    m_server->route("/Updates/Lettrisko 2.zip", how == "retry" ? archive.slow(40, 50) : archive);

    QVERIFY(m_session->fetchDescription());
    QVERIFY(m_session->isUpdateNewer());
    QCOMPARE(m_session->changes(), QString("- 1.1.2099: Neue Wörter\n"));
    if (how == "retry") {
        // The partial archive's deletion is due during the next download.
        m_session->PartialArchiveDelayMs = 100;
        const auto abort = connect(m_session->http(), &THttpClient::PacketReceived, m_session->http(),
                                   &THttpClient::Abort);
        QVERIFY(!m_session->downloadArchive());
        disconnect(abort);
        m_session->deletePartialArchiveLater();
    }
    QVERIFY(m_session->downloadArchive());
    // In a folder nobody else may write to.
    QCOMPARE(QFileInfo(m_session->archivePath()).absolutePath().startsWith(m_temp->path() + "/Lettrisko-Download-"), true);
    QCOMPARE(QFile::permissions(QFileInfo(m_session->archivePath()).absolutePath())
                 & (QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());

    QString message;
    QCOMPARE(m_session->prepareInstallation(true, &message), UpdateSession::Preparation::Prepared);
    QVERIFY2(message.isEmpty(), qPrintable(message));
    QVERIFY(!QFile::exists(m_session->archivePath()));
    const QString script = m_session->scriptPath();
    const QString unpacked = QFileInfo(script).absolutePath() + '/';
    if (how == "deleted")
        QVERIFY(QDir(programDir).removeRecursively());

    // The "program" is a process that runs until its input closes.
    QProcess program;
    program.start("cat", {});
    QVERIFY(program.waitForStarted());
    QVERIFY(startScriptAfterProcess(script, program.processId()));
    QCOMPARE(fileBytesOrMissing(programDir + "game.txt"), how == "deleted" ? "<missing>" : "alt\n");

    program.closeWriteChannel();
    QVERIFY(program.waitForFinished());
    QTRY_VERIFY(QFile::exists(root + "restarted.txt"));
    QTRY_VERIFY(!QFile::exists(unpacked));
    QCOMPARE(fileBytesOrMissing(programDir + "game.txt"), how == "deleted" ? "<missing>" : "neu\n");
    const QString failure = UpdateSession::takeInstallationFailure(root + "note.txt").text;
    QCOMPARE(failure.startsWith("Das Update konnte nicht installiert werden: "), how == "deleted");
    QCOMPARE(QDir(workingDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QStringList expected = QStringList({"restart.sh", "restarted.txt"}) + QStringList(folder).mid(how == "deleted");
    QStringList found = QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);

    // The copies of the description go with the session.
    const QStringList copies = QDir(m_temp->path()).entryList({"$*"}, QDir::Files);
    QCOMPARE(copies.size(), 1);
    m_session.reset();
    QCOMPARE(QDir(m_temp->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestUpdateSession::fetchFailures_data()
{
    QTest::addColumn<int>("status"); // 0: nobody listens; -1: the temporary folder is read-only
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << 404 << "Der Server meldet den Fehler 404 (Not Found).";
    QTest::newRow("server error") << 500 << "Der Server meldet den Fehler 500 (Internal Server Error).";
    QTest::newRow("refused") << 0 << "Der Server „127.0.0.1“ lehnt die Verbindung ab.";
    QTest::newRow("read-only temporary folder") << -1 << "Im Ordner für temporäre Dateien";
}

void TestUpdateSession::fetchFailures()
{
    QFETCH(int, status);
    QFETCH(QString, says);
    m_server->route("/Updates.ini", Response::text(Description));
    QVERIFY(m_session->fetchDescription());
    std::optional<ReadOnlyFolder> readOnly;
    if (status > 0)
        m_server->route("/Updates.ini", Response::text(Description, status));
    else if (status == 0)
        m_server.reset();
    else
        readOnly.emplace(m_temp->path());
    QVERIFY(!m_session->fetchDescription());
    QVERIFY(!m_session->isUpdateNewer());
    QVERIFY2(m_session->fetchFailure().startsWith(says), qPrintable(m_session->fetchFailure()));
}

// Servers and archives built to hurt: each ends with a German message,
// within the memory it may take, leaving nothing in the temporary folder
// but the copy of a description that was read. What comes up to a bound
// is taken (no message): the update is prepared.
void TestUpdateSession::hostileServers_data()
{
    QTest::addColumn<Response>("description");
    QTest::addColumn<Response>("archive");
    QTest::addColumn<QString>("says");

    const Response description = Response::text(Description);
    const Response archive = Response::text(zipArchiveBytes({{"game.txt", "neu\n"}, {"Update.sh", Template}}));
    QTest::newRow("never-ending description") << Response::pastLimit(MaximumDescriptionSize) << archive
                                              << "Update-Beschreibung auf dem Server ist größer als 1 MB";
    QTest::newRow("5 MB of line ends") << Response::text(QByteArray(5 << 20, '\n')) << archive << "größer als 1 MB";
    QTest::newRow("description as large as allowed")
        << Response::text(descriptionOfSize(MaximumDescriptionSize)) << archive << "";
    QTest::newRow("description a byte too large")
        << Response::text(descriptionOfSize(MaximumDescriptionSize + 1)) << archive << "größer als 1 MB";
    QTest::newRow("description of line ends") << Response::text(QByteArray(900000, '\n')) << archive
                                              << "mehr als 4096 Zeilen";
    QTest::newRow("description of as many lines as allowed")
        << Response::text(descriptionOfLines(MaximumDescriptionLines)) << archive << "";
    QTest::newRow("description of a line too many")
        << Response::text(descriptionOfLines(MaximumDescriptionLines + 1)) << archive << "mehr als 4096 Zeilen";
    // The deadline is a second here.
    QTest::newRow("trickling description") << Response::generated(1000).slow(1, 100) << archive
                                           << "zu langsam; die Prüfung wurde nach einer Sekunde abgebrochen";
    // The archive may have 4 MB here, 16 MB and 4 files unpacked.
    QTest::newRow("never-ending archive") << description << Response::pastLimit(4 << 20)
                                          << "Update-Archiv auf dem Server ist größer als 4 MB";
    QTest::newRow("archive as large as allowed") << description << Response::text(archiveOfSize(4 << 20)) << "";
    QTest::newRow("archive a byte too large") << description << Response::text(archiveOfSize((4 << 20) + 1))
                                              << "Update-Archiv auf dem Server ist größer als 4 MB";
    QTest::newRow("expanding archive")
        << description
        << Response::text(zipArchiveBytes({{"Update.sh", Template}, {"big.bin", QByteArray(64 << 20, '\0')}}))
        << "würde entpackt 64 MB belegen; mehr als 16 MB werden nicht entpackt";
    QTest::newRow("unpacked as large as allowed") << description << Response::text(archiveUnpackingTo(16 << 20))
                                                  << "";
    QTest::newRow("unpacked a byte too large")
        << description << Response::text(archiveUnpackingTo((16 << 20) + 1))
        << "würde entpackt 16 MB belegen; mehr als 16 MB werden nicht entpackt";
    QTest::newRow("as many files as allowed") << description << Response::text(archiveOfEntries(4)) << "";
    QTest::newRow("a file too many") << description << Response::text(archiveOfEntries(5))
                                     << "enthält 5 Dateien; mehr als 4 werden nicht entpackt";
    QTest::newRow("huge template") << description
                                   << Response::text(zipArchiveBytes({{"Update.sh", QByteArray(1 << 20, '\n')}}))
                                   << "(„Update.sh“) im Update-Archiv sind größer als 64 KB";
    QTest::newRow("template as large as allowed")
        << description << Response::text(archiveWithTemplateOfSize(MaximumTemplateSize)) << "";
    QTest::newRow("template a byte too large")
        << description << Response::text(archiveWithTemplateOfSize(MaximumTemplateSize + 1))
        << "(„Update.sh“) im Update-Archiv sind größer als 64 KB";
}

void TestUpdateSession::hostileServers()
{
    QFETCH(Response, description);
    QFETCH(Response, archive);
    QFETCH(QString, says);
    m_server->route("/Updates.ini", description);
    m_server->route("/Updates/Lettrisko 2.zip", archive);
    m_session->Limits.descriptionDeadlineMs = 1000;
    m_session->Limits.archiveSize = 4 << 20;
    m_session->Limits.unpackedSize = 16 << 20;
    m_session->Limits.archiveEntries = 4;
    QFile clearPeak("/proc/self/clear_refs");
    QVERIFY(clearPeak.open(QIODevice::WriteOnly) && clearPeak.write("5") == 1);
    clearPeak.close();
    const qint64 residentBefore = processStatusKiB("VmRSS:");

    QString message;
    bool read = m_session->fetchDescription();
    if (!read)
        message = m_session->fetchFailure();
    else if (!m_session->downloadArchive())
        message = m_session->downloadFailure();
    else
        QCOMPARE(m_session->prepareInstallation(false, &message),
                 says.isEmpty() ? UpdateSession::Preparation::Prepared : UpdateSession::Preparation::Failed);
    if (says.isEmpty())
        QVERIFY2(message.isEmpty(), qPrintable(message));
    else
        QVERIFY2(message.contains(says), qPrintable(message));
    QCOMPARE(m_session->isInstalled(), says.isEmpty());
#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory in quarantine
    const qint64 growth = processStatusKiB("VmHWM:") - residentBefore;
    QVERIFY2(growth < 100 * 1024, qPrintable(QString::number(growth)));
#endif
    QStringList left = QDir(m_temp->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (says.isEmpty())
        QCOMPARE(left.removeAll(QFileInfo(QFileInfo(m_session->scriptPath()).absolutePath()).fileName()), 1);
    QCOMPARE(left.size(), read ? 1 : 0);
    if (read)
        QVERIFY(left.first().startsWith('$')
                && QFileInfo(m_temp->filePath(left.first())).size() <= MaximumDescriptionSize);
}

void TestUpdateSession::refusedPreparations_data()
{
    QTest::addColumn<QByteArray>("extraKey");
    QTest::addColumn<QByteArray>("templateText");
    QTest::addColumn<bool>("archiveKept");
    QTest::addColumn<QString>("messagePart");
    QTest::addColumn<bool>("programReadOnly");

    QTest::newRow("digest differs") << QByteArray("SHA256=" + QByteArray(64, 'a')) << Template << false
                                    << "verändert" << false;
    // The digest of the archive served, in capitals.
    QTest::newRow("digest matches") << QByteArray("SHA256=MATCH") << Template << false << "" << false;
    QTest::newRow("no template") << QByteArray() << QByteArray() << true << "Update.sh" << false;
    QTest::newRow("template too short") << QByteArray() << QByteArray("a\nb\nc\nd\ne\n") << true << "" << false;
    QTest::newRow("too many arguments") << QByteArray() << QByteArray("a\n%s %s\nc\nd\n") << true << "" << false;
    QTest::newRow("read-only program folder") << QByteArray() << Template << false << "nicht ändern darf" << true;
}

void TestUpdateSession::refusedPreparations()
{
    QFETCH(QByteArray, extraKey);
    QFETCH(QByteArray, templateText);
    QFETCH(bool, archiveKept);
    QFETCH(QString, messagePart);
    QFETCH(bool, programReadOnly);

    Entries entries{{"game.txt", "neu\n"}};
    if (!templateText.isEmpty())
        entries << ZipEntry{"Update.sh", templateText};
    const QByteArray archive = zipArchiveBytes(entries);
    extraKey.replace("MATCH", QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex().toUpper());
    m_server->route("/Updates.ini", Response::text(Description + extraKey + "\r\n"));
    m_server->route("/Updates/Lettrisko 2.zip", Response::text(archive));
    QVERIFY(m_session->fetchDescription());
    QVERIFY(m_session->downloadArchive());

    QString message;
    std::optional<ReadOnlyFolder> readOnly;
    if (programReadOnly)
        readOnly.emplace(m_program->path());
    const auto result = m_session->prepareInstallation(false, &message);
    const bool prepared = QTest::currentDataTag() == QByteArray("digest matches");
    QCOMPARE(result, prepared ? UpdateSession::Preparation::Prepared : UpdateSession::Preparation::Failed);
    QCOMPARE(m_session->isInstalled(), prepared);
    if (prepared)
        return;
    QVERIFY2(!message.isEmpty() && message.contains(messagePart), qPrintable(message));
    QCOMPARE(QFile::exists(m_session->archivePath()), archiveKept);
    // Nothing is left behind to be run or picked up later.
    QCOMPARE(QDir(m_temp->path()).entryList({"Lettrisko-Update-*"}, QDir::Dirs), QStringList());
    QVERIFY(!m_session->startInstallation());

    // Without the archive there is nothing to install.
    if (archiveKept)
        QVERIFY(QFile::remove(m_session->archivePath()));
    QCOMPARE(m_session->prepareInstallation(false), UpdateSession::Preparation::ArchiveMissing);
}

void TestUpdateSession::signedUpdates_data()
{
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("signature"); // "good", "other key", or the value itself
    QTest::addColumn<bool>("archiveChanged");
    QTest::addColumn<bool>("keyBuiltIn");
    QTest::addColumn<bool>("installed");

    QTest::newRow("signed") << QByteArray("1.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray("good") << false << true << true;
    QTest::newRow("archive byte changed") << QByteArray("1.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray("good") << true << true << false;
    QTest::newRow("date changed") << QByteArray("2.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray("good") << false << true << false;
    QTest::newRow("file changed") << QByteArray("1.1.2099") << QByteArray("Lettrisko 3.zip") << QByteArray("good") << false << true << false;
    QTest::newRow("other key") << QByteArray("1.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray("other key") << false << true << false;
    QTest::newRow("no signature") << QByteArray("1.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray() << false << true << false;
    QTest::newRow("malformed base64") << QByteArray("1.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray("@@not*base64@@") << false << true << false;
    QTest::newRow("no key built in") << QByteArray("1.1.2099") << QByteArray("Lettrisko 2.zip") << QByteArray() << false << false << true;
}

void TestUpdateSession::signedUpdates()
{
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, signature);
    QFETCH(bool, archiveChanged);
    QFETCH(bool, keyBuiltIn);
    QFETCH(bool, installed);

    const UpdateKeyPair maker = generateUpdateKeyPair();
    const QByteArray archive = zipArchiveBytes({{"game.txt", "neu\n"}, {"Update.sh", Template}});
    const QByteArray digest = QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex();
    const QByteArray message = signedUpdateMessage("Lettrisko", "1.1.2099", "Lettrisko 2.zip", digest);
    if (signature == "good")
        signature = signUpdate(maker.secretKey, message);
    else if (signature == "other key")
        signature = signUpdate(generateUpdateKeyPair().secretKey, message);

    QByteArray served = archive;
    if (archiveChanged)
        served[served.size() / 2] = char(served.at(served.size() / 2) ^ 1);
    m_server->route("/Updates.ini", Response::text("[Lettrisko]\r\nDate=" + date + "\r\nFile=" + file
                                                   + "\r\nSignature=" + signature + "\r\n"));
    m_server->route("/Updates/" + QString::fromLatin1(file), Response::text(served));
    m_session->PublicKey = keyBuiltIn ? maker.publicKey : QByteArray();

    QVERIFY(m_session->fetchDescription());
    QVERIFY(m_session->isUpdateNewer());
    QVERIFY(m_session->downloadArchive());
    QString message2;
    const auto result = m_session->prepareInstallation(false, &message2);
    QCOMPARE(result == UpdateSession::Preparation::Prepared, installed);
    QCOMPARE(m_session->isInstalled(), installed);
    if (installed)
        return;
    QVERIFY2(message2.contains("Unterschrift"), qPrintable(message2));
    // Refused before anything was unpacked, and the archive is gone.
    QCOMPARE(QDir(m_temp->path()).entryList({"Lettrisko-Update-*"}, QDir::Dirs), QStringList());
    QVERIFY(!QFile::exists(m_session->archivePath()));
}

// The program checks the signature against its own name, whatever the
// case of its section's name. A key pair that cannot be written whole is
// not made at all, and no file that is there already is written.
void TestUpdateSession::signingToolRoundTrip_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<bool>("warns");
    // What stands in the key generator's way; empty: nothing.
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("section as the program names it") << QByteArray("[Lettrisko]") << false << "";
    QTest::newRow("section in capitals") << QByteArray("[LETTRISKO]") << true << "";
    QTest::newRow("no room for a byte") << QByteArray() << false << "file size 0";
    QTest::newRow("room for the public key only") << QByteArray() << false << "file size 60";
    QTest::newRow("the build option cannot be printed") << QByteArray() << false << "output full";
    QTest::newRow("a public key there already") << QByteArray() << false << "old maker.pub";
    QTest::newRow("a secret key there already") << QByteArray() << false << "old maker.key";
    QTest::newRow("a link where the public key goes") << QByteArray() << false << "link maker.pub";
}

void TestUpdateSession::signingToolRoundTrip()
{
    QFETCH(QByteArray, section);
    QFETCH(bool, warns);
    QFETCH(QString, obstacle);
    const QByteArray description = QByteArray(Description).replace("[Lettrisko]", section);
    const QString tool = QStringLiteral(LETTRISKO_SIGN_TOOL);
    const QString keyName = m_program->path() + "/maker";
    QProcess keygen;
    const QString blocked = m_program->path() + '/' + obstacle.section(' ', -1);
    if (obstacle.startsWith("old"))
        QVERIFY(writeFileBytes(blocked, "alt\n"));
    if (obstacle.startsWith("link"))
        QVERIFY(QFile::link(m_program->path() + "/ziel", blocked));
    if (obstacle == "output full")
        keygen.setStandardOutputFile("/dev/full");
    // A disk as good as full: every write beyond the size fails.
    const rlim_t size = obstacle.startsWith("file size") ? obstacle.section(' ', -1).toUInt() : RLIM_INFINITY;
    keygen.setChildProcessModifier([size] {
        const rlimit limit{size, size};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
    });
    keygen.start(tool, {"keygen", keyName});
    QVERIFY(keygen.waitForFinished());
    if (!obstacle.isEmpty()) {
        QCOMPARE(keygen.exitCode(), 1);
        QCOMPARE(keygen.readAllStandardOutput(), QByteArray());
        // Only what was there before, as it was.
        const QString before = obstacle.contains("maker.") ? QFileInfo(blocked).fileName() : QString();
        QCOMPARE(QDir(m_program->path()).entryList(QDir::Files | QDir::System).join(""), before);
        QVERIFY(!obstacle.startsWith("old") || fileBytes(blocked) == "alt\n");
        return;
    }
    QCOMPARE(keygen.exitCode(), 0);
    QCOMPARE(QFile::permissions(keyName + ".key") & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

    const QByteArray archive = zipArchiveBytes({{"game.txt", "neu\n"}, {"Update.sh", Template}});
    QVERIFY(writeFileBytes(m_program->path() + "/Updates.ini", description));
    QVERIFY(writeFileBytes(m_program->path() + "/a.zip", archive));
    QProcess sign;
    sign.start(tool, {"sign", keyName + ".key", m_program->path() + "/Updates.ini", m_program->path() + "/a.zip"});
    QVERIFY(sign.waitForFinished());
    QCOMPARE(sign.exitCode(), 0);
    const QByteArray signatureLine = sign.readAllStandardOutput().trimmed();
    QVERIFY(signatureLine.startsWith("Signature="));
    QCOMPARE(sign.readAllStandardError().contains("Warnung"), warns);

    m_server->route("/Updates.ini", Response::text(description + signatureLine + "\r\n"));
    m_server->route("/Updates/Lettrisko 2.zip", Response::text(archive));
    m_session->PublicKey = fileBytes(keyName + ".pub").trimmed();
    QVERIFY(m_session->fetchDescription());
    QVERIFY(m_session->downloadArchive());
    QString message;
    QVERIFY2(m_session->prepareInstallation(false, &message) == UpdateSession::Preparation::Prepared,
             qPrintable(message));
}

// The build's check of the key it is given, run as CMake runs it.
void TestUpdateSession::configurationChecksTheKey_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("accepted");

    const UpdateKeyPair pair = generateUpdateKeyPair();
    QTest::newRow("as keygen writes it") << pair.publicKey << true;
    QTest::newRow("none: unsigned updates") << QByteArray() << true;
    QTest::newRow("the secret key") << pair.secretKey << false;
    QTest::newRow("33 bytes, as long as a key") << QByteArray(33, 'k').toBase64() << false;
    QTest::newRow("35 bytes, ending as a key does") << QByteArray(35, 'k').toBase64() << false;
    QTest::newRow("bits beyond the 32 bytes") << pair.publicKey.chopped(2) + "/=" << false;
    QTest::newRow("not base64") << QByteArray(43, '*') + '=' << false;
}

void TestUpdateSession::configurationChecksTheKey()
{
    QFETCH(QByteArray, key);
    QFETCH(bool, accepted);
    QProcess cmake;
    cmake.start(QStringLiteral(LETTRISKO_CMAKE),
                {"-DLETTRISKO_UPDATE_PUBLIC_KEY=" + QString::fromLatin1(key), "-P",
                 QStringLiteral(LETTRISKO_UPDATE_KEY_CHECK)});
    QVERIFY(cmake.waitForFinished());
    const QByteArray errors = cmake.readAllStandardError();
    QCOMPARE(cmake.exitCode() == 0, accepted);
    if (accepted)
        return;
    QVERIFY2(errors.contains("LETTRISKO_UPDATE_PUBLIC_KEY is not a public key"), errors.constData());
    // A secret key given by mistake stays out of the build's log.
    QVERIFY(!errors.contains(key.trimmed()));
}

QTEST_GUILESS_MAIN(TestUpdateSession)
#include "tst_updatesession.moc"
