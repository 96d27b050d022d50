// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The archive's script template and the folders of the player's computer,
// both holding any characters, made into the installation script. What
// the filling promises: a template beyond its size is refused; the lines
// are the template's, cut at CR LF, CR or LF; each "%s" reads to the shell
// as its folder, one word glued to its neighbours, and leaves every other
// word and quote of the line as the template wrote it; and every path the
// script names reads to the shell as exactly that path, never ending a
// quote or starting an expansion.
//
// The input: the template, then the bytes of the update folder, the
// program folder and the failure note, then four bytes: their three
// lengths and a byte of flags (restart, size limit).
#include "update/UpdateLimits.h"
#include "update/UpdateScript.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Aborts, naming the line of the promise broken.
void require(bool promise, int line = __builtin_LINE())
{
    if (promise)
        return;
    std::fprintf(stderr, "%s:%d: promise broken\n", __FILE__, line);
    std::abort();
}

const QString ProgramVariable = QLatin1String(ProgramFolderVariable);
const QString UpdateVariable = QLatin1String(UpdateFolderVariable);

// What the shell's variables hold while a line is read: blanks show
// where a value is split into words.
QString valueOf(const QString &name)
{
    if (name == ProgramVariable)
        return QStringLiteral("\x01P p\x01");
    if (name == UpdateVariable)
        return QStringLiteral("\x01T t\x01");
    return QLatin1Char('\x03') + name + QLatin1Char('\x03');
}

bool isNameStart(QChar c)
{
    return c == QLatin1Char('_') || (c.unicode() < 128 && c.isLetter());
}

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

enum class Quote { None, Single, Double };

struct Reading
{
    QStringList words;
    Quote quote = Quote::None;
    bool escaped = false;
    bool operator==(const Reading &other) const
    {
        return words == other.words && quote == other.quote && escaped == other.escaped;
    }
};

// A line as /bin/sh reads it: quotes, backslashes, "$name", "${name}" and
// the special parameters, blanks between words, operators, a comment.
// Items are characters, or (negative) a "%s" of a format that reads as
// the folder's text wherever it stands. A command substitution or "${"
// with more than a name in it is beyond this reader: nullopt.
std::optional<Reading> readLine(const QList<int> &items, const QStringList &placeholders)
{
    Reading reading;
    QString word;
    bool inWord = false;
    const auto add = [&](const QString &text) {
        word += text;
        inWord = true;
    };
    const auto endWord = [&] {
        if (inWord)
            reading.words << word;
        word.clear();
        inWord = false;
    };
    // Unquoted, a value is split at its blanks (the values hold no other).
    const auto expand = [&](const QString &value, bool quoted) {
        if (quoted)
            return add(value);
        const QStringList fields = value.split(QLatin1Char(' '));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                endWord();
            add(fields.at(i));
        }
    };
    const auto charAt = [&](qsizetype i) { return i < items.size() && items.at(i) >= 0 ? QChar(items.at(i)) : QChar(); };

    Quote &quote = reading.quote;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i) < 0) {
            // The folder's text, quoted: an escape before it escaped its
            // first character.
            reading.escaped = false;
            add(valueOf(placeholders.at(-items.at(i) - 1)));
            continue;
        }
        const QChar c(items.at(i));
        if (reading.escaped) {
            reading.escaped = false;
            if (quote == Quote::Double && !QStringLiteral("$`\"\\").contains(c))
                add(QStringLiteral("\\"));
            add(c);
            continue;
        }
        if (quote == Quote::Single) {
            if (c == QLatin1Char('\''))
                quote = Quote::None;
            else
                add(c);
            continue;
        }
        const bool quoted = quote == Quote::Double;
        if (c == QLatin1Char('\\')) {
            reading.escaped = true;
        } else if (c == QLatin1Char('"')) {
            quote = quoted ? Quote::None : Quote::Double;
            add(QString());
        } else if (c == QLatin1Char('\'') && !quoted) {
            quote = Quote::Single;
            add(QString());
        } else if (c == QLatin1Char('`')) {
            return std::nullopt;
        } else if (c == QLatin1Char('$')) {
            const QChar next = charAt(i + 1);
            if (next == QLatin1Char('(')) {
                return std::nullopt;
            } else if (next == QLatin1Char('{')) {
                qsizetype close = i + 2;
                while (isNameCharacter(charAt(close)))
                    ++close;
                if (charAt(close) != QLatin1Char('}') || close == i + 2 || !isNameStart(charAt(i + 2)))
                    return std::nullopt;
                QString name;
                for (qsizetype k = i + 2; k < close; ++k)
                    name += charAt(k);
                expand(valueOf(name), quoted);
                i = close;
            } else if (isNameStart(next)) {
                QString name;
                while (isNameCharacter(charAt(i + 1)))
                    name += charAt(++i);
                expand(valueOf(name), quoted);
            } else if (!next.isNull() && QStringLiteral("$?#!-@*0123456789").contains(next)) {
                expand(valueOf(QString(next)), quoted);
                ++i;
            } else {
                add(QStringLiteral("$"));
            }
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            endWord();
        } else if (!quoted && c == QLatin1Char('#') && !inWord) {
            break;
        } else if (!quoted && QStringLiteral("|&;<>()").contains(c)) {
            endWord();
            reading.words << QLatin1Char('\x02') + c;
        } else {
            add(c);
        }
    }
    endWord();
    return reading;
}

QList<int> itemsOf(const QString &line)
{
    QList<int> items;
    for (QChar c : line)
        items << c.unicode();
    return items;
}

// A format text as its items: "%%" one percent sign, "%s" a placeholder.
QList<int> formatItems(const QString &format, QStringList *placeholders, const QStringList &variables)
{
    QList<int> items;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar following = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (format.at(i) == QLatin1Char('%') && following == QLatin1Char('s')) {
            require(placeholders->size() < variables.size());
            *placeholders << variables.at(placeholders->size());
            items << -int(placeholders->size());
            ++i;
            continue;
        }
        if (format.at(i) == QLatin1Char('%') && following == QLatin1Char('%'))
            ++i;
        items << format.at(i).unicode();
    }
    return items;
}

// The filled line reads as its format with the folders in place.
void requireFilledAsWritten(const QString &format, const QString &filled, const QStringList &variables)
{
    QStringList placeholders;
    const QList<int> items = formatItems(format, &placeholders, variables);
    const std::optional<Reading> intended = readLine(items, placeholders);
    if (!intended)
        return;
    const std::optional<Reading> actual = readLine(itemsOf(filled), {});
    require(actual && *actual == *intended);
}

// A line naming a path reads as the same line naming a plain word, the
// path in the word's place.
void requirePathLine(const QString &line, const QString &plainLine, const QString &path)
{
    const std::optional<Reading> actual = readLine(itemsOf(line), {});
    std::optional<Reading> intended = readLine(itemsOf(plainLine), {});
    require(actual && intended && intended->quote == Quote::None && !intended->escaped);
    for (QString &word : intended->words)
        word.replace(QLatin1Char('\x04'), path);
    require(*actual == *intended);
}

QString withoutNul(const QByteArray &bytes)
{
    return QString::fromUtf8(QByteArray(bytes).replace('\0', ""));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    quint8 trailer[4] = {};
    if (bytes.size() >= 4) {
        for (int i = 0; i < 4; ++i)
            trailer[i] = quint8(bytes.at(bytes.size() - 4 + i));
        bytes.chop(4);
    }
    const auto takeEnd = [&](int length) {
        const QByteArray taken = bytes.right(length);
        bytes.chop(taken.size());
        return taken;
    };
    const QString note = withoutNul(takeEnd(trailer[2]));
    const QString programFolder = withoutNul(takeEnd(trailer[1]));
    const QString updateFolder = withoutNul(takeEnd(trailer[0]));
    const quint8 flags = trailer[3];
    const QString executable = flags & 1 ? programFolder + QStringLiteral("lettrisko") : QString();
    const qint64 limit = flags & 2 ? MaximumTemplateSize : qint64(flags >> 2) * 128;

    // Quoted by the program, any text reads back as itself, one word.
    for (const QString &path : {updateFolder, programFolder, note}) {
        const std::optional<Reading> quoted = readLine(itemsOf(shellQuoted(path)), {});
        require(quoted && quoted->words == QStringList{path} && quoted->quote == Quote::None && !quoted->escaped);
    }

    const ScriptFillResult filled = fillScriptTemplate(bytes, limit);
    require(filled.tooLarge == (bytes.size() > limit));
    require(filled.ok == filled.errorString.isEmpty());
    if (!filled.ok) {
        require(filled.lines.isEmpty());
        return 0;
    }

    // The lines: cut at every line end, a final one adding none.
    const QString text = QString::fromUtf8(bytes);
    const QStringList templateLines = scriptLines(text);
    QString joined = text;
    joined.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (joined.endsWith(QLatin1Char('\n')))
        joined.chop(1);
    require(templateLines.join(QLatin1Char('\n')) == joined && (templateLines.isEmpty() == text.isEmpty()));
    require(filled.lines.size() == templateLines.size());

    // Blocks of four lines until a head line with a blank starts the tail.
    const QStringList program{ProgramVariable};
    const QStringList update{UpdateVariable};
    bool tail = false;
    for (qsizetype i = 0; i < templateLines.size(); ++i) {
        const qsizetype inBlock = i % 4;
        if (!tail && inBlock == 0)
            tail = templateLines.at(i).startsWith(QLatin1Char(' '));
        const QStringList variables = tail ? update : inBlock == 3 ? update + program : program;
        if (!tail && inBlock == 0)
            require(filled.lines.at(i) == templateLines.at(i));
        else
            requireFilledAsWritten(templateLines.at(i), filled.lines.at(i), variables);
    }

    // The script around them names each path once, quoted.
    const QStringList script = installationScript(filled.lines, updateFolder, programFolder, executable, note);
    const QString plain(QLatin1Char('\x04'));
    const QStringList plainScript = installationScript(filled.lines, plain, plain, executable.isEmpty() ? QString() : plain, plain);
    // The template's lines follow the two folders and the subshell's start.
    require(script.size() == plainScript.size() && script.mid(5, filled.lines.size()) == filled.lines);
    QString folder = updateFolder;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const qsizetype after = 5 + filled.lines.size();
    requirePathLine(script.at(2), plainScript.at(2), updateFolder);
    requirePathLine(script.at(3), plainScript.at(3), programFolder);
    requirePathLine(script.at(after + 3), plainScript.at(after + 3), note);
    if (!executable.isEmpty())
        requirePathLine(script.at(after + 5), plainScript.at(after + 5), executable);
    requirePathLine(script.back(), plainScript.back(), folder);
    return 0;
}
