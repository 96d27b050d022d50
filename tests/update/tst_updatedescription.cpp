// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of the update description: the list of changes, its dates, the
// judgement whether an update is newer, the sizes shown while downloading.
#include "text/IniFile.h"
#include "update/UpdateDescription.h"
#include "update/UpdateSchedule.h"

#include <QTest>

class TestUpdateDescription : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commaList_data();
    void commaList();
    void shortDate_data();
    void shortDate();
    void judgement_data();
    void judgement();
    void changeListKeepsTheProgramsDayAndUndated();
    void sizeText_data();
    void sizeText();
    void registryDate_data();
    void registryDate();
    void urls();
};

void TestUpdateDescription::commaList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("blanks end an unquoted entry") << "  7.12.2026:Neu Fehler, x" << QStringList{"7.12.2026:Neu", "Fehler", "x"};
    QTest::newRow("quoted with blanks and commas") << "\"1.1.2026: Eins, zwei\" , \"2.1.2026: drei\""
                                                   << QStringList{"1.1.2026: Eins, zwei", "2.1.2026: drei"};
    QTest::newRow("doubled quotes") << "\"Er sagte \"\"Hallo\"\"\"" << QStringList{"Er sagte \"Hallo\""};
    QTest::newRow("trailing comma adds an empty entry") << "a,b," << QStringList{"a", "b", ""};
    QTest::newRow("empty entries between commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("unclosed quote runs to the end") << "\"offen, bis" << QStringList{"offen, bis"};
    QTest::newRow("control characters separate") << "a\tb\r\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("default text") << "\"keine Angaben gefunden\"" << QStringList{"keine Angaben gefunden"};
}

void TestUpdateDescription::commaList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(splitCommaList(text), entries);
}

void TestUpdateDescription::shortDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    const QDate invalid;

    QTest::newRow("four-digit year") << "07.12.2026" << QDate(2026, 12, 7);
    QTest::newRow("single digits") << "7.1.2027" << QDate(2027, 1, 7);
    QTest::newRow("two-digit year of this century") << "1.2.26" << QDate(2026, 2, 1);
    QTest::newRow("two-digit year in the window's past") << "1.2.80" << QDate(1980, 2, 1);
    QTest::newRow("two-digit year just beyond the window") << "1.2.75" << QDate(2075, 2, 1);
    QTest::newRow("no year: this year") << "24.12" << QDate(2026, 12, 24);
    QTest::newRow("blanks around") << " 3.4.2026 " << QDate(2026, 4, 3);
    QTest::newRow("no such day") << "31.2.2026" << invalid;
    QTest::newRow("month first is not German") << "12/07/2026" << invalid;
    QTest::newRow("text") << "keine Angaben gefunden" << invalid;
    QTest::newRow("trailing text") << "1.2.2026 abends" << invalid;
    QTest::newRow("empty") << "" << invalid;
}

void TestUpdateDescription::shortDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(readShortDate(text, QDate(2026, 12, 7)), date);
}

void TestUpdateDescription::judgement_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QDateTime>("programDate");
    QTest::addColumn<bool>("newer");

    const QDateTime afternoon(QDate(2026, 12, 7), QTime(15, 30));
    const QDateTime midnight(QDate(2026, 12, 7), QTime(0, 0));
    const QDateTime beforeMidnight(QDate(2026, 12, 6), QTime(23, 59, 59));
    // "today" is 7.12.2026 below.
    QTest::newRow("same day as the file's afternoon") << QByteArray("[Lettrisko]\r\nDate=07.12.2026\r\n") << afternoon << false;
    QTest::newRow("same day, file at midnight") << QByteArray("[Lettrisko]\r\nDate=07.12.2026\r\n") << midnight << true;
    QTest::newRow("a second after the file") << QByteArray("[Lettrisko]\r\nDate=07.12.2026\r\n") << beforeMidnight << true;
    QTest::newRow("a day later") << QByteArray("[Lettrisko]\r\nDate=08.12.2026\r\n") << afternoon << true;
    QTest::newRow("a day earlier") << QByteArray("[Lettrisko]\r\nDate=06.12.2026\r\n") << beforeMidnight << false;
    QTest::newRow("no date counts as today") << QByteArray("[Lettrisko]\r\nFile=x.zip\r\n") << beforeMidnight << true;
    QTest::newRow("no date, file of today") << QByteArray("[Lettrisko]\r\nFile=x.zip\r\n") << afternoon << false;
    QTest::newRow("unreadable date counts as today") << QByteArray("[Lettrisko]\r\nDate=bald\r\n") << beforeMidnight << true;
    QTest::newRow("section without keys") << QByteArray("[Lettrisko]\r\n; nichts\r\n[Other]\r\nDate=1.1.2030\r\n") << beforeMidnight << false;
    QTest::newRow("other program only") << QByteArray("[Other]\r\nDate=1.1.2030\r\n") << beforeMidnight << false;
    QTest::newRow("section name in other case") << QByteArray("[LETTRISKO]\r\nDate=\"01.01.2030\"\r\n") << afternoon << true;
    QTest::newRow("an error page is no description") << QByteArray("<html>404</html>") << beforeMidnight << false;
}

void TestUpdateDescription::judgement()
{
    QFETCH(QByteArray, ini);
    QFETCH(QDateTime, programDate);
    QFETCH(bool, newer);
    const UpdateDescription description = readUpdateDescription(IniFile::parse(ini), "Lettrisko", QDate(2026, 12, 7));
    QCOMPARE(isNewerUpdate(description, programDate), newer);
}

void TestUpdateDescription::changeListKeepsTheProgramsDayAndUndated()
{
    const QDateTime programDate(QDate(2026, 12, 7), QTime(15, 30));
    const QString news = "06.12.2026:Alt, \"07.12.2026: Vom selben Tag\", \"1.1.27: Neu, mit Komma\", Ohne:Datum, Nur-Text";
    QCOMPARE(changeList(news, programDate, QDate(2026, 12, 7)),
             QString("- 07.12.2026: Vom selben Tag\n- 1.1.27: Neu, mit Komma\n- Ohne:Datum\n- Nur-Text\n"));

    const IniFile withoutNews = IniFile::parse("[Lettrisko]\r\nDate=8.12.2026\r\n");
    QCOMPARE(changeList(readUpdateDescription(withoutNews, "Lettrisko").news, programDate),
             QString("- keine Angaben gefunden\n"));
}

void TestUpdateDescription::sizeText_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("longUnits");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 1 << false << qint64(0) << "0 Byte";
    QTest::newRow("1023") << 1 << false << qint64(1023) << "1023 Byte";
    QTest::newRow("1024") << 1 << false << qint64(1024) << "1 KB";
    QTest::newRow("1536") << 1 << false << qint64(1536) << "1,5 KB";
    QTest::newRow("10 000 000") << 1 << false << qint64(10000000) << "9,54 MB";
    QTest::newRow("1 048 064") << 1 << false << qint64(1048064) << "1023,5 KB";
    QTest::newRow("just under a megabyte rounds up") << 1 << false << qint64(1048575) << "1024 KB";
    QTest::newRow("2^50 stays in TB") << 1 << false << (qint64(1) << 50) << "1024 TB";
    QTest::newRow("2^60") << 1 << false << (qint64(1) << 60) << "1048576 TB";
    QTest::newRow("long units") << 2 << true << qint64(3) * 1024 * 1024 * 1024 << "3 Gigabyte";
    QTest::newRow("long TB") << 0 << true << (qint64(5) << 40) << "5 Terrabyte";
    QTest::newRow("no decimals") << 0 << false << qint64(1536) << "2 KB";
}

void TestUpdateDescription::sizeText()
{
    QFETCH(int, decimals);
    QFETCH(bool, longUnits);
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(SizeText(decimals, longUnits, bytes), text);
}

void TestUpdateDescription::registryDate_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QDate>("date");

    QTest::newRow("7.12.2026") << QByteArray::fromHex("0000000060a3e640") << QDate(2026, 12, 7);
    QTest::newRow("day 0") << QByteArray(8, '\0') << QDate(1899, 12, 30);
    QTest::newRow("time of day is dropped") << QByteArray::fromHex("9a99999969a3e640") << QDate(2026, 12, 7);
    QTest::newRow("four bytes") << QByteArray::fromHex("0000e640") << QDate();
    QTest::newRow("nine bytes") << QByteArray::fromHex("0000000060a3e64000") << QDate();
    QTest::newRow("not a number") << QByteArray::fromHex("000000000000f87f") << QDate();
    QTest::newRow("infinity") << QByteArray::fromHex("000000000000f07f") << QDate();
}

void TestUpdateDescription::registryDate()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QDate, date);
    const std::optional<QDate> decoded = UpdateSchedule::decodeDate(bytes);
    QCOMPARE(decoded.value_or(QDate()), date);
    if (date.isValid() && date == QDate(2026, 12, 7))
        QCOMPARE(UpdateSchedule::encodeDate(date), QByteArray::fromHex("0000000060a3e640"));
}

void TestUpdateDescription::urls()
{
    QCOMPARE(descriptionUrl("updates.lettrisko.example"), QString("http://updates.lettrisko.example/Updates.ini"));
    QCOMPARE(archiveUrl("127.0.0.1:8080", "Lettrisko 2.zip"), QString("http://127.0.0.1:8080/Updates/Lettrisko 2.zip"));
    QCOMPARE(archiveUrl("https://example.org/lettrisko/", "a.zip"), QString("https://example.org/lettrisko/Updates/a.zip"));
    QCOMPARE(archiveUrl("updates.lettrisko.example", ""), QString("http://updates.lettrisko.example/Updates/"));
}

QTEST_GUILESS_MAIN(TestUpdateDescription)
#include "tst_updatedescription.moc"
