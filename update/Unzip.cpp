// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/Unzip.h"

#include "update/UpdateDescription.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Big entries pass through this much memory at a time.
constexpr zip_uint64_t ChunkSize = 64 * 1024;

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser
{
    void operator()(zip_file_t *entry) const { zip_fclose(entry); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int reset()
    {
        const int result = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

QString archiveFailure(int zipError, const QString &archivePath)
{
    const QString name = QFileInfo(archivePath).fileName();
    switch (zipError) {
    case ZIP_ER_NOENT:
        return QStringLiteral("Das Archiv „%1“ wurde nicht gefunden.").arg(name);
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("Die Datei „%1“ ist kein gültiges Zip-Archiv.").arg(name);
    default:
        return QStringLiteral("Das Archiv „%1“ konnte nicht gelesen werden.").arg(name);
    }
}

QString entryFailure(int zipError, const QString &entryName)
{
    switch (zipError) {
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return QStringLiteral("Die Datei „%1“ im Archiv ist verschlüsselt und kann nicht entpackt werden.")
            .arg(entryName);
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("Die Datei „%1“ im Archiv ist mit einem nicht unterstützten Verfahren gepackt.")
            .arg(entryName);
    default:
        return QStringLiteral("Die Datei „%1“ im Archiv ist beschädigt.").arg(entryName);
    }
}

QString writeFailure(int error, const QString &fileName, const QString &destination)
{
    if (error == ENOSPC || error == EDQUOT)
        return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden: In „%2“ ist kein Platz mehr frei.")
            .arg(fileName, destination);
    return QStringLiteral("Die Datei „%1“ konnte nicht in „%2“ geschrieben werden.").arg(fileName, destination);
}

// The part after the last "/" or "\": archives made on Windows separate
// folders with either.
QByteArray bareName(const QByteArray &entryName)
{
    const qsizetype cut = qMax(entryName.lastIndexOf('/'), entryName.lastIndexOf('\\'));
    return entryName.mid(cut + 1);
}

bool isUsableName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != "..";
}

// Archives made on Unix keep the file type and permissions; links and
// folders are left out, and executables stay executable for the script.
// Entries from elsewhere carry no type and count as plain files.
bool isPlainFile(zip_t *archive, zip_uint64_t index, mode_t *permissions)
{
    *permissions = 0644;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0
        || system != ZIP_OPSYS_UNIX)
        return true;
    const mode_t mode = attributes >> 16;
    if ((mode & S_IFMT) != 0 && (mode & S_IFMT) != S_IFREG)
        return false;
    if ((mode & 0777) != 0)
        *permissions = (mode & 0777) | S_IRUSR | S_IWUSR;
    return true;
}

bool writeAll(int fd, const char *data, zip_int64_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The uncompressed sizes the archive announces, summed; a sum that does not
// fit counts as the largest there is.
zip_uint64_t announcedSize(zip_t *archive, zip_int64_t count)
{
    zip_uint64_t sum = 0;
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            continue;
        if (stat.size > std::numeric_limits<zip_uint64_t>::max() - sum)
            return std::numeric_limits<zip_uint64_t>::max();
        sum += stat.size;
    }
    return sum;
}

qint64 asBytes(zip_uint64_t size)
{
    return qint64(qMin<zip_uint64_t>(size, zip_uint64_t(std::numeric_limits<qint64>::max())));
}

// Why the archive is not unpacked at all; empty when it may be.
QString refusal(zip_t *archive, int destination, const QString &archivePath, const QString &destinationPath,
                const UnzipLimits &limits, zip_uint64_t *announced)
{
    const QString name = QFileInfo(archivePath).fileName();
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (limits.maximumEntries > 0 && count > limits.maximumEntries)
        return QStringLiteral("Das Archiv „%1“ enthält %2 Dateien; mehr als %3 werden nicht entpackt.")
            .arg(name)
            .arg(count)
            .arg(limits.maximumEntries);
    *announced = announcedSize(archive, count);
    const qint64 size = asBytes(*announced);
    if (limits.maximumTotalSize > 0 && size > limits.maximumTotalSize)
        return QStringLiteral("Das Archiv „%1“ würde entpackt %2 belegen; mehr als %3 werden nicht entpackt.")
            .arg(name, SizeText(1, false, size), SizeText(1, false, limits.maximumTotalSize));
    struct statvfs disk;
    if (::fstatvfs(destination, &disk) == 0) {
        const qint64 free = qint64(disk.f_bavail) * qint64(disk.f_frsize);
        if (size > free)
            return QStringLiteral("In „%1“ ist nicht genug Platz frei: Das Update braucht entpackt %2, frei sind %3.")
                .arg(destinationPath, SizeText(1, false, size), SizeText(1, false, free));
    }
    return QString();
}

class FlatExtractor
{
public:
    FlatExtractor(zip_t *archive, int destination, const QString &destinationPath, UnzipResult *result,
                  UnzipProgress *progress)
        : m_archive(archive), m_destination(destination), m_destinationPath(destinationPath),
          m_result(result), m_progress(progress), m_buffer(new char[ChunkSize])
    {
    }

    bool extract(zip_uint64_t index)
    {
        const char *rawName = zip_get_name(m_archive, index, ZIP_FL_ENC_GUESS);
        if (!rawName)
            return fail(QStringLiteral("Der Name der %1. Datei im Archiv ist nicht lesbar.").arg(index + 1));
        const QByteArray entryName(rawName);
        // The file is named as the result and the script name it, in
        // UTF-8: an archive may mark names as UTF-8 that are not.
        const QByteArray name = QString::fromUtf8(bareName(entryName)).toUtf8();
        mode_t permissions = 0;
        if (!isUsableName(name) || !isPlainFile(m_archive, index, &permissions)) {
            m_result->skipped.append(QString::fromUtf8(entryName));
            return true;
        }
        // Created exclusively: a file, folder or link already standing under
        // the name is left alone, and a link is never followed.
        Descriptor file(::openat(m_destination, name.constData(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, permissions));
        if (file.get() < 0) {
            if (errno == EEXIST) {
                m_result->skipped.append(QString::fromUtf8(entryName));
                return true;
            }
            return fail(writeFailure(errno, QString::fromUtf8(name), m_destinationPath));
        }
        const QString failure = copyEntry(index, file.get(), QString::fromUtf8(entryName), QString::fromUtf8(name));
        const int closeError = file.reset() == 0 ? 0 : errno;
        if (!failure.isEmpty() || closeError != 0) {
            ::unlinkat(m_destination, name.constData(), 0);
            return fail(!failure.isEmpty() ? failure
                                           : writeFailure(closeError, QString::fromUtf8(name), m_destinationPath));
        }
        m_result->extracted.append(QString::fromUtf8(name));
        return true;
    }

private:
    // Streams the entry into fd; empty on success, else what went wrong.
    QString copyEntry(zip_uint64_t index, int fd, const QString &entryName, const QString &fileName)
    {
        zip_stat_t stat;
        if (zip_stat_index(m_archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            return entryFailure(ZIP_ER_INCONS, entryName);
        Entry entry(zip_fopen_index(m_archive, index, 0));
        if (!entry)
            return entryFailure(zip_error_code_zip(zip_get_error(m_archive)), entryName);
        zip_uint64_t total = 0;
        for (;;) {
            if (m_progress && m_progress->cancel.load(std::memory_order_relaxed)) {
                m_result->cancelled = true;
                return QStringLiteral("Das Entpacken wurde abgebrochen.");
            }
            const zip_int64_t count = zip_fread(entry.get(), m_buffer.get(), ChunkSize);
            if (count < 0)
                return entryFailure(zip_error_code_zip(zip_file_get_error(entry.get())), entryName);
            if (count == 0)
                break;
            // Growing beyond its announced size, the entry would break the
            // account that was checked against the limits and the disk.
            total += zip_uint64_t(count);
            if (total > stat.size)
                return entryFailure(ZIP_ER_INCONS, entryName);
            if (!writeAll(fd, m_buffer.get(), count))
                return writeFailure(errno, fileName, m_destinationPath);
            if (m_progress)
                m_progress->written.fetch_add(count, std::memory_order_relaxed);
        }
        // The checksum is compared when the end is reached; closing reports it.
        if (zip_fclose(entry.release()) != 0)
            return entryFailure(ZIP_ER_CRC, entryName);
        if (stat.size != total)
            return entryFailure(ZIP_ER_INCONS, entryName);
        return QString();
    }

    bool fail(const QString &message)
    {
        m_result->errorString = message;
        return false;
    }

    zip_t *m_archive;
    int m_destination;
    QString m_destinationPath;
    UnzipResult *m_result;
    UnzipProgress *m_progress;
    std::unique_ptr<char[]> m_buffer;
};

} // namespace

UnzipResult unzipFlat(const QString &archivePath, const QString &destinationDirectory, const UnzipLimits &limits,
                      UnzipProgress *progress)
{
    UnzipResult result;
    const QByteArray archiveName = QFile::encodeName(archivePath);
    struct stat archiveStat;
    if (::stat(archiveName.constData(), &archiveStat) != 0) {
        result.errorString = archiveFailure(errno == ENOENT ? ZIP_ER_NOENT : ZIP_ER_OPEN, archivePath);
        return result;
    }
    // An empty download would otherwise pass as an archive without entries.
    if (S_ISREG(archiveStat.st_mode) && archiveStat.st_size == 0) {
        result.errorString = archiveFailure(ZIP_ER_NOZIP, archivePath);
        return result;
    }
    int zipError = ZIP_ER_OK;
    Archive archive(zip_open(archiveName.constData(), ZIP_RDONLY, &zipError));
    if (!archive) {
        result.errorString = archiveFailure(zipError, archivePath);
        return result;
    }
    Descriptor destination(
        ::open(QFile::encodeName(destinationDirectory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (destination.get() < 0) {
        result.errorString = QStringLiteral("Der Zielordner „%1“ kann nicht geöffnet werden.").arg(destinationDirectory);
        return result;
    }

    zip_uint64_t announced = 0;
    result.errorString = refusal(archive.get(), destination.get(), archivePath, destinationDirectory, limits, &announced);
    if (!result.errorString.isEmpty())
        return result;
    if (progress)
        progress->total = asBytes(announced);

    FlatExtractor extractor(archive.get(), destination.get(), destinationDirectory, &result, progress);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        if (!extractor.extract(zip_uint64_t(index)))
            return result;
    }
    result.ok = true;
    return result;
}
