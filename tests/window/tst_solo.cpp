// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Playing alone through the real window, by keyboard: the computer's words,
// the hint, the statistics of one player and the best kept in the file.
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
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

// Six words, each its own letters' worth of difficulty; Ä only where
// umlauts are allowed.
const QByteArray kWords = "Garten\tPflanzen\nHaus\nMaus\tTiere\nTisch\nLampe\nBär\tTiere\n";

} // namespace

class TestSolo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void threeWordsByKeyboard();
    void nothingToPlay_data();
    void nothingToPlay();

private:
    // Types the letters of the word still hidden, or as many letters the
    // word lacks, on the window.
    QString hiddenLetters() const;
    QString missingLetters(int count) const;

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestSolo::init()
{
    m_fixture = std::make_unique<FormFixture>();
    m_fixture->writeSettingsFile("[Properties]\r\nRounds=3\r\nMistakes=3\r\nTimeLimit=2\r\nTimeLimitValue=5\r\n");
    m_fixture->playAloneWith(std::make_shared<WordList>(WordList::fromText(kWords)), [](int) { return 0; });
    m_form = &m_fixture->createActive();
    // Ticks come from the test alone.
    m_form->Timer->setInterval(24 * 3600 * 1000);
}

void TestSolo::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

QString TestSolo::hiddenLetters() const
{
    QString keys;
    for (const QChar c : m_form->RoundState.SecretWord) {
        if (!m_form->RoundState.isRevealed(c) && !keys.contains(c.toLower()))
            keys += c.toLower();
    }
    return keys;
}

QString TestSolo::missingLetters(int count) const
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
void TestSolo::threeWordsByKeyboard()
{
    typeKeys(m_form, QStringLiteral("{+Ctrl}a{-Ctrl}"));
    QTRY_COMPARE(m_form->currentPage(), int(TForm1::SoloPage));
    QTRY_COMPARE(QApplication::focusWidget(), m_form->SoloName);
    // Each level of six words has two; all of them are enough for three rounds.
    typeKeys(m_form, QStringLiteral("Anna{+Alt}g{-Alt}"));
    QTRY_COMPARE(m_form->SoloDifficulty->ItemIndex(), 3);
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::GamePage));
    QCOMPARE(m_form->WordGuessingInfo->text(), QStringLiteral("Errate das Wort des Computers, Anna!"));

    QStringList words;
    // Guessed with the hint: a letter revealed for a mistake, once.
    typeKeys(m_form, QStringLiteral("{Return}"));
    words << m_form->RoundState.SecretWord;
    QVERIFY(m_form->Hint->isVisible() && m_form->Hint->isEnabled());
    typeKeys(m_form, QStringLiteral("{+Alt}t{-Alt}"));
    QCOMPARE(int(m_form->curMistakes->Value()), 1);
    QVERIFY(!m_form->Hint->isEnabled());
    typeKeys(m_form, hiddenLetters());
    QVERIFY(m_form->RoundState.RoundOver);
    QVERIFY(m_form->Hint->isHidden());
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::StatisticsPage));
    QVERIFY(m_form->StatistikCancel->isVisible());
    typeKeys(m_form, QStringLiteral("{Return}"));

    // Lost by mistakes: the hint is not offered once a mistake would end it.
    QCOMPARE(m_form->currentPage(), int(TForm1::GamePage));
    typeKeys(m_form, QStringLiteral("{Return}"));
    words << m_form->RoundState.SecretWord;
    typeKeys(m_form, missingLetters(2));
    QVERIFY(!m_form->Hint->isEnabled());
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
    for (int row = 1; row <= 3; ++row)
        rows << m_form->Statistik->Cells(1, row) + QLatin1Char('/') + m_form->Statistik->Cells(2, row)
                    + QLatin1Char('/') + m_form->Statistik->Cells(3, row);
    QCOMPARE(rows, (QStringList{words.at(0) + "/1/erraten", words.at(1) + "/3/nicht erraten",
                                words.at(2) + "/3/Zeit abgelaufen"}));
    QCOMPARE(m_form->StatistikP1Info->text(), QString::fromUtf8("Erratene Wörter Anna: 1"));
    QCOMPARE(m_form->StatistikP2Info->text(), QStringLiteral("Fehleranzahl Anna: 7"));
    QCOMPARE(m_form->WinnerLabel->text(),
             QString::fromUtf8("Anna hat 1 von 3 Wörtern erraten.\n\nDas ist dein neuer Bestwert auf „gemischt“!"));
    QVERIFY(m_form->StatistikCancel->isHidden());
    typeKeys(m_form, QStringLiteral("{Return}"));
    QCOMPARE(m_form->currentPage(), int(TForm1::StartPage));

    m_fixture->destroy();
    const QByteArray file = m_fixture->settingsFile();
    QVERIFY2(file.contains("[Solo]\r\nName=Anna\r\n"), file.constData());
    QVERIFY2(file.contains("BestGemischt=1/3/7\r\n"), file.constData());
    QVERIFY2(file.contains("History="), file.constData());
}

void TestSolo::nothingToPlay_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("box");

    QTest::newRow("no name") << kWords << "" << "Gib deinen Namen ein.";
    QTest::newRow("fewer words the settings allow than rounds") << QByteArray("Bär\nHaus\nMaus\n") << "Anna"
                                               << QString::fromUtf8("Zu diesen Einstellungen passen nicht genug Wörter.");
}

void TestSolo::nothingToPlay()
{
    QFETCH(QByteArray, words);
    QFETCH(QString, name);
    QFETCH(QString, box);

    m_fixture->destroy();
    m_fixture->playAloneWith(std::make_shared<WordList>(WordList::fromText(words)), {});
    m_form = &m_fixture->createActive();
    ModalBoxAnswerer answerer;
    m_form->SoloGameClick();
    typeKeys(m_form, name + QStringLiteral("{Return}"));
    QTRY_COMPARE(answerer.count(), 1);
    QVERIFY2(answerer.last().text.startsWith(box), qPrintable(answerer.last().text));
    QCOMPARE(m_form->currentPage(), int(TForm1::SoloPage));
}

GAME_TEST_MAIN(TestSolo)
#include "tst_solo.moc"
