// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/SharedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTemporaryLetters = 6;

// Closes the descriptor it holds when it goes, unless the close was made.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    // A network file system may report a full disk only here.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool isLower(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

bool isUpper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

QString temporaryName(const QString &fileName)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (;;) {
        QString name = fileName + QLatin1Char('.');
        for (int i = 0; i < kTemporaryLetters; ++i)
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(52)]);
        // Only names the next save will know for its own.
        if (SharedFile::isTemporaryName(name, fileName))
            return name;
    }
}

// The file a symbolic link names, so that a player's link stays a link.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return info.absoluteFilePath();
}

// What a save killed before its rename left behind. Called only under the
// file's lock, so no other copy is writing one of them now.
void removeStaleTemporaries(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.dir();
    const QStringList candidates = folder.entryList({target.fileName() + QStringLiteral(".??????")},
                                                    QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : candidates) {
        if (!SharedFile::isTemporaryName(name, target.fileName()))
            continue;
        const QByteArray native = QFile::encodeName(folder.filePath(name));
        struct stat info = {};
        if (::lstat(native.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlink(native.constData());
    }
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// A file system that cannot sync says so with these; that is no failure.
bool syncFailed(int fd)
{
    return ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP;
}

} // namespace

bool SharedFile::isTemporaryName(const QString &name, const QString &fileName)
{
    if (name.size() != fileName.size() + 1 + kTemporaryLetters || !name.startsWith(fileName)
        || name.at(fileName.size()) != QLatin1Char('.'))
        return false;
    const QStringView letters = QStringView(name).right(kTemporaryLetters);
    bool small = false;
    bool laterCapital = false;
    for (qsizetype i = 0; i < letters.size(); ++i) {
        const QChar c = letters.at(i);
        if (!isLower(c) && !isUpper(c))
            return false;
        small = small || isLower(c);
        laterCapital = laterCapital || (i > 0 && isUpper(c));
    }
    return small && laterCapital;
}

SharedFile::Contents SharedFile::read(const QString &path, qint64 maximumSize)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    // Looked at before it is opened: opening a FIFO waits for a writer, and
    // opening some devices does something.
    if (::stat(native.constData(), &info) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable, {}};
    if (!S_ISREG(info.st_mode))
        return {Status::NotRegular, {}};
    // The name may have changed hands since; without O_NONBLOCK a FIFO put
    // there now would still block the open.
    Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return {errno == ENOENT ? Status::Missing : Status::Unreadable, {}};
    if (::fstat(file.get(), &info) != 0)
        return {Status::Unreadable, {}};
    if (!S_ISREG(info.st_mode))
        return {Status::NotRegular, {}};

    // One byte beyond the bound tells a file that is too large, also one
    // that grows while it is read.
    Contents contents{Status::Read, QByteArray()};
    const qint64 wanted = maximumSize + 1;
    contents.bytes.resize(qsizetype(qMin<qint64>(wanted, qMax<qint64>(info.st_size, 0) + 1)));
    qint64 have = 0;
    for (;;) {
        if (have == contents.bytes.size()) {
            if (have >= wanted)
                break;
            contents.bytes.resize(qsizetype(qMin<qint64>(wanted, have * 2 + 4096)));
        }
        const ssize_t got = ::read(file.get(), contents.bytes.data() + have, size_t(contents.bytes.size() - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {Status::Unreadable, {}};
        if (got == 0)
            break;
        have += got;
    }
    contents.bytes.truncate(qsizetype(qMin(have, maximumSize)));
    if (have > maximumSize)
        contents.status = Status::TooLarge;
    return contents;
}

bool SharedFile::replace(const QString &path, const QByteArray &bytes)
{
    const QString target = resolvedPath(path);
    const QFileInfo info(target);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    const QByteArray nativeTarget = QFile::encodeName(target);
    struct stat old = {};
    const bool replacing = ::stat(nativeTarget.constData(), &old) == 0;
    // A folder or a FIFO under the name is not the program's to replace.
    if (replacing && !S_ISREG(old.st_mode))
        return false;

    QByteArray nativeTemporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        nativeTemporary = QFile::encodeName(info.dir().filePath(temporaryName(info.fileName())));
        fd = ::open(nativeTemporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    Descriptor file(fd);
    if (file.get() < 0)
        return false;
    const bool written = writeAll(file.get(), bytes)
        && (!replacing || ::fchmod(file.get(), old.st_mode & 07777) == 0)
        && !syncFailed(file.get()) && file.close()
        && ::rename(nativeTemporary.constData(), nativeTarget.constData()) == 0;
    if (!written) {
        ::unlink(nativeTemporary.constData());
        return false;
    }
    // The rename itself lasts a crash only once the folder is synced.
    const int folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

SharedFile::Outcome SharedFile::update(const QString &path, qint64 maximumSize, const Merge &merge)
{
    const QString target = resolvedPath(path);
    const QString lockPath = target + QStringLiteral(".lock");
    // QLockFile reads a lock it finds to learn whether it is stale; a FIFO
    // in its place would hold it there.
    struct stat lockInfo = {};
    if (::lstat(QFile::encodeName(lockPath).constData(), &lockInfo) == 0 && !S_ISREG(lockInfo.st_mode))
        return Outcome::Refused;
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return Outcome::Failed;
    QLockFile lock(lockPath);
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        return Outcome::Busy;

    removeStaleTemporaries(target);
    const Contents current = read(target, maximumSize);
    if (!current.usable())
        return Outcome::Refused;
    const std::optional<QByteArray> merged = merge(current.bytes);
    if (!merged || *merged == current.bytes)
        return Outcome::Unchanged;
    // The next start would refuse to read it.
    if (merged->size() > maximumSize)
        return Outcome::Failed;
    return replace(target, *merged) ? Outcome::Written : Outcome::Failed;
}
