// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Registry.h"

#include <QDir>
#include <QStandardPaths>
#include <QtEndian>

#include <cstring>

// How a hive file looks (see HiveFile): one INI group per key, its path
// spelled with the INI file's own separators, and every value tagged with
// its type in the manner of a registry export:
//
//   [Software]
//   Kx\Lettrisko\UpdateInterval=dword:0000000e
//   Kx\Lettrisko\ApplicationFileName=sz:/opt/lettrisko/lettrisko
//   Kx\Lettrisko\Update=hex:0000000000a0e540
//
// Names are stored with "%", "/", "\" and "@" percent-encoded, so that any
// registry name survives the INI syntax; the default value (empty name) is
// stored as "@".

namespace {

QString s_storageDirectory;

const QLatin1String stringTag("sz:");
const QLatin1String integerTag("dword:");
const QLatin1String binaryTag("hex:");

QString encodeName(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("@");
    QString encoded;
    encoded.reserve(name.size());
    for (const QChar c : name) {
        switch (c.unicode()) {
        case '%': encoded += QLatin1String("%25"); break;
        case '/': encoded += QLatin1String("%2F"); break;
        case '\\': encoded += QLatin1String("%5C"); break;
        case '@': encoded += QLatin1String("%40"); break;
        default: encoded += c;
        }
    }
    return encoded;
}

QString decodeName(const QString &stored)
{
    if (stored == QLatin1String("@"))
        return QString();
    QString decoded;
    decoded.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored.at(i) == QLatin1Char('%') && i + 2 < stored.size()) {
            bool ok = false;
            const ushort code = stored.mid(i + 1, 2).toUShort(&ok, 16);
            if (ok) {
                decoded += QChar(code);
                i += 2;
                continue;
            }
        }
        decoded += stored.at(i);
    }
    return decoded;
}

QString joinGroup(const QString &group, const QString &child)
{
    return group.isEmpty() ? child : group + QLatin1Char('/') + child;
}

// The stored spelling of a name among the given stored names, or empty.
QString matchName(const QStringList &storedNames, const QString &name)
{
    for (const QString &stored : storedNames)
        if (decodeName(stored).compare(name, Qt::CaseInsensitive) == 0)
            return stored;
    return QString();
}

} // namespace

Registry::Registry(RegistryHive hive)
    : m_hive(hive)
{
    const SharedFile::Contents contents = SharedFile::read(hiveFilePath(hive), kMaximumFileSize);
    m_fileStatus = contents.status;
    if (contents.usable())
        m_store = HiveFile::parse(contents.bytes);
}

Registry::~Registry() = default;

QString Registry::storageDirectory()
{
    if (!s_storageDirectory.isEmpty())
        return s_storageDirectory;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/Kx");
}

void Registry::setStorageDirectory(const QString &directory)
{
    s_storageDirectory = directory;
}

QString Registry::hiveFilePath(RegistryHive hive)
{
    const QLatin1String file = hive == RegistryHive::LocalMachine ? QLatin1String("HKEY_LOCAL_MACHINE.ini")
                                                                  : QLatin1String("HKEY_CURRENT_USER.ini");
    return QDir(storageDirectory()).filePath(file);
}

QString Registry::storedGroup(const QString &key, bool *exists) const
{
    QString group = key.startsWith(QLatin1Char('\\')) ? QString() : m_currentGroup;
    bool found = true;
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString stored = found ? matchName(m_store.childGroups(group), part) : QString();
        if (stored.isEmpty())
            found = false;
        group = joinGroup(group, stored.isEmpty() ? encodeName(part) : stored);
    }
    if (exists)
        *exists = found;
    return group;
}

QString Registry::storedValueKey(const QString &name) const
{
    const QString stored = matchName(m_store.childKeys(m_currentGroup), name);
    return joinGroup(m_currentGroup, stored.isEmpty() ? encodeName(name) : stored);
}

bool Registry::openKey(const QString &key, bool canCreate)
{
    bool exists = false;
    const QString group = storedGroup(key, &exists);
    if (!exists && !canCreate)
        return false;

    m_currentGroup = group;
    QStringList names;
    for (const QString &part : group.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        names << decodeName(part);
    m_currentPath = names.join(QLatin1Char('\\'));
    return true;
}

void Registry::closeKey()
{
    m_currentGroup.clear();
    m_currentPath.clear();
}

bool Registry::keyExists(const QString &key) const
{
    bool exists = false;
    storedGroup(key, &exists);
    return exists;
}

bool Registry::deleteKey(const QString &key)
{
    // An empty path would name the open key or the whole hive; neither is
    // deleted by accident.
    if (key.split(QLatin1Char('\\'), Qt::SkipEmptyParts).isEmpty())
        return false;
    bool existed = false;
    const bool saved = change([&] {
        const QString group = storedGroup(key, &existed);
        return existed && m_store.remove(group);
    });
    return existed && saved;
}

QStringList Registry::subKeyNames() const
{
    QStringList names;
    for (const QString &stored : m_store.childGroups(m_currentGroup))
        names << decodeName(stored);
    return names;
}

QStringList Registry::valueNames() const
{
    QStringList names;
    for (const QString &stored : m_store.childKeys(m_currentGroup))
        names << decodeName(stored);
    return names;
}

bool Registry::valueExists(const QString &name) const
{
    return !matchName(m_store.childKeys(m_currentGroup), name).isEmpty();
}

Registry::ValueType Registry::valueType(const QString &name) const
{
    if (!valueExists(name))
        return ValueType::None;
    const QString raw = readRaw(name);
    if (raw.startsWith(integerTag))
        return ValueType::Integer;
    if (raw.startsWith(binaryTag))
        return ValueType::Binary;
    return ValueType::String;
}

bool Registry::deleteValue(const QString &name)
{
    bool existed = false;
    const bool saved = change([&] {
        existed = valueExists(name);
        return existed && m_store.remove(storedValueKey(name));
    });
    return existed && saved;
}

bool Registry::writeString(const QString &name, const QString &value)
{
    return writeRaw(name, stringTag + value);
}

QString Registry::readString(const QString &name, const QString &fallback) const
{
    if (valueType(name) != ValueType::String)
        return fallback;
    const QString raw = readRaw(name);
    // A hand-edited value without a tag still reads as text.
    return raw.startsWith(stringTag) ? raw.mid(stringTag.size()) : raw;
}

bool Registry::writeInteger(const QString &name, qint32 value)
{
    return writeRaw(name, integerTag + QStringLiteral("%1").arg(quint32(value), 8, 16, QLatin1Char('0')));
}

qint32 Registry::readInteger(const QString &name, qint32 fallback) const
{
    if (valueType(name) != ValueType::Integer)
        return fallback;
    bool ok = false;
    const quint32 bits = readRaw(name).mid(integerTag.size()).toUInt(&ok, 16);
    return ok ? qint32(bits) : fallback;
}

bool Registry::writeBinaryData(const QString &name, const QByteArray &value)
{
    return writeRaw(name, binaryTag + QString::fromLatin1(value.toHex()));
}

QByteArray Registry::readBinaryData(const QString &name) const
{
    if (valueType(name) != ValueType::Binary)
        return QByteArray();
    return QByteArray::fromHex(readRaw(name).mid(binaryTag.size()).toLatin1());
}

bool Registry::writeFloat(const QString &name, double value)
{
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(8, '\0');
    qToLittleEndian(bits, bytes.data());
    return writeBinaryData(name, bytes);
}

double Registry::readFloat(const QString &name, double fallback) const
{
    const QByteArray bytes = readBinaryData(name);
    if (bytes.size() != 8)
        return fallback;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool Registry::writeRaw(const QString &name, const QString &encoded)
{
    return change([&] { return m_store.setValue(storedValueKey(name), encoded); });
}

QString Registry::readRaw(const QString &name) const
{
    return m_store.value(storedValueKey(name));
}

bool Registry::change(const std::function<bool()> &apply)
{
    const auto merge = [&](const QByteArray &current) -> std::optional<QByteArray> {
        // What other copies wrote since this one read the hive.
        m_store = HiveFile::parse(current);
        if (!apply())
            return std::nullopt;
        return m_store.serialize();
    };
    const SharedFile::Outcome outcome = SharedFile::update(hiveFilePath(m_hive), kMaximumFileSize, merge);
    return outcome == SharedFile::Outcome::Written || outcome == SharedFile::Outcome::Unchanged;
}
