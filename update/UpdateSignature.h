// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Ed25519 signatures over updates: the maker signs, the program checks with
// the public key it was built with. An archive is bound to the description
// that offers it, so that neither an old signed archive nor a changed date
// or file name passes as a new update:
//
//     ProgramName LF Date LF File LF lower-case hex SHA-256 of the archive
//
// in UTF-8, with Date and File exactly as the description holds them.
// Keys and signatures travel as base64.

// The public key the program was built with; empty: updates are not signed.
QString builtInUpdateKey();

QByteArray signedUpdateMessage(const QString &programName, const QString &date, const QString &file,
                               const QByteArray &archiveSha256Hex);

struct UpdateKeyPair
{
    QByteArray publicKey; // base64 of 32 bytes
    QByteArray secretKey; // base64 of 64 bytes
};

// Empty keys when the crypto library cannot be started.
UpdateKeyPair generateUpdateKeyPair();
// Base64 of the 64-byte signature; empty when the secret key is malformed.
QByteArray signUpdate(const QByteArray &secretKeyBase64, const QByteArray &message);
// False for a malformed key or signature as for a wrong one.
bool verifyUpdateSignature(const QByteArray &publicKeyBase64, const QByteArray &signatureBase64,
                           const QByteArray &message);
