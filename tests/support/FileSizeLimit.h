// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

// Bounds each file this test process and its children write, so that a
// size limit removed from the code under test fails the test within
// seconds instead of filling the disk: a write beyond the bound fails
// (EFBIG) and the code under test reports it, as it would a full disk.
inline bool limitFileSize(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = rlim_t(bytes);
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
