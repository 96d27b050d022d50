#include "update/UpdateScript.h"

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

bool formatScriptLine(const QString &format, const QStringList &arguments, QString *result)
{
    QString filled;
    filled.reserve(format.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const QChar following = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (c == QLatin1Char('%') && following == QLatin1Char('s')) {
            if (next >= arguments.size())
                return false;
            filled += arguments.at(next++);
            ++i;
        } else if (c == QLatin1Char('%') && following == QLatin1Char('%')) {
            filled += QLatin1Char('%');
            ++i;
        } else {
            filled += c;
        }
    }
    *result = filled;
    return true;
}

ScriptFillResult fillScriptTemplate(const QStringList &templateLines, const QString &tempDir,
                                    const QString &programDir)
{
    ScriptFillResult result;
    const qsizetype count = templateLines.size();
    if (count == 0) {
        result.errorString = QStringLiteral("Die Vorlage des Installationsskripts ist leer.");
        return result;
    }

    QStringList lines;
    const auto fill = [&](qsizetype index, const QStringList &arguments) {
        QString line;
        if (!formatScriptLine(templateLines.at(index), arguments, &line)) {
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
        if (!fill(head + 1, {programDir}) || !fill(head + 2, {programDir})
            || !fill(head + 3, {tempDir, programDir}))
            return result;
    }
    for (qsizetype index = tailStart; index < count; ++index) {
        if (!fill(index, {tempDir}))
            return result;
    }

    result.ok = true;
    result.lines = lines;
    return result;
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
