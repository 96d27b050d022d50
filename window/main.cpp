// The program entry: the self-uninstall, or the game's one window.
#include "about/TInfo.h"
#include "platform/BuildSettings.h"
#include "platform/LoadedSoundService.h"
#include "platform/SystemInstall.h"
#include "platform/TerminationSignals.h"
#include "window/GameApplication.h"
#include "window/TForm1.h"
#include "window/Uninstall.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

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

    GameApplication app(argc, argv);
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

    registerAtNormalStart();

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
    return app.exec();
}
