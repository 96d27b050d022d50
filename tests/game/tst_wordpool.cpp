// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/GameSettings.h"
#include "game/OwnWords.h"
#include "game/WordDraw.h"
#include "game/WordList.h"
#include "game/WordPool.h"
#include "game/WordRules.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
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

// With the defaults: GARTEN TIER SONNENSCHIRM | HAUS HUND | TIGER APFEL, and
// RABE, whose "Tiere" stands where the level belongs, only in all words.
const WordList testList = WordList::fromText(
    "# a comment\n\nHaus\tmittel\tBau\nGarten\tleicht\tBau\r\nTiger\tschwer\tTiere\nHund\tmittel\tTiere\n"
    "L\xc3\xb6we\tleicht\tTiere\nApfel\tschwer\tEssen\nM\xc3\xbcll\nStra\xc3\x9f" "e\tmittel\nAst\tleicht\n"
    "Tier\tleicht\tTiere\nSonnenschirm\tleicht\t\nSchmetterling\tmittel\tTiere\nAaaa\tleicht\nE-Mail\tschwer\n"
    "Gute Nacht\tmittel\nZug7\tgemischt\nRabe\tTiere\nhaus\tleicht\n");

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
    void pool_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("defaults") << "" << split("APFEL GARTEN HAUS HUND RABE SONNENSCHIRM TIER TIGER");
        QTest::newRow("umlauts") << "U" << split("APFEL GARTEN HAUS HUND LÖWE MÜLL RABE SONNENSCHIRM TIER TIGER");
        QTest::newRow("lower case") << "L" << split("Apfel Garten Haus Hund Rabe Sonnenschirm Tier Tiger");
        QTest::newRow("umlauts, lower case")
            << "UL" << split("Apfel Garten Haus Hund Löwe Müll Rabe Sonnenschirm Straße Tier Tiger");
        QTest::newRow("sentences") << "S" << split("APFEL E-MAIL GARTEN GUTE_NACHT HAUS HUND RABE SONNENSCHIRM TIER TIGER");
        QTest::newRow("numbers") << "N" << split("APFEL GARTEN HAUS HUND RABE SONNENSCHIRM TIER TIGER ZUG7");
        QTest::newRow("first letter not given") << "F" << split("AAAA APFEL GARTEN HAUS HUND RABE SONNENSCHIRM TIER TIGER");
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
        QTest::newRow("medium") << "" << Level::Medium << "mittel" << split("HAUS HUND");
        QTest::newRow("hard") << "" << Level::Hard << "schwer" << split("TIGER APFEL");
        QTest::newRow("mixed, in the list's order")
            << "" << Level::Mixed << "gemischt" << split("HAUS GARTEN TIGER HUND APFEL TIER SONNENSCHIRM RABE");
        QTest::newRow("easy, first letter not given") << "F" << Level::Easy << "leicht"
                                                     << split("GARTEN TIER SONNENSCHIRM AAAA");
        QTest::newRow("medium, umlauts: MÜLL has none") << "U" << Level::Medium << "mittel" << split("HAUS HUND");
        QTest::newRow("hard, sentences") << "S" << Level::Hard << "schwer" << split("TIGER APFEL E-MAIL");
        QTest::newRow("easy, numbers: gemischt is none") << "N" << Level::Easy << "leicht"
                                                        << split("GARTEN TIER SONNENSCHIRM");
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
        QTest::newRow("hard has no building") << "" << 1 << Level::Hard << split("Alle_Wörter Essen Tiere");
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
        QTest::newRow("fresh") << QStringList() << false << split("HAUS GARTEN TIGER HUND APFEL TIER SONNENSCHIRM RABE");
        QTest::newRow("random source") << QStringList() << true << split("RABE SONNENSCHIRM TIER APFEL HUND TIGER GARTEN HAUS");
        QTest::newRow("earlier words last, oldest first")
            << split("HAUS GARTEN") << false << split("TIGER HUND APFEL TIER SONNENSCHIRM RABE HAUS GARTEN");
        QTest::newRow("earlier in another case")
            << split("garten") << false << split("HAUS TIGER HUND APFEL TIER SONNENSCHIRM RABE GARTEN");
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
        // A history an earlier run saved: GARTEN, however it is spelled now.
        QCOMPARE(WordHistory::fromString(QStringLiteral("Tkn4")).recency(QStringLiteral("Garten")), 0);
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
        QVERIFY2(entries.size() >= 3000 && entries.size() <= 7000, qPrintable(QString::number(entries.size())));
        qsizetype plain = 0;
        for (const WordList::Entry &entry : entries) {
            const QString &word = entry.word;
            QVERIFY2(noun.match(word).hasMatch() && WordRules::CountDistinctChars(word) >= 2, qPrintable(word));
            QVERIFY2(entry.level != Level::Mixed, qPrintable(word));
            QCOMPARE(WordRules::foldToAllowed(word, allowed).word, word);
            // Blocked or twice.
            QVERIFY2(!seen.contains(capitals(word)), qPrintable(word));
            seen.insert(capitals(word));
            plain += !word.contains(QRegularExpression(QStringLiteral("[ÄÖÜäöüß]")));
        }
        // The default settings keep every word without umlauts and ß.
        QCOMPARE(WordPool(WordList::shipped(), GameSettings()).size(), plain);
    }

    // A word each rule of the list's making keeps or leaves out, with the
    // level and topics it gets, "|" between them ("" for a word left out).
    void shippedWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("entry");
        QTest::newRow("a word of its own") << "Hund" << "mittel|Tiere";
        QTest::newRow("spelled as a stem and its suffix") << "Katze" << "leicht|Tiere";
        QTest::newRow("a compound of two parts") << "Bahnhof" << "mittel";
        QTest::newRow("written after its article") << "Polizei" << "mittel";
        QTest::newRow("a specialist's in every sense") << "Konnossement" << "";
        QTest::newRow("filed under a subject, used everywhere") << "Computer" << "leicht";
        QTest::newRow("everybody's sense, used nowhere else") << "Organigramm" << "";
        QTest::newRow("a topic's word, seldom used") << "Paella" << "schwer|Essen und Trinken";
        QTest::newRow("a species only its Latin name tells apart") << "Bergkohlmeise" << "";
        QTest::newRow("the female beside the male") << "Bettlerin" << "";
        QTest::newRow("the plural of another") << "Spuren" << "";
        QTest::newRow("another's plural, a word of many senses") << "Kasten" << "mittel";
        QTest::newRow("death by a word part") << "Todesopfer" << "";
        QTest::newRow("drugs by a word part") << "Drogendealer" << "";
        QTest::newRow("a word part's letters inside another") << "Vergleich" << "leicht";
        QTest::newRow("left out by hand") << "Krebs" << "";
        QTest::newRow("skin before the skin on milk") << "Haut" << "mittel|Körper";
        QTest::newRow("a throw before a litter") << "Wurf" << "schwer";
        QTest::newRow("an everyday compound Ding seldom uses") << "Leuchtturm" << "mittel";
        QTest::newRow("abstract, never easy") << "Abarbeitung" << "schwer";
        QTest::newRow("common, but a mistake to the guesser") << "Haus" << "mittel";
    }
    void shippedWord()
    {
        QFETCH(QString, word);
        QString found;
        for (const WordList::Entry &entry : WordList::shipped().entries()) {
            if (entry.word == word)
                found = (QStringList{Difficulty::name(entry.level)} + entry.topics).join(QLatin1Char('|'));
        }
        QTEST(found, "entry");
    }

    void everyOfferedTopicLastsTheMatch_data()
    {
        QTest::addColumn<int>("rounds");
        QTest::addColumn<Level>("level");
        // How many of the list's topics are offered at least; -1: all.
        QTest::addColumn<int>("topics");
        QTest::newRow("5 rounds, leicht") << 5 << Level::Easy << 4;
        QTest::newRow("5 rounds, mittel") << 5 << Level::Medium << -1;
        QTest::newRow("5 rounds, schwer") << 5 << Level::Hard << -1;
        QTest::newRow("12 rounds, gemischt") << 12 << Level::Mixed << -1;
    }
    void everyOfferedTopicLastsTheMatch()
    {
        QFETCH(int, rounds);
        QFETCH(Level, level);
        QFETCH(int, topics);
        GameSettings settings;
        settings.Rounds = rounds;
        const WordPool pool(WordList::shipped(), settings);
        const QStringList offered = pool.topicsOffered(level);
        // With the default settings, enough topics have enough words; "leicht"
        // holds too few cars and sports things for a match.
        const int all = int(WordList::shipped().topics().size());
        QVERIFY2(offered.size() - 1 >= (topics < 0 ? all : topics), qPrintable(offered.join(QLatin1Char(','))));
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

    // A list of one's own, read from its file: either encoding, the word
    // page's rules line by line, the size bound.
    void ownWords_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("refusedLines");
        QTest::addColumn<OwnWords::Problem>("problem");
        using P = OwnWords::Problem;
        const QByteArray sixty = QByteArray(60, 'A').replace(0, 1, "B");
        // 64 KiB, spelled out: the bound itself may be what is wrong.
        QByteArray atBound = "Haus\n#";
        atBound += QByteArray(65536 - atBound.size(), 'x');
        QTest::newRow("UTF-8 with byte order mark and CR LF, a comment, a topic")
            << QByteArray("\xef\xbb\xbf" "B\xc3\xa4r\r\n# B\xc3\xa4ume\r\nHund\tTiere\r\n") << "U" << ""
            << split("Bär Hund") << "" << P::None;
        QTest::newRow("Windows-1252") << QByteArray("B\xe4r\nHund\n") << "U" << "" << split("Bär Hund") << ""
                                      << P::None;
        QTest::newRow("Windows-1252 without umlauts allowed")
            << QByteArray("B\xe4r\nHund\n") << "" << "" << split("Hund") << "1" << P::None;
        QTest::newRow("each rule names its line, comments and blank lines count")
            << QByteArray("# Woche 12\n\nGute Nacht\nAa\nHaus\nhaus\nZug7\n") << "" << "" << split("Haus")
            << "3 4 7" << P::None;
        QTest::newRow("a line just long enough") << sixty << "" << "" << QStringList{QString::fromLatin1(sixty)}
                                                 << "" << P::None;
        QTest::newRow("a line one too long") << sixty + "B\nHaus" << "" << "" << split("Haus") << "1" << P::None;
        QTest::newRow("only comments") << QByteArray("# Woche 12\n  # nichts\n\n") << "" << ""
                                       << QStringList() << "" << P::NoWord;
        QTest::newRow("no line passes") << QByteArray("Stra\xdf" "e\n") << "" << "" << QStringList() << "1"
                                        << P::NoWord;
        QTest::newRow("at the size bound") << atBound << "" << "" << split("Haus") << "" << P::None;
        QTest::newRow("a byte past it") << atBound + "x" << "" << "" << QStringList() << "" << P::TooLarge;
        // The box names twelve lines, and counts the rest.
        QTest::newRow("twelve lines refused, all named")
            << QByteArray("Haus\n") + QByteArray("Zug7\n").repeated(12) << "" << "" << split("Haus")
            << "2 3 4 5 6 7 8 9 10 11 12 13" << P::None;
        QTest::newRow("thirteen, one counted")
            << QByteArray("Haus\n") + QByteArray("Zug7\n").repeated(13) << "" << "" << split("Haus")
            << "2 3 4 5 6 7 8 9 10 11 12 13 14" << P::None;
        QTest::newRow("one topic of the file")
            << QByteArray("Hund\tTiere\nApfel\tObst\n Katze \t Tiere \n") << "" << "Tiere" << split("Hund Katze")
            << "" << P::None;
    }
    void ownWords()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, flags);
        QFETCH(QString, topic);
        QFETCH(QString, refusedLines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("woche.txt"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();

        const OwnWords own = OwnWords::read(path, settings(flags, 2));
        QTEST(own.problem(), "problem");
        QTEST(own.words(topic.isEmpty() ? OwnWords::topicName(path) : OwnWords::topicName(path, topic)), "expected");
        QStringList lines;
        for (const OwnWords::Refusal &refusal : own.refused())
            lines << QString::number(refusal.line);
        QCOMPARE(lines.join(QLatin1Char(' ')), refusedLines);
        const QStringList named = own.refusedText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(named.size(), qMin(int(lines.size()), 13));
        if (lines.size() > 12)
            QCOMPARE(named.last(), QStringLiteral("… und eine weitere Zeile"));
        if (!topic.isEmpty())
            QCOMPARE(own.topicsOffered(2), (QStringList{OwnWords::topicName(path), OwnWords::topicName(path, topic)}));
    }
};

QTEST_APPLESS_MAIN(TestWordPool)
#include "tst_wordpool.moc"
