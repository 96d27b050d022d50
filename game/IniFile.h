#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A Windows-style initialisation file held in memory: "[Section]" lines,
// each followed by "key=value" lines. Sections and keys are found without
// regard to case, and the first of two equal names wins, as on Windows.
//
// Reading: lines may end in LF or CR LF; blanks and tabs around keys and
// values are dropped, then one pair of matching quotes ('"' or '\'') around
// a value; lines before the first section, lines without "=" and lines
// starting with ";" are skipped. The bytes are Windows-1252 unless the file
// starts with a UTF-8 or UTF-16 byte order mark.
//
// Writing: Windows-1252, CR LF after every line, sections and keys in the
// order they were first written, no blank lines. A value that the reading
// rules would change (surrounding blanks, enclosing quotes) is written in
// quotes so that it comes back as it was.
class IniFile
{
public:
    static IniFile parse(const QByteArray &bytes);
    // A missing or unreadable file reads as an empty one.
    static IniFile load(const QString &path);

    QByteArray serialize() const;
    // Replaces the file as a whole or not at all: a failed save leaves the
    // previous file untouched. Creates the folder when it is missing.
    bool save(const QString &path) const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer: any value other than 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    QStringList sections() const;

    // The integer rule on its own; false when the text is not a number.
    static bool parseInteger(const QString &text, int *value);

private:
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
    };

    int sectionIndex(const QString &name) const;
    const Section *findSection(const QString &name) const;
    const Entry *findEntry(const QString &section, const QString &key) const;

    QList<Section> m_sections;
};
