// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/Sha256.h"

#include <QIODevice>

#include <openssl/evp.h>

struct Sha256::Context
{
    EVP_MD_CTX *digest = EVP_MD_CTX_new();
};

Sha256::Sha256()
    : m_context(new Context)
{
    EVP_DigestInit_ex(m_context->digest, EVP_sha256(), nullptr);
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context->digest);
    delete m_context;
}

void Sha256::addData(const char *data, qsizetype size)
{
    if (size > 0)
        EVP_DigestUpdate(m_context->digest, data, size_t(size));
}

bool Sha256::addData(QIODevice *device)
{
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 read = device->read(buffer.data(), buffer.size());
        if (read < 0)
            return false;
        if (read == 0)
            return true;
        addData(buffer.constData(), read);
    }
}

QByteArray Sha256::result()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context->digest, digest, &length);
    EVP_DigestInit_ex(m_context->digest, EVP_sha256(), nullptr);
    return QByteArray(reinterpret_cast<const char *>(digest), int(length));
}

QByteArray Sha256::hash(const QByteArray &data)
{
    Sha256 sha;
    sha.addData(data);
    return sha.result();
}
