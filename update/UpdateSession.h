// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "update/UpdateDescription.h"
#include "update/UpdateLimits.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class IniFile;
class QTemporaryDir;
class QTimer;
class THttpClient;
struct UnzipProgress;
struct UnzipResult;

// The operations behind the wizard's steps, without any widget: fetch the
// update description, judge it, list the changes, download the archive,
// prepare the installation script and start it when the program ends.
//
// Everything is written to the temporary folder; nothing in the program's
// folder is touched by the program itself, that is the script's work. What
// the server sends is kept within Limits.
class UpdateSession : public QObject
{
    Q_OBJECT

public:
    explicit UpdateSession(QObject *parent = nullptr);
    // Deletes every copy of the description fetched in this run.
    ~UpdateSession() override;

    // The client every request of the session goes through; its Host names
    // the server, and the wizard listens to its events.
    THttpClient *http() const { return m_http; }

    // What AutomaticUpdate hands over before each showing.
    QString ProgramName;
    QString ZIPFileName;
    QDateTime ProgramDate;
    // With a trailing "/". Empty: the system's temporary folder and the
    // running program's folder.
    QString TempDir;
    QString ProgramDir;
    // The program started again after the installation; empty: the running one.
    QString ExecutablePath;
    // The maker's public key, base64. With a key, an archive is installed
    // only with a valid "Signature" in the description.
    QByteArray PublicKey;
    UpdateLimits Limits;
    // Where a failed installation leaves its note; empty: the user's
    // configuration folder of the program.
    QString FailureNotePath;
    // How long a cancelled download's partial archive stays.
    int PartialArchiveDelayMs = 3000;

    QString tempDir() const;
    QString programDir() const;
    QString failureNotePath() const;
    // Where the installation script leaves its note unless told otherwise.
    static QString defaultFailureNotePath();
    // The archive lies in a folder of the session's own in the temporary
    // one, so that nobody else can hand in or change it on the way from
    // the download to unpacking. Empty before the first download.
    QString archivePath() const;
    // The prepared script; empty until prepareInstallation succeeded.
    QString scriptPath() const { return m_scriptPath; }

    // Fetches "Updates.ini" into a new "$" file in the temporary folder.
    // False when the transfer failed (no connection, an error status, a
    // broken transfer) or the description was beyond the limits; the
    // description of an earlier fetch is then gone, and so is the copy.
    bool fetchDescription();
    // Why the last fetch failed, a German sentence: the server not found,
    // refusing or not answering, an error status, or what it sent refused
    // (too large, too many lines, too slow). Empty after a cancellation.
    QString fetchFailure() const { return m_fetchFailure; }
    bool hasDescription() const { return m_description != nullptr; }
    UpdateDescription description(const QDate &today = QDate::currentDate()) const;
    // The fetched description offers an update newer than the program.
    bool isUpdateNewer() const;
    // The change list for the result page.
    QString changes() const;

    // Downloads the archive named by "File" into the temporary folder, while
    // http() reports its progress. An archive that did not arrive whole is
    // deleted at once, with its folder, unless the user cancelled: that one
    // goes with deletePartialArchiveLater.
    bool downloadArchive();
    // Why the last download failed, in German; empty when it did not or
    // when the user cancelled it.
    QString downloadFailure() const { return m_downloadFailure; }
    // Deletes the partly written archive after PartialArchiveDelayMs; a new
    // download before then keeps its archive.
    void deletePartialArchiveLater();

    enum class Preparation { Prepared, ArchiveMissing, Failed, Cancelled };
    // Unpacks the archive, fills in the script template and saves the
    // script; on success the archive is deleted. The files are unpacked
    // into a new private folder in the temporary one; the script lies
    // there and removes the folder as its last step. On Failed, message
    // says why in German; neither then nor after a cancellation is a
    // script or a mark of installation left. Unpacking runs in a thread of
    // its own while the event loop goes on, reporting unpackProgress.
    Preparation prepareInstallation(bool restart, QString *message = nullptr);
    bool isPreparing() const { return m_unpacking != nullptr; }
    // Stops the unpacking of a running prepareInstallation after its
    // current chunk: it then returns Cancelled.
    void cancelPreparation();
    bool isInstalled() const { return !m_scriptPath.isEmpty(); }
    // Why this copy cannot replace its own files, a German sentence naming
    // its folder; empty when it can. Asked before the download, so that
    // nothing is fetched in vain, and again before unpacking.
    QString installationObstacle() const;

    // Starts the prepared script, unseen, to run once this process is gone.
    // Called at program end; does nothing when nothing was prepared.
    bool startInstallation();

    struct InstallationFailure
    {
        // The sentence to show the player ("Das Update konnte nicht
        // installiert werden: …") with the last few lines of the error
        // output, each cut short; empty when no installation failed.
        QString text;
        // The whole note as read, for a box's details; empty when the text
        // shows all of it.
        QString details;
    };
    // The note a failed installation script left; the note is gone
    // afterwards, so it is shown once. Only its first few KiB are read.
    static InstallationFailure takeInstallationFailure(const QString &notePath = QString());

Q_SIGNALS:
    // While the archive is unpacked, a few times a second.
    void unpackProgress(qint64 written, qint64 total);

private:
    // Hex SHA-256 of the archive as downloaded, or of the file when it was not.
    QString archiveSha256(const QString &archive) const;
    UnzipResult unpack(const QString &archive, const QString &destination);
    void discardArchive();

    THttpClient *m_http = nullptr;
    std::unique_ptr<IniFile> m_description;
    QStringList m_descriptionCopies;
    QString m_fetchFailure;
    std::unique_ptr<QTemporaryDir> m_downloadDir;
    QByteArray m_archiveSha256;
    QString m_downloadFailure;
    QTimer *m_partialArchiveDeletion = nullptr;
    UnzipProgress *m_unpacking = nullptr;
    QString m_scriptPath;
};
