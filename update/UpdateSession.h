#pragma once

#include "update/UpdateDescription.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class IniFile;
class QTemporaryDir;
class QTimer;
class THttpClient;

// The operations behind the wizard's steps, without any widget: fetch the
// update description, judge it, list the changes, download the archive,
// prepare the installation script and start it when the program ends.
//
// Everything is written to the temporary folder; nothing in the program's
// folder is touched by the program itself, that is the script's work.
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

    QString tempDir() const;
    QString programDir() const;
    // The archive lies in a folder of the session's own in the temporary
    // one, so that nobody else can hand in or change it on the way from
    // the download to unpacking. Empty before the first download.
    QString archivePath() const;
    // The prepared script; empty until prepareInstallation succeeded.
    QString scriptPath() const { return m_scriptPath; }

    // Fetches "Updates.ini" into a new "$" file in the temporary folder.
    // False when the transfer failed (no connection, an error status, a
    // broken transfer); the description of an earlier fetch is then gone.
    bool fetchDescription();
    bool hasDescription() const { return m_description != nullptr; }
    UpdateDescription description(const QDate &today = QDate::currentDate()) const;
    // The fetched description offers an update newer than the program.
    bool isUpdateNewer() const;
    // The change list for the result page.
    QString changes() const;

    // Downloads the archive named by "File" into the temporary folder, while
    // http() reports its progress. The result is the transfer's; the wizard
    // decides what to tell. After a cancellation the partial file goes.
    bool downloadArchive();
    // Deletes the partly written archive after three seconds.
    void deletePartialArchiveLater();

    enum class Preparation { Prepared, ArchiveMissing, Failed };
    // Unpacks the archive, fills in the script template and saves the
    // script; on success the archive is deleted. The files are unpacked
    // into a new private folder in the temporary one; the script lies
    // there and removes the folder as its last step. On Failed, message says why in German, and
    // neither a script nor a mark of installation is left.
    Preparation prepareInstallation(bool restart, QString *message = nullptr);
    bool isInstalled() const { return !m_scriptPath.isEmpty(); }

    // Starts the prepared script, unseen, to run once this process is gone.
    // Called at program end; does nothing when nothing was prepared.
    bool startInstallation();

private:
    // Hex SHA-256 of the archive as downloaded, or of the file when it was not.
    QString archiveSha256(const QString &archive) const;

    THttpClient *m_http = nullptr;
    std::unique_ptr<IniFile> m_description;
    QStringList m_descriptionCopies;
    std::unique_ptr<QTemporaryDir> m_downloadDir;
    QByteArray m_archiveSha256;
    QTimer *m_partialArchiveDeletion = nullptr;
    QString m_scriptPath;
};
