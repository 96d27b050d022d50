// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/UpdateSession.h"

#include "platform/BuildSettings.h"
#include "platform/Shell.h"
#include "platform/SystemInstall.h"
#include "text/IniFile.h"
#include "text/SharedFile.h"
#include "update/Sha256.h"
#include "update/THttpClient.h"
#include "update/Unzip.h"
#include "update/UpdateScript.h"
#include "update/UpdateSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

namespace {

QString withTrailingSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// The failure notes of the installation script: its exit status, then the
// last lines of its error output. Read is no more than the script writes;
// a box shows the last few lines of it, each within a few lines of text.
constexpr qint64 MaximumNoteSize = 8192;
constexpr qsizetype ShownNoteLines = 3;
constexpr qsizetype ShownNoteLineLength = 200;

} // namespace

UpdateSession::UpdateSession(QObject *parent)
    : QObject(parent)
    , PublicKey(builtInUpdateKey().toLatin1())
    , m_http(new THttpClient(this))
{
    m_http->Host = updateHost();
}

UpdateSession::~UpdateSession()
{
    // Gone while unpacking (the program ends): the worker stops after its
    // chunk, and the waiting call returns without touching this session.
    cancelPreparation();
    m_description.reset();
    for (const QString &copy : std::as_const(m_descriptionCopies))
        QFile::remove(copy);
    // The download folder goes with whatever is left in it.
}

QString UpdateSession::tempDir() const
{
    return withTrailingSlash(TempDir.isEmpty() ? QDir::tempPath() : TempDir);
}

QString UpdateSession::programDir() const
{
    return withTrailingSlash(ProgramDir.isEmpty() ? QCoreApplication::applicationDirPath() : ProgramDir);
}

QString UpdateSession::failureNotePath() const
{
    return !FailureNotePath.isEmpty() ? FailureNotePath : defaultFailureNotePath();
}

QString UpdateSession::defaultFailureNotePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/Update-Fehler.txt");
}

QString UpdateSession::archivePath() const
{
    return m_downloadDir ? withTrailingSlash(m_downloadDir->path()) + ZIPFileName : QString();
}

bool UpdateSession::fetchDescription()
{
    m_description.reset();
    m_fetchFailure.clear();

    QTemporaryFile copy(tempDir() + QStringLiteral("$XXXXXX"));
    copy.setAutoRemove(false);
    if (!copy.open()) {
        m_fetchFailure = QStringLiteral("Im Ordner für temporäre Dateien (%1) kann keine Datei angelegt werden.")
                             .arg(QDir::toNativeSeparators(tempDir()));
        return false;
    }
    const QString copyPath = copy.fileName();
    copy.close();
    m_descriptionCopies << copyPath;

    m_http->Body = copyPath;
    m_http->MaximumSize = Limits.descriptionSize;
    m_http->Deadline = Limits.descriptionDeadlineMs;
    const bool fetched = m_http->Get(descriptionUrl(m_http->Host));
    m_http->MaximumSize = 0;
    m_http->Deadline = 0;

    const auto refuse = [&](const QString &why) {
        m_fetchFailure = why;
        QFile::remove(copyPath);
        m_descriptionCopies.removeOne(copyPath);
        return false;
    };
    if (!fetched) {
        switch (m_http->error()) {
        case THttpClient::Error::TooLarge:
            return refuse(QStringLiteral("Die Update-Beschreibung auf dem Server ist größer als %1; sie wird nicht "
                                         "gelesen.")
                              .arg(SizeText(1, false, Limits.descriptionSize)));
        case THttpClient::Error::TooSlow:
            return refuse(QStringLiteral("Der Server sendet die Update-Beschreibung zu langsam; die Prüfung wurde "
                                         "nach %1 abgebrochen.")
                              .arg(secondsText(Limits.descriptionDeadlineMs)));
        case THttpClient::Error::Aborted:
            // The wizard is closing; nothing to tell.
            return refuse(QString());
        default:
            // In the words the download's failure uses.
            return refuse(m_http->errorString());
        }
    }
    // Read once, and counted before it is parsed: each LF ends a line.
    QFile fetchedCopy(copyPath);
    const QByteArray bytes = fetchedCopy.open(QIODevice::ReadOnly) ? fetchedCopy.readAll() : QByteArray();
    if (bytes.count('\n') + 1 > Limits.descriptionLines)
        return refuse(QStringLiteral("Die Update-Beschreibung auf dem Server hat mehr als %1 Zeilen; sie wird nicht "
                                     "gelesen.")
                          .arg(Limits.descriptionLines));
    m_description = std::make_unique<IniFile>(IniFile::parse(bytes));
    return true;
}

UpdateDescription UpdateSession::description(const QDate &today) const
{
    return m_description ? readUpdateDescription(*m_description, ProgramName, today) : UpdateDescription();
}

bool UpdateSession::isUpdateNewer() const
{
    return m_description && isNewerUpdate(description(), ProgramDate);
}

QString UpdateSession::changes() const
{
    return changeList(description().news, ProgramDate);
}

bool UpdateSession::downloadArchive()
{
    // A retry overwrites the file anyway; its deletion must not hit the
    // new download.
    if (m_partialArchiveDeletion)
        m_partialArchiveDeletion->stop();
    m_archiveSha256.clear();
    m_downloadFailure.clear();

    if (!m_downloadDir || !m_downloadDir->path().startsWith(tempDir()))
        m_downloadDir = std::make_unique<QTemporaryDir>(tempDir() + QStringLiteral("Lettrisko-Download-XXXXXX"));
    if (!m_downloadDir->isValid()) {
        m_downloadDir.reset();
        m_downloadFailure = QStringLiteral("Im Ordner für temporäre Dateien (%1) kann kein Ordner angelegt werden.")
                                .arg(QDir::toNativeSeparators(tempDir()));
        return false;
    }
    m_http->Body = archivePath();
    m_http->MaximumSize = Limits.archiveSize;
    const bool complete = m_http->Get(archiveUrl(m_http->Host, description().file));
    m_http->MaximumSize = 0;
    if (complete) {
        m_archiveSha256 = m_http->bodySha256().toHex();
        return true;
    }
    if (m_http->error() == THttpClient::Error::Aborted)
        return false;
    // An error page or a part of the archive is no archive; it goes at
    // once, with its folder.
    m_downloadDir.reset();
    m_downloadFailure = m_http->error() == THttpClient::Error::TooLarge
                            ? QStringLiteral("Das Update-Archiv auf dem Server ist größer als %1; es wird nicht "
                                             "heruntergeladen.")
                                  .arg(SizeText(1, false, Limits.archiveSize))
                            : m_http->errorString();
    return false;
}

void UpdateSession::deletePartialArchiveLater()
{
    if (!m_partialArchiveDeletion) {
        m_partialArchiveDeletion = new QTimer(this);
        m_partialArchiveDeletion->setSingleShot(true);
        connect(m_partialArchiveDeletion, &QTimer::timeout, this, [this] {
            if (!archivePath().isEmpty())
                QFile::remove(archivePath());
        });
    }
    m_partialArchiveDeletion->start(PartialArchiveDelayMs);
}

UpdateSession::Preparation UpdateSession::prepareInstallation(bool restart, QString *message)
{
    auto fail = [message](const QString &text) {
        if (message)
            *message = text;
        return Preparation::Failed;
    };

    const QString archive = archivePath();
    if (archive.isEmpty() || !QFileInfo(archive).isFile())
        return Preparation::ArchiveMissing;

    // The folder may have changed since the download.
    const QString obstacle = installationObstacle();
    if (!obstacle.isEmpty()) {
        discardArchive();
        return fail(obstacle);
    }

    const UpdateDescription offered = description();
    const QString digest = archiveSha256(archive);
    if (!PublicKey.isEmpty()
        && !verifyUpdateSignature(PublicKey, offered.signature.toLatin1(),
                                  signedUpdateMessage(ProgramName, offered.dateText, offered.file, digest.toLatin1()))) {
        discardArchive();
        return fail(QStringLiteral("Das heruntergeladene Update trägt keine gültige Unterschrift des Herstellers. "
                                   "Es wurde unterwegs verändert oder stammt nicht vom Hersteller und wird "
                                   "nicht installiert."));
    }
    if (!offered.sha256.isEmpty() && digest != offered.sha256) {
        discardArchive();
        return fail(QStringLiteral("Das heruntergeladene Update stimmt nicht mit der Beschreibung auf dem "
                                   "Server überein; es wurde beschädigt oder verändert und wird nicht "
                                   "installiert. Versuchen Sie es später noch einmal."));
    }

    // The files are unpacked into a folder of their own that nobody else
    // can write to: a shared temporary folder may already hold a script of
    // that name, which unpacking would keep instead of the archive's.
    QTemporaryDir unpackDir(tempDir() + QStringLiteral("Lettrisko-Update-XXXXXX"));
    if (!unpackDir.isValid())
        return fail(QStringLiteral("Im Ordner für temporäre Dateien (%1) kann kein Ordner angelegt werden.")
                        .arg(QDir::toNativeSeparators(tempDir())));
    const QString unpackPath = withTrailingSlash(unpackDir.path());

    QPointer<UpdateSession> alive(this);
    const UnzipResult unzipped = unpack(archive, unpackPath);
    if (!alive || unzipped.cancelled)
        return Preparation::Cancelled;
    // An archive that cannot be unpacked within the bounds is of no use.
    if (!unzipped.ok) {
        discardArchive();
        return fail(unzipped.errorString);
    }

    const QString scriptFile = unpackPath + QLatin1String(UpdateScriptName);
    QFile templateFile(scriptFile);
    if (!templateFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Das Update-Archiv enthält keine Installationsanweisungen („%1“).")
                        .arg(QLatin1String(UpdateScriptName)));
    const ScriptFillResult filled = fillScriptTemplate(templateFile.read(Limits.templateSize + 1), Limits.templateSize);
    templateFile.close();
    if (filled.tooLarge)
        discardArchive();
    if (!filled.ok)
        return fail(filled.errorString);
    const QString executable = !restart ? QString()
                               : ExecutablePath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                          : ExecutablePath;
    // The script writes its note there, should it fail.
    QDir().mkpath(QFileInfo(failureNotePath()).absolutePath());
    const QStringList lines = installationScript(filled.lines, unpackPath, programDir(), executable, failureNotePath());

    QSaveFile script(scriptFile);
    if (!script.open(QIODevice::WriteOnly) || script.write(scriptBytes(lines)) < 0 || !script.commit())
        return fail(QStringLiteral("Das Installationsskript kann nicht gespeichert werden (%1).")
                        .arg(QDir::toNativeSeparators(scriptFile)));

    unpackDir.setAutoRemove(false);
    discardArchive();
    m_scriptPath = scriptFile;
    return Preparation::Prepared;
}

QString UpdateSession::installationObstacle() const
{
    // A copy installed by the package manager is replaced by it alone,
    // also when the administrator runs it; elsewhere a folder the user may
    // not write to leaves the script nothing it could replace.
    if (isSystemInstallFolder(programDir()))
        return QStringLiteral("Lettrisko wurde mit der Paketverwaltung des Systems installiert und wird auch "
                              "dort aktualisiert, zum Beispiel mit „sudo apt upgrade“.");
    if (!canCreateFilesIn(programDir()))
        return QStringLiteral("Lettrisko kann sich nicht selbst aktualisieren, weil es den Ordner %1 nicht "
                              "ändern darf. Starten Sie das Update als der Benutzer, dem dieser Ordner gehört, "
                              "oder kopieren Sie das Programm in einen eigenen Ordner.")
            .arg(QDir::toNativeSeparators(programDir()));
    return QString();
}

// With the folder it was downloaded into.
void UpdateSession::discardArchive()
{
    m_downloadDir.reset();
    m_archiveSha256.clear();
}

UnzipResult UpdateSession::unpack(const QString &archive, const QString &destination)
{
    UnzipProgress progress;
    UnzipResult result;
    const UnzipLimits limits{Limits.archiveEntries, Limits.unpackedSize};
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = unzipFlat(archive, destination, limits, &progress); }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer ticks;
    connect(&ticks, &QTimer::timeout, this, [this, &progress] {
        emit unpackProgress(progress.written.load(), progress.total.load());
    });
    m_unpacking = &progress;
    QPointer<UpdateSession> alive(this);
    // Nothing counted yet; a cancellation from here on is seen by the worker.
    emit unpackProgress(0, 0);
    if (!alive)
        return result;
    worker->start();
    ticks.start(100);
    loop.exec();
    // Also when the application ended every event loop: the worker must not
    // outlive what it writes to.
    if (!worker->isFinished())
        progress.cancel = true;
    worker->wait();
    ticks.stop();
    if (alive)
        m_unpacking = nullptr;
    return result;
}

void UpdateSession::cancelPreparation()
{
    if (m_unpacking)
        m_unpacking->cancel = true;
}

UpdateSession::InstallationFailure UpdateSession::takeInstallationFailure(const QString &notePath)
{
    const QString path = !notePath.isEmpty() ? notePath : defaultFailureNotePath();
    // Only a note the script wrote: anything else under its name (a FIFO
    // would hold the start for good) is neither read nor removed.
    const SharedFile::Contents note = SharedFile::read(path, MaximumNoteSize);
    if (note.status != SharedFile::Status::Read && note.status != SharedFile::Status::TooLarge)
        return {};
    QStringList lines = QString::fromUtf8(note.bytes).split(QLatin1Char('\n'));
    QFile::remove(path);
    for (QString &line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    const QString status = lines.isEmpty() ? QString() : lines.takeFirst();

    InstallationFailure failure;
    failure.text = QStringLiteral("Das Update konnte nicht installiert werden: ");
    if (lines.isEmpty()) {
        // Only blanks in the error output, or a note cut short.
        failure.text += status.isEmpty() || status == QLatin1String("0")
                            ? QStringLiteral("Das Installationsskript meldete einen Fehler.")
                            : QStringLiteral("Das Installationsskript endete mit dem Fehler %1.").arg(status);
        return failure;
    }
    const QStringList last = lines.mid(qMax<qsizetype>(0, lines.size() - ShownNoteLines));
    bool shortened = last.size() < lines.size();
    QStringList shown;
    for (const QString &line : last) {
        shortened = shortened || line.size() > ShownNoteLineLength;
        shown << (line.size() > ShownNoteLineLength ? line.left(ShownNoteLineLength - 1) + QChar(0x2026) : line);
    }
    failure.text += shown.join(QLatin1Char('\n'));
    if (shortened)
        failure.details = lines.join(QLatin1Char('\n'));
    return failure;
}

QString UpdateSession::archiveSha256(const QString &archive) const
{
    if (!m_archiveSha256.isEmpty())
        return QString::fromLatin1(m_archiveSha256);
    // An archive left from an earlier run was not seen streaming past.
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    Sha256 hash;
    if (!hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

bool UpdateSession::startInstallation()
{
    return isInstalled() && startScriptAfterExit(m_scriptPath);
}
