// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Sets aside the administrator's right to read and write any file while the
// guard lives (it stays permitted and comes back at the end), so that
// permission bits hold for the tests also when they run as root.
class NoAccessOverride
{
public:
    NoAccessOverride()
    {
        if (readCapabilities()) {
            __user_cap_data_struct lowered[2] = {m_capabilities[0], m_capabilities[1]};
            lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            m_lowered = writeCapabilities(lowered);
        }
    }

    ~NoAccessOverride()
    {
        if (m_lowered)
            writeCapabilities(m_capabilities);
    }

    NoAccessOverride(const NoAccessOverride &) = delete;
    NoAccessOverride &operator=(const NoAccessOverride &) = delete;

private:
    bool readCapabilities()
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capget, &header, m_capabilities) == 0;
    }

    static bool writeCapabilities(__user_cap_data_struct *data)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct m_capabilities[2] = {};
    bool m_lowered = false;
};

// Makes a folder read-only for this process while the guard lives, the way
// a system-wide installation folder is for a user.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path)
        : m_path(path)
        , m_permissions(QFile::permissions(path))
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                        | QFile::ReadOther | QFile::ExeOther);
    }

    // The owner may change the bits without the override.
    ~ReadOnlyFolder() { QFile::setPermissions(m_path, m_permissions); }

    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_path;
    QFile::Permissions m_permissions;
    NoAccessOverride m_override;
};
