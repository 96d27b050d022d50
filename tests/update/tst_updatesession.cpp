// The update from the server to the replaced program file: description,
// archive, script, and the script's run once the program has ended.
#include "platform/Shell.h"
#include "support/LoopbackHttpServer.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"
#include "update/THttpClient.h"
#include "update/UpdateSession.h"
#include "update/UpdateSignature.h"

#include <QDir>
#include <QFile>
#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

using Entries = QList<ZipEntry>;

// One block of four lines for the program's folder, then a tail for the
// unpacked files' folder.
const QByteArray Template = "set -e\r\n"
                            "test -d '%s'\r\n"
                            "rm -f '%sgame.txt.alt'\r\n"
                            "cp -f '%sgame.txt' '%s'\r\n"
                            " test -f '%sUpdate.sh'\r\n";

const QByteArray Description = "[Lettrisko]\r\n"
                               "Date=1.1.2099\r\n"
                               "File=Lettrisko 2.zip\r\n"
                               "News=6.12.2026:Alt, \"1.1.2099: Neue W\xf6rter\"\r\n";

} // namespace

class TestUpdateSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void updateReplacesTheProgramFileAfterTheProgramEnded();
    void fetchFailures_data();
    void fetchFailures();
    void refusedPreparations_data();
    void refusedPreparations();
    void signedUpdates_data();
    void signedUpdates();
    void signingToolRoundTrip();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<UpdateSession> m_session;
};

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

void TestUpdateSession::updateReplacesTheProgramFileAfterTheProgramEnded()
{
    const QString programDir = m_program->path() + '/';
    QVERIFY(writeFileBytes(programDir + "game.txt", "alt\n"));
    // Stands for the program started again after the update.
    QVERIFY(writeFileBytes(programDir + "restart.sh", "#!/bin/sh\necho gestartet > \"$(dirname \"$0\")/restarted.txt\"\n"));
    QFile::setPermissions(programDir + "restart.sh", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_session->ExecutablePath = programDir + "restart.sh";

    m_server->route("/Updates.ini", Response::text(Description));
    m_server->route("/Updates/Lettrisko 2.zip",
                    Response::text(zipArchiveBytes({{"Lettrisko/game.txt", "neu\n"}, {"Lettrisko/Update.sh", Template}})));

    QVERIFY(m_session->fetchDescription());
    QVERIFY(m_session->isUpdateNewer());
    QCOMPARE(m_session->changes(), QString("- 1.1.2099: Neue Wörter\n"));
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
    const QStringList lines = QString::fromUtf8(fileBytes(script)).split('\n');
    QCOMPARE(lines.value(3), "cp -f '" + unpacked + "game.txt' '" + programDir + "'");
    QCOMPARE(lines.value(4), " test -f '" + unpacked + "Update.sh'");
    QVERIFY(lines.value(5).contains("restart.sh"));
    QVERIFY(lines.value(6).startsWith("rm -rf -- "));
    QCOMPARE(lines.value(7), QString()); // LF after the last line too

    // The "program" is a process that runs until its input closes.
    QProcess program;
    program.start("cat", {});
    QVERIFY(program.waitForStarted());
    QVERIFY(startScriptAfterProcess(script, program.processId()));
    QCOMPARE(fileBytes(programDir + "game.txt"), QByteArray("alt\n"));

    program.closeWriteChannel();
    QVERIFY(program.waitForFinished());
    QTRY_COMPARE(fileBytes(programDir + "game.txt"), QByteArray("neu\n"));
    QTRY_VERIFY(QFile::exists(programDir + "restarted.txt"));
    QTRY_VERIFY(!QFile::exists(unpacked));

    // The copies of the description go with the session.
    const QStringList copies = QDir(m_temp->path()).entryList({"$*"}, QDir::Files);
    QCOMPARE(copies.size(), 1);
    m_session.reset();
    QCOMPARE(QDir(m_temp->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestUpdateSession::fetchFailures_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("missing") << 404;
    QTest::newRow("server error") << 500;
    QTest::newRow("refused") << 0;
}

void TestUpdateSession::fetchFailures()
{
    QFETCH(int, status);
    m_server->route("/Updates.ini", Response::text(Description));
    QVERIFY(m_session->fetchDescription());
    if (status)
        m_server->route("/Updates.ini", Response::text(Description, status));
    else
        m_server.reset();
    QVERIFY(!m_session->fetchDescription());
    QVERIFY(!m_session->isUpdateNewer());
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
    QTest::newRow("installed by the system") << QByteArray() << Template << false << "Paketverwaltung" << true;
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
    QFile::remove(m_session->archivePath());
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

void TestUpdateSession::signingToolRoundTrip()
{
    const QString tool = QStringLiteral(LETTRISKO_SIGN_TOOL);
    const QString keyName = m_program->path() + "/maker";
    QProcess keygen;
    keygen.start(tool, {"keygen", keyName});
    QVERIFY(keygen.waitForFinished());
    QCOMPARE(keygen.exitCode(), 0);
    QCOMPARE(QFile::permissions(keyName + ".key") & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

    const QByteArray archive = zipArchiveBytes({{"game.txt", "neu\n"}, {"Update.sh", Template}});
    QVERIFY(writeFileBytes(m_program->path() + "/Updates.ini", Description));
    QVERIFY(writeFileBytes(m_program->path() + "/a.zip", archive));
    QProcess sign;
    sign.start(tool, {"sign", keyName + ".key", m_program->path() + "/Updates.ini", m_program->path() + "/a.zip"});
    QVERIFY(sign.waitForFinished());
    QCOMPARE(sign.exitCode(), 0);
    const QByteArray signatureLine = sign.readAllStandardOutput().trimmed();
    QVERIFY(signatureLine.startsWith("Signature="));

    m_server->route("/Updates.ini", Response::text(Description + signatureLine + "\r\n"));
    m_server->route("/Updates/Lettrisko 2.zip", Response::text(archive));
    m_session->PublicKey = fileBytes(keyName + ".pub").trimmed();
    QVERIFY(m_session->fetchDescription());
    QVERIFY(m_session->downloadArchive());
    QString message;
    QVERIFY2(m_session->prepareInstallation(false, &message) == UpdateSession::Preparation::Prepared,
             qPrintable(message));
}

QTEST_GUILESS_MAIN(TestUpdateSession)
#include "tst_updatesession.moc"
