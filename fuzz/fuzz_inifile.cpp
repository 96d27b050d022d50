// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file's reader and writer with hostile bytes. What it
// promises: reading what it wrote gives the same values back, a value the
// game writes reads back as written, and every key the game does not own
// keeps its value.
#include "text/CharSet.h"
#include "text/CodePageValidator.h"
#include "text/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QHash>

#include <cstdlib>

namespace {

using Values = QHash<QPair<QString, QString>, QString>;

// Every value the reading rules find, by section and key as the first of
// each name is found (names without case, as the file is read).
Values valuesOf(const IniFile &file)
{
    Values values;
    for (const QString &section : file.sections()) {
        for (const QString &key : file.keys(section)) {
            const auto name = qMakePair(section.toLower(), key.toLower());
            if (!values.contains(name))
                values.insert(name, file.readString(section, key));
        }
    }
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
    // What the game writes comes from edits that hold only the code page's
    // characters without control characters.
    const QString value = decodeCp1252(QByteArray::fromStdString(input.ConsumeRandomLengthString(64)));
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const IniFile read = IniFile::parse(bytes);
    const Values before = valuesOf(read);
    // Written unchanged and read again, the file says the same.
    require(valuesOf(IniFile::parse(read.serialize())) == before);

    if (!CodePageValidator::fitsCodePage(value))
        return 0;
    IniFile written = read;
    written.writeString(QStringLiteral("Names"), QStringLiteral("Player1"), value);
    const IniFile again = IniFile::parse(written.serialize());
    require(again.readString(QStringLiteral("Names"), QStringLiteral("Player1")) == value);
    Values expected = before;
    expected.insert(qMakePair(QStringLiteral("names"), QStringLiteral("player1")), value);
    require(valuesOf(again) == expected);
    return 0;
}
