// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The maker's tool for signed updates.
//
//   lettrisko-sign keygen NAME
//       writes NAME.pub (the public key, for LETTRISKO_UPDATE_PUBLIC_KEY)
//       and NAME.key (the secret key, readable by its owner only); both
//       must be new. On any failure neither is left, and the exit status
//       is 1.
//   lettrisko-sign sign [--program NAME] SECRETKEY Updates.ini ARCHIVE
//       prints the "Signature=" line for the program's section. The
//       signature covers the program's name as the program knows itself
//       (NAME, by default the description's one program, else "Lettrisko"),
//       whatever the case in which the section's name is written.
#include "text/IniFile.h"
#include "update/Sha256.h"
#include "update/UpdateDescription.h"
#include "update/UpdateSignature.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int usage()
{
    std::fputs("Aufruf:\n"
               "  lettrisko-sign keygen NAME\n"
               "  lettrisko-sign sign [--program PROGRAMMNAME] GEHEIMER-SCHLÜSSEL Updates.ini ARCHIV\n",
               stderr);
    return 2;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "lettrisko-sign: %s\n", qPrintable(message));
    return 1;
}

// A key file made new: never one that is there already, never through a
// link. It is removed again unless it was written whole and committed.
class NewKeyFile
{
public:
    NewKeyFile(const QString &path, mode_t mode)
        : m_path(QFile::encodeName(path))
        , m_fd(::open(m_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode))
        , m_created(m_fd >= 0)
    {
    }

    ~NewKeyFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (created() && !m_kept)
            ::unlink(m_path.constData());
    }

    NewKeyFile(const NewKeyFile &) = delete;
    NewKeyFile &operator=(const NewKeyFile &) = delete;

    bool created() const { return m_created; }

    // Every byte, on the disk.
    bool write(const QByteArray &bytes)
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t written = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += written;
        }
        const bool synced = ::fsync(m_fd) == 0;
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        return synced && closed;
    }

    void keep() { m_kept = true; }

private:
    QByteArray m_path;
    int m_fd;
    bool m_created;
    bool m_kept = false;
};

// Why a key file could not be made or written, from errno.
QString reason(int error)
{
    switch (error) {
    case EEXIST:
        return QStringLiteral("Die Datei gibt es schon; sie wird nicht überschrieben.");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr.");
    default:
        return qt_error_string(error);
    }
}

int keygen(const QString &name)
{
    const UpdateKeyPair pair = generateUpdateKeyPair();
    if (pair.secretKey.isEmpty())
        return fail(QStringLiteral("Die Kryptobibliothek lässt sich nicht starten."));
    // Both made before a byte is written: neither an old key nor half of a
    // new pair is left when one of them cannot be made.
    const QString publicPath = name + QStringLiteral(".pub");
    const QString secretPath = name + QStringLiteral(".key");
    NewKeyFile publicFile(publicPath, 0644);
    if (!publicFile.created())
        return fail(QStringLiteral("%1 kann nicht angelegt werden. %2").arg(publicPath, reason(errno)));
    // Readable by its owner alone before a byte of the key is in it.
    NewKeyFile secretFile(secretPath, 0600);
    if (!secretFile.created())
        return fail(QStringLiteral("%1 kann nicht angelegt werden. %2").arg(secretPath, reason(errno)));
    if (!publicFile.write(pair.publicKey + '\n'))
        return fail(QStringLiteral("%1 kann nicht geschrieben werden. %2").arg(publicPath, reason(errno)));
    if (!secretFile.write(pair.secretKey + '\n'))
        return fail(QStringLiteral("%1 kann nicht geschrieben werden. %2").arg(secretPath, reason(errno)));
    // The key is kept only once the build option has been told.
    std::printf("-DLETTRISKO_UPDATE_PUBLIC_KEY=%s\n", pair.publicKey.constData());
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail(QStringLiteral("Die Ausgabe kann nicht geschrieben werden. %1").arg(reason(errno)));
    publicFile.keep();
    secretFile.keep();
    return 0;
}

int sign(QStringList arguments)
{
    QString program;
    if (arguments.value(0) == QLatin1String("--program")) {
        program = arguments.value(1);
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 3)
        return usage();

    QFile keyFile(arguments.at(0));
    if (!keyFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1 kann nicht gelesen werden.").arg(arguments.at(0)));
    const QByteArray secretKey = keyFile.readAll().trimmed();

    bool readable = true;
    const IniFile description = IniFile::load(arguments.at(1), &readable);
    if (!readable || !QFile::exists(arguments.at(1)))
        return fail(QStringLiteral("%1 kann nicht gelesen werden.").arg(arguments.at(1)));
    const QStringList sections = description.sections();
    const QString lettrisko = QStringLiteral("Lettrisko");
    if (program.isEmpty()) {
        // A description of one other program names it; several need --program.
        const bool other = sections.size() == 1 && sections.first().compare(lettrisko, Qt::CaseInsensitive) != 0;
        program = other ? sections.first() : lettrisko;
    }
    // The program finds its section whatever the case, and checks the
    // signature against its own name.
    const UpdateDescription offered = readUpdateDescription(description, program);
    if (!offered.present)
        return fail(QStringLiteral("%1 hat keinen Abschnitt [%2].").arg(arguments.at(1), program));
    for (const QString &section : sections) {
        if (section.compare(program, Qt::CaseInsensitive) == 0 && section != program) {
            std::fprintf(stderr,
                         "lettrisko-sign: Warnung: Der Abschnitt heißt [%s], das Programm heißt „%s“; signiert wird "
                         "„%s“, wie das Programm prüft.\n",
                         qPrintable(section), qPrintable(program), qPrintable(program));
            break;
        }
    }

    QFile archive(arguments.at(2));
    if (!archive.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1 kann nicht gelesen werden.").arg(arguments.at(2)));
    Sha256 hash;
    if (!hash.addData(&archive))
        return fail(QStringLiteral("%1 kann nicht gelesen werden.").arg(arguments.at(2)));

    const QByteArray signature =
        signUpdate(secretKey, signedUpdateMessage(program, offered.dateText, offered.file, hash.result().toHex()));
    if (signature.isEmpty())
        return fail(QStringLiteral("%1 ist kein geheimer Schlüssel von lettrisko-sign keygen.").arg(arguments.at(0)));
    std::printf("Signature=%s\n", signature.constData());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList all = QCoreApplication::arguments();
    const QString command = all.value(1);
    const QStringList arguments = all.mid(2);
    if (command == QLatin1String("keygen") && arguments.size() == 1)
        return keygen(arguments.first());
    if (command == QLatin1String("sign"))
        return sign(arguments);
    return usage();
}
