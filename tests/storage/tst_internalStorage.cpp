// The storage tab against a simulated instrument: what the list shows and keeps across
// Refresh, the actions on files, and names from the instrument that must never become a
// path outside the folder they are meant for.
#include "boxRecorder.h"
#include "diskStatus.h"
#include "internalStorage.h"
#include "itemModel.h"
#include "standardDialogs.h"
#include "testInstrument.h"
#include "viewerLauncher.h"

#include <QDirIterator>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {
const int kArea = 18;

// "name,location" per row, in table order; ticked rows only when asked.
QStringList rows(const internalStorage &page, bool tickedOnly = false)
{
    QStringList keys;
    for (const storedFile &f : page.model()->files()) {
        if (f.checked || !tickedOnly)
            keys << rowKey(f);
    }
    return keys;
}

void tick(internalStorage &page, const QString &key)
{
    const int row = rows(page).indexOf(key);
    QVERIFY2(row >= 0, qPrintable(key));
    page.model()->setChecked(row, true);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file below dir, relative to it.
QStringList filesBelow(const QString &dir)
{
    QStringList found;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(dir).relativeFilePath(it.next());
    found.sort();
    return found;
}
} // namespace

class tst_internalStorage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listTicksAndButtons();
    void deleteSelected();
    void singleDelete_data();
    void singleDelete();
    void downloadSelected_data();
    void downloadSelected();
    void rowDownload_data();
    void rowDownload();
    void view_data();
    void view();

private:
    // The bytes the instrument holds for a stored file.
    QByteArray stored(int location, const QString &name);
    // How many model resets one Refresh makes, to count refreshes by.
    int resetsPerRefresh();

    std::unique_ptr<testInstrument> m_sim;
    std::unique_ptr<internalStorage> m_page;
};

void tst_internalStorage::init()
{
    m_page.reset();
    m_sim = std::make_unique<testInstrument>();
    QVERIFY2(m_sim->start(kArea), qPrintable(m_sim->error));
    m_page = std::make_unique<internalStorage>(m_sim->context(16));
}

QByteArray tst_internalStorage::stored(int location, const QString &name)
{
    const std::string reply = m_sim->instrument->command(
        "MMEM:DATA? " + std::to_string(location) + ",\"" + name.toStdString() + "\"");
    const size_t digits = reply.size() > 1 ? size_t(reply[1] - '0') : 0;
    return QByteArray::fromStdString(reply.substr(2 + digits));
}

int tst_internalStorage::resetsPerRefresh()
{
    QSignalSpy resets(m_page->model(), &QAbstractItemModel::modelReset);
    m_page->doRefresh();
    return resets.count();
}

// Both disks and the list; malformed lines skipped; a tick kept across Refresh for its own
// disk only; the button column does not sort; an empty list turns the four buttons off.
void tst_internalStorage::listTicksAndButtons()
{
    m_sim->command("SIM:DISK:FILE 1,\"run7\",1024;:SIM:DISK:FILE 0,\"run7\",900;:SIM:DISK:FREE 0,1000");
    m_sim->command("SIM:DISK:LIST:ADD 1,\"three,fields,only\";:SIM:DISK:LIST:ADD 1,\"five,RAM,1,d,e\"");
    internalStorage &page = *m_page;
    page.doRefresh();
    QCOMPARE(page.ramDiskStatus()->totalText(), QString("256.0 MB"));
    QCOMPARE(page.hardDiskStatus()->freeText(), QString("1000 kB    (99%)"));
    QCOMPARE(rows(page).size(), 5); // three sample recordings and run7 on each disk
    tick(page, "run7,RAM");
    m_sim->command("SIM:DISK:FILE 1,\"added\",5");
    page.doRefresh();
    QCOMPARE(rows(page).size(), 6);
    QCOMPARE(rows(page, true), QStringList{"run7,RAM"});

    page.model()->sort(2, Qt::DescendingOrder);
    const QStringList bySize = rows(page);
    QCOMPARE(bySize.last(), QString("added,RAM"));
    page.table()->horizontalHeader()->setSortIndicator(4, Qt::AscendingOrder);
    QCOMPARE(rows(page), bySize);
    QCOMPARE(page.table()->horizontalHeader()->sortIndicatorSection(), 2);
    page.doRefresh(); // the order chosen stays
    QCOMPARE(rows(page), bySize);

    for (const QString &key : bySize)
        m_sim->command(QString("MMEM:DEL %1,\"%2\"").arg(key.endsWith("HD") ? 0 : 1).arg(key.section(',', 0, 0)));
    page.doRefresh();
    QCOMPARE(rows(page).size(), 0);
    for (const char *text : {"Select All", "Deselect All", "Download Selected", "Delete Selected"})
        QVERIFY2(!page.button(text)->isEnabled(), text);
    QVERIFY(page.button("Refresh")->isEnabled());
}

// Nothing ticked: one hint. Three ticked of which the second fails: one error box, the
// third is still deleted, one refresh at the end.
void tst_internalStorage::deleteSelected()
{
    m_sim->command("SIM:DISK:FILE 1,\"a\",1;:SIM:DISK:FILE 1,\"b\",1;:SIM:DISK:FILE 1,\"c\",1");
    const int perRefresh = resetsPerRefresh();
    boxRecorder boxes;
    m_page->doDeleteSelected();
    QCOMPARE(boxes.texts(), QStringList{"Please select the files to delete."});
    boxes.clear();

    for (const char *key : {"a,RAM", "b,RAM", "c,RAM"})
        tick(*m_page, key);
    m_sim->command("MMEM:DEL 1,\"b\"");
    QSignalSpy resets(m_page->model(), &QAbstractItemModel::modelReset);
    m_page->doDeleteSelected();
    QCOMPARE(boxes.count("Do you really want to delete the selected files?"), 1);
    QCOMPARE(boxes.count("ts4720_deleteFile(vi, l.at(i).location, l.at(i).fileName.toAscii().data()) failed due to ["), 1);
    QCOMPARE(boxes.requests().size(), 2);
    QCOMPARE(resets.count(), perRefresh);
    QCOMPARE(rows(*m_page).filter(QRegularExpression("^[abc],")), QStringList());
}

void tst_internalStorage::singleDelete_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<bool>("refreshed");
    QTest::newRow("yes") << "run7,HD" << true << false << true;
    QTest::newRow("no still refreshes") << "run7,HD" << false << true << true;
    QTest::newRow("malformed key does nothing") << "run7,HD,x" << true << true << false;
}

void tst_internalStorage::singleDelete()
{
    QFETCH(QString, map);
    QFETCH(bool, yes);
    QFETCH(bool, refreshed);
    m_sim->command("SIM:DISK:FILE 0,\"run7\",10;:SIM:DISK:FILE 1,\"run7\",10");
    const int perRefresh = resetsPerRefresh();
    boxRecorder boxes;
    boxes.answerQuestions(yes);
    QSignalSpy resets(m_page->model(), &QAbstractItemModel::modelReset);
    m_page->doDelete(map);
    QCOMPARE(boxes.count("Do you really want to delete 'run7'?"), refreshed ? 1 : 0);
    QCOMPARE(resets.count(), refreshed ? perRefresh : 0);
    QTEST(stored(0, "run7").size() == 10, "kept");
    QCOMPARE(stored(1, "run7").size(), 10);
}

// Every file ticked, hostile names among them, into a chosen folder that already holds
// ok.csv: one question before replacing it, one box naming the refused names, the same name
// from both disks kept apart, the bytes as the instrument holds them, nothing written
// anywhere but directly into the chosen folder.
void tst_internalStorage::downloadSelected_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replace") << true;
    QTest::newRow("keep the user's file") << false;
}

void tst_internalStorage::downloadSelected()
{
    QFETCH(bool, replace);
    for (const char *name : {"../evil", "sub/evil", "..\\evil", "", "a\tb", "..", "C:evil"})
        m_sim->command(QString("SIM:DISK:FILE 1,\"%1\",10").arg(name));
    m_sim->command("SIM:DISK:FILE 1,\"ok\",3000;:SIM:DISK:FILE 1,\"run7\",20;:SIM:DISK:FILE 0,\"run7\",30");
    m_page->doRefresh();
    m_page->doSelectAll();
    QTemporaryDir top;
    const QString chosen = top.filePath("chosen");
    QDir().mkpath(chosen);
    QFile mine(chosen + "/ok.csv");
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine") == 4);
    mine.close();
    standardDialogs::setDirectoryHandler([&](QWidget *, const QString &caption, const QString &) {
        return caption == "Select Directory" ? chosen : QString();
    });
    boxRecorder boxes;
    boxes.answerQuestions(replace);
    m_page->doDownloadSelected();
    standardDialogs::setDirectoryHandler({});

    QCOMPARE(boxes.count("These files are already in"), 1);
    QCOMPARE(boxes.count("Not downloaded"), 1);
    const QString refused = boxes.texts(messageBoxes::Kind::Warning).join("");
    for (const char *name : {"'../evil'", "'sub/evil'", "'..\\evil'", "''", "'a\\x09b'", "'..'", "'C:evil'"})
        QVERIFY2(refused.contains(name), name);
    QCOMPARE(fileBytes(chosen + "/ok.csv"), replace ? stored(1, "ok") : QByteArray("mine"));
    QCOMPARE(fileBytes(chosen + "/run7.csv"), stored(1, "run7"));
    QCOMPARE(fileBytes(chosen + "/run7 (2).csv"), stored(0, "run7"));
    QStringList expected = filesBelow(top.path()).filter(QRegularExpression("^chosen/ACQ_[0-9_]+\\.csv\\.csv$"));
    QCOMPARE(expected.size(), 3); // the sample recordings
    expected << "chosen/ok.csv" << "chosen/run7 (2).csv" << "chosen/run7.csv";
    expected.sort();
    QCOMPARE(filesBelow(top.path()), expected);
}

// A row's Download: the save dialog proposes the stored name; a name that is no plain file
// name never reaches the dialog; cancelling does nothing; a failed download is reported.
void tst_internalStorage::rowDownload_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("box");
    QTest::newRow("downloaded") << "run7,HD" << false << "";
    QTest::newRow("cancelled") << "run7,HD" << true << "";
    QTest::newRow("hostile name") << "sub/run7,HD" << false << "Not downloaded";
    QTest::newRow("gone") << "gone,HD" << false << "ts4720_downloadFile(vi, location, sl.at(0).toAscii().data(), path) failed";
}

void tst_internalStorage::rowDownload()
{
    QFETCH(QString, map);
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    m_sim->command("SIM:DISK:FILE 0,\"run7\",1500;:SIM:DISK:FILE 0,\"sub/run7\",15");
    QTemporaryDir dir;
    QStringList proposed;
    standardDialogs::setSaveFileHandler([&](QWidget *, const QString &caption, const QString &name, const QString &filters,
                                            QString *) {
        proposed << caption + "|" + name + "|" + filters;
        return cancel ? QString() : dir.filePath("mine.csv");
    });
    boxRecorder boxes;
    m_page->doDownload(map);
    standardDialogs::setSaveFileHandler({});
    QCOMPARE(boxes.requests().size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QCOMPARE(boxes.count(box), 1);
    QCOMPARE(proposed, box == "Not downloaded" ? QStringList()
                                               : QStringList{"Download Data File|" + map.section(',', 0, 0) + "|CSV data (*.csv)"});
    QCOMPARE(filesBelow(dir.path()), box.isEmpty() && !cancel ? QStringList{"mine.csv"} : QStringList());
    if (box.isEmpty() && !cancel)
        QCOMPARE(fileBytes(dir.filePath("mine.csv")), stored(0, "run7"));
}

// View downloads into the documents folder without replacing a file there and starts the
// viewer on it with the path as its one argument; each failure has its box.
void tst_internalStorage::view_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<bool>("viewerThere");
    QTest::addColumn<QString>("viewed"); // file name in the documents folder; empty: none
    QTest::addColumn<QString>("box");
    QTest::newRow("viewed") << "run 7,RAM" << true << "run 7 (2).csv" << "";
    QTest::newRow("hostile name") << "../run 7,RAM" << true << "" << "Not downloaded";
    QTest::newRow("gone from the instrument") << "gone,RAM" << true << "" << "Failed to download file from Korvan 4720";
    QTest::newRow("viewer missing") << "run 7,RAM" << false << "" << "Failed to execute Korvan 4720 Soft Front Panel";
}

void tst_internalStorage::view()
{
    QFETCH(QString, map);
    QFETCH(bool, viewerThere);
    QFETCH(QString, viewed);
    QFETCH(QString, box);
    m_sim->command("SIM:DISK:FILE 1,\"run 7\",2000;:SIM:DISK:FILE 1,\"../run 7\",10");
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QDir(documents).removeRecursively();
    QDir().mkpath(documents.path());
    QFile mine(documents.filePath("run 7.csv"));
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine") == 4);
    mine.close();
    // A stand-in viewer that writes down its arguments.
    QTemporaryDir bin;
    const QString standIn = bin.filePath("viewer");
    QFile script(standIn);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$0.args\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    viewerLauncher::setProgramForTests(viewerThere ? standIn : bin.filePath("missing"));

    boxRecorder boxes;
    m_page->doView(map);
    viewerLauncher::setProgramForTests(QString());
    QCOMPARE(boxes.requests().size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QCOMPARE(boxes.count(box), 1);
    QCOMPARE(fileBytes(documents.filePath("run 7.csv")), QByteArray("mine"));
    if (viewed.isEmpty()) {
        QVERIFY(!QFile::exists(standIn + ".args"));
        return;
    }
    QTRY_VERIFY(QFile::exists(standIn + ".args") && fileBytes(standIn + ".args").count('\n') == 2);
    QCOMPARE(fileBytes(standIn + ".args"), "1\n" + QFile::encodeName(documents.filePath(viewed)) + "\n");
    QCOMPARE(fileBytes(documents.filePath(viewed)), stored(1, "run 7"));
}

QTEST_MAIN(tst_internalStorage)
#include "tst_internalStorage.moc"
