// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

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

namespace {

// "U" umlauts, "L" lower case, "S" sentences, "N" numbers allowed; "F" the
// first letter not given; the rest as by default.
GameSettings settings(const QString &flags, int rounds = 5)
{
    GameSettings s;
    s.NoSpecialChars = !flags.contains(QLatin1Char('U'));
    s.CapitalLetters = !flags.contains(QLatin1Char('L'));
    s.AcceptSentences = flags.contains(QLatin1Char('S'));
    s.AcceptNumbers = flags.contains(QLatin1Char('N'));
    s.SetFirstLetter = !flags.contains(QLatin1Char('F'));
    s.Rounds = rounds;
    return s;
}

// Ranked with the defaults: GARTEN TIER SONNENSCHIRM | HAUS HUND | TIGER APFEL.
const WordList testList = WordList::fromText(
    "# a comment\n\nHaus\tBau\nGarten\tBau\r\nTiger\tTiere\nHund\tTiere\nL\xc3\xb6we\tTiere\nApfel\tEssen\n"
    "M\xc3\xbcll\nStra\xc3\x9f" "e\nAst\nTier\tTiere\nSonnenschirm\nSchmetterling\tTiere\nAaaa\nE-Mail\n"
    "Gute Nacht\nZug7\nhaus\n");

// Character by character, so that ß stays ß.
QString capitals(QString word)
{
    for (QChar &c : word)
        c = upperCaseOf(c);
    return word;
}

// Words apart by blanks; "_" stands for a blank inside a word.
QStringList split(const char *words)
{
    return QString::fromUtf8(words).split(QLatin1Char(' ')).replaceInStrings(QStringLiteral("_"), QStringLiteral(" "));
}

} // namespace

class TestWordPool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mistakes_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("expected");
        QTest::newRow("GARTEN, G given") << "GARTEN" << "" << 2;
        QTest::newRow("Garten in lower case") << "Garten" << "L" << 2;
        QTest::newRow("QUIZ, capitals only") << "QUIZ" << "F" << 22;
        QTest::newRow("QUIZ, umlauts tried before J") << "QUIZ" << "UF" << 25;
        QTest::newRow("blank and hyphen cost nothing") << "E-MAIL X" << "SF" << 19;
    }
    void mistakes()
    {
        QFETCH(QString, word);
        QFETCH(QString, flags);
        const GameSettings s = settings(flags);
        const CharSet allowed = WordRules::allowedChars(WordRules::CharacterOptions::of(s));
        QTEST(Difficulty::mistakes(word, allowed, s.SetFirstLetter), "expected");
    }

    void pool_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("defaults") << "" << split("APFEL GARTEN HAUS HUND SONNENSCHIRM TIER TIGER");
        QTest::newRow("umlauts") << "U" << split("APFEL GARTEN HAUS HUND LÖWE MÜLL SONNENSCHIRM TIER TIGER");
        QTest::newRow("lower case") << "L" << split("Apfel Garten Haus Hund Sonnenschirm Tier Tiger");
        QTest::newRow("umlauts, lower case")
            << "UL" << split("Apfel Garten Haus Hund Löwe Müll Sonnenschirm Straße Tier Tiger");
        QTest::newRow("sentences") << "S" << split("APFEL E-MAIL GARTEN GUTE_NACHT HAUS HUND SONNENSCHIRM TIER TIGER");
        QTest::newRow("numbers") << "N" << split("APFEL GARTEN HAUS HUND SONNENSCHIRM TIER TIGER ZUG7");
        QTest::newRow("first letter not given") << "F" << split("AAAA APFEL GARTEN HAUS HUND SONNENSCHIRM TIER TIGER");
    }
    void pool()
    {
        QFETCH(QString, flags);
        QStringList words = WordPool(testList, settings(flags)).words(Level::Mixed);
        words.sort();
        QTEST(words, "expected");
    }

    void levels_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<Level>("level");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("easy") << "" << Level::Easy << "leicht" << split("GARTEN TIER SONNENSCHIRM");
        QTest::newRow("medium: HAUS harder than GARTEN") << "" << Level::Medium << "mittel" << split("HAUS HUND");
        QTest::newRow("hard") << "" << Level::Hard << "schwer" << split("TIGER APFEL");
        QTest::newRow("mixed") << "" << Level::Mixed << "gemischt"
                               << split("GARTEN TIER SONNENSCHIRM HAUS HUND TIGER APFEL");
        QTest::newRow("medium, first letter not given") << "F" << Level::Medium << "mittel" << split("HAUS HUND GARTEN");
    }
    void levels()
    {
        QFETCH(QString, flags);
        QFETCH(Level, level);
        QFETCH(QString, name);
        QTEST(WordPool(testList, settings(flags)).words(level), "expected");
        QCOMPARE(Difficulty::name(level), name);
        QCOMPARE(Difficulty::fromName(name), level);
    }

    void topics_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<Level>("level");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one round") << "" << 1 << Level::Mixed << split("Alle_Wörter Bau Essen Tiere");
        QTest::newRow("three rounds") << "" << 3 << Level::Mixed << split("Alle_Wörter Tiere");
        QTest::newRow("too few for any topic") << "" << 4 << Level::Mixed << split("Alle_Wörter");
        QTest::newRow("umlauts add LÖWE") << "U" << 4 << Level::Mixed << split("Alle_Wörter Tiere");
        QTest::newRow("medium has no fruit") << "" << 1 << Level::Medium << split("Alle_Wörter Bau Tiere");
    }
    void topics()
    {
        QFETCH(QString, flags);
        QFETCH(int, rounds);
        QFETCH(Level, level);
        QTEST(WordPool(testList, settings(flags, rounds)).topicsOffered(level), "expected");
    }

    void draw_data()
    {
        QTest::addColumn<QStringList>("earlier");
        QTest::addColumn<bool>("pickLast");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fresh") << QStringList() << false << split("GARTEN TIER SONNENSCHIRM HAUS HUND TIGER APFEL");
        QTest::newRow("random source") << QStringList() << true << split("APFEL TIGER HUND HAUS SONNENSCHIRM TIER GARTEN");
        QTest::newRow("earlier words last, oldest first")
            << split("HAUS GARTEN") << false << split("TIER SONNENSCHIRM HUND TIGER APFEL HAUS GARTEN");
        QTest::newRow("earlier in another case")
            << split("garten") << false << split("TIER SONNENSCHIRM HAUS HUND TIGER APFEL GARTEN");
    }
    void draw()
    {
        QFETCH(QStringList, earlier);
        QFETCH(bool, pickLast);
        QFETCH(QStringList, expected);
        WordHistory history;
        for (const QString &word : earlier)
            history.add(word);
        const WordPool pool(testList, settings(QString()));
        WordDraw draw(pool, Level::Mixed, WordPool::AllTopics, WordHistory::fromString(history.toString()),
                      [pickLast](int bound) { return pickLast ? bound - 1 : 0; });
        QStringList drawn;
        while (const std::optional<QString> word = draw.next()) {
            drawn << *word;
            QVERIFY(drawn.size() <= expected.size());
        }
        QCOMPARE(drawn, expected);
        // Saved and read again, this match's words come last in the next one.
        WordDraw again(pool, Level::Mixed, WordPool::AllTopics, WordHistory::fromString(draw.history().toString()),
                       [](int) { return 0; });
        QCOMPARE(again.next(), expected.first());
    }

    void historyText()
    {
        WordHistory history;
        for (int i = 0; i <= WordHistory::Capacity; ++i)
            history.add(QString::number(i));
        QCOMPARE(history.size(), WordHistory::Capacity);
        QCOMPARE(history.recency(QStringLiteral("0")), -1);
        const QString text = history.toString();
        QCOMPARE(WordHistory::fromString(text).recency(QStringLiteral("1")), 0);
        QCOMPARE(WordHistory::fromString(text + text.left(4)).size(), WordHistory::Capacity);
        QCOMPARE(WordHistory::fromString(text.chopped(1)).size(), 0);
        QCOMPARE(WordHistory::fromString(QStringLiteral("AA€A")).size(), 0);
    }

    // The list that ships with the game, checked word by word.
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

QTEST_APPLESS_MAIN(TestWordPool)
#include "tst_wordpool.moc"
