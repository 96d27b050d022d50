// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// A zip archive as any server may send it, unpacked with small limits
// into a fresh folder. What unpacking promises: nothing appears beside the
// destination, inside it only plain files without set-id bits, exactly
// the ones it reports; together they hold no more entries and bytes than
// the limits allow; an archive whose own account is beyond them is
// refused before a byte is written, and one broken on the way leaves none
// of what it did not keep; one unpacked whole accounts for every entry.
//
// The input: one byte for the entry limit (1 to 32), one for the size
// limit (1 to 256 KiB), then the archive.
#include "update/Unzip.h"

#include <QDir>
#include <QFile>

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder the archives are unpacked in, once made.
const QString *sandboxPath = nullptr;

// Byte for byte: names need not be UTF-8.
void removeSandbox()
{
    if (sandboxPath)
        ::nftw(QFile::encodeName(*sandboxPath).constData(),
               [](const char *path, const struct stat *, int, FTW *) { return ::remove(path); }, 16,
               FTW_DEPTH | FTW_PHYS);
}

// Aborts, naming the line of the promise broken.
void require(bool promise, int line = __builtin_LINE())
{
    if (promise)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    removeSandbox();
    std::abort();
}

// A folder of this process's own, in memory where there is a tmpfs; it
// goes when the fuzzer ends.
const QString &sandbox()
{
    if (!sandboxPath) {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                               : QDir::tempPath();
        QByteArray name = QFile::encodeName(base + QStringLiteral("/fuzz_unzip-XXXXXX"));
        require(::mkdtemp(name.data()) != nullptr);
        sandboxPath = new QString(QFile::decodeName(name));
        std::atexit(removeSandbox);
    }
    return *sandboxPath;
}

// The number of entries and their summed sizes as the archive tells them;
// false when libzip cannot open it.
bool account(const QString &archive, qint64 *entries, quint64 *size)
{
    zip_t *opened = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, nullptr);
    if (!opened)
        return false;
    *entries = zip_get_num_entries(opened, 0);
    *size = 0;
    for (qint64 index = 0; index < *entries; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(opened, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
            *size = stat.size > UINT64_MAX - *size ? UINT64_MAX : *size + stat.size;
    }
    zip_discard(opened);
    return true;
}

struct Entry
{
    QByteArray name;
    struct stat info;
};

// The folder's entries, links not followed.
QList<Entry> listing(const QString &folder)
{
    QList<Entry> entries;
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    require(dir != nullptr);
    while (const dirent *found = ::readdir(dir)) {
        const QByteArray name(found->d_name);
        if (name == "." || name == "..")
            continue;
        Entry entry{name, {}};
        require(::fstatat(dirfd(dir), found->d_name, &entry.info, AT_SYMLINK_NOFOLLOW) == 0);
        entries << entry;
    }
    ::closedir(dir);
    return entries;
}

QList<QByteArray> names(const QList<Entry> &entries)
{
    QList<QByteArray> list;
    for (const Entry &entry : entries)
        list << entry.name;
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    UnzipLimits limits;
    limits.maximumEntries = 1 + data[0] % 32;
    limits.maximumTotalSize = 1 + qint64(data[1]) * 1024;

    const QString root = sandbox();
    const QString archive = root + QStringLiteral("/update.zip");
    const QString destination = root + QStringLiteral("/dest");
    {
        QFile file(archive);
        require(file.open(QIODevice::WriteOnly)
                && file.write(reinterpret_cast<const char *>(data + 2), qint64(size - 2)) == qint64(size - 2));
    }
    require(QDir().mkdir(destination));
    const QList<QByteArray> around = names(listing(root));

    UnzipProgress progress;
    const UnzipResult result = unzipFlat(archive, destination, limits, &progress);

    require(names(listing(root)) == around);
    require(result.ok == result.errorString.isEmpty() && !result.cancelled);
    const QList<Entry> written = listing(destination);
    QList<QByteArray> extracted;
    for (const QString &name : result.extracted)
        extracted << name.toUtf8();
    std::sort(extracted.begin(), extracted.end());
    require(names(written) == extracted);
    require(written.size() <= limits.maximumEntries);
    qint64 bytes = 0;
    for (const Entry &entry : written) {
        require(S_ISREG(entry.info.st_mode) && (entry.info.st_mode & 07000) == 0);
        require(!entry.name.contains('/'));
        bytes += entry.info.st_size;
    }
    require(bytes <= limits.maximumTotalSize);
    require(progress.written <= progress.total && progress.total <= limits.maximumTotalSize);
    if (result.ok)
        require(progress.written == bytes);

    qint64 entries = 0;
    quint64 announced = 0;
    if (account(archive, &entries, &announced)) {
        if (entries > limits.maximumEntries || announced > quint64(limits.maximumTotalSize))
            require(!result.ok && written.isEmpty() && progress.written == 0);
        if (result.ok)
            require(result.extracted.size() + result.skipped.size() == entries);
    }

    for (const Entry &entry : written)
        ::unlink((QFile::encodeName(destination) + '/' + entry.name).constData());
    require(::rmdir(QFile::encodeName(destination).constData()) == 0);
    QFile::remove(archive);
    return 0;
}
