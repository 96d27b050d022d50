// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// A small file of the player's that the program reads at its start and
// rewrites later, and that a second copy of the program may be rewriting
// at the same moment: the settings, a hive of the registry stand-in, the
// menu entry. The player's machine may hold anything under its name.
//
// Reading opens only a regular file (a FIFO would hold the start for good,
// a device never ends) and reads no more than a bound. Replacing writes a
// temporary file beside it, "<name>.XXXXXX", checks every write, the sync
// and the close, and only then renames it into place: a full disk keeps
// the old file whole. An update holds the lock file "<name>.lock"
// (QLockFile, as QSettings uses) around reading, merging and writing, so
// that two copies ending together each keep the other's change; while it
// holds the lock, temporary files that an earlier save left behind when it
// was killed are removed.
class SharedFile
{
public:
    enum class Status {
        Read,
        Missing,
        // A FIFO, a device, a folder: nothing the program reads or replaces.
        NotRegular,
        // Larger than the bound; the bytes hold its beginning.
        TooLarge,
        // There, but not to be opened or read (no permission, an I/O error).
        Unreadable,
    };
    struct Contents
    {
        Status status = Status::Missing;
        QByteArray bytes;
        // A missing file reads as an empty one.
        bool usable() const { return status == Status::Read || status == Status::Missing; }
    };

    enum class Outcome {
        Written,
        // The file already held those bytes, or the merge changed nothing.
        Unchanged,
        // The file is not one to read (see Status) and stays as it is.
        Refused,
        // Another copy held the lock for longer than the program waits.
        Busy,
        // A write, the sync, the close or the rename failed, or the merged
        // file would exceed the bound; the old file stays.
        Failed,
    };
    // Given the file's bytes (empty when it is missing), what it should
    // hold; nothing leaves it as it is.
    using Merge = std::function<std::optional<QByteArray>(const QByteArray &current)>;

    static Contents read(const QString &path, qint64 maximumSize);
    // Creates the folder when missing; keeps the permissions of the file it
    // replaces; a symbolic link is followed to the file it names.
    static bool replace(const QString &path, const QByteArray &bytes);
    // Read, merge and replace under the lock.
    static Outcome update(const QString &path, qint64 maximumSize, const Merge &merge);

    // Whether a name in the file's folder is one of the temporary names
    // that saving the file uses ("Properties.ini.kQzTbe"): the file's name,
    // a dot and six ASCII letters, among them a small one and a capital
    // after the first. A name a person chose ("Properties.ini.backup",
    // ".Backup", ".BACKUP") is not.
    static bool isTemporaryName(const QString &name, const QString &fileName);

    // How long a save waits for another copy's, and when a lock whose
    // holder neither finishes nor dies counts as abandoned.
    static constexpr int kLockWaitMs = 5000;
    static constexpr int kStaleLockMs = 15000;
};
