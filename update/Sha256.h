// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

class QIODevice;

// SHA-256 fed piece by piece, on OpenSSL's implementation, which uses the
// processor's hash instructions where there are any: the digest of a large
// download is computed while it streams past and must keep pace with it.
class Sha256
{
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256 &) = delete;
    Sha256 &operator=(const Sha256 &) = delete;

    void addData(const char *data, qsizetype size);
    void addData(const QByteArray &data) { addData(data.constData(), data.size()); }
    // Reads the device to its end; false on a read error.
    bool addData(QIODevice *device);
    // The 32-byte digest; the object starts over afterwards.
    QByteArray result();

    static QByteArray hash(const QByteArray &data);

private:
    struct Context;
    Context *m_context;
};
