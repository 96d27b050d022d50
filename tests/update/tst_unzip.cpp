// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/Unzip.h"

#include "support/HostileFiles.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Everything below root, links included but not followed.
QStringList treeBelow(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(root).relativeFilePath(it.next());
    found.sort();
    return found;
}

QByteArray noise(int size)
{
    QByteArray data(size, '\0');
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
}

} // namespace

class TestUnzip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void unpacksFlatIntoTheDestinationOnly();
    void brokenArchivesAreReported_data();
    void brokenArchivesAreReported();
};

void TestUnzip::initTestCase()
{
    // The largest file here has 800 KB.
    QVERIFY(limitFileSize(16 << 20));
}

// Nested, Windows-style, hostile, CP437 and duplicate names; a folder and a
// link entry; a file and a dangling link already standing in the way.
void TestUnzip::unpacksFlatIntoTheDestinationOnly()
{
    QTemporaryDir sandbox;
    const QString archive = sandbox.filePath("update.zip");
    const QString destination = sandbox.filePath("a/b/dest/");
    QVERIFY(QDir().mkpath(destination));
    QVERIFY(writeFileBytes(destination + "kept.txt", "old"));
    QVERIFY(QFile::link(sandbox.filePath("victim.txt"), destination + "trap.txt"));
    const QByteArray big = noise(300000) + QByteArray(500000, 'w'); // several chunks
    QVERIFY(writeZipArchive(archive, {{"a/b/c/one.txt", "eins"}, {"y\\three.txt", "drei", 0, ZIP_CM_STORE},
                          {"x/", ""}, {"big/data.bin", big}, {"\x8e\x94.txt", "cp437"},
                          {"bin/tool", "#!/bin/sh\n", 0100755}, {"link", "../../victim.txt", 0120777},
                          {"../../up.txt", "up"}, {"/etc/abs.txt", "abs"}, {"..", ""}, {"a/..", ""},
                          {"dir\\..\\y.txt", "y"}, {".", ""}, {"", ""}, {"C:\\Windows\\drive.txt", "c"},
                          {"new/kept.txt", "new"}, {"trap.txt", "trapped"}, {"again/one.txt", "zwei"}}));

    const UnzipResult result = unzipFlat(archive, destination);
    QVERIFY2(result.ok && result.errorString.isEmpty(), qPrintable(result.errorString));
    QCOMPARE(result.extracted, QStringList({"one.txt", "three.txt", "data.bin", "Äö.txt", "tool", "up.txt",
                                            "abs.txt", "y.txt", "drive.txt"}));
    QCOMPARE(result.skipped, QStringList({"x/", "link", "..", "a/..", ".", "", "new/kept.txt", "trap.txt",
                                          "again/one.txt"}));
    QStringList tree{"a", "a/b", "a/b/dest", "update.zip", "a/b/dest/kept.txt", "a/b/dest/trap.txt"};
    for (const QString &name : result.extracted)
        tree << "a/b/dest/" + name;
    tree.sort();
    QCOMPARE(treeBelow(sandbox.path()), tree);
    QCOMPARE(fileBytesOrMissing(destination + "one.txt") + fileBytesOrMissing(destination + "three.txt") + fileBytesOrMissing(destination + "Äö.txt")
                 + fileBytesOrMissing(destination + "kept.txt"),
             QByteArray("einsdreicp437old"));
    QVERIFY(fileBytesOrMissing(destination + "data.bin") == big);
    QVERIFY(QFileInfo(destination + "tool").isExecutable() && !QFileInfo(destination + "up.txt").isExecutable());
    QVERIFY(QFileInfo(destination + "trap.txt").isSymLink());
}

void TestUnzip::brokenArchivesAreReported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("extracted");

    QTest::newRow("missing") << "missing" << "nicht gefunden" << QStringList();
    QTest::newRow("empty") << "empty" << "kein gültiges Zip-Archiv" << QStringList();
    QTest::newRow("garbage") << "garbage" << "kein gültiges Zip-Archiv" << QStringList();
    QTest::newRow("truncated") << "truncated" << "kein gültiges Zip-Archiv" << QStringList();
    QTest::newRow("damaged entry") << "flipped" << "„second.bin“ im Archiv ist beschädigt" << QStringList{"first.txt"};
    QTest::newRow("no destination") << "destination" << "Zielordner" << QStringList();
    // Refused, not full: the player is not sent to free space.
    QTest::newRow("a destination that refuses the file")
        << "read-only" << "Die Datei „first.txt“ konnte nicht in „" << QStringList();
    // Refused on the archive's own account, before a byte is written.
    QTest::newRow("too many entries") << "entries" << "enthält 2 Dateien; mehr als 1 werden nicht entpackt"
                                      << QStringList();
    QTest::newRow("too large unpacked") << "size" << "würde entpackt 293 KB belegen; mehr als 97,7 KB"
                                        << QStringList();
    // The account binds: an entry that inflates beyond its size stops there.
    QTest::newRow("size understated") << "understated" << "„first.txt“ im Archiv ist beschädigt" << QStringList();
    QTest::newRow("cancelled") << "cancel" << "abgebrochen" << QStringList();
}

void TestUnzip::brokenArchivesAreReported()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QFETCH(QStringList, extracted);
    QTemporaryDir dir;
    const QString archive = dir.filePath("update.zip");
    const QString destination = dir.filePath("dest");
    QVERIFY(QDir().mkpath(destination));
    // Stored and larger than a chunk: part of it is written before the
    // damage in its middle shows, and that part has to go again.
    const QByteArray second = noise(150000) + "MARK" + noise(150000);
    QVERIFY(writeZipArchive(archive, {{"first.txt", "first"}, {"second.bin", second, 0, ZIP_CM_STORE}}));
    QByteArray bytes = fileBytesOrMissing(archive);
    UnzipLimits limits;
    UnzipProgress progress;
    limits.maximumEntries = damage == "entries" ? 1 : 0;
    limits.maximumTotalSize = damage == "size" ? 100000 : 0;
    progress.cancel = damage == "cancel";
    if (damage == "understated") {
        // The uncompressed size of first.txt, in its local and its central header.
        for (const QByteArray &header : {QByteArray("PK\x03\x04"), QByteArray("PK\x01\x02")})
            bytes.replace(bytes.indexOf(header) + (header.at(2) == 3 ? 22 : 24), 4, QByteArray("\x01\0\0\0", 4));
        QVERIFY(writeFileBytes(archive, bytes));
    } else if (damage == "missing")
        QVERIFY(QFile::remove(archive));
    else if (damage == "garbage" || damage == "truncated" || damage == "flipped" || damage == "empty")
        QVERIFY(writeFileBytes(archive, damage == "garbage" ? noise(4096)
                                        : damage == "truncated" ? bytes.left(bytes.size() / 2)
                                        : damage == "flipped" ? bytes.replace("MARK", "KRAM")
                                                              : QByteArray()));

    std::optional<ReadOnlyFolder> readOnly;
    if (damage == "read-only")
        readOnly.emplace(destination);
    const UnzipResult result =
        unzipFlat(archive, damage == "destination" ? dir.filePath("none") : destination, limits, &progress);
    QVERIFY(!result.ok);
    QCOMPARE(result.cancelled, damage == "cancel");
    // Nothing is written of what is not kept.
    if (extracted.isEmpty())
        QCOMPARE(progress.written.load(), qint64(0));
    QVERIFY2(result.errorString.contains(message), qPrintable(result.errorString));
    QCOMPARE(result.extracted, extracted);
    QCOMPARE(treeBelow(destination), extracted);
}

QTEST_GUILESS_MAIN(TestUnzip)
#include "tst_unzip.moc"
