// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The list that ships with the game, checked word by word.
#include "game/GameSettings.h"
#include "game/WordDraw.h"
#include "game/WordList.h"
#include "game/WordPool.h"
#include "game/WordRules.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using Difficulty::Level;

class TestWordList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWordPassesItsRule();
    void everyOfferedTopicLastsTheMatch_data();
    void everyOfferedTopicLastsTheMatch();
};

void TestWordList::everyWordPassesItsRule()
{
    QFile blockedFile(QFINDTESTDATA("../../game/words/blocked-de.txt"));
    QVERIFY(blockedFile.open(QIODevice::ReadOnly));
    const WordList blockedList = WordList::fromText(blockedFile.readAll());
    QSet<QString> blocked;
    for (const WordList::Entry &entry : blockedList.entries())
        blocked.insert(entry.word);
    QVERIFY(blocked.contains(QStringLiteral("Nutte")));

    // Umlauts and lower case allowed: every noun stands as it is written.
    WordRules::CharacterOptions everyLetter;
    everyLetter.noSpecialChars = false;
    everyLetter.capitalLetters = false;
    const CharSet allowed = WordRules::allowedChars(everyLetter);
    const QRegularExpression noun(QStringLiteral("^[A-ZÄÖÜ][a-zäöüß]{3,11}$"));
    QSet<QString> seen;
    const QList<WordList::Entry> &entries = WordList::shipped().entries();
    QVERIFY(entries.size() > 10000);
    for (const WordList::Entry &entry : entries) {
        const QString &word = entry.word;
        QVERIFY2(noun.match(word).hasMatch(), qPrintable(word));
        QCOMPARE(WordRules::foldToAllowed(word, allowed).word, word);
        QVERIFY2(WordRules::CountDistinctChars(word) >= 2, qPrintable(word));
        QVERIFY2(!blocked.contains(word), qPrintable(word));
        QVERIFY2(!seen.contains(word.toUpper()), qPrintable(word));
        seen.insert(word.toUpper());
    }
    // The default settings keep every word without umlauts and ß.
    const qsizetype plain = std::count_if(entries.cbegin(), entries.cend(), [](const WordList::Entry &entry) {
        return !entry.word.contains(QRegularExpression(QStringLiteral("[ÄÖÜäöüß]")));
    });
    QCOMPARE(WordPool(WordList::shipped(), GameSettings()).size(), plain);
}

void TestWordList::everyOfferedTopicLastsTheMatch_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<Level>("level");

    QTest::newRow("5 rounds, leicht") << 5 << Level::Easy;
    QTest::newRow("5 rounds, mittel") << 5 << Level::Medium;
    QTest::newRow("5 rounds, schwer") << 5 << Level::Hard;
    QTest::newRow("12 rounds, gemischt") << 12 << Level::Mixed;
}

void TestWordList::everyOfferedTopicLastsTheMatch()
{
    QFETCH(int, rounds);
    QFETCH(Level, level);
    GameSettings settings;
    settings.Rounds = rounds;
    const WordPool pool(WordList::shipped(), settings);
    const QStringList offered = pool.topicsOffered(level);
    // With the default settings every topic of the list has enough words.
    QCOMPARE(offered.size(), WordList::shipped().topics().size() + 1);
    for (const QString &topic : offered) {
        const QStringList words = pool.words(level, topic);
        WordDraw draw(pool, level, topic, WordHistory());
        QSet<QString> drawn;
        for (int round = 0; round < rounds; ++round) {
            const QString word = draw.next().value_or(QString());
            QVERIFY2(words.contains(word) && !drawn.contains(word), qPrintable(topic + QStringLiteral(": ") + word));
            drawn.insert(word);
        }
    }
}

QTEST_APPLESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
