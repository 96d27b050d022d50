#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Turns the archive's script template into the installation script.
//
// The template's lines come in blocks of four: the first line of a block is
// kept as it is, the second and third are format texts given the program's
// folder, the fourth one given the temporary folder and then the program's
// folder. A block-head line that begins with a blank starts the tail
// instead: it and every line after it are format texts given the temporary
// folder. In a format text "%s" takes the next argument and "%%" is one
// percent sign; any other "%" stays as it stands.
//
// The script is for /bin/sh: lines end in LF, paths stay UTF-8.

// The template's name inside the archive, and the script's once filled in.
inline constexpr char UpdateScriptName[] = "Update.sh";

// Lines separated by CR LF, CR or LF; a final line end adds no empty line.
QStringList scriptLines(const QString &text);

// False when the format asks for more arguments than it gets.
bool formatScriptLine(const QString &format, const QStringList &arguments, QString *result);

struct ScriptFillResult
{
    bool ok = false;
    // A German sentence saying why the template cannot be used.
    QString errorString;
    QStringList lines;
};

// Fails on an empty template, on a last block cut short without a tail and
// on a format text that asks for too many arguments.
ScriptFillResult fillScriptTemplate(const QStringList &templateLines, const QString &tempDir,
                                    const QString &programDir);

// Starts the program again in the background once the script has replaced it.
QString restartLine(const QString &executablePath);
// The script's last line: it deletes itself.
QString selfDeletionLine(const QString &scriptPath);

// The lines with LF after each, the last one included.
QByteArray scriptBytes(const QStringList &lines);

// Quotes a path for /bin/sh so that no character in it is interpreted.
QString shellQuoted(const QString &text);
