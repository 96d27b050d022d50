// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The game page through the real window: starting a turn, typed guesses,
// the countdown, the end of a turn and the drawn word.
#include "controls/TGallows.h"
#include "controls/TKxBitBtn.h"
#include "controls/TLetterPad.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "game/GameSettings.h"
#include "game/WordRules.h"
#include "net/PeerLink.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/TypedKeys.h"
#include "window/TForm1.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

enum TimeMode { NoTimeLimit, PerGuess, WholeTurn };

struct Turn
{
    QString word;
    int maxMistakes = 9;
    TimeMode timeMode = NoTimeLimit;
    int timeLimit = 30;
    bool firstLetter = true;
    WordRules::CharacterOptions characters;
};

} // namespace

Q_DECLARE_METATYPE(TimeMode)

class TestGamePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startOfGuessing_data();
    void startOfGuessing();
    void typedGuesses_data();
    void typedGuesses();
    void wrongGuessesInOneScrollingRow_data();
    void wrongGuessesInOneScrollingRow();
    void setterCannotGuessOnOwnKeyboard();
    void soundsOffPlaysNothing();
    void perGuessLimitResetsOnlyOnNewGuesses();
    void noTimeLimitNeverStartsTheTimer();
    void countdownLosesTheTurn_data();
    void countdownLosesTheTurn();
    void timerTicksReachTheCountdown();
    void minimiseStopsTheCountdown();
    void readersFollowTheTurn_data();
    void readersFollowTheTurn();
    void drawnWord_data();
    void drawnWord();
    void paintBoxEmptyBeforeStart();
    void pageStates_data();
    void pageStates();
    void giveUpAsksFirst_data();
    void giveUpAsksFirst();

private:
    TKxBitBtn *button(const char *name) const { return m_fixture->control<TKxBitBtn>(name); }
    // A match of these settings whose first word has just been accepted.
    void prepare(const Turn &turn);
    void begin();

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestGamePage::init()
{
    m_fixture = std::make_unique<FormFixture>();
    m_form = &m_fixture->createShown();
    // The tests reach into every page's controls.
    m_fixture->buildAllPages();
}

void TestGamePage::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

void TestGamePage::prepare(const Turn &turn)
{
    GameSettings settings = m_form->currentSettings();
    settings.Mistakes = turn.maxMistakes;
    settings.TimeLimit = turn.timeMode == NoTimeLimit ? TimeLimitMode::NoLimit
                         : turn.timeMode == PerGuess  ? TimeLimitMode::PerLetter
                                                      : TimeLimitMode::WholeWord;
    settings.TimeLimitValue = turn.timeLimit;
    settings.SetFirstLetter = turn.firstLetter;
    settings.NoSpecialChars = turn.characters.noSpecialChars;
    settings.CapitalLetters = turn.characters.capitalLetters;
    settings.AcceptSentences = turn.characters.acceptSentences;
    settings.AcceptNumbers = turn.characters.acceptNumbers;
    m_form->startMatch(settings, {QStringLiteral("Anna"), QStringLiteral("Bert")});
    QVERIFY(m_form->keyboard()->setWord(turn.word).accepted());
    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
}

void TestGamePage::begin()
{
    QTest::mouseClick(button("GameStartGame"), Qt::LeftButton);
    QVERIFY(m_form->RoundState.RoundRunning || m_form->RoundState.RoundOver);
}

void TestGamePage::startOfGuessing_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("firstLetter");
    QTest::addColumn<bool>("capitalsOnly");
    QTest::addColumn<QString>("guessed");

    QTest::newRow("HAUS with the first letter") << "HAUS" << true << true << "H";
    QTest::newRow("ANNA reveals both A") << "ANNA" << true << true << "A";
    QTest::newRow("lower-case first letter counts as its capital") << "haus" << true << false << "H";
    QTest::newRow("without the first letter") << "HAUS" << false << true << "";
}

void TestGamePage::startOfGuessing()
{
    QFETCH(QString, word);
    QFETCH(bool, firstLetter);
    QFETCH(bool, capitalsOnly);
    QFETCH(QString, guessed);

    for (const bool soundsOn : {true, false}) {
        Turn turn;
        turn.word = word;
        turn.firstLetter = firstLetter;
        turn.characters.capitalLetters = capitalsOnly;
        prepare(turn);
        controlOf<QCheckBox>(m_form, "PlaySounds")->setChecked(soundsOn);
        m_fixture->sound().clear();

        begin();

        CharSet expected;
        for (const QChar c : guessed)
            expected.insert(c);
        QVERIFY(m_form->RoundState.GuessedChars == expected);
        QVERIFY(m_form->RoundState.RoundRunning);
        QVERIFY(!m_form->RoundState.RoundOver);
        QVERIFY(controlOf<TKxBitBtn>(m_form, "GameStartGame")->isHidden());
        QVERIFY(controlOf<TKxBitBtn>(m_form, "GameOK")->isHidden());
        QCOMPARE(controlOf<TKxDigit>(m_form, "curMistakes")->Value(), 0.0L);
        QCOMPARE(controlOf<QListWidget>(m_form, "CharList")->count(), 0);
        // The given letter makes no sound, and the sound setting survives it.
        QCOMPARE(m_fixture->sound().played, QStringList());
        QCOMPARE(m_fixture->sound().beeps, 0);
        QCOMPARE(controlOf<QCheckBox>(m_form, "PlaySounds")->isChecked(), soundsOn);
        m_form->keyboard()->leave();
    }
}

void TestGamePage::typedGuesses_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("maxMistakes");
    QTest::addColumn<bool>("umlauts");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("mistakes");
    QTest::addColumn<QString>("wrongList");
    QTest::addColumn<bool>("over");

    const QString R = QStringLiteral("RICHTIG"), F = QStringLiteral("FALSCH"),
                  L = QStringLiteral("VERLOREN"), W = QStringLiteral("GEWONNEN");

    QTest::newRow("ANNA won by one guess") << "ANNA" << 9 << false << "n" << QStringList{R, W} << 0 << 0 << "" << true;
    QTest::newRow("right guess, word incomplete") << "HAUS" << 9 << false << "a" << QStringList{R} << 0 << 0 << "" << false;
    QTest::newRow("repeated key only beeps") << "HAUS" << 9 << false << "aa" << QStringList{R} << 1 << 0 << "" << false;
    QTest::newRow("a and A are one guess") << "HAUS" << 9 << false << "aA" << QStringList{R} << 1 << 0 << "" << false;
    QTest::newRow("the given first letter again beeps") << "HAUS" << 9 << false << "h" << QStringList{} << 1 << 0 << ""
                                                        << false;
    QTest::newRow("disallowed digit beeps, no mistake") << "HAUS" << 9 << false << "1" << QStringList{} << 1 << 0
                                                        << "" << false;
    QTest::newRow("disallowed blank beeps") << "HAUS" << 9 << false << " " << QStringList{} << 1 << 0 << "" << false;
    QTest::newRow("repeated wrong key counts once") << "HAUS" << 9 << false << "xx" << QStringList{F} << 1 << 1 << "X"
                                                    << false;
    QTest::newRow("maximum 3 loses on the third") << "HAUS" << 3 << false << "zxy" << QStringList{F, F, F, L} << 0 << 3
                                                  << "X Y Z" << true;
    QTest::newRow("keys after the end are ignored silently")
        << "HAUS" << 1 << false << "zqa" << QStringList{F, L} << 0 << 1 << "Z" << true;
    QTest::newRow("maximum 0: mistakes run past it, the word still wins")
        << "HAUS" << 0 << false << "qwertyaus" << QStringList{F, F, F, F, F, F, R, R, R, W} << 0 << 6
        << "E Q R T W Y" << true;
    QTest::newRow("win after mistakes") << "HAUS" << 9 << false << "buas" << QStringList{F, R, R, R, W} << 0 << 1 << "B"
                                        << true;
    QTest::newRow("umlaut typed in lower case") << QString::fromUtf8("MÜLL") << 9 << true << QString::fromUtf8("ülm")
                                                << QStringList{R, R, W} << 0 << 0 << "" << true;
    QTest::newRow("wrong umlaut listed beside A") << "HAUS" << 9 << true << QString::fromUtf8("zäb")
                                                  << QStringList{F, F, F} << 0 << 3 << QString::fromUtf8("Ä B Z")
                                                  << false;
}

void TestGamePage::typedGuesses()
{
    QFETCH(QString, word);
    QFETCH(int, maxMistakes);
    QFETCH(bool, umlauts);
    QFETCH(QString, keys);
    QFETCH(QStringList, sounds);
    QFETCH(int, beeps);
    QFETCH(int, mistakes);
    QFETCH(QString, wrongList);
    QFETCH(bool, over);

    Turn turn;
    turn.word = word;
    turn.maxMistakes = maxMistakes;
    turn.characters.noSpecialChars = !umlauts;
    prepare(turn);
    begin();
    m_fixture->sound().clear();

    typeKeys(m_form, keys);

    QCOMPARE(m_fixture->sound().played, sounds);
    QCOMPARE(m_fixture->sound().beeps, beeps);
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), mistakes);
    QStringList listed;
    for (int i = 0; i < controlOf<QListWidget>(m_form, "CharList")->count(); ++i)
        listed << controlOf<QListWidget>(m_form, "CharList")->item(i)->text();
    QCOMPARE(listed.join(QLatin1Char(' ')), wrongList);
    QCOMPARE(m_form->RoundState.RoundOver, over);
    QCOMPARE(m_form->RoundState.RoundRunning, !over);
    QCOMPARE(controlOf<TKxBitBtn>(m_form, "GameOK")->isVisible(), over);
}

void TestGamePage::wrongGuessesInOneScrollingRow_data()
{
    QTest::addColumn<int>("wrongGuesses");
    QTest::newRow("28 fit") << 28;
    QTest::newRow("29 fill the row") << 29;
    QTest::newRow("30 need the scroll bar") << 30;
    QTest::newRow("every character there is to miss") << 45;
}

void TestGamePage::wrongGuessesInOneScrollingRow()
{
    QFETCH(int, wrongGuesses);

    // Maximum 0: the mistakes never end the turn.
    Turn turn;
    turn.word = QStringLiteral("AB");
    turn.maxMistakes = 0;
    turn.characters.noSpecialChars = false;
    turn.characters.acceptSentences = true;
    turn.characters.acceptNumbers = true;
    prepare(turn);
    begin();

    QListWidget *list = controlOf<QListWidget>(m_form, "CharList");
    auto inSight = [list](const QListWidgetItem *item) {
        return list->viewport()->rect().contains(list->visualItemRect(item));
    };
    const QString misses = QString::fromUtf8("CDEFGHIJKLMNOPQRSTUVWXYZ0123456789!\",-.:;?ÄÖÜ").left(wrongGuesses);
    for (const QChar key : misses) {
        typeKeys(m_form, QString(key));
        const QList<QListWidgetItem *> added = list->findItems(QString(key), Qt::MatchExactly);
        QCOMPARE(added.size(), 1);
        QVERIFY2(inSight(added.first()), qPrintable(QStringLiteral("%1 out of sight").arg(key)));
    }
    QVERIFY(m_form->RoundState.RoundRunning);
    QCOMPARE(list->count(), wrongGuesses);

    // One row of 29 whole items wherever the row is scrolled to; the rest
    // are out of sight, none cut in half.
    QScrollBar *bar = list->horizontalScrollBar();
    QCOMPARE(bar->isVisible(), wrongGuesses > 29);
    const int rowTop = list->visualItemRect(list->item(0)).top();
    for (const int value : {bar->minimum(), (bar->minimum() + bar->maximum()) / 2, bar->maximum()}) {
        bar->setValue(value);
        int whole = 0;
        for (int i = 0; i < list->count(); ++i) {
            const QRect place = list->visualItemRect(list->item(i));
            QCOMPARE(place.top(), rowTop);
            QVERIFY2(inSight(list->item(i)) || !list->viewport()->rect().intersects(place),
                     qPrintable(list->item(i)->text() + QLatin1String(" cut")));
            whole += inSight(list->item(i)) ? 1 : 0;
        }
        QCOMPARE(whole, qMin(wrongGuesses, 29));
    }
    QVERIFY(inSight(list->item(list->count() - 1)));
    bar->setValue(bar->minimum());
    QVERIFY(inSight(list->item(0)));
}

void TestGamePage::setterCannotGuessOnOwnKeyboard()
{
    Turn turn;
    turn.word = QStringLiteral("HAUS");
    // The host set this word: its keyboard is shut, the peer's start and
    // guesses pass.
    m_form->match().setNetworkGame(true, true);
    prepare(turn);
    Q_EMIT m_form->findChild<PeerLink *>()->startReceived();
    QVERIFY(m_form->LocalSetsWord());
    m_fixture->sound().clear();

    QTest::keyClick(m_form, Qt::Key_A);
    m_form->FormKeyPress(QLatin1Char('x'));
    QCOMPARE(m_fixture->sound().played, QStringList());
    QCOMPARE(m_fixture->sound().beeps, 0);
    QVERIFY(!m_form->RoundState.GuessedChars.contains(QLatin1Char('A')));

    Q_EMIT m_form->findChild<PeerLink *>()->guessReceived(QLatin1Char('a'));
    Q_EMIT m_form->findChild<PeerLink *>()->guessReceived(QLatin1Char('x'));
    QCOMPARE(m_fixture->sound().played, (QStringList{QStringLiteral("RICHTIG"), QStringLiteral("FALSCH")}));
    QCOMPARE(controlOf<TKxDigit>(m_form, "curMistakes")->Value(), 1.0L);
    m_form->match().setNetworkGame(false, false);
}

void TestGamePage::soundsOffPlaysNothing()
{
    controlOf<QCheckBox>(m_form, "PlaySounds")->setChecked(false);
    QVERIFY(!m_form->PlaySoundResource(QStringLiteral("RICHTIG")));
    QCOMPARE(m_fixture->sound().played, QStringList());

    controlOf<QCheckBox>(m_form, "PlaySounds")->setChecked(true);
    QVERIFY(m_form->PlaySoundResource(QStringLiteral("RICHTIG")));
    QCOMPARE(m_fixture->sound().played, QStringList{QStringLiteral("RICHTIG")});

    // A whole turn without sounds still beeps at refused keys.
    Turn turn;
    turn.word = QStringLiteral("ANNA");
    prepare(turn);
    controlOf<QCheckBox>(m_form, "PlaySounds")->setChecked(false);
    begin();
    m_fixture->sound().clear();
    typeKeys(m_form, QStringLiteral("1n"));
    QCOMPARE(m_fixture->sound().played, QStringList());
    QCOMPARE(m_fixture->sound().beeps, 1);
    QVERIFY(m_form->RoundState.RoundOver);
}

void TestGamePage::perGuessLimitResetsOnlyOnNewGuesses()
{
    Turn turn;
    turn.word = QStringLiteral("HAUS");
    turn.timeMode = PerGuess;
    turn.timeLimit = 10;
    turn.maxMistakes = 2;
    prepare(turn);
    begin();
    QVERIFY(m_form->match().clock()->isActive());

    struct Step
    {
        char key; // 0: a tick of the clock
        int time;
    };
    const Step steps[] = {
        {0, 9}, {0, 8}, {0, 7},
        {'a', 10},         // right guess: a fresh period
        {0, 9}, {'a', 9},  // repeated: no reset
        {'1', 9},          // not allowed: no reset
        {'h', 9},          // the given letter again: no reset
        {'x', 10},         // wrong guess: a fresh period too
        {0, 9}, {0, 8},
    };
    for (const Step &step : steps) {
        if (step.key)
            QTest::keyClick(controlOf<QListWidget>(m_form, "CharList"), step.key);
        else
            m_form->match().tick();
        QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), step.time);
    }

    // A losing guess sets the clock back as well, but the clock stops.
    QTest::keyClick(controlOf<QListWidget>(m_form, "CharList"), 'q');
    QVERIFY(m_form->RoundState.RoundOver);
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 10);
    QVERIFY(!m_form->match().clock()->isActive());
}

void TestGamePage::noTimeLimitNeverStartsTheTimer()
{
    Turn turn;
    turn.word = QStringLiteral("HAUS");
    prepare(turn);
    begin();
    QVERIFY(!m_form->match().clock()->isActive());
    typeKeys(m_form, QStringLiteral("axu"));
    QVERIFY(!m_form->match().clock()->isActive());
    m_form->setWindowState(Qt::WindowMinimized);
    m_form->setWindowState(Qt::WindowNoState);
    QVERIFY(!m_form->match().clock()->isActive());
    typeKeys(m_form, QStringLiteral("s"));
    QVERIFY(m_form->RoundState.RoundOver);
    QVERIFY(!m_form->match().clock()->isActive());
}

void TestGamePage::countdownLosesTheTurn_data()
{
    QTest::addColumn<TimeMode>("mode");
    QTest::addColumn<int>("maxMistakes");

    QTest::newRow("whole word, maximum 9") << WholeTurn << 9;
    QTest::newRow("whole word, maximum 0 records 0") << WholeTurn << 0;
    QTest::newRow("per guess, no guess made") << PerGuess << 4;
}

void TestGamePage::countdownLosesTheTurn()
{
    QFETCH(TimeMode, mode);
    QFETCH(int, maxMistakes);

    Turn turn;
    turn.word = QStringLiteral("HAUS");
    turn.timeMode = mode;
    turn.timeLimit = 5;
    turn.maxMistakes = maxMistakes;
    prepare(turn);
    begin();
    QTest::keyClick(m_form, 'x');
    QVERIFY(m_form->match().clock()->isActive());
    m_fixture->sound().clear();

    const QString zeit = QStringLiteral("ZEIT");
    for (const int expected : {4, 3, 2, 1}) {
        m_form->match().tick();
        QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), expected);
        QVERIFY(m_form->RoundState.RoundRunning);
    }
    QCOMPARE(m_fixture->sound().played, QStringList(4, zeit));

    m_form->match().tick();
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 0);
    QCOMPARE(m_fixture->sound().played, (QStringList{zeit, zeit, zeit, zeit, zeit, QStringLiteral("VERLOREN")}));
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), maxMistakes);
    QVERIFY(!m_form->RoundState.RoundRunning);
    QVERIFY(m_form->RoundState.RoundOver);
    QVERIFY(!m_form->match().clock()->isActive());
    QVERIFY(controlOf<TKxBitBtn>(m_form, "GameOK")->isVisible());

    // Nothing moves once the turn is over.
    m_fixture->sound().clear();
    m_form->match().tick();
    QTest::keyClick(m_form, 'a');
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 0);
    QCOMPARE(m_fixture->sound().played, QStringList());
    QCOMPARE(m_fixture->sound().beeps, 0);
}

void TestGamePage::timerTicksReachTheCountdown()
{
    Turn turn;
    turn.word = QStringLiteral("HAUS");
    turn.timeMode = WholeTurn;
    turn.timeLimit = 5;
    prepare(turn);
    m_form->match().clock()->setInterval(1);
    begin();
    QTRY_VERIFY(m_form->RoundState.RoundOver);
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 0);
    QCOMPARE(m_fixture->sound().played.count(QStringLiteral("ZEIT")), 5);
}

void TestGamePage::minimiseStopsTheCountdown()
{
    Turn turn;
    turn.word = QStringLiteral("HAUS");
    turn.timeMode = WholeTurn;
    turn.timeLimit = 20;
    prepare(turn);
    begin();
    m_form->match().tick();
    QVERIFY(m_form->match().clock()->isActive());

    m_form->setWindowState(Qt::WindowMinimized);
    QVERIFY(!m_form->match().clock()->isActive());
    m_form->setWindowState(Qt::WindowNoState);
    QVERIFY(m_form->match().clock()->isActive());
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 19);
    m_form->match().tick();
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 18);

    // Winning stops the clock for good, even across a later restore.
    typeKeys(m_form, QStringLiteral("aus"));
    QVERIFY(m_form->RoundState.RoundOver);
    QVERIFY(!m_form->match().clock()->isActive());
    m_form->setWindowState(Qt::WindowMinimized);
    m_form->setWindowState(Qt::WindowNoState);
    QVERIFY(!m_form->match().clock()->isActive());
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "Time")->Value()), 18);
}

namespace {

// Pixels of the text colour (dark) inside a rectangle of the grabbed box.
int inkIn(const QImage &image, const QRect &area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++count;
    return count;
}

int redIn(const QImage &image, const QRect &area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                ++count;
        }
    return count;
}

QRect cell(int position)
{
    const int index = position - 1;
    return QRect(24 + (index % 15) * 50, (index / 15) * 70, 50, 70);
}

} // namespace

void TestGamePage::readersFollowTheTurn_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("mistakes");
    QTest::addColumn<int>("time");

    QTest::newRow("a right and a wrong guess, a tick")
        << "az" << 1 << QString::fromUtf8("H A Lücke Lücke") << 1 << 4;
    QTest::newRow("lost by the clock") << "a" << 5 << "H A U (nicht erraten) S (nicht erraten)" << 3 << 0;
}

// A screen reader reads the word as its revealed characters and gaps, and
// the counters as numbers.
void TestGamePage::readersFollowTheTurn()
{
    QFETCH(QString, keys);
    QFETCH(int, ticks);
    QFETCH(QString, word);
    QFETCH(int, mistakes);
    QFETCH(int, time);

    Turn turn;
    turn.word = QStringLiteral("HAUS");
    turn.maxMistakes = 3;
    turn.timeMode = WholeTurn;
    turn.timeLimit = 5;
    prepare(turn);
    begin();
    typeKeys(m_form, keys);
    for (int i = 0; i < ticks; ++i)
        m_form->match().tick();

    QAccessibleTextInterface *box = QAccessible::queryAccessibleInterface(controlOf<TPaintBox>(m_form, "WordPaintBox"))->textInterface();
    QCOMPARE(box->text(0, box->characterCount()), word);
    const QList<QPair<TKxDigit *, int>> counters{{controlOf<TKxDigit>(m_form, "curMistakes"), mistakes}, {controlOf<TKxDigit>(m_form, "Time"), time}};
    for (const auto &[display, value] : counters) {
        QAccessibleInterface *counter = QAccessible::queryAccessibleInterface(display);
        QCOMPARE(counter->valueInterface()->currentValue().toInt(), value);
        QCOMPARE(counter->text(QAccessible::Value), QString::number(value));
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(controlOf<TKxDigit>(m_form, "MaxMistakes"))->valueInterface()->currentValue().toInt(), 3);
}

void TestGamePage::drawnWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("drawnPositions");
    QTest::addColumn<QList<int>>("redPositions");

    QTest::newRow("16 characters wrap once, hidden as underscores") << "ABCDEFGHIJKLMNOP" << "" << 16 << QList<int>{};
    QTest::newRow("60 characters fill four lines") << QString(59, QLatin1Char('A')) + QLatin1Char('B') << "" << 60
                                                   << QList<int>{};
    QTest::newRow("lost turn shows the missing characters in red")
        << "ABCDEFGHIJKLMNOPQ" << "zyxwvutsr" << 17 << QList<int>{16, 17};
}

void TestGamePage::drawnWord()
{
    QFETCH(QString, word);
    QFETCH(QString, keys);
    QFETCH(int, drawnPositions);
    QFETCH(QList<int>, redPositions);

    Turn turn;
    turn.word = word;
    turn.maxMistakes = keys.size();
    prepare(turn);
    begin();
    // Guess the first line, leaving the second for the red test.
    if (!keys.isEmpty()) {
        typeKeys(m_form, QStringLiteral("bcdefghijklmno"));
        typeKeys(m_form, keys);
        QVERIFY(m_form->RoundState.RoundOver);
    }

    const QImage image = controlOf<TPaintBox>(m_form, "WordPaintBox")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int position = 1; position <= drawnPositions && position <= 60; ++position)
        QVERIFY2(inkIn(image, cell(position)) > 20 || redIn(image, cell(position)) > 20,
                 qPrintable(QStringLiteral("position %1 not drawn").arg(position)));
    // Nothing is drawn past the last position on its line, nor below it.
    if (drawnPositions < 60) {
        const QRect last = cell(drawnPositions);
        QCOMPARE(inkIn(image, QRect(last.right() + 10, last.top(), 800, 70)), 0);
        QCOMPARE(inkIn(image, QRect(0, last.bottom() + 1, 800, 400)), 0);
    }
    // The 16th position starts the second line: left, 70 pixels down.
    QVERIFY(inkIn(image, QRect(24, 70, 50, 70)) + redIn(image, QRect(24, 70, 50, 70)) > 20);
    QCOMPARE(inkIn(image, QRect(0, 70, 24, 70)), 0);

    for (int position = 1; position <= drawnPositions && position <= 60; ++position) {
        const bool red = redPositions.contains(position);
        QCOMPARE(redIn(image, cell(position)) > 20, red);
    }
}

void TestGamePage::paintBoxEmptyBeforeStart()
{
    Turn turn;
    turn.word = QStringLiteral("HAUS");
    prepare(turn);
    QImage image = controlOf<TPaintBox>(m_form, "WordPaintBox")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(inkIn(image, image.rect()), 0);

    begin();
    image = controlOf<TPaintBox>(m_form, "WordPaintBox")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int atStart = inkIn(image, cell(2));
    QVERIFY(atStart > 0);
    QVERIFY(inkIn(image, cell(1)) > 0);

    // A repaint shows the state of the moment: the A replaces its underscore.
    typeKeys(m_form, QStringLiteral("a"));
    image = controlOf<TPaintBox>(m_form, "WordPaintBox")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(inkIn(image, cell(2)) > atStart);
}

namespace {

// Whether the figure's head is drawn: its round edge left and right of its
// middle, where no other part passes.
bool headDrawn(TGallows *gallows)
{
    gallows->grab();
    const QImage picture = gallows->renderedImage();
    const qreal scale = qMin(gallows->width() / 196.0, gallows->height() / 218.0);
    const QPointF origin((gallows->width() - 196 * scale) / 2, gallows->height() - 218 * scale);
    const qreal ratio = picture.devicePixelRatio();
    for (const int x : {172, 208}) {
        const QPointF edge = origin + QPointF(x - 30, 78 - 12) * scale;
        if (qAlpha(picture.pixel((edge * ratio).toPoint())) == 0)
            return false;
    }
    return true;
}

// The letters marked on the pad: the right ones, "/", the wrong ones.
QString marksOf(const TLetterPad *pad)
{
    QString right;
    QString wrong;
    for (const QChar letter : pad->letters()) {
        const LetterKey::Mark mark = pad->key(letter)->mark();
        if (mark == LetterKey::Mark::Right)
            right += letter;
        else if (mark == LetterKey::Mark::Wrong)
            wrong += letter;
    }
    return right + QLatin1Char('/') + wrong;
}

} // namespace

void TestGamePage::pageStates_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("maxMistakes");
    // U umlauts, N digits, S sentences, C capitals only.
    QTest::addColumn<QString>("rules");
    // Typed keys; "#x" clicks the letter X, "." is a tick of a 3-second clock.
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("pad");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("outcome");

    const QString az = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::newRow("typed and clicked alike, a step a mistake")
        << "HAUS" << 9 << "C" << "x#a" << az << "AH/X" << "1 von 9 Teilen" << "";
    QTest::newRow("a letter clicked after it was typed counts once")
        << "HAUS" << 9 << "C" << "q#q" << az << "H/Q" << "1 von 9 Teilen" << "";
    QTest::newRow("maximum 1: one mistake completes the figure")
        << "HAUS" << 1 << "C" << "#z" << az << "H/Z" << "1 von 1 Teil"
        << "1 Fehler: Bert hat das Wort nicht erraten.";
    QTest::newRow("maximum 25: won with a mistake, the figure stays")
        << "HAUS" << 25 << "C" << "xaus" << az << "AHSU/X" << "1 von 25 Teilen"
        << "Bert hat das Wort erraten, mit 1 Fehler.";
    QTest::newRow("lost by time: the whole figure at once")
        << "HAUS" << 9 << "C" << "x..." << az << "H/X" << "9 von 9 Teilen"
        << "Zeit abgelaufen: Bert hat das Wort nicht erraten.";
    QTest::newRow("no maximum: the last part waits for a lost turn")
        << "HAUS" << 0 << "C" << "bcdefgijklmn" << az << "H/BCDEFGIJKLMN" << "10 von 11 Teilen" << "";
    QTest::newRow("no maximum, lost by time: complete")
        << "HAUS" << 0 << "C" << "..." << az << "H/" << "11 von 11 Teilen"
        << "Zeit abgelaufen: Bert hat das Wort nicht erraten.";
    QTest::newRow("umlauts, ß, digits and the blank as the rules allow")
        << "HAUS" << 9 << "UNS" << "" << az + QString::fromUtf8("ÄÖÜß0123456789 ")
        << "H/" << "0 von 9 Teilen" << "";
    QTest::newRow("capitals only: no ß") << "HAUS" << 9 << "UC" << "" << az + QString::fromUtf8("ÄÖÜ")
                                         << "H/" << "0 von 9 Teilen" << "";
    QTest::newRow("the longest sentence: the figure beside the letters")
        << QString(59, QLatin1Char('A')) + QLatin1Char('B') << 9 << "S" << "z" << az + QLatin1Char(' ')
        << "A/Z" << "1 von 9 Teilen" << "";
    QTest::newRow("three lines leave too little room below")
        << QString(31, QLatin1Char('A')) + QLatin1Char('B') << 9 << "C" << "" << az
        << "A/" << "0 von 9 Teilen" << "";
    QTest::newRow("two lines leave room below") << QString(29, QLatin1Char('A')) + QLatin1Char('B') << 9 << "C"
                                                << "" << az << "A/" << "0 von 9 Teilen" << "";
}

void TestGamePage::pageStates()
{
    QFETCH(QString, word);
    QFETCH(int, maxMistakes);
    QFETCH(QString, rules);
    QFETCH(QString, moves);
    QFETCH(QString, pad);
    QFETCH(QString, marks);
    QFETCH(QString, figure);
    QFETCH(QString, outcome);

    Turn turn;
    turn.word = word;
    turn.maxMistakes = maxMistakes;
    turn.timeMode = moves.contains(QLatin1Char('.')) ? WholeTurn : NoTimeLimit;
    turn.timeLimit = 3;
    turn.characters.noSpecialChars = !rules.contains(QLatin1Char('U'));
    turn.characters.acceptNumbers = rules.contains(QLatin1Char('N'));
    turn.characters.acceptSentences = rules.contains(QLatin1Char('S'));
    turn.characters.capitalLetters = rules.contains(QLatin1Char('C'));
    prepare(turn);
    auto *letters = controlOf<TLetterPad>(m_form, "Letters");
    auto *gallows = controlOf<TGallows>(m_form, "Gallows");
    QVERIFY(letters->isHidden() && gallows->isHidden());
    begin();
    for (int i = 0; i < moves.size(); ++i) {
        if (moves.at(i) == QLatin1Char('#'))
            QTest::mouseClick(letters->key(moves.at(++i)), Qt::LeftButton);
        else if (moves.at(i) == QLatin1Char('.'))
            m_form->match().tick();
        else
            QTest::keyClick(m_form, moves.at(i).toLatin1());
    }

    QCOMPARE(letters->letters(), pad);
    QCOMPARE(marksOf(letters), marks);
    const bool over = m_form->RoundState.RoundOver;
    for (const QChar letter : pad)
        QCOMPARE(letters->key(letter)->isEnabled(), !over && letters->key(letter)->mark() == LetterKey::Mark::Untried);
    QCOMPARE(gallows->accessibleName(), figure);
    // The head is the sixth part.
    QCOMPARE(headDrawn(gallows), TGallows::partsDrawn(gallows->shownSteps(), gallows->totalSteps()) >= 6);
    auto *line = controlOf<QLabel>(m_form, "OutcomeLine");
    QCOMPARE(line->isVisible() ? line->text() : QString(), outcome);
    if (!outcome.isEmpty())
        QCOMPARE(QAccessible::queryAccessibleInterface(line)->text(QAccessible::Name), outcome);
    QCOMPARE(controlOf<TKxBitBtn>(m_form, "GiveUp")->isVisible(), !over);

    // The figure covers neither the word, nor the letters, nor the clocks.
    const int lines = (int(word.size()) + 14) / 15;
    const QRect place = gallows->geometry();
    QVERIFY(gallows->isVisible() && place.height() >= 60);
    QVERIFY(!place.intersects(QRect(0, 120, 792, lines * 70)));
    QVERIFY(!place.intersects(letters->geometry()));
    QVERIFY(place.bottom() < 412 && place.top() > 41);
}

void TestGamePage::giveUpAsksFirst_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::addColumn<int>("answer"); // 0 Esc, 1 Nein, 2 Ja
    QTest::addColumn<int>("ticksWhileOpen");
    QTest::addColumn<bool>("givenUp");

    QTest::newRow("Ja gives the word up") << false << 2 << 0 << true;
    QTest::newRow("Esc opens the question, Ja gives up") << true << 2 << 0 << true;
    QTest::newRow("Esc in the box declines") << false << 0 << 0 << false;
    QTest::newRow("Nein declines") << true << 1 << 0 << false;
    QTest::newRow("the clock ran out meanwhile: the answer is not taken") << false << 2 << 3 << false;
}

void TestGamePage::giveUpAsksFirst()
{
    QFETCH(bool, byEscape);
    QFETCH(int, answer);
    QFETCH(int, ticksWhileOpen);
    QFETCH(bool, givenUp);

    Turn turn;
    turn.word = QStringLiteral("HAUS");
    turn.timeMode = WholeTurn;
    turn.timeLimit = 3;
    prepare(turn);
    begin();
    if (byEscape)
        QTest::keyClick(m_form, Qt::Key_Escape);
    else
        QTest::mouseClick(button("GiveUp"), Qt::LeftButton);
    QMessageBox *box = m_form->findChild<QMessageBox *>();
    QVERIFY(box && box->isVisible());
    // Asked once: the question is not stacked.
    QTest::mouseClick(button("GiveUp"), Qt::LeftButton);
    QCOMPARE(m_form->findChildren<QMessageBox *>().size(), 1);
    QVERIFY(m_form->RoundState.RoundRunning);
    for (int i = 0; i < ticksWhileOpen; ++i)
        m_form->match().tick();
    if (answer == 0)
        QTest::keyClick(box, Qt::Key_Escape);
    else
        box->buttons().at(answer == 2 ? 0 : 1)->click();
    QTRY_VERIFY(m_form->findChild<QMessageBox *>() == nullptr);

    const QList<TurnRecord> &record = m_form->match().record();
    QCOMPARE(record.size(), givenUp || ticksWhileOpen ? 1 : 0);
    if (givenUp) {
        QCOMPARE(record.last().outcome, TurnRecord::Outcome::GivenUp);
        QCOMPARE(record.last().mistakes, 9);
        QCOMPARE(controlOf<TGallows>(m_form, "Gallows")->accessibleName(), QStringLiteral("9 von 9 Teilen"));
        QCOMPARE(controlOf<QLabel>(m_form, "OutcomeLine")->text(),
                 QStringLiteral("Aufgegeben: Bert hat das Wort nicht erraten."));
        QCOMPARE(m_fixture->sound().played.last(), QStringLiteral("VERLOREN"));
    } else if (ticksWhileOpen) {
        QCOMPARE(record.last().outcome, TurnRecord::Outcome::LostByTime);
    } else {
        QVERIFY(m_form->RoundState.RoundRunning);
    }
}

GAME_TEST_MAIN(TestGamePage)
#include "tst_gamepage.moc"
