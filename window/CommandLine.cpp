// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/CommandLine.h"

#include "platform/BuildSettings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

// Qt's own options, which the application object takes out of the
// arguments later; a value follows those of the first list.
const char *const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "display", "geometry", "name", "title", "visual", "style", "stylesheet", "qmljsdebugger",
};
const char *const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

const QString kHelp = QStringLiteral(
    "Aufruf: lettrisko [Option] [/uninstall]\n"
    "\n"
    "Galgenraten für zwei Spieler, an einem Rechner oder über das Netzwerk.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help      zeigt diese Hilfe und endet\n"
    "  -v, --version   zeigt die Version und endet\n"
    "\n"
    "Argument:\n"
    "  /uninstall      entfernt nach einer Rückfrage die Einstellungen und den\n"
    "                  Update-Zeitplan des Benutzers\n"
    "\n"
    "Dazu versteht Lettrisko die Optionen von Qt, etwa -platform oder -style.\n");

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption platform{QStringLiteral("platform"), QString(), QStringLiteral("name")};

    Parser()
    {
        // Qt's options are words after a single dash.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(platform);
        for (const char *name : kQtOptionsWithValue) {
            if (QLatin1String(name) != QLatin1String("platform"))
                parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
        }
        for (const char *name : kQtFlags)
            parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    }
};

// The argument as the user typed it, for the option the parser names.
QString typedOption(const QStringList &arguments, const QString &name)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        int start = 0;
        while (start < argument.size() && argument.at(start) == QLatin1Char('-'))
            ++start;
        if (start > 0 && argument.mid(start).section(QLatin1Char('='), 0, 0) == name)
            return argument;
    }
    return name;
}

} // namespace

CommandLineRequest readCommandLine(const QStringList &arguments)
{
    Parser p;
    if (!p.parser.parse(arguments)) {
        const QStringList unknown = p.parser.unknownOptionNames();
        // The other failure: an option that takes a value came last.
        const QString message = unknown.isEmpty()
            ? QStringLiteral("lettrisko: Nach „%1“ fehlt der Wert.").arg(arguments.value(arguments.size() - 1))
            : QStringLiteral("lettrisko: Unbekannte Option „%1“.").arg(typedOption(arguments, unknown.first()));
        return {CommandLineRequest::Action::Refuse,
                message + QStringLiteral(" „lettrisko --help“ zeigt, was das Programm versteht.\n")};
    }
    if (p.parser.isSet(p.help))
        return {CommandLineRequest::Action::ShowText, kHelp};
    if (p.parser.isSet(p.version))
        return {CommandLineRequest::Action::ShowText, QStringLiteral("Lettrisko %1\n").arg(programVersion())};
    return {CommandLineRequest::Action::Play, QString()};
}

QString noDisplayMessage(const QStringList &arguments)
{
    Parser p;
    p.parser.parse(arguments);
    QString platform = p.parser.value(p.platform);
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!platform.isEmpty())
        return QStringLiteral("lettrisko: Die Qt-Plattform „%1“ lässt sich nicht starten.\n").arg(platform);
    if (display.isEmpty() && wayland.isEmpty())
        return QStringLiteral("lettrisko: Keine grafische Anzeige gefunden (DISPLAY ist nicht gesetzt); "
                              "Lettrisko braucht einen Bildschirm.\n");
    return QStringLiteral("lettrisko: Die grafische Anzeige „%1“ ist nicht erreichbar; "
                          "Lettrisko braucht einen Bildschirm.\n")
        .arg(display.isEmpty() ? wayland : display);
}
