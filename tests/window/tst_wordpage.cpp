// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The word page: the setter's word checked against the character rules,
// folded to capitals, and the turn laid out on the game page.
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/TypedKeys.h"
#include "support/ModalBoxAnswerer.h"
#include "window/TForm1.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

const QString kTwoDistinct = QStringLiteral("Das Wort muss aus mindestens zwei verschiedenen Buchstaben bestehen, "
                                            "da der erste Buchstabe des Wortes dem Spieler vorgegeben wird.");
const QString kRefused = QString::fromUtf8("Diese Zeichen sind unzulässig: ");


} // namespace

class TestWordPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void wordRules_data();
    void wordRules();
    void refusedWordCanBeCorrected();
    void turnPreparedOnTheGamePage_data();
    void turnPreparedOnTheGamePage();
    void acceleratorFocusesTheWord();
    void cancelAbandonsTheMatch();

private:
    // A match between Anna and Berta with these settings file lines, on
    // the word page.
    void startMatch(const QByteArray &properties);
    // The turn is played to its end, and the next awaits its word.
    void playTurn();
    template<typename T>
    T *control(const char *name) const
    {
        return m_fixture->control<T>(name);
    }

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestWordPage::init()
{
    m_fixture = std::make_unique<FormFixture>();
}

void TestWordPage::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

void TestWordPage::startMatch(const QByteArray &properties)
{
    m_fixture->writeSettingsFile("[Properties]\r\n" + properties + "[Names]\r\nPlayer1=Anna\r\nPlayer2=Berta\r\n");
    m_form = &m_fixture->createActive();
    // The tests reach into every page's controls.
    m_fixture->buildAllPages();

    QTest::mouseClick(control<TKxBitBtn>("StartGame"), Qt::LeftButton);
    QTest::mouseClick(control<TKxBitBtn>("PlayersOK"), Qt::LeftButton);
    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
}

void TestWordPage::playTurn()
{
    QVERIFY(m_form->keyboard()->setWord(QStringLiteral("AB")).accepted());
    QVERIFY(m_form->keyboard()->startTurn());
    m_form->keyboard()->guess(QLatin1Char('B'));
    QVERIFY(m_form->match().nextTurn());
}

void TestWordPage::wordRules_data()
{
    QTest::addColumn<QByteArray>("properties");
    QTest::addColumn<QString>("typed");
    // Empty when the word is accepted.
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    // The secret word of an accepted turn.
    QTest::addColumn<QString>("secret");

    const QByteArray umlauts = "NoSpecialChars=0\r\n";
    const QByteArray sentences = "AcceptSentences=1\r\n";
    const QString refused = QString::fromUtf8("Unzulässige Zeichen");
    auto u = [](const char *utf8) { return QString::fromUtf8(utf8); };

    QTest::newRow("haus") << QByteArray() << "haus" << "" << "" << "HAUS";
    QTest::newRow("empty") << QByteArray() << "" << "Fehler" << "Gib ein Wort ein." << "";
    QTest::newRow("Straße") << QByteArray() << u("Straße") << refused << kRefused + u("ß") << "";
    QTest::newRow("Müll") << QByteArray() << u("Müll") << refused << kRefused + u("ü") << "";
    QTest::newRow("Straße, all letters") << QByteArray("NoSpecialChars=0\r\nCapitalLetters=0\r\n") << u("Straße") << "" << "" << u("Straße");
    QTest::newRow("müll, umlauts in capitals") << umlauts << u("müll") << "" << "" << u("MÜLL");
    QTest::newRow("Straße, umlauts in capitals") << umlauts << u("Straße") << refused << kRefused + u("ß") << "";
    QTest::newRow("Hallo Welt") << QByteArray() << "Hallo Welt" << refused << kRefused + " " << "";
    QTest::newRow("Gute Nacht!") << sentences << "Gute Nacht!" << "" << "" << "GUTE NACHT!";
    QTest::newRow("aaa") << QByteArray() << "aaa" << "Fehler" << kTwoDistinct << "";
    QTest::newRow("Aa") << QByteArray() << "Aa" << "Fehler" << kTwoDistinct << "";
    QTest::newRow("A! passes the two-letter rule") << sentences << "A!" << "" << "" << "A!";
    QTest::newRow("A without first letter") << QByteArray("SetFirstLetter=0\r\n") << "A" << "" << "" << "A";
    QTest::newRow("two-letter rule comes before the characters") << QByteArray() << "11" << "Fehler" << kTwoDistinct << "";
    QTest::newRow("x1x2") << QByteArray() << "x1x2" << refused << kRefused + "1; 2" << "";
    QTest::newRow("x1x2 with numbers") << QByteArray("AcceptNumbers=1\r\n") << "x1x2" << "" << "" << "X1X2";
    QTest::newRow("emoji") << QByteArray() << u("Hi😀") << refused << kRefused + u("😀") << "";
    QTest::newRow("l with stroke") << QByteArray() << u("Łódź") << refused << kRefused + u("Ł; ó; ź") << "";
    const QString longest = QStringLiteral("ab").repeated(30);
    QTest::newRow("the longest word") << QByteArray() << longest << "" << "" << longest.toUpper();
    QTest::newRow("a character past the longest word") << QByteArray() << longest + "c" << "" << "" << longest.toUpper();
}

void TestWordPage::wordRules()
{
    QFETCH(QByteArray, properties);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, secret);

    startMatch(properties);
    auto *word = control<QLineEdit>("Word");
    m_fixture->sound().clear();
    typeKeys(word, typed);
    // The edit takes no more than the longest word, and beeps at each
    // character past it.
    QCOMPARE(m_fixture->sound().beeps, qMax(0, int(typed.size()) - 60));
    typed.truncate(60);
    QCOMPARE(word->text(), typed);

    ModalBoxAnswerer answerer;
    QTest::keyClick(word, Qt::Key_Return);

    if (title.isEmpty()) {
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(m_form->currentPage(), int(TForm1::Game));
        QCOMPARE(m_form->RoundState.SecretWord, secret);
    } else {
        QTRY_COMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().title, title);
        QCOMPARE(answerer.last().text, message);
        QCOMPARE(answerer.last().icon, QMessageBox::Warning);
        QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    }
    // The word stays as typed either way.
    QCOMPARE(word->text(), typed);
}

void TestWordPage::refusedWordCanBeCorrected()
{
    startMatch(QByteArray());
    playTurn();
    auto *word = control<QLineEdit>("Word");
    typeKeys(word, QString::fromUtf8("Bär"));

    ModalBoxAnswerer answerer;
    QTest::keyClick(word, Qt::Key_Return);
    QTRY_COMPARE(answerer.count(), 1);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    QCOMPARE(word->text(), QString::fromUtf8("Bär"));
    QVERIFY(m_form->RoundState.RoundOver);

    QTest::keyClick(word, Qt::Key_Backspace);
    QTest::keyClick(word, Qt::Key_Backspace);
    typeKeys(word, QStringLiteral("ar"));
    QTest::keyClick(word, Qt::Key_Return);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
    QCOMPARE(m_form->RoundState.SecretWord, QStringLiteral("BAR"));
    QVERIFY(!m_form->RoundState.RoundOver);
}

void TestWordPage::turnPreparedOnTheGamePage_data()
{
    QTest::addColumn<QByteArray>("properties");
    QTest::addColumn<int>("guessingPlayer");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<bool>("timed");
    QTest::addColumn<int>("seconds");

    QTest::newRow("no limit, Berta guesses") << QByteArray("Mistakes=7\r\n") << 1 << "Berta, errate dieses Wort:" << false << 30;
    QTest::newRow("per letter, Anna guesses") << QByteArray("TimeLimit=1\r\nTimeLimitValue=45\r\n") << 0
                                              << "Anna, errate dieses Wort:" << true << 45;
    QTest::newRow("whole word") << QByteArray("TimeLimit=2\r\nTimeLimitValue=600\r\nMistakes=0\r\n") << 1
                                << "Berta, errate dieses Wort:" << true << 600;
}

void TestWordPage::turnPreparedOnTheGamePage()
{
    QFETCH(QByteArray, properties);
    QFETCH(int, guessingPlayer);
    QFETCH(QString, banner);
    QFETCH(bool, timed);
    QFETCH(int, seconds);

    startMatch(properties);
    for (int turn = 0; turn <= guessingPlayer; ++turn)
        playTurn();
    // What the previous turn left behind.
    auto *mistakes = control<TKxDigit>("curMistakes");
    mistakes->setValue(5);
    control<QListWidget>("CharList")->addItems({QStringLiteral("X"), QStringLiteral("Q")});
    control<TKxBitBtn>("GameStartGame")->hide();
    control<TKxBitBtn>("GameOK")->show();

    auto *word = control<QLineEdit>("Word");
    typeKeys(word, QStringLiteral("Lettern"));
    QTest::mouseClick(control<TKxBitBtn>("WordOK"), Qt::LeftButton);

    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
    QCOMPARE(control<QLabel>("WordGuessingInfo")->text(), banner);
    QCOMPARE(double(mistakes->Value()), 0.0);
    QCOMPARE(double(control<TKxDigit>("MaxMistakes")->Value()), double(control<QSpinBox>("Mistakes")->value()));
    QVERIFY(!m_form->RoundState.RoundOver);
    QVERIFY(!m_form->RoundState.RoundRunning);
    QCOMPARE(control<QLabel>("TimeLabel")->isVisible(), timed);
    QCOMPARE(control<TKxDigit>("Time")->isVisible(), timed);
    QCOMPARE(double(control<TKxDigit>("Time")->Value()), double(seconds));
    QCOMPARE(control<QListWidget>("CharList")->count(), 0);
    QVERIFY(control<TKxBitBtn>("GameStartGame")->isVisible());
    QVERIFY(!control<TKxBitBtn>("GameOK")->isVisible());
    QCOMPARE(word->text(), QStringLiteral("Lettern"));
    QVERIFY(m_form->RoundState.AllowedChars.contains(QLatin1Char('Z')));
    QVERIFY(!m_form->RoundState.AllowedChars.contains(QLatin1Char('z')));
}

void TestWordPage::acceleratorFocusesTheWord()
{
    startMatch(QByteArray());
    control<TKxBitBtn>("WordCancel")->setFocus();
    QTRY_VERIFY(QApplication::focusWidget() != control<QLineEdit>("Word"));
    QTest::keyClick(m_form, Qt::Key_W, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>("Word"));
}

void TestWordPage::cancelAbandonsTheMatch()
{
    startMatch(QByteArray());
    typeKeys(control<QLineEdit>("Word"), QStringLiteral("Haus"));
    ModalBoxAnswerer answerer;
    QTest::keyClick(control<QLineEdit>("Word"), Qt::Key_Escape);
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(m_form->RoundState.RoundNumber, 1u);
}

GAME_TEST_MAIN(TestWordPage)
#include "tst_wordpage.moc"
