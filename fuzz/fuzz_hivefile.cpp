// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// A hive of the registry stand-in with hostile bytes. What it promises:
// reading what it wrote gives every value back under its path, and a value
// set under any path reads back as set while every other keeps its own.
#include "platform/HiveFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QMap>

#include <cstdlib>

namespace {

using Values = QMap<QString, QString>;

void collect(const HiveFile &hive, const QString &group, Values &values, int depth)
{
    const QString prefix = group.isEmpty() ? group : group + QLatin1Char('/');
    for (const QString &key : hive.childKeys(group))
        values.insert(prefix + key, hive.value(prefix + key));
    if (depth < 64) {
        for (const QString &child : hive.childGroups(group))
            collect(hive, prefix + child, values, depth + 1);
    }
}

Values valuesOf(const HiveFile &hive)
{
    Values values;
    collect(hive, QString(), values, 0);
    return values;
}

void require(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString path = QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(32)));
    const QString value = QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(64)));
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const HiveFile read = HiveFile::parse(bytes);
    const Values before = valuesOf(read);
    require(valuesOf(HiveFile::parse(read.serialize())) == before);

    // A path the registry makes: names that are not empty, joined by "/".
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('/'))
        || path.contains(QLatin1String("//")))
        return 0;
    HiveFile written = read;
    written.setValue(path, value);
    const HiveFile again = HiveFile::parse(written.serialize());
    require(again.value(path) == value);
    Values expected = before;
    expected.insert(path, value);
    // A value of the path's own name above it stays, as its groups do.
    require(valuesOf(again) == expected);
    return 0;
}
