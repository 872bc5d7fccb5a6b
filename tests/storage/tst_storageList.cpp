// The storage tab's texts and list without a window: sizes and capacities (run once more
// where the user's locale writes a decimal comma), the parsed list, the row order, local
// file names.
#include "localFileName.h"
#include "storageTexts.h"
#include "storedFile.h"

#include <QFile>
#include <QtTest>

class tst_storageList : public QObject {
    Q_OBJECT
private slots:
    void sizeText_data();
    void sizeText();
    void diskTexts_data();
    void diskTexts();
    void parse_data();
    void parse();
    void order_data();
    void order();
    void localNames_data();
    void localNames();
};

void tst_storageList::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << qint64(0) << "0 B";
    QTest::newRow("1024 is still bytes") << qint64(1024) << "1024 B";
    QTest::newRow("1025") << qint64(1025) << "1.00 kB";
    QTest::newRow("1 MiB is still kB") << qint64(1048576) << "1024.00 kB";
    QTest::newRow("1 MiB + 1") << qint64(1048577) << "1.00 MB";
    QTest::newRow("1.5 MiB") << qint64(1572864) << "1.50 MB";
    QTest::newRow("largest 32-bit") << qint64(2147483647) << "2.00 GB";
}

void tst_storageList::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(storageTexts::sizeText(bytes), text);
}

void tst_storageList::diskTexts_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("free");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("2 GiB, 512 MiB free") << qint64(2097152) << qint64(524288)
                                         << QStringList{"2.0 GB", "1.5 GB   (75%)", "512.0 MB    (25%)"};
    QTest::newRow("1000 kB full") << qint64(1000) << qint64(0) << QStringList{"1000 kB", "1000 kB    (100%)", "0 kB    (0%)"};
    QTest::newRow("percent truncated") << qint64(3000) << qint64(1000)
                                       << QStringList{"2.9 MB", "2.0 MB    (66%)", "1000 kB    (34%)"};
    QTest::newRow("unreadable") << qint64(0) << qint64(0) << QStringList{"-", "-", "-"};
    QTest::newRow("negative") << qint64(-5) << qint64(3) << QStringList{"-", "-", "-"};
}

void tst_storageList::diskTexts()
{
    QFETCH(qint64, total);
    QFETCH(qint64, free);
    QFETCH(QStringList, texts);
    const storageTexts::diskTexts shown = storageTexts::diskStatusTexts(total, free);
    QCOMPARE((QStringList{shown.total, shown.used, shown.free}), texts);
}

// Lines of the instrument's list: "name|location|size text|date" per row kept.
void tst_storageList::parse_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("two files, trailing line end")
        << QByteArray("a.csv,RAM,10,2026-01-02 03:04:05\nb,HD,2048,d\n")
        << QStringList{"a.csv|RAM|10 B|2026-01-02 03:04:05", "b|HD|2.00 kB|d"};
    QTest::newRow("wrong field counts skipped")
        << QByteArray("x,HD,1\nok,HD,1,d\ny,HD,1,d,e\n\n,,,\n")
        << QStringList{"ok|HD|1 B|d", "||0 B|"};
    QTest::newRow("quotes removed, sizes that are no number")
        << QByteArray("\"q\"uo\"te,RAM,abc,d\nbig,RAM,2147483648,d\nneg,RAM,-3,d\nsp,RAM, 7 ,d")
        << QStringList{"quote|RAM|0 B|d", "big|RAM|0 B|d", "neg|RAM|-3 B|d", "sp|RAM|7 B|d"};
    QTest::newRow("8-bit name and date as delivered")
        << QByteArray("Mess\xB0" "C,XY,5,  date\r\n") << QStringList{QString::fromLatin1("Mess\xB0" "C|XY|5 B|  date\r")};
}

void tst_storageList::parse()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, rows);
    QStringList shown;
    for (const storedFile &f : parseStoredFileList(list))
        shown << QStringList{f.name, f.location, f.sizeText, f.date}.join('|');
    QCOMPARE(shown, rows);
}

void tst_storageList::order_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("name, any case") << 0 << false << QStringList{"A", "b", "big", "Run", "small"};
    QTest::newRow("name descending") << 0 << true << QStringList{"small", "Run", "big", "b", "A"};
    QTest::newRow("location, then name") << 1 << false << QStringList{"A", "small", "b", "big", "Run"};
    QTest::newRow("size; equal texts by name") << 2 << false << QStringList{"small", "A", "b", "Run", "big"};
    QTest::newRow("size descending") << 2 << true << QStringList{"big", "Run", "b", "A", "small"};
    QTest::newRow("date as text") << 3 << false << QStringList{"A", "big", "b", "Run", "small"};
}

void tst_storageList::order()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, names);
    // Sizes: 900 B, 1.00 kB twice (1025 and 1028 bytes), 1.46 kB, 2.00 MB.
    QVector<storedFile> files = parseStoredFileList(
        "b,RAM,1025,2026-03\nA,HD,1028,2026-01\nbig,RAM,2097152,2026-02\nsmall,HD,900,2026-10\nRun,RAM,1500,2026-04\n");
    sortStoredFiles(&files, column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    QStringList sorted;
    for (const storedFile &f : files)
        sorted << f.name;
    QCOMPARE(sorted, names);
}

// Names from the instrument that may and may not become a local file; the path View and
// Download Selected take when the plain one exists.
void tst_storageList::localNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("plain") << "run7" << true;
    QTest::newRow("dots inside") << "a..b.csv" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("up a folder") << "../evil" << false;
    QTest::newRow("absolute") << "/tmp/evil" << false;
    QTest::newRow("backslash") << "..\\evil" << false;
    QTest::newRow("drive") << "C:evil" << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("delete character") << "a\x7f" << false;
}

void tst_storageList::localNames()
{
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(localFileName::usable(name), usable);
    if (!usable)
        return;
    QTemporaryDir dir;
    const QString plain = dir.filePath(name + ".csv");
    QCOMPARE(localFileName::freePath(dir.path(), name), plain);
    QFile(plain).open(QIODevice::WriteOnly);
    QCOMPARE(localFileName::freePath(dir.path(), name), dir.filePath(name + " (2).csv"));
    QCOMPARE(localFileName::freePath(dir.path(), name, {dir.filePath(name + " (2).csv")}), dir.filePath(name + " (3).csv"));
    QVERIFY(localFileName::directlyInside(dir.path(), plain));
    QVERIFY(!localFileName::directlyInside(dir.path(), dir.filePath("../" + name)));
}

QTEST_GUILESS_MAIN(tst_storageList)
#include "tst_storageList.moc"
