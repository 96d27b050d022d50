// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/HiveFile.h"
#include "text/SharedFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// The two hives the program uses. Named apart from the Windows constants so
// that a Windows build can include <windows.h> beside this header.
enum class RegistryHive { CurrentUser, LocalMachine };

// A registry in the Windows sense: hives of keys separated by backslashes,
// each key holding typed values. Here every hive is one INI file,
// "HKEY_CURRENT_USER.ini" and "HKEY_LOCAL_MACHINE.ini" in the folder
// storageDirectory(); a Windows build would implement the same members over
// the native registry, so callers never see which one they use.
//
// Key and value names are compared without regard to case, as in the
// native registry; a key or value keeps the spelling it was created with.
// A key exists once it holds a value or a key below it does.
//
// The hive is read when the instance is made. Every change is written to
// disk at once, under the hive file's lock and into the file as it is at
// that moment, so that what other copies of the program wrote meanwhile
// stays; a change that leaves a value as it was does not touch the file.
// Writes return false when the hive's file could not be written, or is one
// the registry does not read: larger than kMaximumFileSize, or not a
// regular file. Such a file reads as an empty hive and is left as it is.
// Reads of a missing value, or of a value of another type, give the
// fallback.
class Registry
{
public:
    enum class ValueType { None, String, Integer, Binary };

    static constexpr qint64 kMaximumFileSize = 1 << 20;

    explicit Registry(RegistryHive hive = RegistryHive::CurrentUser);
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    // The folder of the hive files: Kx/ in the user's configuration folder
    // unless tests set another one (an empty text restores the default).
    static QString storageDirectory();
    static void setStorageDirectory(const QString &directory);
    // The file behind a hive, e.g. ".../Kx/HKEY_CURRENT_USER.ini".
    static QString hiveFilePath(RegistryHive hive);
    // How reading the hive's file went when the instance was made.
    SharedFile::Status fileStatus() const { return m_fileStatus; }

    RegistryHive rootKey() const { return m_hive; }
    // The open key, e.g. "Software\Kx\Lettrisko"; empty for the hive's root.
    QString currentPath() const { return m_currentPath; }

    // Opens a key below the open one, or below the root when the path starts
    // with a backslash. With canCreate the key is created when missing, else
    // a missing key leaves the open key as it was and gives false.
    bool openKey(const QString &key, bool canCreate);
    // Back to the hive's root.
    void closeKey();

    // Keys relative to the open key (or absolute with a leading backslash).
    bool keyExists(const QString &key) const;
    // Deletes the key with all keys and values below it.
    bool deleteKey(const QString &key);
    QStringList subKeyNames() const;

    // Values of the open key. The empty name is the key's default value.
    QStringList valueNames() const;
    bool valueExists(const QString &name) const;
    ValueType valueType(const QString &name) const;
    bool deleteValue(const QString &name);

    bool writeString(const QString &name, const QString &value);
    QString readString(const QString &name, const QString &fallback = QString()) const;
    bool writeInteger(const QString &name, qint32 value);
    qint32 readInteger(const QString &name, qint32 fallback = 0) const;
    bool writeBinaryData(const QString &name, const QByteArray &value);
    // A missing value, or one of another type, gives an empty array.
    QByteArray readBinaryData(const QString &name) const;
    // A double is kept as 8 bytes of binary data, as the native registry
    // stores floating values; another size gives the fallback.
    bool writeFloat(const QString &name, double value);
    double readFloat(const QString &name, double fallback = 0.0) const;

private:
    // Resolves a key path to the group that stores it, matching existing
    // keys without regard to case. Empty when the path is not a valid key.
    QString storedGroup(const QString &key, bool *exists = nullptr) const;
    QString storedValueKey(const QString &name) const;
    bool writeRaw(const QString &name, const QString &encoded);
    QString readRaw(const QString &name) const;
    // Runs the change on the hive as its file holds it now and saves what
    // it did; the change tells whether it changed anything.
    bool change(const std::function<bool()> &apply);

    RegistryHive m_hive;
    QString m_currentPath;
    // The open key's group in the hive; spelled as stored.
    QString m_currentGroup;
    HiveFile m_store;
    SharedFile::Status m_fileStatus = SharedFile::Status::Missing;
};
