// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/HiveFile.h"

#include <QStringDecoder>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

struct Line
{
    QByteArray text;
    // Of the first "=" outside quotes; -1 when there is none.
    qsizetype equals = -1;
};

// The file cut into lines: a backslash takes the character after it along,
// a line end too; a quote runs on over line ends until the next one; a ";"
// outside quotes starts a comment that runs to the line end.
QList<Line> readLines(const QByteArray &data)
{
    QList<Line> lines;
    const qsizetype size = data.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && isSpace(data.at(i)))
            ++i;
        if (i == size)
            break;
        if (data.at(i) == ';') {
            while (i < size && !isLineEnd(data.at(i)))
                ++i;
            continue;
        }
        Line line;
        const qsizetype start = i;
        bool inQuotes = false;
        while (i < size) {
            const char c = data.at(i);
            if (c == '\\') {
                i += 2;
                // CR LF and LF CR are one line end.
                if (i < size && isLineEnd(data.at(i - 1)) && isLineEnd(data.at(i)) && data.at(i) != data.at(i - 1))
                    ++i;
                continue;
            }
            if (!inQuotes && (isLineEnd(c) || c == ';'))
                break;
            if (c == '"')
                inQuotes = !inQuotes;
            else if (c == '=' && !inQuotes && line.equals < 0)
                line.equals = i - start;
            ++i;
        }
        i = qMin(i, size);
        line.text = data.mid(start, i - start);
        lines.append(line);
    }
    return lines;
}

// A byte order mark inside a line is a character like any other.
QString fromUtf8(const QByteArray &bytes)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)
        .decode(bytes);
}

QString unescapedName(const QByteArray &bytes)
{
    const QString text = fromUtf8(bytes);
    QString name;
    name.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\')) {
            name += QLatin1Char('/');
            continue;
        }
        if (c == QLatin1Char('%')) {
            const bool wide = text.mid(i + 1, 1) == QLatin1String("U");
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= text.size() ? text.mid(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                name += QChar(code);
                i = first + digits - 1;
                continue;
            }
        }
        name += c;
    }
    return name;
}

QByteArray escapedName(const QString &name)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray bytes;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u == u'/') {
            bytes += '\\';
        } else if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_'
                   || u == u'-' || u == u'.') {
            bytes += char(u);
        } else if (u <= 0xFF) {
            bytes += '%';
            bytes += hex[u >> 4];
            bytes += hex[u & 0xF];
        } else {
            bytes += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                bytes += hex[(u >> shift) & 0xF];
        }
    }
    return bytes;
}

void chopBlanks(QString &text, qsizetype limit)
{
    while (text.size() > limit && (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
        text.chop(1);
}

QString unescapedValue(const QByteArray &raw)
{
    static const char simple[] = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
    QString value;
    qsizetype i = 0;
    const qsizetype size = raw.size();
    const auto skipBlanks = [&] {
        while (i < size && (raw.at(i) == ' ' || raw.at(i) == '\t'))
            ++i;
    };
    skipBlanks();
    bool quoted = false;
    bool inQuotes = false;
    // Blanks before this length came from escapes or quotes and stay.
    qsizetype kept = 0;
    while (i < size) {
        const char c = raw.at(i);
        if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
            kept = value.size();
            continue;
        }
        if (c != '\\') {
            qsizetype end = i + 1;
            while (end < size && raw.at(end) != '\\' && raw.at(end) != '"')
                ++end;
            value += fromUtf8(raw.mid(i, end - i));
            i = end;
            continue;
        }
        if (++i == size)
            break;
        const char e = raw.at(i++);
        const char *mapped = nullptr;
        for (const char *p = simple; *p; p += 2) {
            if (*p == e) {
                mapped = p + 1;
                break;
            }
        }
        if (mapped) {
            value += QLatin1Char(*mapped);
        } else if (e == 'x' || (e >= '0' && e <= '7')) {
            const bool hex = e == 'x';
            char16_t code = hex ? 0 : char16_t(e - '0');
            while (i < size && (hex ? isHexDigit(uchar(raw.at(i))) : (raw.at(i) >= '0' && raw.at(i) <= '7'))) {
                code = char16_t(code * (hex ? 16 : 8) + QByteArray(1, raw.at(i)).toUShort(nullptr, 16));
                ++i;
            }
            // "\x" without a digit stands for nothing.
            if (!hex || isHexDigit(uchar(raw.at(i - 1))))
                value += QChar(code);
        } else if (isLineEnd(e)) {
            if (i < size && isLineEnd(raw.at(i)) && raw.at(i) != e)
                ++i;
        }
        // Any other escaped character is dropped.
        kept = value.size();
    }
    if (!quoted)
        chopBlanks(value, kept);
    if (value.startsWith(QLatin1String("@@")))
        return value.mid(1);
    if (value.startsWith(QLatin1String("@String(")) && value.endsWith(QLatin1Char(')')))
        return value.mid(8, value.size() - 9);
    return value;
}

QByteArray escapedValue(const QString &value)
{
    QString text = value;
    if (text.contains(QChar::Null))
        text = QStringLiteral("@String(") + text + QLatin1Char(')');
    else if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));

    QByteArray bytes;
    bool needsQuotes = false;
    // After a numeric escape a hex digit would be read as part of it.
    bool afterNumber = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == u';' || u == u',' || u == u'=')
            needsQuotes = true;
        if (afterNumber && isHexDigit(u)) {
            bytes += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        afterNumber = false;
        switch (u) {
        case u'\0': bytes += "\\0"; afterNumber = true; break;
        case u'\a': bytes += "\\a"; break;
        case u'\b': bytes += "\\b"; break;
        case u'\f': bytes += "\\f"; break;
        case u'\n': bytes += "\\n"; break;
        case u'\r': bytes += "\\r"; break;
        case u'\t': bytes += "\\t"; break;
        case u'\v': bytes += "\\v"; break;
        case u'"':
        case u'\\':
            bytes += '\\';
            bytes += char(u);
            break;
        default:
            const bool pair = i + 1 < text.size() && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate();
            // Half a pair has no UTF-8; as a number it comes back as it was.
            if (u <= 0x1F || (text.at(i).isSurrogate() && !pair)) {
                bytes += "\\x" + QByteArray::number(u, 16);
                afterNumber = true;
            } else if (pair) {
                bytes += text.mid(i, 2).toUtf8();
                ++i;
            } else {
                bytes += text.mid(i, 1).toUtf8();
            }
        }
    }
    if (needsQuotes || bytes.startsWith(' ') || bytes.endsWith(' '))
        return '"' + bytes + '"';
    return bytes;
}

QString sectionOf(const QString &path)
{
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

} // namespace

HiveFile HiveFile::parse(const QByteArray &bytes)
{
    HiveFile hive;
    const QByteArray data = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    // Paths before the first section are at the top, as in "[General]".
    QString section;
    for (const Line &line : readLines(data)) {
        if (line.text.startsWith('[')) {
            const qsizetype close = line.text.indexOf(']');
            const QByteArray name = line.text.mid(1, close < 0 ? -1 : close - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
            else
                section = unescapedName(name) + QLatin1Char('/');
            continue;
        }
        if (line.equals < 0)
            continue;
        const QByteArray key = line.text.left(line.equals).trimmed();
        // As the registry names keys: no empty name between the slashes.
        const QString path = (section + unescapedName(key)).split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
        if (!path.isEmpty())
            hive.setValue(path, unescapedValue(line.text.mid(line.equals + 1)));
    }
    return hive;
}

QByteArray HiveFile::serialize() const
{
    QStringList sections;
    for (const auto &entry : m_entries) {
        const QString section = sectionOf(entry.first);
        if (!sections.contains(section))
            sections << section;
    }
    QByteArray bytes;
    for (const QString &section : sections) {
        if (!bytes.isEmpty())
            bytes += '\n';
        if (section.isEmpty())
            bytes += "[General]\n";
        else if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
            bytes += "[%" + section.toLatin1() + "]\n";
        else
            bytes += '[' + escapedName(section) + "]\n";
        for (const auto &entry : m_entries) {
            if (sectionOf(entry.first) != section)
                continue;
            const QString key = section.isEmpty() ? entry.first : entry.first.mid(section.size() + 1);
            bytes += escapedName(key) + '=' + escapedValue(entry.second) + '\n';
        }
    }
    return bytes;
}

int HiveFile::indexOf(const QString &path) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first == path)
            return i;
    }
    return -1;
}

bool HiveFile::contains(const QString &path) const
{
    return indexOf(path) >= 0;
}

QString HiveFile::value(const QString &path) const
{
    const int index = indexOf(path);
    return index < 0 ? QString() : m_entries.at(index).second;
}

bool HiveFile::setValue(const QString &path, const QString &value)
{
    const int index = indexOf(path);
    if (index < 0) {
        m_entries.append({path, value});
        return true;
    }
    if (m_entries.at(index).second == value)
        return false;
    m_entries[index].second = value;
    return true;
}

bool HiveFile::remove(const QString &path)
{
    const QString below = path + QLatin1Char('/');
    return m_entries.removeIf([&](const QPair<QString, QString> &entry) {
        return entry.first == path || entry.first.startsWith(below);
    }) > 0;
}

QStringList HiveFile::childGroups(const QString &group) const
{
    const QString prefix = group.isEmpty() ? QString() : group + QLatin1Char('/');
    QStringList names;
    for (const auto &entry : m_entries) {
        if (!entry.first.startsWith(prefix))
            continue;
        const qsizetype slash = entry.first.indexOf(QLatin1Char('/'), prefix.size());
        const QString name = entry.first.mid(prefix.size(), slash - prefix.size());
        if (slash > prefix.size() && !names.contains(name))
            names << name;
    }
    return names;
}

QStringList HiveFile::childKeys(const QString &group) const
{
    const QString prefix = group.isEmpty() ? QString() : group + QLatin1Char('/');
    QStringList names;
    for (const auto &entry : m_entries) {
        if (entry.first.startsWith(prefix) && entry.first.indexOf(QLatin1Char('/'), prefix.size()) < 0)
            names << entry.first.mid(prefix.size());
    }
    return names;
}
