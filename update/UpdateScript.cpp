// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/UpdateScript.h"

#include "update/UpdateDescription.h"

namespace {

bool beginsWithBlank(const QString &line)
{
    return line.startsWith(QLatin1Char(' '));
}

} // namespace

QStringList scriptLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

namespace {

// Where a line stands between the shell's quotes, as far as a "%s" needs it.
enum class Quoting { None, Single, Double };

// A reference to the variable that expands to its value as one word, and
// leaves the quotes open as they were.
QString variableReference(const QString &variable, Quoting quoting)
{
    const QString expansion = QStringLiteral("${") + variable + QLatin1Char('}');
    switch (quoting) {
    case Quoting::Single:
        return QStringLiteral("'\"") + expansion + QStringLiteral("\"'");
    case Quoting::Double:
        return expansion;
    case Quoting::None:
        break;
    }
    return QLatin1Char('"') + expansion + QLatin1Char('"');
}

// Follows the quotes of the text written so far, one character at a time.
class QuoteTracker
{
public:
    Quoting quoting() const { return m_quoting; }
    // The last character was a backslash that escapes the next one.
    bool escaping() const { return m_escaped; }
    // The last character, an escaping backslash aside, was a "$" that the
    // shell reads with the next one.
    bool afterDollar() const { return m_dollar; }

    void pass(QChar c)
    {
        const bool dollar = m_dollar;
        m_dollar = false;
        if (m_escaped) {
            m_escaped = false;
            return;
        }
        switch (m_quoting) {
        case Quoting::None:
        case Quoting::Double:
            if (c == QLatin1Char('\\')) {
                m_escaped = true;
                m_dollar = dollar;
            } else if (c == QLatin1Char('$')) {
                // A second one is the end of "$$", the shell's process id.
                m_dollar = !dollar;
            } else if (c == QLatin1Char('"')) {
                m_quoting = m_quoting == Quoting::None ? Quoting::Double : Quoting::None;
            } else if (c == QLatin1Char('\'') && m_quoting == Quoting::None) {
                m_quoting = Quoting::Single;
            }
            break;
        case Quoting::Single:
            if (c == QLatin1Char('\''))
                m_quoting = Quoting::None;
            break;
        }
    }

    // A reference ends in a character that escapes nothing and expands nothing.
    void passReference()
    {
        m_escaped = false;
        m_dollar = false;
    }

private:
    Quoting m_quoting = Quoting::None;
    bool m_escaped = false;
    bool m_dollar = false;
};

} // namespace

bool formatScriptLine(const QString &format, const QStringList &variables, QString *result)
{
    QString filled;
    filled.reserve(format.size());
    QuoteTracker quotes;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const QChar following = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (c == QLatin1Char('%') && following == QLatin1Char('s')) {
            if (next >= variables.size())
                return false;
            // A backslash right before it escaped the folder's first
            // character, which the reference quotes anyway; left there, it
            // would escape the reference's quote or "$". A "$" right before
            // it (or before that backslash) stood before the folder's text,
            // so it is a plain dollar sign, not one the shell reads with the
            // reference's first character.
            if (quotes.escaping())
                filled.chop(1);
            if (quotes.afterDollar())
                filled.insert(filled.size() - 1, QLatin1Char('\\'));
            // Balanced in itself: the quotes stay as they were.
            filled += variableReference(variables.at(next++), quotes.quoting());
            quotes.passReference();
            ++i;
            continue;
        }
        if (c == QLatin1Char('%') && following == QLatin1Char('%'))
            ++i;
        filled += c;
        quotes.pass(c);
    }
    *result = filled;
    return true;
}

ScriptFillResult fillScriptTemplate(const QStringList &templateLines)
{
    const QStringList program{QLatin1String(ProgramFolderVariable)};
    const QStringList update{QLatin1String(UpdateFolderVariable)};
    const QStringList updateThenProgram = update + program;

    ScriptFillResult result;
    const qsizetype count = templateLines.size();
    if (count == 0) {
        result.errorString = QStringLiteral("Die Vorlage des Installationsskripts ist leer.");
        return result;
    }

    QStringList lines;
    const auto fill = [&](qsizetype index, const QStringList &variables) {
        QString line;
        if (!formatScriptLine(templateLines.at(index), variables, &line)) {
            result.errorString = QStringLiteral("Zeile %1 der Vorlage des Installationsskripts verlangt "
                                                "mehr Angaben, als sie erhält.")
                                     .arg(index + 1);
            return false;
        }
        lines.append(line);
        return true;
    };

    qsizetype tailStart = count;
    for (qsizetype head = 0; head < count; head += 4) {
        if (beginsWithBlank(templateLines.at(head))) {
            tailStart = head;
            break;
        }
        if (head + 3 >= count) {
            result.errorString = QStringLiteral("Die Vorlage des Installationsskripts endet mitten in einem "
                                                "Block aus vier Zeilen (Zeile %1 fehlt).")
                                     .arg(count + 1);
            return result;
        }
        lines.append(templateLines.at(head));
        if (!fill(head + 1, program) || !fill(head + 2, program) || !fill(head + 3, updateThenProgram))
            return result;
    }
    for (qsizetype index = tailStart; index < count; ++index) {
        if (!fill(index, update))
            return result;
    }

    result.ok = true;
    result.lines = lines;
    return result;
}

ScriptFillResult fillScriptTemplate(const QByteArray &templateBytes, qint64 maximumSize)
{
    if (templateBytes.size() > maximumSize) {
        ScriptFillResult result;
        result.tooLarge = true;
        result.errorString = QStringLiteral("Die Installationsanweisungen („%1“) im Update-Archiv sind größer als %2; "
                                            "sie werden nicht ausgeführt.")
                                 .arg(QLatin1String(UpdateScriptName), SizeText(1, false, maximumSize));
        return result;
    }
    return fillScriptTemplate(scriptLines(QString::fromUtf8(templateBytes)));
}

QStringList installationScript(const QStringList &filledLines, const QString &updateFolder,
                               const QString &programFolder, const QString &restartExecutable,
                               const QString &failureNote)
{
    const QString errors = QStringLiteral("\"${%1}.lettrisko-fehler\"").arg(QLatin1String(UpdateFolderVariable));
    QStringList lines{
        QStringLiteral("#!/bin/sh"),
        QStringLiteral("# Lettrisko's installation script, made from the update's template."),
        QLatin1String(UpdateFolderVariable) + QLatin1Char('=') + shellQuoted(updateFolder),
        QLatin1String(ProgramFolderVariable) + QLatin1Char('=') + shellQuoted(programFolder),
        // A subshell: the template's own "exit", "cd" or "set" end or change
        // nothing of what follows it. Every line runs, as the template's
        // writer expects, unless the template asks for "set -e" itself; a
        // failure shows in the error output or in the last status.
        QStringLiteral("("),
    };
    lines += filledLines;
    // The note holds the status, then the last lines of the error output,
    // each cut short: a template that fails on every file still leaves a
    // few lines to read.
    lines << QStringLiteral(") 2>") + errors
          << QStringLiteral("status=$?")
          << QStringLiteral("if [ \"$status\" -ne 0 ] || [ -s %1 ]; then").arg(errors)
          << QStringLiteral("    { echo \"$status\"; tail -n %1 %2 | cut -c 1-%3; } >%4 2>/dev/null")
                 .arg(QString::number(NotedErrorLines), errors, QString::number(NotedErrorLineLength),
                      shellQuoted(failureNote))
          << QStringLiteral("fi");
    if (!restartExecutable.isEmpty())
        lines << restartLine(restartExecutable);
    QString folder = updateFolder;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    lines << QStringLiteral("rm -rf -- ") + shellQuoted(folder);
    return lines;
}

QString restartLine(const QString &executablePath)
{
    // Detached from the script, so that the script can end and delete
    // itself while the program keeps running.
    return QStringLiteral("nohup %1 >/dev/null 2>&1 &").arg(shellQuoted(executablePath));
}

QString selfDeletionLine(const QString &scriptPath)
{
    return QStringLiteral("rm -f -- %1").arg(shellQuoted(scriptPath));
}

QByteArray scriptBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

QString shellQuoted(const QString &text)
{
    QString inner = text;
    inner.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}
