// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The update description "Updates.ini" as any server may send it, read as
// the program reads it, on any day. What the reading promises: no value is
// longer than its cut or differs from the file's beyond it, the reader
// holds no more lines than the session counted before reading, a date is
// read only from a German short date and reads the same from its own
// German text, the "News" list survives being quoted again, and the list
// of changes keeps exactly the entries it should, nothing added.
#include "text/IniFile.h"
#include "update/UpdateDescription.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

const QString Program = QStringLiteral("Lettrisko");
constexpr int ValueCut = 2047;

// Aborts, naming the line of the promise broken.
void require(bool promise, int line = __builtin_LINE())
{
    if (promise)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    std::abort();
}

// The value as read: the file's value, or its first ValueCut characters
// without half a character at the end.
bool isCutOf(const QString &value, const QString &full)
{
    if (!full.startsWith(value) || value.size() > ValueCut)
        return false;
    if (value.size() == full.size())
        return true;
    const QChar next = full.at(value.size());
    if (value.size() == ValueCut)
        return !(value.back().isHighSurrogate() && next.isLowSurrogate());
    return value.size() == ValueCut - 1 && next.isHighSurrogate() && full.at(ValueCut).isLowSurrogate();
}

// The lines the reader holds, as the file writes them again.
qsizetype linesRead(const IniFile &ini, bool utf16)
{
    const QByteArray bytes = ini.serialize();
    if (!utf16)
        return bytes.count('\n');
    qsizetype lines = 0;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        lines += bytes.at(i) == '\n' && bytes.at(i + 1) == 0;
    return lines;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A date is read only from "d.m", "d.m.y" with one or two ASCII digits for
// day and month and one to four for the year, with nothing but blanks
// around; its numbers are the ones written.
void requireShortDate(const QString &text, const QDate &date, const QDate &today)
{
    if (!date.isValid())
        return;
    qsizetype first = 0;
    while (first < text.size() && !isAsciiDigit(text.at(first)) && text.at(first) != QLatin1Char('.')) {
        require(text.at(first).isSpace());
        ++first;
    }
    qsizetype end = first;
    while (end < text.size() && (isAsciiDigit(text.at(end)) || text.at(end) == QLatin1Char('.')))
        ++end;
    for (qsizetype i = end; i < text.size(); ++i)
        require(text.at(i).isSpace());
    const QStringList parts = text.mid(first, end - first).split(QLatin1Char('.'));
    require(parts.size() == 2 || parts.size() == 3);
    require(parts.at(0).size() >= 1 && parts.at(0).size() <= 2 && parts.at(0).toInt() == date.day());
    require(parts.at(1).size() >= 1 && parts.at(1).size() <= 2 && parts.at(1).toInt() == date.month());
    if (parts.size() == 2) {
        require(date.year() == today.year());
        return;
    }
    const QString year = parts.at(2);
    require(year.size() >= 1 && year.size() <= 4);
    if (year.size() <= 2)
        require(date.year() % 100 == year.toInt() && date.year() >= today.year() - 50
                && date.year() < today.year() + 50);
    else
        require(date.year() == year.toInt());
}

// Written back in the German order, the date reads the same.
void requireRoundTrip(const QDate &date, const QDate &today)
{
    const auto text = [&](const char *format) { return date.toString(QLatin1String(format)); };
    require(readShortDate(text("dd.MM.yyyy"), today) == date);
    require(readShortDate(text(" d.M.yyyy "), today) == date);
    if (date.year() >= today.year() - 50 && date.year() < today.year() + 50)
        require(readShortDate(text("d.M.yy"), today) == date);
    if (date.year() == today.year())
        require(readShortDate(text("dd.MM"), today) == date);
}

QString quotedEntry(QString entry)
{
    return QLatin1Char('"') + entry.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // Any day from 1950 on for about 180 years, the program a few years
    // around it.
    const QDate today = QDate(1950, 1, 1).addDays(input.ConsumeIntegral<quint16>());
    const QDateTime programDate(today.addDays(input.ConsumeIntegralInRange(-2000, 2000)),
                                QTime(0, 0).addSecs(input.ConsumeIntegralInRange(0, 86399)));
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    // The session refuses a description of more lines than it counts in the
    // bytes; the reader must see no more than that.
    const IniFile ini = IniFile::parse(bytes);
    const bool utf16 = bytes.startsWith("\xFF\xFE");
    require(linesRead(ini, utf16) <= bytes.count('\n') + 1);

    const UpdateDescription description = readUpdateDescription(ini, Program, today);
    require(description.present == !ini.keys(Program).isEmpty());
    const auto value = [&](const char *key, const QString &fallback = QString()) {
        return ini.readString(Program, QLatin1String(key), fallback);
    };
    require(isCutOf(description.dateText, value("Date")));
    require(isCutOf(description.news, value("News", QStringLiteral("\"keine Angaben gefunden\""))));
    require(isCutOf(description.file, value("File")));
    require(isCutOf(description.signature, value("Signature")));
    require(description.sha256.size() <= ValueCut && description.sha256 == description.sha256.toLower());

    const QDate written = readShortDate(description.dateText, today);
    requireShortDate(description.dateText, written, today);
    require(description.date == (written.isValid() ? written : today));
    requireRoundTrip(description.date, today);

    // "News": every entry comes back when the list is quoted again.
    const QStringList entries = splitCommaList(description.news);
    QStringList quoted;
    qsizetype entryLength = 0;
    for (const QString &entry : entries) {
        quoted << quotedEntry(entry);
        entryLength += entry.size();
    }
    require(entryLength <= description.news.size());
    if (!entries.isEmpty())
        require(splitCommaList(quoted.join(QLatin1Char(','))) == entries);

    // The change list: the entries in their order, each dropped only when
    // it is dated on a day before the program's.
    const QString changes = changeList(description.news, programDate, today);
    QString expected;
    for (const QString &entry : entries) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        const QString dateText = colon < 0 ? QString() : entry.left(colon);
        const QDate date = readShortDate(dateText, today);
        requireShortDate(dateText, date, today);
        if (!date.isValid() || date >= programDate.date())
            expected += QStringLiteral("- ") + entry + QLatin1Char('\n');
    }
    require(changes == expected);
    return 0;
}
