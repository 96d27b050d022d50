// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The program entry: the self-uninstall, or the game's one window.
#include "about/TInfo.h"
#include "platform/BuildSettings.h"
#include "platform/LoadedSoundService.h"
#include "platform/SystemInstall.h"
#include "platform/TerminationSignals.h"
#include "window/CommandLine.h"
#include "window/GameApplication.h"
#include "window/TForm1.h"
#include "window/Uninstall.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QList>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// What the window system said while the application object was made. Its
// complaints about a missing display are said in one line of our own, and
// the fatal error that follows them ends the program with 1 instead of an
// abort; when the start succeeds they are passed on as they came.
struct StartUpMessages
{
    struct Message
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };
    static inline QList<Message> held;
    static inline QStringList arguments;
    static inline QtMessageHandler previous = nullptr;

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg) {
            std::fputs(noDisplayMessage(arguments).toLocal8Bit().constData(), stderr);
            std::fflush(stderr);
            std::_Exit(1);
        }
        held.append({type, QByteArray(context.category), text});
    }

    static void passOn()
    {
        qInstallMessageHandler(previous);
        for (const Message &message : qAsConst(held)) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            qt_message_output(message.type, context, message.text);
        }
        held.clear();
    }
};

std::unique_ptr<GameApplication> makeApplication(int &argc, char **argv, const QStringList &arguments)
{
    StartUpMessages::arguments = arguments;
    StartUpMessages::previous = qInstallMessageHandler(StartUpMessages::handle);
    auto app = std::make_unique<GameApplication>(argc, argv);
    StartUpMessages::passOn();
    return app;
}

void loadGermanStockTexts(QApplication &app)
{
    // Stock buttons of message boxes read "Ja", "Nein", "Abbrechen".
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

int main(int argc, char *argv[])
{
    // QApplication takes the options it knows out of argv; the switch is
    // looked for in the command line as it was given.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Help, the version and a call the program does not understand need
    // neither a display nor the application object.
    const CommandLineRequest request = readCommandLine(arguments);
    if (request.action != CommandLineRequest::Action::Play) {
        const bool refused = request.action == CommandLineRequest::Action::Refuse;
        std::fputs(request.text.toLocal8Bit().constData(), refused ? stderr : stdout);
        return refused ? 2 : 0;
    }

    const std::unique_ptr<GameApplication> application = makeApplication(argc, argv, arguments);
    GameApplication &app = *application;
    // The settings and registry folders are named after these.
    QApplication::setApplicationName(QStringLiteral("Lettrisko"));
    QApplication::setOrganizationName(QStringLiteral("Kx"));
    QApplication::setApplicationVersion(programVersion());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lettrisko.png")));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(installedApplicationId());
    loadGermanStockTexts(app);

    if (isUninstallRequest(arguments)) {
        LoadedSoundService sound;
        return runSelfUninstall(sound);
    }

    // Ending the session or the terminal ends the program as "Beenden"
    // does, so that the window saves the settings. Made before anything
    // is written and outliving the window, so that no signal finds the
    // program half-way.
    TerminationSignals termination;

    // The update wizard may come up while the window is made; an end asked
    // for then only has to leave it.
    const auto leaveStartUp = QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                                               [] { QCoreApplication::exit(0); });
    TForm1 form;
    QObject::disconnect(leaveStartUp);
    QObject::connect(&form, &TForm1::terminateRequested, &app, [] { QCoreApplication::exit(0); });
    // As the window closes, a peer in a network game is told that this
    // player has left.
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &form, [&form] {
        form.FormClose();
        QCoreApplication::exit(0);
    });
    Info = new TInfo(&form);
    // An end asked for while the window was made would be lost on the
    // message loop, which has not started yet.
    if (TerminationSignals::received())
        return 0;
    // The update wizard shown at start-up may have ended the program.
    if (form.isEndRequested())
        return 0;
    form.show();
    // The menu entry and its icon are written once the window stands, off
    // the way to it.
    QTimer::singleShot(0, &form, [] { registerAtNormalStart(); });
    return app.exec();
}
