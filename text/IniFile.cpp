// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/IniFile.h"

#include "text/CharSet.h"

#include <QStringDecoder>

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

// The file cut into lines, each without its line end (LF, CR LF, or a CR
// at the very end), in units of one byte or, for UTF-16, of two in either
// byte order.
QList<QByteArray> splitLines(const QByteArray &body, int unit, bool bigEndian)
{
    const auto codeAt = [&](qsizetype i) {
        if (unit == 1)
            return uint(uchar(body.at(i)));
        const uint first = uchar(body.at(i));
        const uint second = uchar(body.at(i + 1));
        return bigEndian ? first << 8 | second : second << 8 | first;
    };
    const auto withoutCr = [&](qsizetype begin, qsizetype end) {
        if (end - begin >= unit && codeAt(end - unit) == '\r')
            end -= unit;
        return body.mid(begin, end - begin);
    };
    QList<QByteArray> lines;
    qsizetype begin = 0;
    for (qsizetype i = 0; i + unit <= body.size(); i += unit) {
        if (codeAt(i) == '\n') {
            lines.append(withoutCr(begin, i));
            begin = i + unit;
        }
    }
    if (begin < body.size())
        lines.append((body.size() - begin) % unit == 0 ? withoutCr(begin, body.size()) : body.mid(begin));
    return lines;
}

// Characters the code page cannot hold become "?", one per character as
// the user sees it, so that no control byte ends up in the file.
QByteArray encodeForFile(const QString &text)
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
    return encodeCp1252(representable).value_or(QByteArray());
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
    QByteArray body = bytes;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        ini.m_encoding = Encoding::Utf8;
        body = bytes.mid(3);
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        ini.m_encoding = bytes.startsWith("\xFF") ? Encoding::Utf16LE : Encoding::Utf16BE;
        body = bytes.mid(2);
        // Half a character at the end is nothing a reader can see; kept, it
        // would shift every line written after it by one byte.
        if (body.size() % 2 != 0)
            body.chop(1);
    }

    bool inSection = false;
    const bool utf16 = ini.m_encoding == Encoding::Utf16LE || ini.m_encoding == Encoding::Utf16BE;
    for (const QByteArray &lineBytes : splitLines(body, utf16 ? 2 : 1, ini.m_encoding == Encoding::Utf16BE)) {
        Line line;
        line.bytes = lineBytes;
        const QString text = ini.decode(lineBytes);
        const QString trimmed = trimBlanks(text);
        line.blank = trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'));
        if (!line.blank && trimmed.startsWith(QLatin1Char('['))) {
            const int close = trimmed.indexOf(QLatin1Char(']'));
            line.kind = LineKind::Section;
            line.name = trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
            inSection = true;
        } else if (!line.blank && inSection) {
            const int equals = trimmed.indexOf(QLatin1Char('='));
            const QString key = equals > 0 ? trimBlanks(trimmed.left(equals)) : QString();
            if (!key.isEmpty()) {
                line.kind = LineKind::Key;
                line.name = key;
                QString value = trimBlanks(trimmed.mid(equals + 1));
                if (hasEnclosingQuotes(value))
                    value = value.mid(1, value.size() - 2);
                line.value = value;
                // The untrimmed line, so that its indentation stays too.
                int valueStart = text.indexOf(QLatin1Char('=')) + 1;
                while (valueStart < text.size() && isBlank(text.at(valueStart)))
                    ++valueStart;
                line.prefix = text.left(valueStart);
            }
        }
        ini.m_lines.append(line);
    }
    return ini;
}

IniFile IniFile::load(const QString &path, SharedFile::Status *status)
{
    const SharedFile::Contents contents = SharedFile::read(path, kMaximumFileSize);
    if (status)
        *status = contents.status;
    return contents.usable() ? parse(contents.bytes) : IniFile();
}

IniFile IniFile::load(const QString &path, bool *readable)
{
    SharedFile::Status status = SharedFile::Status::Missing;
    IniFile ini = load(path, &status);
    *readable = status == SharedFile::Status::Read || status == SharedFile::Status::Missing;
    return ini;
}

QString IniFile::decode(const QByteArray &bytes) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return QString::fromUtf8(bytes);
    case Encoding::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes);
    case Encoding::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE)(bytes);
    case Encoding::Windows1252:
        break;
    }
    return decodeCp1252(bytes);
}

QByteArray IniFile::encode(const QString &text) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        // Code unit by code unit, so that whatever was read goes back as it came.
        QByteArray bytes(text.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text.at(i).unicode();
            const char high = char(unit >> 8);
            const char low = char(unit & 0xFF);
            bytes[2 * i] = m_encoding == Encoding::Utf16LE ? low : high;
            bytes[2 * i + 1] = m_encoding == Encoding::Utf16LE ? high : low;
        }
        return bytes;
    }
    case Encoding::Windows1252:
        break;
    }
    return encodeForFile(text);
}

QByteArray IniFile::serialize() const
{
    QByteArray bytes;
    if (m_encoding == Encoding::Utf8)
        bytes = "\xEF\xBB\xBF";
    else if (m_encoding == Encoding::Utf16LE)
        bytes = "\xFF\xFE";
    else if (m_encoding == Encoding::Utf16BE)
        bytes = "\xFE\xFF";
    const QByteArray lineEnd = encode(QStringLiteral("\r\n"));
    for (const Line &line : m_lines)
        bytes += line.bytes + lineEnd;
    return bytes;
}

bool IniFile::save(const QString &path) const
{
    return SharedFile::replace(path, serialize());
}

SharedFile::Outcome IniFile::update(const QString &path, const std::function<void(IniFile &)> &change)
{
    return SharedFile::update(path, kMaximumFileSize, [&](const QByteArray &bytes) -> std::optional<QByteArray> {
        IniFile ini = parse(bytes);
        // Compared as written: a file with LF line ends that the change
        // leaves alone is not rewritten for its line ends alone.
        const QByteArray before = ini.serialize();
        change(ini);
        const QByteArray after = ini.serialize();
        if (after == before)
            return std::nullopt;
        return after;
    });
}

int IniFile::sectionHeader(const QString &name) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == LineKind::Section && line.name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int end = header + 1;
    while (end < m_lines.size() && m_lines.at(end).kind != LineKind::Section)
        ++end;
    return end;
}

int IniFile::entryIndex(const QString &section, const QString &key) const
{
    const int header = sectionHeader(section);
    if (header < 0)
        return -1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == LineKind::Key && line.name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const IniFile::Line *IniFile::findEntry(const QString &section, const QString &key) const
{
    const int index = entryIndex(section, key);
    return index < 0 ? nullptr : &m_lines.at(index);
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return findEntry(section, key) != nullptr;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Line *entry = findEntry(section, key);
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
    const Line *entry = findEntry(section, key);
    if (entry && parseInteger(entry->value, &value))
        return value;
    return defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

IniFile::Line IniFile::keyLine(const QString &key, const QString &value) const
{
    Line line;
    line.kind = LineKind::Key;
    line.blank = false;
    line.name = key;
    line.value = value;
    line.prefix = key + QLatin1Char('=');
    line.bytes = encode(line.prefix + valueForFile(value));
    return line;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const int existing = entryIndex(section, key);
    if (existing >= 0) {
        Line &line = m_lines[existing];
        // Reads back as it is: the line keeps its quotes and trailing blanks.
        if (line.value == value)
            return;
        line.value = value;
        line.bytes = encode(line.prefix + valueForFile(value));
        return;
    }

    int header = sectionHeader(section);
    if (header < 0) {
        Line line;
        line.kind = LineKind::Section;
        line.blank = false;
        line.name = section;
        line.bytes = encode(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(line);
        header = m_lines.size() - 1;
    }
    // Blank lines and comments at a section's end usually lead into the
    // next one, so the key goes before them.
    int at = header + 1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (!m_lines.at(i).blank)
            at = i + 1;
    }
    m_lines.insert(at, keyLine(key, value));
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    const int header = sectionHeader(section);
    if (header < 0)
        return names;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (m_lines.at(i).kind == LineKind::Key)
            names << m_lines.at(i).name;
    }
    return names;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Line &line : m_lines) {
        if (line.kind == LineKind::Section)
            names << line.name;
    }
    return names;
}
