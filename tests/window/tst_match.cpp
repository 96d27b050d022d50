// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole match on one computer through the real window: settings, names,
// four words, guesses typed as keys, the statistics after every turn and
// the winner at the end; and a match alone against the computer's words.
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TRadioGroup.h"
#include "controls/TStringGrid.h"
#include "game/WordList.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/ModalBoxAnswerer.h"
#include "support/TypedKeys.h"
#include "window/TForm1.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <memory>

namespace {

// Six words of no level, which play under "gemischt" only; Ä only where
// umlauts are allowed.
const QByteArray kWords = "Garten\t\tPflanzen\nHaus\nMaus\t\tTiere\nTisch\nLampe\nBär\t\tTiere\n";

} // namespace

class TestMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void twoRoundMatch_data();
    void twoRoundMatch();
    void namesShownAsTyped_data();
    void namesShownAsTyped();
    void threeWordsAloneByKeyboard();
    void aloneWithoutAMatch_data();
    void aloneWithoutAMatch();
    void topicsFollowTheLevel();
    void ownWordsAlone_data();
    void ownWordsAlone();

private:
    TKxBitBtn *button(const char *name) const { return m_fixture->control<TKxBitBtn>(name); }
    void typeInto(QSpinBox *box, int value);
    void enterWord(const QString &word, bool withEnter);
    // "line 1|line 2|bold" with bold 1, 2 or - for neither.
    QString standings() const;
    // The label's text as the user sees it: marked "(markup)" when the
    // label would read it as rich text rather than show it as it is.
    static QString shown(const QLabel *label);
    // The players' names, which a line may shorten.
    static inline QStringList s_names;
    // A window of its own for three rounds alone, at "gemischt", with these
    // words drawn first to last; or with the settings given.
    void playAlone(const QByteArray &words, const QByteArray &settings = QByteArray());
    // The letters of the word still hidden, or as many letters the word
    // lacks.
    QString hiddenLetters() const;
    QString missingLetters(int count) const;

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestMatch::init()
{
    m_fixture = std::make_unique<FormFixture>();
    m_form = &m_fixture->create();
    // The countdown is driven tick by tick below; the clock never interferes.
    m_form->match().clock()->setInterval(24 * 3600 * 1000);
    m_fixture->show();
}

void TestMatch::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

void TestMatch::typeInto(QSpinBox *box, int value)
{
    box->setFocus();
    box->selectAll();
    typeKeys(m_form, QString::number(value));
    QCOMPARE(box->value(), value);
}

void TestMatch::enterWord(const QString &word, bool withEnter)
{
    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    QVERIFY(controlOf<QLineEdit>(m_form, "Word")->text().isEmpty());
    controlOf<QLineEdit>(m_form, "Word")->setFocus();
    typeKeys(m_form, word);
    if (withEnter)
        typeKeys(m_form, QStringLiteral("{Return}"));
    else
        clickButton(m_form, "WordOK");
    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
    QVERIFY(controlOf<TKxBitBtn>(m_form, "GameStartGame")->isVisible());
    QVERIFY(controlOf<QLabel>(m_form, "TimeLabel")->isVisible());
    QVERIFY(controlOf<TKxDigit>(m_form, "Time")->isVisible());
}

QString TestMatch::standings() const
{
    const bool bold1 = controlOf<QLabel>(m_form, "StatistikP1Info")->font().bold();
    const bool bold2 = controlOf<QLabel>(m_form, "StatistikP2Info")->font().bold();
    const QString bold = bold1 && bold2 ? QStringLiteral("both") : bold1 ? QStringLiteral("1")
                                                               : bold2 ? QStringLiteral("2")
                                                                       : QStringLiteral("-");
    return controlOf<QLabel>(m_form, "StatistikP1Info")->text() + QLatin1Char('|') + controlOf<QLabel>(m_form, "StatistikP2Info")->text() + QLatin1Char('|')
        + bold;
}

void TestMatch::twoRoundMatch_data()
{
    QTest::addColumn<bool>("fewestMistakes");
    QTest::addColumn<QString>("lastKeys");
    QTest::addColumn<int>("lastMistakes");
    QTest::addColumn<QStringList>("standingsAfterEachTurn");
    QTest::addColumn<QString>("result");

    // The same first three turns every time: Bert guesses HAUS without a
    // mistake, Anna loses KATZE by mistakes (3), Bert runs out of time on
    // MAUS (counted as 3). Anna's guesses at HUND decide the match.
    const QString draw = QStringLiteral("Unentschieden! Beide Spieler haben ihr Bestes gegeben!");
    const QString bertWins = QStringLiteral("Herzlichen Glückwunsch, Bert! Du hast das Spiel gewonnen!");

    QTest::newRow("most rounds won: one each is a draw")
        << false << "xund" << 1
        << QStringList{"Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 0|-",
                       "Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 1|2",
                       // Round 2 counts for nobody until Anna has guessed too.
                       "Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 1|2",
                       "Gewonnene Runden Anna: 1|Gewonnene Runden Bert: 1|-"}
        << draw;
    QTest::newRow("most rounds won: both lose round 2, Bert has round 1")
        << false << "xyz" << 3
        << QStringList{"Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 0|-",
                       "Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 1|2",
                       "Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 1|2",
                       "Gewonnene Runden Anna: 0|Gewonnene Runden Bert: 1|2"}
        << bertWins;
    QTest::newRow("fewest mistakes: 4 against 3")
        << true << "xund" << 1
        << QStringList{"Fehleranzahl Anna: 0|Fehleranzahl Bert: 0|-", "Fehleranzahl Anna: 3|Fehleranzahl Bert: 0|2",
                       "Fehleranzahl Anna: 3|Fehleranzahl Bert: 3|-", "Fehleranzahl Anna: 4|Fehleranzahl Bert: 3|2"}
        << bertWins;
    QTest::newRow("fewest mistakes: 3 against 3 is a draw")
        << true << "und" << 0
        << QStringList{"Fehleranzahl Anna: 0|Fehleranzahl Bert: 0|-", "Fehleranzahl Anna: 3|Fehleranzahl Bert: 0|2",
                       "Fehleranzahl Anna: 3|Fehleranzahl Bert: 3|-", "Fehleranzahl Anna: 3|Fehleranzahl Bert: 3|-"}
        << draw;
}

void TestMatch::twoRoundMatch()
{
    QFETCH(bool, fewestMistakes);
    QFETCH(QString, lastKeys);
    QFETCH(int, lastMistakes);
    QFETCH(QStringList, standingsAfterEachTurn);
    QFETCH(QString, result);

    ModalBoxAnswerer noBoxExpected;

    // Settings: two rounds, at most three mistakes, five seconds per word.
    clickButton(m_form, "Properties");
    QCOMPARE(m_form->currentPage(), int(TForm1::Settings));
    typeInto(controlOf<QSpinBox>(m_form, "Rounds"), 2);
    typeInto(controlOf<QSpinBox>(m_form, "Mistakes"), 3);
    QTest::mouseClick(controlOf<QRadioButton>(m_form, "WholeWord"), Qt::LeftButton, {}, QPoint(8, controlOf<QRadioButton>(m_form, "WholeWord")->height() / 2));
    QVERIFY(controlOf<QRadioButton>(m_form, "WholeWord")->isChecked());
    typeInto(controlOf<QSpinBox>(m_form, "TimeLimit"), 5);
    QRadioButton *rule = fewestMistakes ? controlOf<QRadioButton>(m_form, "FewMistakes") : controlOf<QRadioButton>(m_form, "WonRounds");
    QTest::mouseClick(rule, Qt::LeftButton, {}, QPoint(8, rule->height() / 2));
    QVERIFY(rule->isChecked());
    clickButton(m_form, "PropertiesOK");
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));

    // Names.
    clickButton(m_form, "StartGame");
    QCOMPARE(m_form->currentPage(), int(TForm1::Players));
    controlOf<QLineEdit>(m_form, "Player1")->setFocus();
    typeKeys(m_form, QStringLiteral("Anna{Tab}Bert{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    QCOMPARE(controlOf<QLabel>(m_form, "WordInfo")->text(), QStringLiteral("Gib ein Wort an, Anna!"));

    // Round 1, turn 1: Anna's word, Bert guesses it with the focus on the list.
    enterWord(QStringLiteral("haus"), true);
    QCOMPARE(controlOf<QLabel>(m_form, "WordGuessingInfo")->text(), QStringLiteral("Bert, errate dieses Wort:"));
    clickButton(m_form, "GameStartGame");
    controlOf<QListWidget>(m_form, "CharList")->setFocus();
    m_fixture->sound().clear();
    typeKeys(m_form, QStringLiteral("aus"));
    QCOMPARE(m_fixture->sound().played.last(), QStringLiteral("GEWONNEN"));
    QVERIFY(m_form->RoundState.RoundOver);
    clickButton(m_form, "GameOK");
    QCOMPARE(m_form->currentPage(), int(TForm1::Statistics));
    QCOMPARE(standings(), standingsAfterEachTurn.at(0));
    QVERIFY(controlOf<QLabel>(m_form, "WinnerLabel")->text().isEmpty());
    clickButton(m_form, "StatistikOK");
    QCOMPARE(controlOf<QLabel>(m_form, "WordInfo")->text(), QStringLiteral("Gib ein Wort an, Bert!"));

    // Round 1, turn 2: Bert's word; Anna types into the window itself and
    // loses by mistakes.
    enterWord(QStringLiteral("Katze"), false);
    QCOMPARE(controlOf<QLabel>(m_form, "WordGuessingInfo")->text(), QStringLiteral("Anna, errate dieses Wort:"));
    clickButton(m_form, "GameStartGame");
    m_form->setFocus();
    m_fixture->sound().clear();
    typeKeys(m_form, QStringLiteral("qwy"));
    QCOMPARE(m_fixture->sound().played.last(), QStringLiteral("VERLOREN"));
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), 3);
    QCOMPARE(controlOf<QListWidget>(m_form, "CharList")->count(), 3);
    // Enter takes the finished turn to the statistics.
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Statistics));
    QCOMPARE(standings(), standingsAfterEachTurn.at(1));
    QVERIFY(controlOf<QLabel>(m_form, "WinnerLabel")->text().isEmpty());
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    QCOMPARE(controlOf<QLabel>(m_form, "WordInfo")->text(), QStringLiteral("Gib ein Wort an, Anna!"));

    // Round 2, turn 1: keys typed on the focused "Beginnen!" before the start
    // are no guesses; then Bert runs out of time.
    enterWord(QStringLiteral("Maus"), true);
    controlOf<TKxBitBtn>(m_form, "GameStartGame")->setFocus();
    m_fixture->sound().clear();
    typeKeys(m_form, QStringLiteral("ma"));
    QCOMPARE(m_fixture->sound().beeps, 0);
    QVERIFY(!m_form->RoundState.RoundRunning);
    clickButton(m_form, "GameStartGame");
    typeKeys(m_form, QStringLiteral("a"));
    QCOMPARE(m_fixture->sound().played, QStringList{QStringLiteral("RICHTIG")});
    for (int tick = 0; tick < 5; ++tick)
        m_form->match().tick();
    QCOMPARE(m_fixture->sound().played.count(QStringLiteral("ZEIT")), 5);
    QCOMPARE(m_fixture->sound().played.last(), QStringLiteral("VERLOREN"));
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), 3);
    QVERIFY(!m_form->match().clock()->isActive());
    clickButton(m_form, "GameOK");
    QCOMPARE(standings(), standingsAfterEachTurn.at(2));
    QVERIFY(controlOf<QLabel>(m_form, "WinnerLabel")->text().isEmpty());
    clickButton(m_form, "StatistikOK");
    QCOMPARE(controlOf<QLabel>(m_form, "WordInfo")->text(), QStringLiteral("Gib ein Wort an, Bert!"));

    // Round 2, turn 2: the last turn; Anna types wherever the focus went.
    enterWord(QStringLiteral("Hund"), true);
    clickButton(m_form, "GameStartGame");
    typeKeys(m_form, lastKeys);
    QVERIFY(m_form->RoundState.RoundOver);
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), lastMistakes);
    clickButton(m_form, "GameOK");
    QCOMPARE(standings(), standingsAfterEachTurn.at(3));
    QCOMPARE(controlOf<QLabel>(m_form, "WinnerLabel")->text(), result);

    // The grid holds the whole match.
    const QStringList expectedRows[] = {
        {"1", "HAUS", "0", "3", "KATZE"},
        {"2", "MAUS", "3", QString::number(lastMistakes), "HUND"},
    };
    for (int row = 1; row <= 2; ++row)
        for (int column = 0; column < 5; ++column)
            QCOMPARE(controlOf<TStringGrid>(m_form, "Statistik")->Cells(column, row), expectedRows[row - 1].at(column));
    QCOMPARE(controlOf<TStringGrid>(m_form, "Statistik")->Cells(1, 0), QStringLiteral("Worte von Anna"));
    QCOMPARE(controlOf<TStringGrid>(m_form, "Statistik")->Cells(4, 0), QStringLiteral("Worte von Bert"));

    clickButton(m_form, "StatistikOK");
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));
    QCOMPARE(noBoxExpected.count(), 0);

    // Keys typed after the match are ignored.
    m_fixture->sound().clear();
    typeKeys(m_form, QStringLiteral("a1"));
    QCOMPARE(m_fixture->sound().beeps, 0);
    QCOMPARE(m_fixture->sound().played, QStringList());
}

QString TestMatch::shown(const QLabel *label)
{
    // Read as markup, tags vanish, entities turn into characters, fonts
    // and colours change.
    const bool literal = label->textFormat() == Qt::PlainText
        || (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text()));
    if (!literal)
        return QStringLiteral("(markup) ") + label->text();
    // A line that cannot hold a player's whole name shortens the name alone.
    QString text = label->text();
    for (const QString &name : qAsConst(s_names)) {
        for (qsizetype kept = name.size() - 1; kept > 0; --kept) {
            if (text.contains(name.left(kept) + QChar(0x2026))) {
                text.replace(name.left(kept) + QChar(0x2026), name);
                break;
            }
        }
    }
    const bool fits = label->wordWrap() || label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
    return fits ? text : QStringLiteral("(too wide) ") + text;
}

void TestMatch::namesShownAsTyped_data()
{
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("player2");

    QTest::newRow("heading and colour") << "<h1>Max</h1>" << "<font color=red>Eva";
    QTest::newRow("bold and an entity") << "<b>Anna</b>" << "&lt;Bert&gt;";
    QTest::newRow("a line break") << "Ida<br>" << "<i>Udo";
    QTest::newRow("a name of 40 characters") << "Maximilian-Alexander von Hohenzollern-Si" << "Bert";
}

void TestMatch::namesShownAsTyped()
{
    QFETCH(QString, player1);
    QFETCH(QString, player2);
    s_names = {player1, player2};

    ModalBoxAnswerer noBoxExpected;
    clickButton(m_form, "Properties");
    typeInto(controlOf<QSpinBox>(m_form, "Rounds"), 1);
    typeInto(controlOf<QSpinBox>(m_form, "Mistakes"), 1);
    QTest::mouseClick(controlOf<QRadioButton>(m_form, "WholeWord"), Qt::LeftButton, {}, QPoint(8, controlOf<QRadioButton>(m_form, "WholeWord")->height() / 2));
    clickButton(m_form, "PropertiesOK");

    clickButton(m_form, "StartGame");
    controlOf<QLineEdit>(m_form, "Player1")->setFocus();
    typeKeys(m_form, player1 + QStringLiteral("{Tab}") + player2);
    QCOMPARE(controlOf<QLineEdit>(m_form, "Player1")->text(), player1);
    QCOMPARE(controlOf<QLineEdit>(m_form, "Player2")->text(), player2);
    clickButton(m_form, "PlayersOK");
    QCOMPARE(shown(controlOf<QLabel>(m_form, "WordInfo")), QStringLiteral("Gib ein Wort an, ") + player1 + QLatin1Char('!'));

    // Player 2 guesses HAUS without a mistake.
    enterWord(QStringLiteral("haus"), true);
    QCOMPARE(shown(controlOf<QLabel>(m_form, "WordGuessingInfo")), player2 + QStringLiteral(", errate dieses Wort:"));
    clickButton(m_form, "GameStartGame");
    typeKeys(m_form, QStringLiteral("aus"));
    clickButton(m_form, "GameOK");
    QCOMPARE(shown(controlOf<QLabel>(m_form, "StatistikP1Info")), QStringLiteral("Gewonnene Runden ") + player1 + QStringLiteral(": 0"));
    QCOMPARE(shown(controlOf<QLabel>(m_form, "StatistikP2Info")), QStringLiteral("Gewonnene Runden ") + player2 + QStringLiteral(": 0"));
    clickButton(m_form, "StatistikOK");
    QCOMPARE(shown(controlOf<QLabel>(m_form, "WordInfo")), QStringLiteral("Gib ein Wort an, ") + player2 + QLatin1Char('!'));

    // Player 1 loses MAUS with the one mistake allowed; player 2 wins.
    enterWord(QStringLiteral("maus"), true);
    QCOMPARE(shown(controlOf<QLabel>(m_form, "WordGuessingInfo")), player1 + QStringLiteral(", errate dieses Wort:"));
    clickButton(m_form, "GameStartGame");
    typeKeys(m_form, QStringLiteral("x"));
    clickButton(m_form, "GameOK");
    QCOMPARE(shown(controlOf<QLabel>(m_form, "StatistikP2Info")), QStringLiteral("Gewonnene Runden ") + player2 + QStringLiteral(": 1"));
    QCOMPARE(shown(controlOf<QLabel>(m_form, "WinnerLabel")),
             QStringLiteral("Herzlichen Glückwunsch, ") + player2 + QStringLiteral("! Du hast das Spiel gewonnen!"));
    QCOMPARE(noBoxExpected.count(), 0);
}

void TestMatch::playAlone(const QByteArray &words, const QByteArray &settings)
{
    m_fixture = std::make_unique<FormFixture>();
    m_fixture->writeSettingsFile(!settings.isEmpty() ? settings
                                 : "[Properties]\r\nRounds=3\r\nMistakes=3\r\nTimeLimit=2\r\nTimeLimitValue=5\r\n"
                                   "[Solo]\r\nDifficulty=gemischt\r\n");
    m_fixture->playAloneWith(std::make_shared<WordList>(WordList::fromText(words)), [](int) { return 0; });
    m_form = &m_fixture->createActive();
    // Ticks come from the test alone.
    m_form->match().clock()->setInterval(24 * 3600 * 1000);
}

QString TestMatch::hiddenLetters() const
{
    QString keys;
    for (const QChar c : m_form->RoundState.SecretWord) {
        if (!m_form->RoundState.isRevealed(c) && !keys.contains(c.toLower()))
            keys += c.toLower();
    }
    return keys;
}

QString TestMatch::missingLetters(int count) const
{
    QString keys;
    for (char c = 'a'; keys.size() < count; ++c) {
        if (!m_form->RoundState.SecretWord.contains(QChar(c).toUpper()))
            keys += QLatin1Char(c);
    }
    return keys;
}

// A match of three words: one guessed with the hint, one lost by mistakes,
// one lost by time; no word twice, every word one the settings allow.
void TestMatch::threeWordsAloneByKeyboard()
{
    // The statistics page paints each of its columns without a complaint.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QPainter")));
    playAlone(kWords);
    typeKeys(m_form, QStringLiteral("{+Ctrl}a{-Ctrl}"));
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::Solo));
    QTRY_COMPARE(QApplication::focusWidget(), controlOf<QLineEdit>(m_form, "SoloName"));
    // As the settings file keeps it: all words, enough for three rounds.
    QCOMPARE(controlOf<TRadioGroup>(m_form, "SoloDifficulty")->ItemIndex(), 3);
    typeKeys(m_form, QStringLiteral("Anna{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
    QCOMPARE(controlOf<QLabel>(m_form, "WordGuessingInfo")->text(), QStringLiteral("Errate das Wort des Computers, Anna!"));

    QStringList words;
    // Guessed with the hint: a letter revealed for a mistake, once.
    typeKeys(m_form, QStringLiteral("{Return}"));
    words << m_form->RoundState.SecretWord;
    QVERIFY(controlOf<TKxBitBtn>(m_form, "Hint")->isVisible() && controlOf<TKxBitBtn>(m_form, "Hint")->isEnabled());
    typeKeys(m_form, QStringLiteral("{+Alt}t{-Alt}"));
    QCOMPARE(int(controlOf<TKxDigit>(m_form, "curMistakes")->Value()), 1);
    QVERIFY(!controlOf<TKxBitBtn>(m_form, "Hint")->isEnabled());
    typeKeys(m_form, hiddenLetters());
    QVERIFY(m_form->RoundState.RoundOver);
    QVERIFY(controlOf<TKxBitBtn>(m_form, "Hint")->isHidden());
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Statistics));
    controlOf<TStringGrid>(m_form, "Statistik")->grab();
    QVERIFY(controlOf<TKxBitBtn>(m_form, "StatistikCancel")->isVisible());
    typeKeys(m_form, QStringLiteral("{Return}"));

    // Lost by mistakes: the hint is not offered once a mistake would end it.
    QCOMPARE(m_form->currentPage(), int(TForm1::Game));
    typeKeys(m_form, QStringLiteral("{Return}"));
    words << m_form->RoundState.SecretWord;
    typeKeys(m_form, missingLetters(2));
    QVERIFY(!controlOf<TKxBitBtn>(m_form, "Hint")->isEnabled());
    typeKeys(m_form, missingLetters(3).right(1) + QStringLiteral("{Return}{Return}"));

    // Lost by time.
    typeKeys(m_form, QStringLiteral("{Return}"));
    words << m_form->RoundState.SecretWord;
    for (int tick = 0; tick < 5; ++tick)
        m_form->match().tick();
    QVERIFY(m_form->RoundState.RoundOver);
    typeKeys(m_form, QStringLiteral("{Return}"));

    QCOMPARE(QSet<QString>(words.cbegin(), words.cend()).size(), 3);
    for (const QString &word : words)
        QVERIFY2(!word.contains(QChar(0xC4)), qPrintable(word));
    QStringList rows;
    for (int row = 0; row <= 3; ++row)
        rows << controlOf<TStringGrid>(m_form, "Statistik")->Cells(1, row) + QLatin1Char('/') + controlOf<TStringGrid>(m_form, "Statistik")->Cells(2, row)
                    + QLatin1Char('/') + controlOf<TStringGrid>(m_form, "Statistik")->Cells(3, row);
    QCOMPARE(rows, (QStringList{QString::fromUtf8("Wörter des Computers/Fehler/Ergebnis"), words.at(0) + "/1/erraten", words.at(1) + "/3/nicht erraten",
                                words.at(2) + "/3/Zeit abgelaufen"}));
    QCOMPARE(controlOf<QLabel>(m_form, "StatistikP1Info")->text(), QString::fromUtf8("Erratene Wörter Anna: 1"));
    QCOMPARE(controlOf<QLabel>(m_form, "StatistikP2Info")->text(), QStringLiteral("Fehleranzahl Anna: 7"));
    // Alone nobody leads: neither line is bold.
    QVERIFY(!controlOf<QLabel>(m_form, "StatistikP1Info")->font().bold());
    QVERIFY(!controlOf<QLabel>(m_form, "StatistikP2Info")->font().bold());
    QCOMPARE(controlOf<QLabel>(m_form, "WinnerLabel")->text(),
             QString::fromUtf8("Anna hat 1 von 3 Wörtern erraten.\n\nDas ist dein neuer Bestwert auf „gemischt“!"));
    QVERIFY(controlOf<TKxBitBtn>(m_form, "StatistikCancel")->isHidden());
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));

    // The next match shows none of the last one's words in rows it has not
    // played, and may be left after its first word.
    typeKeys(m_form, QStringLiteral("{+Ctrl}a{-Ctrl}"));
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::Solo));
    typeKeys(m_form, QStringLiteral("{Return}{Return}"));
    typeKeys(m_form, hiddenLetters() + QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Statistics));
    const TStringGrid *grid = controlOf<TStringGrid>(m_form, "Statistik");
    QCOMPARE(grid->Cells(1, 2) + grid->Cells(2, 2) + grid->Cells(3, 3), QString());
    typeKeys(m_form, QStringLiteral("{Esc}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));

    m_fixture->destroy();
    const QByteArray file = m_fixture->settingsFile();
    QVERIFY2(file.contains("[Solo]\r\nDifficulty=gemischt\r\nName=Anna\r\n"), file.constData());
    QVERIFY2(file.contains("BestGemischt=1/3/7\r\n"), file.constData());
    QVERIFY2(file.contains("History="), file.constData());
}

void TestMatch::aloneWithoutAMatch_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("settings");

    QTest::newRow("no name") << kWords << "" << "Gib deinen Namen ein." << QByteArray();
    QTest::newRow("fewer words the settings allow than rounds") << QByteArray("Bär\nHaus\nMaus\n") << "Anna"
                                               << QString::fromUtf8("Zu diesen Einstellungen passen nicht genug Wörter.")
                                               << QByteArray();
    QTest::newRow("as many words as rounds: the match starts") << QByteArray("Bär\nHaus\nMaus\nTisch\n") << "Anna"
                                                               << "" << QByteArray();
    // The words are ranked for the settings as they come, never read before.
    QTest::newRow("the game's own settings") << QByteArray("Bär\nHaus\nMaus\nTisch\nLampe\nGarten\n") << "Anna" << ""
                                             << QByteArray("[Solo]\r\nDifficulty=gemischt\r\n");
}

void TestMatch::aloneWithoutAMatch()
{
    QFETCH(QByteArray, words);
    QFETCH(QString, name);
    QFETCH(QString, box);
    QFETCH(QByteArray, settings);

    playAlone(words, settings);
    ModalBoxAnswerer answerer;
    controlOf<TKxBitBtn>(m_form, "SoloGame")->click();
    typeKeys(m_form, name + QStringLiteral("{Return}"));
    if (box.isEmpty()) {
        QCOMPARE(m_form->currentPage(), int(TForm1::Game));
        QCOMPARE(answerer.count(), 0);
        return;
    }
    QTRY_COMPARE(answerer.count(), 1);
    QVERIFY2(answerer.last().text.startsWith(box), qPrintable(answerer.last().text));
    QCOMPARE(m_form->currentPage(), int(TForm1::Solo));
}

// A topic is offered at a level only with a word there for every round.
void TestMatch::topicsFollowTheLevel()
{
    playAlone("Hund\tmittel\tTiere\nKatze\tmittel\tTiere\nMaus\tmittel\tTiere\nBaum\tleicht\nHaus\tleicht\n"
              "Tisch\tleicht\n",
              "[Properties]\r\nRounds=3\r\n[Solo]\r\nDifficulty=leicht\r\n");
    typeKeys(m_form, QStringLiteral("{+Ctrl}a{-Ctrl}"));
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::Solo));
    auto *topics = controlOf<QComboBox>(m_form, "SoloTopic");
    QCOMPARE(topics->findText(QStringLiteral("Tiere")), -1);
    typeKeys(m_form, QStringLiteral("{+Alt}m{-Alt}"));
    QTRY_VERIFY(topics->findText(QStringLiteral("Tiere")) >= 0);
}

void TestMatch::ownWordsAlone_data()
{
    QTest::addColumn<QByteArray>("file");
    // Kept from an earlier run: the dialog opens at it, and Return takes it.
    QTest::addColumn<bool>("known");
    // "text|explanation" of the box, from its beginning.
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("firstWord");
    QTest::addColumn<bool>("kept");

    QTest::newRow("a line left out is named, then the match")
        << QByteArray("# Woche 12\nMaus\nStra\xc3\x9f" "e\nHaus\nTisch\n") << true << QString::fromUtf8(
               "Diese Zeilen aus „woche.txt“ passen nicht zu den Einstellungen und werden nicht gespielt:\n\n"
               "Zeile 3: Straße – unzulässige Zeichen: ß|")
        << "MAUS" << true;
    QTest::newRow("fewer words than rounds") << QByteArray("Maus\nHaus\n") << false
                                             << QString::fromUtf8("Für „Eigene Wörter: woche.txt“ passen 2 Wörter")
                                             << "" << true;
    QTest::newRow("no usable word, not kept")
        << QByteArray("# Woche 12\nZug7\n") << false
        << QString::fromUtf8("In der Datei „woche.txt“ steht kein Wort, das zu den Einstellungen passt.|"
                             "Zeile 2: Zug7 – unzulässige Zeichen: 7")
        << "" << false;
}

// A list of one's own chosen with the file dialog by keyboard, kept, and
// played without a difficulty or a best.
void TestMatch::ownWordsAlone()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, known);
    QFETCH(QString, box);
    QFETCH(QString, firstWord);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("woche.txt"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    playAlone(kWords, "[Properties]\r\nRounds=3\r\n[Solo]\r\nDifficulty=gemischt\r\n"
                          + (known ? "WordFile=" + path.toLatin1() + "\r\n" : QByteArray()));

    ModalBoxAnswerer answerer;
    typeKeys(m_form, QStringLiteral("{+Ctrl}a{-Ctrl}"));
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::Solo));
    typeKeys(m_form, QStringLiteral("Anna{+Alt}e{-Alt}"));
    QFileDialog *dialog = nullptr;
    QTRY_VERIFY((dialog = m_form->findChild<QFileDialog *>(QStringLiteral("SoloWordFileDialog"))) && dialog->isVisible());
    QTRY_VERIFY(QApplication::focusWidget() && dialog->isAncestorOf(QApplication::focusWidget()));
    typeKeys(QApplication::focusWidget(), (known ? QString() : path) + QStringLiteral("{Return}"));
    const QString topic = QString::fromUtf8("Eigene Wörter: woche.txt");
    auto *topics = controlOf<QComboBox>(m_form, "SoloTopic");
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(topics->currentText() == topic, kept);
    QCOMPARE(controlOf<TRadioGroup>(m_form, "SoloDifficulty")->isEnabled(), !kept);
    if (kept) {
        QVERIFY(!QApplication::activePopupWidget());
        // What the window manager does once the dialog is gone.
        QApplication::setActiveWindow(m_form);
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        typeKeys(m_form, QStringLiteral("{Return}"));
    }
    QTRY_COMPARE(answerer.count(), 1);
    const QString shown = answerer.last().text + QLatin1Char('|') + answerer.last().explanation;
    QVERIFY2(shown.startsWith(box), qPrintable(shown));
    if (firstWord.isEmpty()) {
        QCOMPARE(m_form->currentPage(), int(TForm1::Solo));
    } else {
        QTRY_COMPARE(m_form->currentPage(), int(TForm1::Game));
        QCOMPARE(m_form->RoundState.SecretWord, firstWord);
    }
    m_fixture->destroy();
    const QByteArray settings = m_fixture->settingsFile();
    QVERIFY2(settings.contains("WordFile=" + path.toLatin1() + "\r\n") == kept, settings.constData());
    QVERIFY2(settings.contains(("Topic=" + topic).toLatin1()) == !firstWord.isEmpty(), settings.constData());
}

GAME_TEST_MAIN(TestMatch)
#include "tst_match.moc"
