#include "update/UpdateSession.h"

#include "platform/BuildSettings.h"
#include "platform/Shell.h"
#include "platform/SystemInstall.h"
#include "text/IniFile.h"
#include "update/Sha256.h"
#include "update/THttpClient.h"
#include "update/Unzip.h"
#include "update/UpdateScript.h"
#include "update/UpdateSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

namespace {

QString withTrailingSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

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

QString UpdateSession::archivePath() const
{
    return m_downloadDir ? withTrailingSlash(m_downloadDir->path()) + ZIPFileName : QString();
}

bool UpdateSession::fetchDescription()
{
    m_description.reset();

    QTemporaryFile copy(tempDir() + QStringLiteral("$XXXXXX"));
    copy.setAutoRemove(false);
    if (!copy.open())
        return false;
    const QString copyPath = copy.fileName();
    copy.close();
    m_descriptionCopies << copyPath;

    m_http->Body = copyPath;
    if (!m_http->Get(descriptionUrl(m_http->Host)))
        return false;
    m_description = std::make_unique<IniFile>(IniFile::load(copyPath));
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

    if (!m_downloadDir || !m_downloadDir->path().startsWith(tempDir()))
        m_downloadDir = std::make_unique<QTemporaryDir>(tempDir() + QStringLiteral("Lettrisko-Download-XXXXXX"));
    if (!m_downloadDir->isValid()) {
        m_downloadDir.reset();
        return false;
    }
    m_http->Body = archivePath();
    const bool complete = m_http->Get(archiveUrl(m_http->Host, description().file));
    if (complete)
        m_archiveSha256 = m_http->bodySha256().toHex();
    return complete;
}

void UpdateSession::deletePartialArchiveLater()
{
    if (!m_partialArchiveDeletion) {
        m_partialArchiveDeletion = new QTimer(this);
        m_partialArchiveDeletion->setSingleShot(true);
        m_partialArchiveDeletion->setInterval(3000);
        connect(m_partialArchiveDeletion, &QTimer::timeout, this, [this] { QFile::remove(archivePath()); });
    }
    m_partialArchiveDeletion->start();
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

    // A copy installed by the package manager is replaced by it alone,
    // also when the administrator runs it; elsewhere a folder the user may
    // not write to leaves the script nothing it could replace.
    if (isSystemInstallFolder(programDir())) {
        QFile::remove(archive);
        return fail(QStringLiteral("Lettrisko wurde mit der Paketverwaltung des Systems installiert und wird auch "
                                   "dort aktualisiert, zum Beispiel mit „sudo apt upgrade“."));
    }
    if (!canCreateFilesIn(programDir())) {
        QFile::remove(archive);
        return fail(QStringLiteral("Lettrisko ist in einem Ordner installiert, den es nicht ändern darf (%1). "
                                   "Ein so installiertes Programm wird über die Paketverwaltung des Systems "
                                   "aktualisiert, zum Beispiel mit „sudo apt upgrade“.")
                        .arg(QDir::toNativeSeparators(programDir())));
    }

    const UpdateDescription offered = description();
    const QString digest = archiveSha256(archive);
    if (!PublicKey.isEmpty()
        && !verifyUpdateSignature(PublicKey, offered.signature.toLatin1(),
                                  signedUpdateMessage(ProgramName, offered.dateText, offered.file, digest.toLatin1()))) {
        QFile::remove(archive);
        return fail(QStringLiteral("Das heruntergeladene Update trägt keine gültige Unterschrift des Herstellers. "
                                   "Es wurde unterwegs verändert oder stammt nicht vom Hersteller und wird "
                                   "nicht installiert."));
    }
    if (!offered.sha256.isEmpty() && digest != offered.sha256) {
        QFile::remove(archive);
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

    const UnzipResult unzipped = unzipFlat(archive, unpackPath);
    if (!unzipped.ok)
        return fail(unzipped.errorString);

    const QString scriptFile = unpackPath + QLatin1String(UpdateScriptName);
    QFile templateFile(scriptFile);
    if (!templateFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Das Update-Archiv enthält keine Installationsanweisungen („%1“).")
                        .arg(QLatin1String(UpdateScriptName)));
    const QString templateText = QString::fromUtf8(templateFile.readAll());
    templateFile.close();

    ScriptFillResult filled = fillScriptTemplate(scriptLines(templateText), unpackPath, programDir());
    if (!filled.ok)
        return fail(filled.errorString);
    if (restart)
        filled.lines << restartLine(ExecutablePath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                             : ExecutablePath);
    // The script's last line takes the whole folder with it.
    filled.lines << QStringLiteral("rm -rf -- ") + shellQuoted(unpackDir.path());

    QSaveFile script(scriptFile);
    if (!script.open(QIODevice::WriteOnly) || script.write(scriptBytes(filled.lines)) < 0 || !script.commit())
        return fail(QStringLiteral("Das Installationsskript kann nicht gespeichert werden (%1).")
                        .arg(QDir::toNativeSeparators(scriptFile)));

    unpackDir.setAutoRemove(false);
    QFile::remove(archive);
    m_scriptPath = scriptFile;
    return Preparation::Prepared;
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
