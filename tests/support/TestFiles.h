// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

// Files as the tests read, write and pack them.

// The bytes of a file; empty when it is missing or unreadable.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes of a file, or "<missing>" when there is none, so that a file
// that was never written does not pass for an empty one.
inline QByteArray fileBytesOrMissing(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes the file whole; false when it could not.
inline bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One entry of a zip archive made by a test. The name is stored as given,
// so that it may hold any bytes an archive from elsewhere might.
struct ZipEntry
{
    QByteArray name;
    QByteArray data;
    quint32 unixMode = 0; // 0: libzip's default
    zip_int32_t method = ZIP_CM_DEFLATE;
};

// Writes the archive; false when libzip could not.
inline bool writeZipArchive(const QString &path, const QList<ZipEntry> &entries)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!archive)
        return false;
    for (const ZipEntry &entry : entries) {
        const zip_int64_t index = zip_file_add(
            archive, entry.name.constData(), zip_source_buffer(archive, entry.data.constData(), entry.data.size(), 0), 0);
        zip_set_file_compression(archive, index, entry.method, 0);
        if (entry.unixMode)
            zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, entry.unixMode << 16);
    }
    return zip_close(archive) == 0;
}

// The archive's bytes, as a server would hand them out.
inline QByteArray zipArchiveBytes(const QList<ZipEntry> &entries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    return writeZipArchive(path, entries) ? fileBytes(path) : QByteArray();
}

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); -1 when unknown.
inline qint64 processStatusKiB(const char *field)
{
    const QList<QByteArray> lines = fileBytes(QStringLiteral("/proc/self/status")).split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
