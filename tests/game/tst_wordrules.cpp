// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordRules.h"

#include <QTest>

using WordRules::CharacterOptions;

namespace {

// "S" sentences, "N" numbers, "U" umlauts allowed (NoSpecialChars off),
// "L" lower case allowed (CapitalLetters off); the rest as by default.
CharacterOptions options(const QString &flags)
{
    CharacterOptions o;
    o.acceptSentences = flags.contains(QLatin1Char('S'));
    o.acceptNumbers = flags.contains(QLatin1Char('N'));
    o.noSpecialChars = !flags.contains(QLatin1Char('U'));
    o.capitalLetters = !flags.contains(QLatin1Char('L'));
    return o;
}

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class TestWordRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void allowedChars_data();
    void allowedChars();
    void fold_data();
    void fold();
    void countDistinctChars_data();
    void countDistinctChars();
    void userCharacters_data();
    void userCharacters();
};

void TestWordRules::allowedChars_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("inside");
    QTest::addColumn<QString>("outside");

    QTest::newRow("defaults") << "" << "AMZ" << u("amzÄÖÜäöüß 0!");
    QTest::newRow("umlauts") << "U" << u("AZÄÖÜ") << u("äöüßaz");
    QTest::newRow("lower case") << "L" << "AZaz" << u("ÄÖÜäöüß");
    QTest::newRow("umlauts and lower case") << "UL" << u("AZazÄÖÜäöüß") << u("0 ÀÉàé");
    QTest::newRow("sentences") << "S" << u(" !\",-.:;?") << u("'()_/0");
    QTest::newRow("numbers") << "N" << "0123456789" << u("¹²½ ");
}

void TestWordRules::allowedChars()
{
    QFETCH(QString, flags);
    QFETCH(QString, inside);
    QFETCH(QString, outside);
    const CharSet allowed = WordRules::allowedChars(options(flags));
    for (QChar c : inside)
        QVERIFY2(allowed.contains(c), qPrintable(QString(c)));
    for (QChar c : outside)
        QVERIFY2(!allowed.contains(c), qPrintable(QString(c)));
}

void TestWordRules::fold_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("folded");
    QTest::addColumn<QString>("rejected");

    QTest::newRow("haus") << "" << "haus" << "HAUS" << "";
    QTest::newRow("mixed case") << "" << "HaUs" << "HAUS" << "";
    QTest::newRow("Straße") << "" << u("Straße") << u("STRAßE") << u("ß");
    QTest::newRow("Müll") << "" << u("Müll") << u("MüLL") << u("ü");
    QTest::newRow("Straße, all letters allowed") << "UL" << u("Straße") << u("Straße") << "";
    QTest::newRow("müll with umlauts, capitals only") << "U" << u("müll") << u("MÜLL") << "";
    QTest::newRow("Straße with umlauts, capitals only") << "U" << u("Straße") << u("STRAßE") << u("ß");
    QTest::newRow("Hallo Welt without sentences") << "" << "Hallo Welt" << "HALLO WELT" << " ";
    QTest::newRow("Gute Nacht! with sentences") << "S" << "Gute Nacht!" << "GUTE NACHT!" << "";
    QTest::newRow("every punctuation mark") << "S" << "A \"!,-.:;?" << "A \"!,-.:;?" << "";
    QTest::newRow("apostrophe refused") << "S" << "Geht's" << "GEHT'S" << "'";
    QTest::newRow("x1x2") << "" << "x1x2" << "X1X2" << "1; 2";
    QTest::newRow("x1x2 with numbers") << "N" << "x1x2" << "X1X2" << "";
    QTest::newRow("every occurrence in order") << "" << "a-b-a.c" << "A-B-A.C" << "-; -; .";
    QTest::newRow("Windows-1252 letters outside the rules") << "UL" << u("Café€") << u("Café€") << u("é; €");
    QTest::newRow("emoji is one character") << "" << u("a😀b") << u("A😀B") << u("😀");
    QTest::newRow("two emoji") << "" << u("😀x🎉") << u("😀X🎉") << u("😀; 🎉");
    QTest::newRow("l with stroke") << "" << u("łódź") << u("łóDź") << u("ł; ó; ź");
    QTest::newRow("dotless i does not fold to I") << "" << u("ıst") << u("ıST") << u("ı");
    QTest::newRow("long s does not fold to S") << "" << u("ſo") << u("ſO") << u("ſ");
    QTest::newRow("separate accent joins its letter") << "U" << u("mu\u0308ll") << u("MÜLL") << "";
    QTest::newRow("letter with accent of no code") << "" << u("aq\u0303b") << u("Aq\u0303B") << u("q\u0303");
    QTest::newRow("y with diaeresis is refused") << "U" << u("ÿA") << u("ÿA") << u("ÿ");
    QTest::newRow("control character") << "S" << "A\tB" << "A\tB" << "\t";
}

void TestWordRules::fold()
{
    QFETCH(QString, flags);
    QFETCH(QString, word);
    QFETCH(QString, folded);
    QFETCH(QString, rejected);
    const WordRules::FoldResult result = WordRules::foldToAllowed(word, WordRules::allowedChars(options(flags)));
    QCOMPARE(result.word, folded);
    QCOMPARE(result.rejectedList(), rejected);
    QCOMPARE(result.accepted(), rejected.isEmpty());
}

void TestWordRules::countDistinctChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("empty") << "" << 0;
    QTest::newRow("aaa") << "aaa" << 1;
    QTest::newRow("Aa") << "Aa" << 1;
    QTest::newRow("A!") << "A!" << 2;
    QTest::newRow("A") << "A" << 1;
    QTest::newRow("blanks count") << "a a" << 2;
    QTest::newRow("umlaut pair") << u("äÄ") << 1;
    QTest::newRow("sharp s stays apart from SS") << u("ßs") << 2;
    QTest::newRow("digits") << "1121" << 2;
    QTest::newRow("emoji twice") << u("😀😀") << 1;
    QTest::newRow("two emoji") << u("😀🎉") << 2;
    QTest::newRow("Gute Nacht!") << "Gute Nacht!" << 10;
}

void TestWordRules::countDistinctChars()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(WordRules::CountDistinctChars(text), expected);
}

void TestWordRules::userCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("letters") << "ab" << QStringList{"a", "b"};
    QTest::newRow("emoji") << u("a😀") << QStringList{"a", u("😀")};
    QTest::newRow("flag") << u("🇩🇪") << QStringList{u("🇩🇪")};
    QTest::newRow("decomposed umlaut") << u("u\u0308") << QStringList{u("ü")};
}

void TestWordRules::userCharacters()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(WordRules::userCharacters(text), expected);
}

QTEST_MAIN(TestWordRules)
#include "tst_wordrules.moc"
