// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/SharedFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// A Windows-style initialisation file held in memory: "[Section]" lines,
// each followed by "key=value" lines. Sections and keys are found without
// regard to case, and the first of two equal names wins, as on Windows.
//
// Reading: lines may end in LF or CR LF; blanks and tabs around keys and
// values are dropped, then one pair of matching quotes ('"' or '\'') around
// a value; lines before the first section, lines without "=" and lines
// starting with ";" are skipped. The bytes are Windows-1252 unless the file
// starts with a UTF-8 or UTF-16 byte order mark (either byte order).
//
// Writing: the file is shared with whoever edits it by hand, so every line
// that is not written stays as it was read, byte for byte: comments, blank
// lines, keys and sections of others, the spelling of names. A written key
// replaces the value of the key that reading finds (the first of its name
// in the first section of its name); a new key goes after the last line of
// its section that is not blank or a comment, a new section at the end.
// Lines end in CR LF. A file that started with a byte order mark keeps it
// and its encoding, so that its other lines stay readable; otherwise new
// text is Windows-1252. A value that the reading rules would change
// (surrounding blanks, enclosing quotes) is written in quotes so that it
// comes back as it was.
class IniFile
{
public:
    // What the program reads of a file at most; a larger one is not read.
    static constexpr qint64 kMaximumFileSize = 1 << 20;

    static IniFile parse(const QByteArray &bytes);
    // A file that is missing, or that cannot or must not be read (see
    // SharedFile), reads as an empty one; status, when given, tells which.
    static IniFile load(const QString &path, SharedFile::Status *status = nullptr);
    // The same; readable is false when the file is there but not read.
    static IniFile load(const QString &path, bool *readable);

    QByteArray serialize() const;
    // Replaces the file as a whole or not at all: a failed save leaves the
    // previous file untouched. Creates the folder when it is missing.
    bool save(const QString &path) const;
    // The file as it is now, changed and saved under its lock; a file that
    // is not to be read stays as it is, and one the change leaves as it
    // was is not rewritten.
    static SharedFile::Outcome update(const QString &path, const std::function<void(IniFile &)> &change);

    QString readString(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer: any value other than 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // Whether reading finds the key, whatever its value.
    bool contains(const QString &section, const QString &key) const;

    QStringList sections() const;
    // The key names of the first section of that name, in file order.
    QStringList keys(const QString &section) const;

    // The integer rule on its own; false when the text is not a number.
    static bool parseInteger(const QString &text, int *value);

private:
    enum class Encoding { Windows1252, Utf8, Utf16LE, Utf16BE };
    enum class LineKind {
        Ignored, // blank, a comment, or a line that reading skips
        Section,
        Key,
    };
    struct Line
    {
        // As read, without the line end; what serialize() writes.
        QByteArray bytes;
        LineKind kind = LineKind::Ignored;
        // Blank or a comment: a new key is not put after it.
        bool blank = true;
        // The section's or the key's name.
        QString name;
        // A key's value, after the reading rules.
        QString value;
        // A key line up to its value: the key, "=" and the blanks after it.
        QString prefix;
    };

    QString decode(const QByteArray &bytes) const;
    QByteArray encode(const QString &text) const;
    Line keyLine(const QString &key, const QString &value) const;
    // Index of the header of the first section of that name, or -1.
    int sectionHeader(const QString &name) const;
    // Index of the line after the section's last one.
    int sectionEnd(int header) const;
    const Line *findEntry(const QString &section, const QString &key) const;
    int entryIndex(const QString &section, const QString &key) const;

    Encoding m_encoding = Encoding::Windows1252;
    QList<Line> m_lines;
};
