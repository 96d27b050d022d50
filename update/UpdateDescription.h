// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

class IniFile;

// The rules of the update description "Updates.ini": which program section
// counts, how its dates read, which changes are listed. No network and no
// widgets here; the update session fetches the file and hands it in.

// The description's file name on the server, and the archives' folder.
inline constexpr char UpdateDescriptionName[] = "Updates.ini";

// The list syntax of "News": entries separated by commas; an entry in
// double quotes may hold blanks and commas, two quotes in it stand for one;
// an unquoted entry ends at a comma, a blank or a control character; a
// comma at the very end adds an empty entry.
QStringList splitCommaList(const QString &text);

// A date in the German short order, "7.12.2026" or "07.12.26": day, month
// and year separated by "."; a year of one or two digits falls into the
// hundred years around today (from 50 years back), a missing year is this
// year's. Invalid on anything else.
QDate readShortDate(const QString &text, const QDate &today = QDate::currentDate());

// -1, 0 or 1 as a's day is earlier than, the same as or later than b's.
int CompareDays(const QDateTime &a, const QDateTime &b);

// What the description says about one program.
struct UpdateDescription
{
    // The section exists and holds at least one key.
    bool present = false;
    // "Date", or today when it is missing or unreadable.
    QDate date;
    // "Date" as written.
    QString dateText;
    // "News" as written, or the default text.
    QString news;
    // "File": the archive's name below "/Updates/".
    QString file;
    // "SHA256": the archive's expected digest in hex; empty when not given.
    QString sha256;
    // "Signature": the maker's signature of the update, base64.
    QString signature;
};

UpdateDescription readUpdateDescription(const IniFile &ini, const QString &programName,
                                        const QDate &today = QDate::currentDate());

// Newer when the section is present and its date's midnight is not earlier
// than the program's date (which carries a time of day).
bool isNewerUpdate(const UpdateDescription &description, const QDateTime &programDate);

// "- " + entry + CR LF for each entry of "News" not dated on an earlier day
// than the program. Entries without a readable date before their first
// colon are kept, so the default text shows.
QString changeList(const QString &news, const QDateTime &programDate, const QDate &today = QDate::currentDate());

// A byte count for people: "0 Byte", "1,5 KB", "9,54 MB", "1024 TB".
// Decimals is the number of digits after the whole part's digits;
// LongUnits spells the units out.
QString SizeText(int Decimals, bool LongUnits, qint64 Bytes);

// A span of whole seconds, rounded: "einer Sekunde", "30 Sekunden".
QString secondsText(int milliseconds);

// Where the update lives: the host setting is a host name ("http://" is
// put before it) or a base URL of its own ("http://…", "https://…").
QString updateBaseUrl(const QString &host);
QString descriptionUrl(const QString &host);
QString archiveUrl(const QString &host, const QString &file);
