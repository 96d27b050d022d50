// The program entry: the self-uninstall, or the game's one window.
#include "game/TForm1.h"

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lettrisko"));
    QApplication::setOrganizationName(QStringLiteral("Kx"));
    QApplication::setApplicationVersion(QStringLiteral(LETTRISKO_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lettrisko.png")));
    loadGermanStockTexts(app);

    QApplication::setApplicationDisplayName(QStringLiteral("Lettrisko"));

    TForm1 form;
    QObject::connect(&form, &TForm1::terminateRequested, &app, [] { QCoreApplication::exit(0); });
    form.show();
    return app.exec();
}
