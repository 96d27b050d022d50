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

// Character by character, so that ß stays ß.
static QString capitals(QString word)
{
    for (QChar &c : word)
        c = upperCaseOf(c);
    return word;
}

class TestWordList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWordPassesItsRule()
    {
        QFile blockedFile(QFINDTESTDATA("../../game/words/blocked-de.txt"));
        QVERIFY(blockedFile.open(QIODevice::ReadOnly));
        const WordList blocked = WordList::fromText(blockedFile.readAll());
        QSet<QString> seen;
        for (const WordList::Entry &entry : blocked.entries())
            seen.insert(capitals(entry.word));
        QVERIFY(seen.contains(QStringLiteral("NUTTE")));

        // With umlauts and lower case allowed, every noun stands as it is
        // written (the options: no special characters, capitals only,
        // sentences, numbers).
        const CharSet allowed = WordRules::allowedChars({false, false, false, false});
        const QRegularExpression noun(QStringLiteral("^[A-ZÄÖÜ][a-zäöüß]{3,11}$"));
        const QList<WordList::Entry> &entries = WordList::shipped().entries();
        QVERIFY(entries.size() > 10000);
        qsizetype plain = 0;
        for (const WordList::Entry &entry : entries) {
            const QString &word = entry.word;
            QVERIFY2(noun.match(word).hasMatch() && WordRules::CountDistinctChars(word) >= 2, qPrintable(word));
            QCOMPARE(WordRules::foldToAllowed(word, allowed).word, word);
            // Blocked or twice.
            QVERIFY2(!seen.contains(capitals(word)), qPrintable(word));
            seen.insert(capitals(word));
            plain += !word.contains(QRegularExpression(QStringLiteral("[ÄÖÜäöüß]")));
        }
        // The default settings keep every word without umlauts and ß.
        QCOMPARE(WordPool(WordList::shipped(), GameSettings()).size(), plain);
    }

    void everyOfferedTopicLastsTheMatch_data()
    {
        QTest::addColumn<int>("rounds");
        QTest::addColumn<Level>("level");
        QTest::newRow("5 rounds, leicht") << 5 << Level::Easy;
        QTest::newRow("5 rounds, mittel") << 5 << Level::Medium;
        QTest::newRow("5 rounds, schwer") << 5 << Level::Hard;
        QTest::newRow("12 rounds, gemischt") << 12 << Level::Mixed;
    }
    void everyOfferedTopicLastsTheMatch()
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
};

QTEST_APPLESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
