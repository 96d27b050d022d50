#include "game/IniFile.h"

#include "game/CharSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool hasEnclosingQuotes(const QString &text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

QString decodeFile(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        return utf16(bytes.mid(2));
    }
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252(bytes);
    // A Qt built without the code page tables still reads the file.
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += fromCp1252(static_cast<unsigned char>(byte));
    return text;
}

// Characters the code page cannot hold become "?", one per character as
// the user sees it, so that no control byte ends up in the file.
QByteArray encodeCp1252(const QString &text)
{
    QString representable;
    representable.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (cp1252Code(c) >= 0) {
            representable += c;
        } else {
            representable += QLatin1Char('?');
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
        }
    }
    QStringEncoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252(representable);
    QByteArray bytes;
    bytes.reserve(representable.size());
    for (QChar c : representable)
        bytes += char(cp1252Code(c));
    return bytes;
}

QString valueForFile(QString value)
{
    // A line break inside a value would start a new line of the file.
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (trimBlanks(value) != value || hasEnclosingQuotes(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

} // namespace

IniFile IniFile::parse(const QByteArray &bytes)
{
    IniFile ini;
    int current = -1;
    const QStringList lines = decodeFile(bytes).split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        QString line = rawLine;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line = trimBlanks(line);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;

        if (line.startsWith(QLatin1Char('['))) {
            const int close = line.indexOf(QLatin1Char(']'));
            const QString name = trimBlanks(line.mid(1, close < 0 ? -1 : close - 1));
            ini.m_sections.append(Section{name, {}});
            current = ini.m_sections.size() - 1;
            continue;
        }

        const int equals = line.indexOf(QLatin1Char('='));
        if (current < 0 || equals <= 0)
            continue;
        const QString key = trimBlanks(line.left(equals));
        QString value = trimBlanks(line.mid(equals + 1));
        if (hasEnclosingQuotes(value))
            value = value.mid(1, value.size() - 2);
        if (!key.isEmpty())
            ini.m_sections[current].entries.append(Entry{key, value});
    }
    return ini;
}

IniFile IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IniFile();
    return parse(file.readAll());
}

QByteArray IniFile::serialize() const
{
    QString text;
    for (const Section &section : m_sections) {
        text += QLatin1Char('[') + section.name + QLatin1String("]\r\n");
        for (const Entry &entry : section.entries)
            text += entry.key + QLatin1Char('=') + valueForFile(entry.value) + QLatin1String("\r\n");
    }
    return encodeCp1252(text);
}

bool IniFile::save(const QString &path) const
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    // Unbuffered, so that a disk filling up shows in the count written:
    // a buffered write hands the shortfall to the commit, which misses it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = serialize();
    // Without a commit the temporary file is discarded and the old one stays.
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

int IniFile::sectionIndex(const QString &name) const
{
    for (int i = 0; i < m_sections.size(); ++i) {
        if (m_sections.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    const int index = sectionIndex(name);
    return index < 0 ? nullptr : &m_sections.at(index);
}

const IniFile::Entry *IniFile::findEntry(const QString &section, const QString &key) const
{
    const Section *found = findSection(section);
    if (!found)
        return nullptr;
    for (const Entry &entry : found->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Entry *entry = findEntry(section, key);
    return entry ? entry->value : defaultValue;
}

bool IniFile::parseInteger(const QString &text, int *value)
{
    const bool hex = text.size() > 2 && text.at(0) == QLatin1Char('0')
        && (text.at(1) == QLatin1Char('x') || text.at(1) == QLatin1Char('X'));
    const bool negative = !hex && text.startsWith(QLatin1Char('-'));
    const bool sign = !hex && (negative || text.startsWith(QLatin1Char('+')));
    const QString digits = text.mid(hex ? 2 : (sign ? 1 : 0));
    const int base = hex ? 16 : 10;
    if (digits.isEmpty())
        return false;

    quint64 magnitude = 0;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        int v = -1;
        if (u >= u'0' && u <= u'9')
            v = u - u'0';
        else if (hex && u >= u'a' && u <= u'f')
            v = u - u'a' + 10;
        else if (hex && u >= u'A' && u <= u'F')
            v = u - u'A' + 10;
        if (v < 0)
            return false;
        magnitude = magnitude * base + quint64(v);
        if (magnitude > 0xFFFFFFFFu)
            return false;
    }

    qint64 number = 0;
    if (hex) {
        // Hexadecimal fills the 32 bits: "0xFFFFFFFF" is -1.
        number = qint32(quint32(magnitude));
    } else {
        number = negative ? -qint64(magnitude) : qint64(magnitude);
        if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
            return false;
    }
    if (value)
        *value = int(number);
    return true;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    int value = defaultValue;
    const Entry *entry = findEntry(section, key);
    if (entry && parseInteger(entry->value, &value))
        return value;
    return defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    int index = sectionIndex(section);
    if (index < 0) {
        m_sections.append(Section{section, {}});
        index = m_sections.size() - 1;
    }
    Section *target = &m_sections[index];
    for (Entry &entry : target->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    target->entries.append(Entry{key, value});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Section &section : m_sections)
        names << section.name;
    return names;
}
