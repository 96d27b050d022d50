// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's frame: pages and their moves, hover buttons, the
// decorative pictures, minimising during a turn, the key preview, and the
// visual-style component's placement checks.
#include "about/TInfo.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TWinXP.h"
#include "net/NetworkSession.h"
#include "net/PeerLink.h"
#include "game/GameSettings.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/RecordingSound.h"
#include "window/TForm1.h"

#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QKeySequence>
#include <QTest>
#include <QTimer>

#include <memory>
#include <stdexcept>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowFrame();
    void startPageMoves_data();
    void startPageMoves();
    void everyButtonHovers_data();
    void everyButtonHovers();
    void focusedButtonIsFramed_data();
    void focusedButtonIsFramed();
    void readableOnADarkPalette_data();
    void readableOnADarkPalette();
    void controlsAreNamedForReaders_data();
    void controlsAreNamedForReaders();
    void decorativePicturesAreOnePicture();
    void restoreResumesOnlyATimedTurn_data();
    void restoreResumesOnlyATimedTurn();
    void enterAndEscPressPageButtons_data();
    void enterAndEscPressPageButtons();
    void typedCharactersStillReachTheControl();
    void eachTypedCharacterIsPreviewedOnce_data();
    void eachTypedCharacterIsPreviewedOnce();
    void terminateAsksTheApplicationToEnd();
    void makersLogoOpensTheAboutDialog();
    void winXPPlacement_data();
    void winXPPlacement();

private:
    TKxBitBtn *button(const char *name) const { return m_fixture->control<TKxBitBtn>(name); }

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestMainWindow::init()
{
    m_fixture = std::make_unique<FormFixture>();
    m_form = &m_fixture->createShown();
    // The tests reach into every page's controls.
    m_fixture->buildAllPages();
}

void TestMainWindow::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

void TestMainWindow::windowFrame()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Lettrisko"));
    QCOMPARE(m_form->size(), QSize(792, 569));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_form->windowFlags() & Qt::WindowMinimizeButtonHint);

    auto *pages = m_form->findChild<QStackedWidget *>(QStringLiteral("MainSites"));
    QVERIFY(pages);
    // The design's seven pages and the page of playing alone.
    QCOMPARE(pages->count(), 8);
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->geometry(), QRect(0, 0, 792, 569));

    auto *timer = m_form->findChild<QTimer *>(QStringLiteral("Timer"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(!timer->isActive());

    QCOMPARE(button("Properties")->geometry(), QRect(16, 376, 217, 41));
    QCOMPARE(button("Terminate")->geometry(), QRect(16, 520, 217, 41));
    QCOMPARE(button("Properties")->focusPolicy(), Qt::NoFocus);
}

void TestMainWindow::startPageMoves_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("networkGame");

    QTest::newRow("Einstellungen") << "Properties" << 1 << false;
    QTest::newRow("Spiel starten!") << "StartGame" << 2 << false;
    QTest::newRow("TCP/IP-Spiel starten") << "IPGame" << 6 << true;
}

void TestMainWindow::startPageMoves()
{
    QFETCH(QString, buttonName);
    QFETCH(int, page);
    QFETCH(bool, networkGame);

    QTest::mouseClick(m_form->findChild<TKxBitBtn *>(buttonName), Qt::LeftButton);
    QCOMPARE(m_form->currentPage(), page);
    QCOMPARE(m_form->RoundState.NetworkGame, networkGame);
    if (networkGame)
        QCOMPARE(m_form->session().phase(), NetPhase::Connecting);
}

void TestMainWindow::everyButtonHovers_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Properties", "StartGame", "Terminate", "IPGame", "PropertiesOK", "PlayersCancel",
                             "PlayersOK", "WordOK", "WordCancel", "GameStartGame", "GameOK", "StatistikOK",
                             "Button_IPSettings", "Button_HostStart", "Button_IPCancel", "Button_ClientStart",
                             "Button_Troubleshooting", "SoloGame", "Hint", "StatistikCancel", "SoloCancel", "SoloOK",
                             "GiveUp", "SoloOwnWords"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestMainWindow::everyButtonHovers()
{
    QFETCH(QString, name);
    QCOMPARE(m_form->findChildren<TKxBitBtn *>().size(), 24);

    auto *hover = m_form->findChild<TKxBitBtn *>(name);
    QVERIFY(hover);
    QCOMPARE(hover->cursor().shape(), Qt::PointingHandCursor);
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    QCOMPARE(hover->captionColor(), windowText);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(hover, &enter);
    QCOMPARE(hover->captionColor(), QColor(255, 0, 0));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(hover, &leave);
    QCOMPARE(hover->captionColor(), windowText);
}

void TestMainWindow::controlsAreNamedForReaders_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    // Read out after the name where given: the tooltip with the key.
    QTest::addColumn<QString>("description");

    QTest::newRow("logo") << "Firm" << QString::fromUtf8("Info über Lettrisko") << QString();
    QTest::newRow("the title picture") << "PLogo" << "Lettrisko" << QString();
    QTest::newRow("time limit") << "TimeLimit" << "Zeitbegrenzung in Sekunden" << QString();
    QTest::newRow("word") << "WordPaintBox" << "Wort" << QString();
    QTest::newRow("time") << "Time" << "verbleibende Zeit in Sekunden" << QString();
    QTest::newRow("mistakes") << "curMistakes" << "Fehleranzahl" << QString();
    QTest::newRow("maximum") << "MaxMistakes" << "maximale Fehleranzahl" << QString();
    QTest::newRow("wrong guesses") << "CharList" << "geratene, nicht vorkommende Buchstaben" << QString();
    QTest::newRow("statistics") << "Statistik" << "Statistik" << QString();
    QTest::newRow("alone, with its key") << "SoloGame" << "Allein spielen"
                                         << QStringLiteral("Allein gegen den Computer spielen (%1)")
                                                .arg(QKeySequence(Qt::CTRL | Qt::Key_A).toString(QKeySequence::NativeText));
}

void TestMainWindow::controlsAreNamedForReaders()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    // The grid shares its name with its page, which holds it.
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(m_form->findChildren<QWidget *>(control).last());
    QCOMPARE(reader->text(QAccessible::Name), name);
    QFETCH(QString, description);
    if (!description.isEmpty())
        QCOMPARE(reader->text(QAccessible::Description), description);
}

void TestMainWindow::focusedButtonIsFramed_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("framed");
    QTest::addColumn<bool>("lit");
    QTest::addColumn<QString>("focusElsewhere");
    QTest::addColumn<QString>("focusThere");

    QTest::newRow("normal look") << int(TForm1::Game) << "GameStartGame" << false << "" << "GameStartGame";
    QTest::newRow("lit by the pointer") << int(TForm1::Game) << "GameStartGame" << true << "" << "GameStartGame";
    QTest::newRow("the default button while the word is typed")
        << int(TForm1::Word) << "WordOK" << false << "WordCancel" << "Word";
}

// The button that Return presses shows it at a glance: a frame in the
// highlight colour along its whole width, not a pixel's change of colour.
// It is the focused button, or the page's default one while the focus is
// on no button.
void TestMainWindow::focusedButtonIsFramed()
{
    QFETCH(int, page);
    QFETCH(QString, framed);
    QFETCH(bool, lit);
    QFETCH(QString, focusElsewhere);
    QFETCH(QString, focusThere);

    m_form->showPage(TForm1::Page(page));
    m_form->activateWindow();
    TKxBitBtn *target = m_form->findChild<TKxBitBtn *>(framed);
    if (lit)
        m_form->BitBtnMouseEnter(target);
    // Pixels of the highlight colour along a line across the button's top.
    const auto highlighted = [target] {
        const QImage picture = target->grab().toImage();
        const QColor highlight = target->palette().color(QPalette::Active, QPalette::Highlight);
        int count = 0;
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixelColor(x, 5) == highlight;
        return count;
    };

    if (focusElsewhere.isEmpty()) {
        target->clearFocus();
    } else {
        m_form->findChild<QWidget *>(focusElsewhere)->setFocus();
        QTRY_VERIFY(!target->hasFocus() && QApplication::focusWidget());
    }
    QCOMPARE(highlighted(), 0);
    auto *there = m_form->findChild<QWidget *>(focusThere);
    there->setFocus();
    QTRY_VERIFY(there->hasFocus());
    QVERIFY2(highlighted() > target->width() * 3 / 4, qPrintable(QString::number(highlighted())));
}

namespace {

// A dark desktop palette as the desktop hands it over while the game runs.
QPalette darkPalette()
{
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(42, 46, 50));
    dark.setColor(QPalette::WindowText, QColor(252, 252, 252));
    dark.setColor(QPalette::Button, QColor(49, 54, 59));
    dark.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    return dark;
}

// Opaque grey pixels as dark as black ink.
int blackInk(const QPixmap &picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.alpha() > 200 && pixel.hslSaturation() < 30 && pixel.lightness() < 80;
        }
    return count;
}

} // namespace

void TestMainWindow::readableOnADarkPalette_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("a button's caption, unlit and lit") << "StartGame";
    QTest::newRow("the figure on the pages") << "Logo3";
    QTest::newRow("the word on the start page") << "PLogo";
}

// The palette turns dark while the game runs: captions and drawings follow.
void TestMainWindow::readableOnADarkPalette()
{
    QFETCH(QString, control);
    auto *button = m_form->findChild<TKxBitBtn *>(control);
    auto *picture = m_form->findChild<TImage *>(control);
    if (picture)
        QVERIFY(blackInk(picture->pixmap()) > 100);

    struct PaletteRestorer
    {
        QPalette light = QApplication::palette();
        ~PaletteRestorer() { QApplication::setPalette(light); }
    } restorer;
    const QColor caption = darkPalette().color(QPalette::ButtonText);
    QApplication::setPalette(darkPalette());
    if (button) {
        QTRY_COMPARE(button->captionColor(), caption);
        m_form->BitBtnMouseEnter(button);
        QCOMPARE(button->captionColor(), QColor(255, 0, 0));
        m_form->BitBtnMouseLeave(button);
        QCOMPARE(button->captionColor(), caption);
    } else {
        QTRY_COMPARE(blackInk(picture->pixmap()), 0);
    }
}

void TestMainWindow::decorativePicturesAreOnePicture()
{
    QVERIFY(!controlOf<TImage>(m_form, "Logo1")->picture().isNull());
    // Same pixels; the copy need not carry the file's colour space.
    const auto samePicture = [](TImage *a, TImage *b) {
        const QImage left = a->picture().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage right = b->picture().toImage().convertToFormat(QImage::Format_ARGB32);
        if (left.size() != right.size())
            return false;
        for (int y = 0; y < left.height(); ++y)
            for (int x = 0; x < left.width(); ++x)
                if (left.pixel(x, y) != right.pixel(x, y))
                    return false;
        return true;
    };
    for (const char *name : {"Logo2", "Logo3", "Logo4", "Logo5", "Logo6"})
        QVERIFY2(samePicture(controlOf<TImage>(m_form, name), controlOf<TImage>(m_form, "Logo1")), name);
}

void TestMainWindow::restoreResumesOnlyATimedTurn_data()
{
    QTest::addColumn<bool>("roundRunning");
    QTest::addColumn<bool>("timeLimit");
    QTest::addColumn<bool>("runsAfterRestore");

    QTest::newRow("timed turn") << true << true << true;
    QTest::newRow("turn without limit") << true << false << false;
    QTest::newRow("no turn, limit chosen") << false << true << false;
    QTest::newRow("nothing") << false << false << false;
}

void TestMainWindow::restoreResumesOnlyATimedTurn()
{
    QFETCH(bool, roundRunning);
    QFETCH(bool, timeLimit);
    QFETCH(bool, runsAfterRestore);

    GameSettings settings;
    if (timeLimit)
        settings.TimeLimit = TimeLimitMode::WholeWord;
    m_form->startMatch(settings, {QStringLiteral("Anna"), QStringLiteral("Bert")});
    QVERIFY(m_form->keyboard()->setWord(QStringLiteral("HAUS")).accepted());
    if (roundRunning)
        controlOf<TKxBitBtn>(m_form, "GameStartGame")->click();
    QCOMPARE(m_form->match().clock()->isActive(), roundRunning && timeLimit);

    m_form->setWindowState(Qt::WindowMinimized);
    QVERIFY(!m_form->match().clock()->isActive());

    m_form->setWindowState(Qt::WindowNoState);
    QCOMPARE(m_form->match().clock()->isActive(), runsAfterRestore);
}

void TestMainWindow::enterAndEscPressPageButtons_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("pageAfter");

    QTest::newRow("Enter on the settings") << 1 << int(Qt::Key_Return) << 0;
    QTest::newRow("keypad Enter on the settings") << 1 << int(Qt::Key_Enter) << 0;
    QTest::newRow("Esc on the settings has no cancel") << 1 << int(Qt::Key_Escape) << 1;
    QTest::newRow("Esc on the players") << 2 << int(Qt::Key_Escape) << 0;
    QTest::newRow("Esc on the word page") << 3 << int(Qt::Key_Escape) << 0;
    QTest::newRow("Enter on the start page does nothing") << 0 << int(Qt::Key_Return) << 0;
}

void TestMainWindow::enterAndEscPressPageButtons()
{
    QFETCH(int, page);
    QFETCH(int, key);
    QFETCH(int, pageAfter);

    m_form->showPage(TForm1::Page(page));
    m_form->activateWindow();
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : m_form;
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(m_form->currentPage(), pageAfter);
}

void TestMainWindow::typedCharactersStillReachTheControl()
{
    m_form->showPage(TForm1::Word);
    m_form->activateWindow();
    controlOf<QLineEdit>(m_form, "Word")->setFocus();
    QTest::keyClicks(controlOf<QLineEdit>(m_form, "Word"), QStringLiteral("Haus"));
    QCOMPARE(controlOf<QLineEdit>(m_form, "Word")->text(), QStringLiteral("Haus"));

    // Alt+W is the label's accelerator, not a character.
    controlOf<QLineEdit>(m_form, "Player1")->setFocus();
    m_form->showPage(TForm1::Word);
    QTest::keyClick(m_form, Qt::Key_W, Qt::AltModifier);
    QCOMPARE(controlOf<QLineEdit>(m_form, "Word")->text(), QStringLiteral("Haus"));
}

void TestMainWindow::eachTypedCharacterIsPreviewedOnce_data()
{
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("mistakes");

    // A control that ignores a key passes it on to its parents.
    QTest::newRow("wrong letter, paint box") << "WordPaintBox" << "x" << 0 << 1;
    QTest::newRow("wrong letter, window") << "Form1" << "x" << 0 << 1;
    QTest::newRow("wrong letter, list") << "CharList" << "q" << 0 << 1;
    QTest::newRow("digit, paint box") << "WordPaintBox" << "1" << 1 << 0;
    QTest::newRow("two keys, paint box") << "WordPaintBox" << "12" << 2 << 0;
    QTest::newRow("emoji, paint box") << "WordPaintBox" << QString::fromUtf8("\xF0\x9F\x98\x80") << 1 << 0;
}

void TestMainWindow::eachTypedCharacterIsPreviewedOnce()
{
    QFETCH(QString, receiver);
    QFETCH(QString, typed);
    QFETCH(int, beeps);
    QFETCH(int, mistakes);

    m_form->startMatch(GameSettings(), {QStringLiteral("Anna"), QStringLiteral("Bert")});
    QVERIFY(m_form->keyboard()->setWord(QStringLiteral("HAUS")).accepted());
    controlOf<TKxBitBtn>(m_form, "GameStartGame")->click();

    QWidget *target = receiver == QLatin1String("Form1") ? m_form : m_fixture->control<QWidget>(receiver.toLatin1());
    m_fixture->sound().clear();
    if (QChar::isHighSurrogate(typed.at(0).unicode())) {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, typed, Qt::NoModifier);
    } else {
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QCOMPARE(m_fixture->sound().beeps, beeps);
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), mistakes);
}

void TestMainWindow::terminateAsksTheApplicationToEnd()
{
    QSignalSpy spy(m_form, &TForm1::terminateRequested);
    QTest::mouseClick(button("Terminate"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void TestMainWindow::makersLogoOpensTheAboutDialog()
{
    // The about dialog exists before the window is first shown.
    m_fixture->destroy();
    m_form = &m_fixture->create();
    Info = new TInfo(m_form);
    m_fixture->show();

    QVERIFY(!controlOf<TImage>(m_form, "Firm")->picture().isNull());
    QCOMPARE(controlOf<TImage>(m_form, "Firm")->picture().size(), Info->logoPicture().size());
    QCOMPARE(controlOf<TImage>(m_form, "Firm")->cursor().shape(), Qt::PointingHandCursor);

    // The dialog runs its own loop; it is answered from a timer.
    QString caption;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&caption] {
        if (QApplication::activeModalWidget() != Info || !Info->isVisible())
            return;
        caption = Info->windowTitle();
        QTest::keyClick(Info, Qt::Key_Escape);
    });
    answer.start(5);
    QTest::mouseClick(controlOf<TImage>(m_form, "Firm"), Qt::LeftButton);
    answer.stop();
    QCOMPARE(caption, QStringLiteral("Info über Lettrisko v2.0"));
    QVERIFY(!Info->isVisible());
}

void TestMainWindow::winXPPlacement_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("message");

    QTest::newRow("second on the main window") << "form" << "Only one instance of TWinXP allowed on form";
    QTest::newRow("on a control") << "control" << "Control parent must be a form!";
    QTest::newRow("on a plain component") << "component" << "Control parent must be a form!";
    QTest::newRow("without owner") << "none" << "Control parent must be a form!";
}

void TestMainWindow::winXPPlacement()
{
    QFETCH(QString, owner);
    QFETCH(QString, message);

    QObject component;
    QObject *target = nullptr;
    if (owner == QLatin1String("form"))
        target = m_form;
    else if (owner == QLatin1String("control"))
        target = controlOf<QLineEdit>(m_form, "Word");
    else if (owner == QLatin1String("component"))
        target = &component;

    const int before = m_form->findChildren<TWinXP *>().size();
    QCOMPARE(before, 1);
    try {
        TWinXP extra(target);
        QFAIL("the placement was accepted");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromLatin1(error.what()), message);
    }
    // A failed construction leaves nothing behind.
    QCOMPARE(m_form->findChildren<TWinXP *>().size(), before);

    // A window of its own takes one.
    QWidget window;
    TWinXP first(&window);
    QCOMPARE(window.findChildren<TWinXP *>().size(), 1);
}

GAME_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
