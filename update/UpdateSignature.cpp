// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/UpdateSignature.h"

#include "platform/BuildSettings.h"

#include <sodium.h>

namespace {

bool cryptoReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Strict base64 of exactly `size` bytes; anything else gives nothing.
QByteArray decodeExactly(const QByteArray &base64, int size)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != size)
        return {};
    return decoded.decoded;
}

} // namespace

QString builtInUpdateKey()
{
    return updatePublicKey();
}

QByteArray signedUpdateMessage(const QString &programName, const QString &date, const QString &file,
                               const QByteArray &archiveSha256Hex)
{
    return (programName + QLatin1Char('\n') + date + QLatin1Char('\n') + file + QLatin1Char('\n')).toUtf8()
        + archiveSha256Hex.toLower();
}

UpdateKeyPair generateUpdateKeyPair()
{
    if (!cryptoReady())
        return {};
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    UpdateKeyPair pair;
    pair.publicKey = QByteArray(reinterpret_cast<const char *>(publicKey), sizeof publicKey).toBase64();
    pair.secretKey = QByteArray(reinterpret_cast<const char *>(secretKey), sizeof secretKey).toBase64();
    sodium_memzero(secretKey, sizeof secretKey);
    return pair;
}

QByteArray signUpdate(const QByteArray &secretKeyBase64, const QByteArray &message)
{
    QByteArray secretKey = decodeExactly(secretKeyBase64, crypto_sign_SECRETKEYBYTES);
    if (secretKey.isEmpty() || !cryptoReady())
        return {};
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char *>(message.constData()),
                         quint64(message.size()), reinterpret_cast<const unsigned char *>(secretKey.constData()));
    sodium_memzero(secretKey.data(), size_t(secretKey.size()));
    return QByteArray(reinterpret_cast<const char *>(signature), sizeof signature).toBase64();
}

bool verifyUpdateSignature(const QByteArray &publicKeyBase64, const QByteArray &signatureBase64,
                           const QByteArray &message)
{
    const QByteArray publicKey = decodeExactly(publicKeyBase64, crypto_sign_PUBLICKEYBYTES);
    const QByteArray signature = decodeExactly(signatureBase64, crypto_sign_BYTES);
    if (publicKey.isEmpty() || signature.isEmpty() || !cryptoReady())
        return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                       reinterpret_cast<const unsigned char *>(message.constData()),
                                       quint64(message.size()),
                                       reinterpret_cast<const unsigned char *>(publicKey.constData()))
        == 0;
}
