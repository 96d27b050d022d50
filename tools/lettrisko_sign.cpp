// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The maker's tool for signed updates.
//
//   lettrisko-sign keygen NAME
//       writes NAME.pub (the public key, for LETTRISKO_UPDATE_PUBLIC_KEY)
//       and NAME.key (the secret key, readable by its owner only)
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
