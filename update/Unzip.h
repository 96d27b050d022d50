// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

// Unpacks every entry of a zip archive straight into one folder, the way
// the update needs it: the entries' folders are not recreated, each file
// lands under its bare name, in UTF-8 (a byte that is none becomes U+FFFD);
// a file already there is kept, not overwritten.
// Names that are empty, "." or ".." once their folder part is gone are
// skipped, so nothing is ever written outside the destination.
//
// Before the first byte is written the archive's own account is checked:
// the number of entries and their summed sizes against the limits, and
// that sum against the free space of the destination. No entry may then
// grow beyond the size it announced, so the account binds.
struct UnzipLimits
{
    // 0: no bound.
    qint64 maximumEntries = 0;
    qint64 maximumTotalSize = 0;
};

// Shared with the caller while another thread unpacks: the bytes written
// so far and the announced total, and the caller's request to stop, which
// is seen after the chunk being written.
struct UnzipProgress
{
    std::atomic<qint64> written{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancel{false};
};

struct UnzipResult
{
    // The archive could be opened and read to its end.
    bool ok = false;
    // Stopped on the caller's request.
    bool cancelled = false;
    // A German sentence naming what went wrong; empty when ok.
    QString errorString;
    // Bare names of the files written, in archive order.
    QStringList extracted;
    // Entries left out: folders, unusable names, files already present.
    QStringList skipped;
};

// Messages name the archive by its file name, which the user knows from
// the server, and the destination by its path, which tells the disk.
UnzipResult unzipFlat(const QString &archivePath, const QString &destinationDirectory,
                      const UnzipLimits &limits = {}, UnzipProgress *progress = nullptr);
