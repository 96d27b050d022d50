// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Turns the archive's script template into the installation script.
//
// The template's lines come in blocks of four: the first line of a block is
// kept as it is, the second and third are format texts given the program's
// folder, the fourth one given the update's folder (the unpacked files) and
// then the program's folder. A block-head line that begins with a blank
// starts the tail instead: it and every line after it are format texts
// given the update's folder. In a format text "%s" takes the next folder
// and "%%" is one percent sign; any other "%" stays as it stands.
//
// A folder's name may hold any character, quotes, "$(", backquotes and line
// ends among them, so it never becomes script text: the script names each
// folder once, quoted by the program, in a variable at its top, and a "%s"
// becomes a reference to that variable which the shell expands as one word,
// whether the template wrote it bare, in single or in double quotes. A
// backslash right before a "%s" is dropped and a "$" right before one is
// escaped, so that neither takes the reference's first character.
//
// The script is for /bin/sh: lines end in LF, paths stay UTF-8.

// The template's name inside the archive, and the script's once filled in.
inline constexpr char UpdateScriptName[] = "Update.sh";
// The variables the "%s" stand for.
inline constexpr char UpdateFolderVariable[] = "LETTRISKO_UPDATE_DIR";
inline constexpr char ProgramFolderVariable[] = "LETTRISKO_PROGRAM_DIR";

// Lines separated by CR LF, CR or LF; a final line end adds no empty line.
QStringList scriptLines(const QString &text);

// Each "%s" becomes a reference to the next variable, fitted to the quotes
// the line has open at that point. False when the format asks for more
// variables than it gets.
bool formatScriptLine(const QString &format, const QStringList &variables, QString *result);

struct ScriptFillResult
{
    bool ok = false;
    // A German sentence saying why the template cannot be used.
    QString errorString;
    QStringList lines;
    // Refused for its size alone.
    bool tooLarge = false;
};

// Fails on an empty template, on a last block cut short without a tail and
// on a format text that asks for too many folders.
ScriptFillResult fillScriptTemplate(const QStringList &templateLines);
// The template as the archive holds it: refused when it is longer than
// maximumSize bytes, else read as UTF-8, cut into lines and filled in. The
// caller need read no more than maximumSize + 1 bytes of the file.
ScriptFillResult fillScriptTemplate(const QByteArray &templateBytes, qint64 maximumSize);

// How much of the template's error output the failure note keeps: its
// last lines, each cut to so many bytes.
inline constexpr int NotedErrorLines = 20;
inline constexpr int NotedErrorLineLength = 300;

// The whole script around the filled-in template: the folders' variables;
// the template's lines in a subshell that runs every one of them, its error
// output kept; when the template wrote to its error output or its last
// command failed, a note for the program's next start (the exit status,
// then the last lines of the error output);
// the restart when an executable is given; and at last the removal of the
// update's folder, the script in it.
QStringList installationScript(const QStringList &filledLines, const QString &updateFolder,
                               const QString &programFolder, const QString &restartExecutable,
                               const QString &failureNote);

// Starts the program again in the background once the script has replaced it.
QString restartLine(const QString &executablePath);
// A script's last line: it deletes itself.
QString selfDeletionLine(const QString &scriptPath);

// The lines with LF after each, the last one included.
QByteArray scriptBytes(const QStringList &lines);

// Quotes a path for /bin/sh so that no character in it is interpreted.
QString shellQuoted(const QString &text);
