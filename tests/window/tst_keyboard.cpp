// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Typing as a keyboard does it: Shift pressed before a capital or a "!",
// presses that overlap when typing fast, a key still held when Return goes
// down, and Alt and Ctrl chords. The keys go through the window system, so
// they take the way real ones take: shortcuts first, then the focused control.
#include "about/TInfo.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TRadioGroup.h"
#include "controls/TStringGrid.h"
#include "net/NetworkSession.h"
#include "net/PeerLink.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/TypedKeys.h"
#include "window/TForm1.h"
#include "window/pages/WordPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLabel>
#include <QSpinBox>
#include <QTcpServer>
#include <QTimer>
#include <QTest>
#include <QWindow>

#include <memory>

class TestKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void wordEntry_data();
    void wordEntry();
    void guessing_data();
    void guessing();
    void tabReachesEverySetting_data();
    void tabReachesEverySetting();
    void namesCanBeTypedAtOnce();
    void desktopKeys_data();
    void desktopKeys();
    void wholeMatchByKeyboard();
    void pagesThatWait_data();
    void pagesThatWait();

private:
    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestKeyboard::init()
{
    m_fixture = std::make_unique<FormFixture>();
    m_form = &m_fixture->createActive();
}

void TestKeyboard::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

void TestKeyboard::wordEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("secretWord");

    QTest::newRow("capitals and punctuation") << "Na, so? Ja: \"Gut\"; los!{Return}"
                                              << "Na, so? Ja: \"Gut\"; los!" << "NA, SO? JA: \"GUT\"; LOS!";
    QTest::newRow("a key still held when Return goes down") << "hau{+s}{+Return}{-s}{-Return}"
                                                            << "haus" << "HAUS";
    QTest::newRow("Alt chords that no accelerator takes") << "ab{+Alt}1r{-Alt}c{Return}" << "abc" << "ABC";
    QTest::newRow("Ctrl chords") << "ab{+Ctrl}e{-Ctrl}c{Return}" << "abc" << "ABC";
}

// The word is typed into the word page and accepted with Return.
void TestKeyboard::wordEntry()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(QString, secretWord);

    // As set on the settings and players pages.
    m_form->ensurePage(TForm1::Settings);
    m_form->ensurePage(TForm1::Players);
    controlOf<QCheckBox>(m_form, "AcceptSentences")->setChecked(true);
    controlOf<QCheckBox>(m_form, "AcceptNumbers")->setChecked(true);
    controlOf<QLineEdit>(m_form, "Player1")->setText(QStringLiteral("Anna"));
    controlOf<QLineEdit>(m_form, "Player2")->setText(QStringLiteral("Bert"));
    controlOf<TKxBitBtn>(m_form, "PlayersOK")->click();
    QCOMPARE(QApplication::focusWidget(), controlOf<QLineEdit>(m_form, "Word"));

    typeKeys(m_form, keys);

    QCOMPARE(controlOf<QLineEdit>(m_form, "Word")->text(), text);
    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
    QCOMPARE(m_form->RoundState.SecretWord, secretWord);
}

void TestKeyboard::guessing_data()
{
    QTest::addColumn<bool>("sentences");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("sounds");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("mistakes");

    QTest::newRow("shifted capitals and punctuation")
        << true << "Gute Nacht, oder?" << "GUTE NACH,ODR?"
        << "RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG RICHTIG "
           "RICHTIG RICHTIG GEWONNEN"
        << 0 << 0;
    QTest::newRow("a shifted wrong guess and a repeat")
        << true << "Haus" << "X{+Shift}{+X}{-X}{-Shift}" << "FALSCH" << 1 << 1;
    QTest::newRow("overlapping presses") << true << "Haus" << "{+h}{+a}{-h}{-a}{+u}{+s}{-u}{-s}"
                                         << "RICHTIG RICHTIG RICHTIG RICHTIG GEWONNEN" << 0 << 0;
    QTest::newRow("Alt and Ctrl chords are no guesses")
        << true << "Haus" << "{+Alt}a{-Alt}{+Ctrl}s{-Ctrl}" << "" << 0 << 0;
    QTest::newRow("a blank in a sentence is a guess, the turn goes on")
        << true << "gute nacht" << "ux y" << "RICHTIG FALSCH RICHTIG FALSCH" << 0 << 2;
    QTest::newRow("a blank without sentences only beeps, the turn goes on")
        << false << "gutenacht" << "ux y" << "RICHTIG FALSCH FALSCH" << 1 << 2;
}

// The turn is started as a player starts it, with Return on "Beginnen!".
void TestKeyboard::guessing()
{
    QFETCH(bool, sentences);
    QFETCH(QString, word);
    QFETCH(QString, keys);
    QFETCH(QString, sounds);
    QFETCH(int, beeps);
    QFETCH(int, mistakes);

    m_form->ensurePage(TForm1::Settings);
    m_form->ensurePage(TForm1::Players);
    controlOf<QCheckBox>(m_form, "AcceptSentences")->setChecked(sentences);
    controlOf<QCheckBox>(m_form, "SetFirstLetter")->setChecked(false);
    controlOf<QLineEdit>(m_form, "Player1")->setText(QStringLiteral("Anna"));
    controlOf<QLineEdit>(m_form, "Player2")->setText(QStringLiteral("Bert"));
    controlOf<TKxBitBtn>(m_form, "PlayersOK")->click();
    controlOf<QLineEdit>(m_form, "Word")->setText(word);
    controlOf<TKxBitBtn>(m_form, "WordOK")->click();
    typeKeys(m_form, QStringLiteral("{Return}"));
    QVERIFY(m_form->RoundState.RoundRunning);
    m_fixture->sound().clear();

    typeKeys(m_form, keys);

    QCOMPARE(m_fixture->sound().played.join(QLatin1Char(' ')), sounds);
    QCOMPARE(m_fixture->sound().beeps, beeps);
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), mistakes);
}

void TestKeyboard::tabReachesEverySetting_data()
{
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("focusOrder");

    QTest::newRow("Tab") << "" << "{Tab}"
                         << QStringList{"Mistakes",        "NoLimit",       "NoSpecialChars", "SetFirstLetter",
                                        "CapitalLetters",  "AcceptSentences", "AcceptNumbers", "WonRounds",
                                        "PlaySounds",      "PropertiesOK",  "Rounds"};
    QTest::newRow("Tab, other choices") << "WholeWord FewMistakes" << "{Tab}"
                                        << QStringList{"Mistakes", "WholeWord", "TimeLimit", "NoSpecialChars"};
    QTest::newRow("Shift+Tab") << "" << "{+Shift}{Backtab}{-Shift}"
                               << QStringList{"PropertiesOK", "PlaySounds", "WonRounds", "AcceptNumbers"};
}

// Within a group of choices the arrow keys move, as usual; Tab enters it
// at the checked one.
void TestKeyboard::tabReachesEverySetting()
{
    QFETCH(QString, checked);
    QFETCH(QString, keys);
    QFETCH(QStringList, focusOrder);

    controlOf<TKxBitBtn>(m_form, "Properties")->click();
    for (const QString &name : checked.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        m_fixture->control<QAbstractButton>(name.toLatin1())->click();
    controlOf<QSpinBox>(m_form, "Rounds")->setFocus();
    QStringList seen;
    for (int i = 0; i < focusOrder.size(); ++i) {
        typeKeys(m_form, keys);
        seen << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    QCOMPARE(seen, focusOrder);
}

void TestKeyboard::namesCanBeTypedAtOnce()
{
    m_form->ensurePage(TForm1::Players);
    controlOf<QLineEdit>(m_form, "Player1")->setText(QString());
    controlOf<QLineEdit>(m_form, "Player2")->setText(QString());
    controlOf<TKxBitBtn>(m_form, "StartGame")->click();
    typeKeys(m_form, QStringLiteral("Anna{Tab}Bert{Return}"));
    QCOMPARE(controlOf<QLineEdit>(m_form, "Player1")->text(), QStringLiteral("Anna"));
    QCOMPARE(controlOf<QLineEdit>(m_form, "Player2")->text(), QStringLiteral("Bert"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
}

void TestKeyboard::desktopKeys_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("pageAfter");
    QTest::addColumn<QString>("dialog");

    QTest::newRow("Ctrl+N starts a game") << 0 << "{+Ctrl}n{-Ctrl}" << 2 << "";
    QTest::newRow("Ctrl+E opens the settings") << 0 << "{+Ctrl}e{-Ctrl}" << 1 << "";
    QTest::newRow("Ctrl+T opens the network page") << 0 << "{+Ctrl}t{-Ctrl}" << 6 << "";
    QTest::newRow("Ctrl+N elsewhere is no command and no text") << 3 << "ab{+Ctrl}n{-Ctrl}" << 3 << "";
    QTest::newRow("Ctrl+E in the word is the edit's own") << 3 << "ab{+Ctrl}e{-Ctrl}" << 3 << "";
    QTest::newRow("F1 from the word page") << 3 << "ab{F1}" << 3 << QString::fromUtf8("Info über Lettrisko v2.0");
    QTest::newRow("Ctrl+Q from the game page closes the window") << 4 << "{+Ctrl}q{-Ctrl}" << -1 << "";
}

// The start page's commands by the desktop's keys, while it shows; ending
// and the about dialog from every page. None of them types into a field.
void TestKeyboard::desktopKeys()
{
    QFETCH(int, page);
    QFETCH(QString, keys);
    QFETCH(int, pageAfter);
    QFETCH(QString, dialog);

    Info = new TInfo(m_form);
    m_form->showPage(TForm1::Page(page));
    if (page == TForm1::Word)
        controlOf<QLineEdit>(m_form, "Word")->setFocus();
    QString caption;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&caption] {
        if (QApplication::activeModalWidget() == Info) {
            caption = Info->windowTitle();
            Info->reject();
        }
    });
    answer.start(5);

    typeKeys(m_form, keys);

    if (pageAfter < 0)
        QTRY_VERIFY(!m_form->isVisible());
    else
        QTRY_COMPARE(m_form->currentPage(), pageAfter);
    QCOMPARE(caption, dialog);
    if (page == TForm1::Word)
        QCOMPARE(controlOf<QLineEdit>(m_form, "Word")->text(), QStringLiteral("ab"));
    delete Info;
    Info = nullptr;
}

// A whole match of one round from the start page to the winner and back,
// with the focus where Return has to act at each step.
void TestKeyboard::wholeMatchByKeyboard()
{
    m_form->applyNames({});

    typeKeys(m_form, QStringLiteral("{+Ctrl}e{-Ctrl}"));
    // The page and its controls come with the button's delayed click.
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::Settings));
    QTRY_COMPARE(QApplication::focusWidget(), controlOf<QSpinBox>(m_form, "Rounds"));
    typeKeys(m_form, QStringLiteral("1{Return}{+Ctrl}n{-Ctrl}"));
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::Players));
    typeKeys(m_form, QStringLiteral("Anna{Tab}Bert{Return}"));
    for (const QString &word : {QStringLiteral("Haus"), QStringLiteral("Ente")}) {
        QCOMPARE(QApplication::focusWidget(), controlOf<QLineEdit>(m_form, "Word"));
        typeKeys(m_form, word + QStringLiteral("{Return}"));
        QCOMPARE(m_form->currentPage(), int(TForm1::Game));
        QCOMPARE(QApplication::focusWidget(), controlOf<TKxBitBtn>(m_form, "GameStartGame"));
        typeKeys(m_form, QStringLiteral("{Return}x") + word.mid(1));
        QVERIFY(m_form->RoundState.RoundOver);
        QCOMPARE(QApplication::focusWidget(), controlOf<TKxBitBtn>(m_form, "GameOK"));
        typeKeys(m_form, QStringLiteral("{Return}"));
        QCOMPARE(m_form->currentPage(), int(TForm1::Statistics));
        typeKeys(m_form, QStringLiteral("{Return}"));
    }
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));
    QCOMPARE(controlOf<TStringGrid>(m_form, "Statistik")->Cells(2, 1), QStringLiteral("1"));
    QCOMPARE(controlOf<TStringGrid>(m_form, "Statistik")->Cells(3, 1), QStringLiteral("1"));
    QCOMPARE(controlOf<QLabel>(m_form, "WinnerLabel")->text(), QStringLiteral("Unentschieden! Beide Spieler haben ihr Bestes gegeben!"));
}

void TestKeyboard::pagesThatWait_data()
{
    QTest::addColumn<bool>("network");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("started");

    QTest::newRow("host: the page opens at the mode, Return in the nickname waits")
        << true << " {Tab}Anna{Return}" << true;
    QTest::newRow("host: Return and space while waiting press nothing") << true << " {Tab}Anna{Return}{Return} " << true;
    QTest::newRow("participant: the page opened again opens at the mode")
        << true << "{Tab}Anna{Esc}{+Ctrl}t{-Ctrl}{Down} {Tab}Bert{Tab}127.0.0.1{Return}{Return}" << true;
    QTest::newRow("participant: Return in the address connects")
        << true << "{Down} {Tab}Bert{Tab}127.0.0.1{Return}{Return}" << true;
    QTest::newRow("the word page while the peer types: Return and space press nothing") << false << "{Return} " << false;
}

// Pages whose inputs close while they wait for the peer: the focus does
// not pass to a button that a stray key would press, and the page stays.
void TestKeyboard::pagesThatWait()
{
    QFETCH(bool, network);
    QFETCH(QString, keys);
    QFETCH(bool, started);

    // The participant connects to a server of the test's own.
    QTcpServer host;
    QVERIFY(host.listen(QHostAddress::LocalHost));
    m_form->session().setPort(keys.contains(QLatin1String("{Down}")) ? host.serverPort() : 0);
    if (network) {
        controlOf<TKxBitBtn>(m_form, "IPGame")->click();
    } else {
        m_form->applyNames({QStringLiteral("Anna"), QStringLiteral("Bert")});
        m_form->ensurePage(TForm1::Players);
        controlOf<TKxBitBtn>(m_form, "PlayersOK")->click();
        m_form->findChild<WordPage *>()->showWordEntry(WordPage::WordEntry::PeerTypes, QStringLiteral("Anna"), QStringLiteral("Bert"));
    }
    const int opened = m_form->currentPage();

    typeKeys(m_form, keys);

    QCOMPARE(m_form->currentPage(), opened);
    // Nothing started: the network page, when it comes, offers both modes.
    m_form->ensurePage(TForm1::Network);
    QCOMPARE(!controlOf<TRadioGroup>(m_form, "RadioGroup_ConnectionMode")->isEnabled(), started);
    m_form->match().setNetworkGame(false, m_form->RoundState.IsHost);
}

GAME_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
