#include "update/Unzip.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

namespace {

struct Stored
{
    QByteArray name;
    QByteArray data;
    quint32 unixMode = 0; // 0: libzip's default
    zip_int32_t method = ZIP_CM_DEFLATE;
};

void makeArchive(const QString &path, const QList<Stored> &entries)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    for (const Stored &entry : entries) {
        const zip_int64_t index = zip_file_add(
            archive, entry.name.constData(), zip_source_buffer(archive, entry.data.constData(), entry.data.size(), 0), 0);
        zip_set_file_compression(archive, index, entry.method, 0);
        if (entry.unixMode)
            zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, entry.unixMode << 16);
    }
    QVERIFY(zip_close(archive) == 0);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

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
    void unpacksFlatIntoTheDestinationOnly();
    void brokenArchivesAreReported_data();
    void brokenArchivesAreReported();
};

// Nested, Windows-style, hostile, CP437 and duplicate names; a folder and a
// link entry; a file and a dangling link already standing in the way.
void TestUnzip::unpacksFlatIntoTheDestinationOnly()
{
    QTemporaryDir sandbox;
    const QString archive = sandbox.filePath("update.zip");
    const QString destination = sandbox.filePath("a/b/dest/");
    QVERIFY(QDir().mkpath(destination));
    writeBytes(destination + "kept.txt", "old");
    QVERIFY(QFile::link(sandbox.filePath("victim.txt"), destination + "trap.txt"));
    const QByteArray big = noise(300000) + QByteArray(500000, 'w'); // several chunks
    makeArchive(archive, {{"a/b/c/one.txt", "eins"}, {"y\\three.txt", "drei", 0, ZIP_CM_STORE},
                          {"x/", ""}, {"big/data.bin", big}, {"\x8e\x94.txt", "cp437"},
                          {"bin/tool", "#!/bin/sh\n", 0100755}, {"link", "../../victim.txt", 0120777},
                          {"../../up.txt", "up"}, {"/etc/abs.txt", "abs"}, {"..", ""}, {"a/..", ""},
                          {"dir\\..\\y.txt", "y"}, {".", ""}, {"", ""}, {"C:\\Windows\\drive.txt", "c"},
                          {"new/kept.txt", "new"}, {"trap.txt", "trapped"}, {"again/one.txt", "zwei"}});

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
    QCOMPARE(bytesOf(destination + "one.txt") + bytesOf(destination + "three.txt") + bytesOf(destination + "Äö.txt")
                 + bytesOf(destination + "kept.txt"),
             QByteArray("einsdreicp437old"));
    QVERIFY(bytesOf(destination + "data.bin") == big);
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
    makeArchive(archive, {{"first.txt", "first"}, {"second.bin", second, 0, ZIP_CM_STORE}});
    QByteArray bytes = bytesOf(archive);
    if (damage == "missing")
        QVERIFY(QFile::remove(archive));
    else if (damage != "destination")
        writeBytes(archive, damage == "garbage" ? noise(4096)
                            : damage == "truncated" ? bytes.left(bytes.size() / 2)
                            : damage == "flipped" ? bytes.replace("MARK", "KRAM")
                                                  : QByteArray());

    const UnzipResult result = unzipFlat(archive, damage == "destination" ? dir.filePath("none") : destination);
    QVERIFY(!result.ok);
    QVERIFY2(result.errorString.contains(message), qPrintable(result.errorString));
    QCOMPARE(result.extracted, extracted);
    QCOMPARE(treeBelow(destination), extracted);
}

QTEST_GUILESS_MAIN(TestUnzip)
#include "tst_unzip.moc"
