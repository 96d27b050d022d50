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
        // A few thousand words that a player knows, not every noun there is.
        QVERIFY2(entries.size() >= 3000 && entries.size() <= 6000, qPrintable(QString::number(entries.size())));
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

    // A word each rule of the list's making keeps or leaves out.
    void shippedWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("shipped");
        QTest::newRow("a word of its own") << "Hund" << true;
        QTest::newRow("spelled as a stem and its suffix") << "Katze" << true;
        QTest::newRow("a compound of two parts") << "Bahnhof" << true;
        QTest::newRow("written after its article") << "Polizei" << true;
        QTest::newRow("a specialist's in every sense") << "Konnossement" << false;
        QTest::newRow("filed under a subject, used everywhere") << "Computer" << true;
        QTest::newRow("everybody's sense, used nowhere else") << "Organigramm" << false;
        QTest::newRow("a topic's word, seldom used") << "Paella" << true;
        QTest::newRow("a species only its Latin name tells apart") << "Bergkohlmeise" << false;
        QTest::newRow("the female beside the male") << "Bettlerin" << false;
        QTest::newRow("the plural of another") << "Spuren" << false;
        QTest::newRow("another's plural, a word of many senses") << "Kasten" << true;
    }
    void shippedWord()
    {
        QFETCH(QString, word);
        QFETCH(bool, shipped);
        bool found = false;
        for (const WordList::Entry &entry : WordList::shipped().entries())
            found |= entry.word == word;
        QCOMPARE(found, shipped);
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
