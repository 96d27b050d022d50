// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/UpdateDescription.h"

#include "text/IniFile.h"

#include <QRegularExpression>
#include <QtMath>

namespace {

// Blanks and control characters: what separates unquoted list entries.
bool isListBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

// The longest value the program reads from the description.
constexpr int MaximumValueLength = 2047;

QString readValue(const IniFile &ini, const QString &section, const QString &key, const QString &fallback = QString())
{
    const QString value = ini.readString(section, key, fallback);
    // A character of two UTF-16 units is kept whole or left out.
    qsizetype cut = MaximumValueLength;
    if (value.size() > cut && value.at(cut - 1).isHighSurrogate() && value.at(cut).isLowSurrogate())
        --cut;
    return value.left(cut);
}

} // namespace

QStringList splitCommaList(const QString &text)
{
    QStringList entries;
    const int length = text.size();
    int i = 0;
    auto skipBlanks = [&] {
        while (i < length && isListBlank(text.at(i)))
            ++i;
    };

    skipBlanks();
    while (i < length) {
        QString entry;
        if (text.at(i) == QLatin1Char('"')) {
            // Runs to the matching quote; two quotes in a row are one.
            ++i;
            while (i < length) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < length && text.at(i + 1) == QLatin1Char('"')) {
                        entry += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                entry += text.at(i++);
            }
        } else {
            const int start = i;
            while (i < length && !isListBlank(text.at(i)) && text.at(i) != QLatin1Char(','))
                ++i;
            entry = text.mid(start, i - start);
        }
        entries << entry;

        skipBlanks();
        if (i < length && text.at(i) == QLatin1Char(',')) {
            ++i;
            skipBlanks();
            if (i == length)
                entries << QString();
        }
    }
    return entries;
}

QDate readShortDate(const QString &text, const QDate &today)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})(?:\\.(\\d{1,4}))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int day = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    int year = today.year();
    const QString yearText = match.captured(3);
    if (!yearText.isEmpty()) {
        year = yearText.toInt();
        if (yearText.size() <= 2) {
            // The hundred years that start fifty years back from today.
            const int windowStart = today.year() - 50;
            year += windowStart / 100 * 100;
            if (year < windowStart)
                year += 100;
        } else if (year == 0) {
            return {};
        }
    }
    return QDate(year, month, day);
}

int CompareDays(const QDateTime &a, const QDateTime &b)
{
    const QDate dayA = a.date();
    const QDate dayB = b.date();
    if (dayA < dayB)
        return -1;
    return dayA > dayB ? 1 : 0;
}

UpdateDescription readUpdateDescription(const IniFile &ini, const QString &programName, const QDate &today)
{
    UpdateDescription description;
    description.present = !ini.keys(programName).isEmpty();
    description.dateText = readValue(ini, programName, QStringLiteral("Date"));
    description.date = readShortDate(description.dateText, today);
    if (!description.date.isValid())
        description.date = today;
    description.news = readValue(ini, programName, QStringLiteral("News"),
                                 QStringLiteral("\"keine Angaben gefunden\""));
    description.file = readValue(ini, programName, QStringLiteral("File"));
    description.sha256 = readValue(ini, programName, QStringLiteral("SHA256")).toLower();
    description.signature = readValue(ini, programName, QStringLiteral("Signature"));
    return description;
}

bool isNewerUpdate(const UpdateDescription &description, const QDateTime &programDate)
{
    return description.present && QDateTime(description.date, QTime(0, 0)) >= programDate;
}

QString changeList(const QString &news, const QDateTime &programDate, const QDate &today)
{
    QString text;
    const QStringList entries = splitCommaList(news);
    for (const QString &entry : entries) {
        const int colon = entry.indexOf(QLatin1Char(':'));
        const QDate date = colon < 0 ? QDate() : readShortDate(entry.left(colon), today);
        // An entry without a date of its own cannot be judged; it is shown.
        if (date.isValid() && CompareDays(QDateTime(date, QTime(0, 0)), programDate) < 0)
            continue;
        text += QStringLiteral("- ") + entry + QLatin1Char('\n');
    }
    return text;
}

QString SizeText(int Decimals, bool LongUnits, qint64 Bytes)
{
    static const char *const shortNames[] = {"Byte", "KB", "MB", "GB", "TB"};
    static const char *const longNames[] = {"Byte", "Kilobyte", "Megabyte", "Gigabyte", "Terrabyte"};

    double x = double(Bytes);
    int unit = 0;
    while (x >= 1024 && unit <= 4) {
        x /= 1024;
        ++unit;
    }
    // Beyond terabytes the count stays in terabytes.
    if (unit == 5) {
        x *= 1024;
        unit = 4;
    }
    const int wholeDigits = QString::number(qRound64(x)).size();
    const int significant = qMax(1, wholeDigits + Decimals);
    QString number = QString::number(x, 'g', significant);
    if (number.contains(QLatin1Char('e')))
        number = QString::number(qRound64(x));
    number.replace(QLatin1Char('.'), QLatin1Char(','));
    return number + QLatin1Char(' ') + QLatin1String(LongUnits ? longNames[unit] : shortNames[unit]);
}

QString secondsText(int milliseconds)
{
    const int seconds = qMax(1, (milliseconds + 500) / 1000);
    return seconds == 1 ? QStringLiteral("einer Sekunde") : QStringLiteral("%1 Sekunden").arg(seconds);
}

QString updateBaseUrl(const QString &host)
{
    QString base = host.trimmed();
    if (!base.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        && !base.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        base.prepend(QLatin1String("http://"));
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QString descriptionUrl(const QString &host)
{
    return updateBaseUrl(host) + QLatin1Char('/') + QLatin1String(UpdateDescriptionName);
}

QString archiveUrl(const QString &host, const QString &file)
{
    return updateBaseUrl(host) + QStringLiteral("/Updates/") + file;
}
