// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QLockFile>
#include <QString>
#include <QThread>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// What a player's own machine may hold in place of the program's files.

// Files may grow no larger than `bytes` while it lives: a write beyond
// that fails as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

// Bounds each file the test program and its children write for the rest of
// the run, so that a size limit removed from the code under test fails the
// test within seconds instead of filling the disk.
inline bool limitFileSize(rlim_t bytes)
{
    static const FileSizeLimit limit(bytes);
    rlimit now{};
    return getrlimit(RLIMIT_FSIZE, &now) == 0 && now.rlim_cur == bytes;
}

// A FIFO in place of a file. Whoever opens it to read waits for a writer;
// the trap is that writer, so that code which opens it is caught (and let
// go on) instead of holding the test for good.
class FifoTrap
{
public:
    explicit FifoTrap(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        m_watch.reset(QThread::create([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_opened = true;
                    ::close(fd);
                }
                QThread::msleep(5);
            }
        }));
        m_watch->start();
    }
    ~FifoTrap()
    {
        m_stop = true;
        m_watch->wait();
        if (stillThere())
            ::unlink(m_path.constData());
    }
    bool made() const { return m_made; }
    bool opened() const { return m_opened; }
    bool stillThere() const
    {
        struct stat info = {};
        return ::lstat(m_path.constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    }

private:
    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::unique_ptr<QThread> m_watch;
};

// Which file the name stands for now: a file that was replaced is another.
inline ino_t inodeOf(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : ino_t(0);
}

// Another copy of the program saving `path` while `save` runs here: it
// holds the file's lock, has a temporary file of its own beside it, and
// writes `itsFile` once this copy has had every chance to save first.
// False when this copy removed the other's temporary file meanwhile.
inline bool saveWhileAnotherCopySaves(const QString &path, const QByteArray &itsFile, const std::function<void()> &save)
{
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.lock())
        return false;
    const QString temporary = path + QStringLiteral(".oThErS");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly) || file.write(itsFile) != itsFile.size())
        return false;
    file.close();
    std::unique_ptr<QThread> saver(QThread::create(save));
    saver->start();
    // A save that does not wait for the lock is done by now.
    saver->wait(QDeadlineTimer(500));
    const bool kept = QFile::exists(temporary);
    QFile::remove(path);
    QFile::rename(temporary, path);
    lock.unlock();
    saver->wait();
    return kept;
}
