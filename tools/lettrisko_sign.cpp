// The maker's tool for signed updates.
//
//   lettrisko-sign keygen NAME
//       writes NAME.pub (the public key, for LETTRISKO_UPDATE_PUBLIC_KEY)
//       and NAME.key (the secret key, readable by its owner only)
//   lettrisko-sign sign [--program SECTION] SECRETKEY Updates.ini ARCHIVE
//       prints the "Signature=" line for the program's section
#include "text/IniFile.h"
#include "update/Sha256.h"
#include "update/UpdateDescription.h"
#include "update/UpdateSignature.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int usage()
{
    std::fputs("Aufruf:\n"
               "  lettrisko-sign keygen NAME\n"
               "  lettrisko-sign sign [--program ABSCHNITT] GEHEIMER-SCHLÜSSEL Updates.ini ARCHIV\n",
               stderr);
    return 2;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "lettrisko-sign: %s\n", qPrintable(message));
    return 1;
}

// Created for its owner alone before a byte of the key is in it.
bool writePrivateFile(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

int keygen(const QString &name)
{
    const UpdateKeyPair pair = generateUpdateKeyPair();
    if (pair.secretKey.isEmpty())
        return fail(QStringLiteral("Die Kryptobibliothek lässt sich nicht starten."));
    if (!writePrivateFile(name + QStringLiteral(".key"), pair.secretKey + '\n'))
        return fail(QStringLiteral("%1.key kann nicht neu angelegt werden (gibt es die Datei schon?).").arg(name));
    QFile publicFile(name + QStringLiteral(".pub"));
    if (!publicFile.open(QIODevice::WriteOnly) || publicFile.write(pair.publicKey + '\n') < 0)
        return fail(QStringLiteral("%1.pub kann nicht geschrieben werden.").arg(name));
    std::printf("-DLETTRISKO_UPDATE_PUBLIC_KEY=%s\n", pair.publicKey.constData());
    return 0;
}

int sign(QStringList arguments)
{
    QString section;
    if (arguments.value(0) == QLatin1String("--program")) {
        section = arguments.value(1);
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
    if (section.isEmpty()) {
        // A description of one program names it; several need --program.
        const QStringList sections = description.sections();
        section = sections.size() == 1 ? sections.first() : QStringLiteral("Lettrisko");
    }
    const UpdateDescription offered = readUpdateDescription(description, section);
    if (!offered.present)
        return fail(QStringLiteral("%1 hat keinen Abschnitt [%2].").arg(arguments.at(1), section));

    QFile archive(arguments.at(2));
    if (!archive.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1 kann nicht gelesen werden.").arg(arguments.at(2)));
    Sha256 hash;
    if (!hash.addData(&archive))
        return fail(QStringLiteral("%1 kann nicht gelesen werden.").arg(arguments.at(2)));

    const QByteArray signature =
        signUpdate(secretKey, signedUpdateMessage(section, offered.dateText, offered.file, hash.result().toHex()));
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
