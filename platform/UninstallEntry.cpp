// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/UninstallEntry.h"

#include "text/SharedFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>

namespace {

const int iconSize = 64;
// Far beyond what the program writes there.
constexpr qint64 kMaximumEntrySize = 64 << 10;
constexpr qint64 kMaximumIconSize = 1 << 20;

// The key name becomes a file name; it must stay one file in the folder.
bool isUsableKeyName(const QString &keyName)
{
    return !keyName.isEmpty() && keyName != QLatin1String(".") && keyName != QLatin1String("..")
        && !keyName.contains(QLatin1Char('/')) && !keyName.contains(QChar(0));
}

bool needsQuotes(const QString &argument)
{
    if (argument.isEmpty())
        return true;
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : argument)
        if (reserved.contains(c))
            return true;
    return false;
}

// The program's icon as a 64 x 64 picture: the icon built into the program,
// else whatever the application shows as its window icon.
QImage applicationIconImage()
{
    QImage image(QStringLiteral(":/images/lettrisko.png"));
    if (image.isNull() && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        image = QGuiApplication::windowIcon().pixmap(iconSize, iconSize).toImage();
    if (!image.isNull() && image.size() != QSize(iconSize, iconSize))
        image = image.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

// Written at every start: a file that already holds these bytes is left
// alone, and one that cannot be written whole keeps what it held.
bool writeIfChanged(const QString &path, const QByteArray &bytes, qint64 maximumSize)
{
    const SharedFile::Outcome outcome
        = SharedFile::update(path, maximumSize, [&](const QByteArray &) { return std::optional<QByteArray>(bytes); });
    return outcome == SharedFile::Outcome::Written || outcome == SharedFile::Outcome::Unchanged;
}

bool installIcon(const QString &path)
{
    const QImage image = applicationIconImage();
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return false;
    // An icon from an earlier start still serves when this one fails.
    return writeIfChanged(path, png, kMaximumIconSize) || QFileInfo(path).isFile();
}

// Undoes desktopStringValue.
QString desktopStringText(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar escaped = value.at(++i);
        if (escaped == QLatin1Char('s'))
            text += QLatin1Char(' ');
        else if (escaped == QLatin1Char('n'))
            text += QLatin1Char('\n');
        else if (escaped == QLatin1Char('r'))
            text += QLatin1Char('\r');
        else if (escaped == QLatin1Char('t'))
            text += QLatin1Char('\t');
        else
            text += escaped;
    }
    return text;
}

bool removeFile(const QString &path)
{
    return !QFile::exists(path) || QFile::remove(path);
}

} // namespace

QString desktopExecCommand(const QStringList &arguments)
{
    QStringList quoted;
    for (const QString &argument : arguments) {
        QString text;
        for (const QChar c : argument) {
            if (c == QLatin1Char('%'))
                text += QLatin1String("%%");
            else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
                     || c == QLatin1Char('\\'))
                text += QLatin1Char('\\') + c;
            else
                text += c;
        }
        // The program path is always quoted, as in the uninstall command.
        const bool isProgram = quoted.isEmpty();
        quoted << (isProgram || needsQuotes(argument) ? QLatin1Char('"') + text + QLatin1Char('"') : text);
    }
    return quoted.join(QLatin1Char(' '));
}

QString desktopStringValue(const QString &text)
{
    QString value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\'))
            value += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            value += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            value += QLatin1String("\\t");
        else if (c == QLatin1Char(' ') && i == 0)
            value += QLatin1String("\\s");
        else
            value += c;
    }
    return value;
}

QString uninstallEntryFilePath(const QString &keyName)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))
        .filePath(keyName + QLatin1String(".desktop"));
}

QString uninstallEntryIconPath(const QString &keyName)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("icons/hicolor/%1x%1/apps/").arg(iconSize) + keyName + QLatin1String(".png"));
}

QString uninstallEntryProgram(const QString &keyName)
{
    if (!isUsableKeyName(keyName))
        return QString();
    const SharedFile::Contents entry = SharedFile::read(uninstallEntryFilePath(keyName), kMaximumEntrySize);
    if (entry.status != SharedFile::Status::Read)
        return QString();
    const QLatin1String key("X-Kx-UninstallString=");
    for (const QString &line : QString::fromUtf8(entry.bytes).split(QLatin1Char('\n'))) {
        // Only the entry's own group holds the command; an action group
        // ends the search.
        if (line.startsWith(QLatin1String("[Desktop Action")))
            break;
        if (line.startsWith(key)) {
            const QStringList command = QProcess::splitCommand(desktopStringText(line.mid(key.size())));
            return command.isEmpty() ? QString() : command.first();
        }
    }
    return QString();
}

bool RegisterUninstallEntry(const QString &displayName, const QString &uninstallCommand,
                            const QString &modifyCommand, bool remove, const QString &keyName)
{
    const QString name = keyName.isEmpty() ? displayName : keyName;
    if (!isUsableKeyName(name))
        return false;
    const QString entryPath = uninstallEntryFilePath(name);
    const QString iconPath = uninstallEntryIconPath(name);

    if (remove) {
        const bool entryGone = removeFile(entryPath);
        const bool iconGone = removeFile(iconPath);
        return entryGone && iconGone;
    }

    const QStringList uninstallArguments = QProcess::splitCommand(uninstallCommand);
    const QString program = uninstallArguments.isEmpty() ? QCoreApplication::applicationFilePath()
                                                         : uninstallArguments.first();
    const bool hasIcon = installIcon(iconPath);

    QString text;
    const auto line = [&text](const QString &key, const QString &value) {
        text += key + QLatin1Char('=') + desktopStringValue(value) + QLatin1Char('\n');
    };
    text += QLatin1String("[Desktop Entry]\n");
    line(QStringLiteral("Type"), QStringLiteral("Application"));
    line(QStringLiteral("Name"), displayName);
    line(QStringLiteral("Exec"), desktopExecCommand({program}));
    if (hasIcon)
        line(QStringLiteral("Icon"), iconPath);
    line(QStringLiteral("Terminal"), QStringLiteral("false"));
    line(QStringLiteral("Categories"), QStringLiteral("Game;"));
    if (!uninstallArguments.isEmpty())
        line(QStringLiteral("Actions"), QStringLiteral("Uninstall;"));
    line(QStringLiteral("X-Kx-DisplayName"), displayName);
    line(QStringLiteral("X-Kx-UninstallString"), uninstallCommand);
    if (!modifyCommand.isEmpty())
        line(QStringLiteral("X-Kx-ModifyPath"), modifyCommand);
    if (!uninstallArguments.isEmpty()) {
        text += QLatin1String("\n[Desktop Action Uninstall]\n");
        line(QStringLiteral("Name"), QStringLiteral("Deinstallieren"));
        line(QStringLiteral("Exec"), desktopExecCommand(uninstallArguments));
    }

    return writeIfChanged(entryPath, text.toUtf8(), kMaximumEntrySize);
}
