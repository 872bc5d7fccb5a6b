// Storage functions: disk information, the two-step file list, download and delete.
#include "testInstrument.h"
#include "ts4720.h"

#include <QtTest>

namespace {
const int kArea = 3;

// The bytes of a block reply "#<n><len><bytes>" of an in-process query.
QByteArray blockBytes(const std::string &reply)
{
    if (reply.size() < 2 || reply[0] != '#')
        return QByteArray();
    int digits = reply[1] - '0';
    int length = std::stoi(reply.substr(2, size_t(digits)));
    return QByteArray(reply.data() + 2 + digits, length);
}

} // namespace

class tst_driverStorage : public QObject {
    Q_OBJECT

    std::unique_ptr<testInstrument> m_rig;
    ViSession m_vi = 0;

    QString fileList() { return storedFileList(m_vi); }

private slots:
    void init();
    void diskInfo_data();
    void diskInfo();
    void fileListKeepsTheQueriedText();
    void fileListIntoASizedBuffer();
    void failedFileList();
    void download();
    void deleteFile();
};

void tst_driverStorage::init()
{
    m_rig = std::make_unique<testInstrument>();
    QVERIFY(m_rig->start(kArea));
    m_vi = m_rig->vi;
}

void tst_driverStorage::diskInfo_data()
{
    QTest::addColumn<ViInt16>("location");
    QTest::addColumn<QString>("text");
    QTest::addColumn<ViInt32>("total");
    QTest::newRow("hard disk") << ViInt16(ts4720_STORAGE_HD) << "Hard Disk" << ViInt32(4194304);
    QTest::newRow("RAM disk") << ViInt16(ts4720_STORAGE_RAM) << "RAM Disk" << ViInt32(262144);
}

void tst_driverStorage::diskInfo()
{
    QFETCH(ViInt16, location);
    QFETCH(QString, text);
    QFETCH(ViInt32, total);
    ViChar info[TS4720_STORAGE_INFO_SIZE + 8];
    memset(info, 'x', sizeof info);
    ViInt32 totalKB = -1, freeKB = -1;
    QCOMPARE(ts4720_getStorageInfo(m_vi, location, info, &totalKB, &freeKB), VI_SUCCESS);
    QCOMPARE(QString(info), text);
    QCOMPARE(totalKB, total);
    QVERIFY(freeKB >= 0 && freeKB <= totalKB);
    QCOMPARE(ts4720_getStorageInfo(m_vi, location, VI_NULL, &totalKB, &freeKB), VI_SUCCESS);
}

void tst_driverStorage::fileListKeepsTheQueriedText()
{
    ViInt32 n = -1;
    QCOMPARE(ts4720_getStorageFileList(m_vi, VI_NULL, &n), VI_SUCCESS);
    const QByteArray before = blockBytes(m_rig->instrument->command("MMEM:CAT?"));
    QCOMPARE(n, ViInt32(before.size()));
    // The list grows between the two steps (a recording with a shadow copy): the buffer
    // sized by the first still fits.
    m_rig->instrument->command("ATTR 309,1;:ACQ:MODE 0,1000,1,0,0,1;:ACQ:STAR");
    for (int i = 0; i < 500 && blockBytes(m_rig->instrument->command("MMEM:CAT?")) == before; ++i)
        QTest::qWait(10);
    QVERIFY(blockBytes(m_rig->instrument->command("MMEM:CAT?")).size() > before.size());
    QByteArray buffer(n + 1 + 16, '#');
    QCOMPARE(ts4720_getStorageFileList(m_vi, buffer.data(), VI_NULL), VI_SUCCESS);
    QCOMPARE(QByteArray(buffer.constData()), before);
    QCOMPARE(buffer.mid(n + 1), QByteArray(16, '#'));
}

void tst_driverStorage::fileListIntoASizedBuffer()
{
    ViInt32 n = -1;
    QCOMPARE(ts4720_getStorageFileList(m_vi, VI_NULL, &n), VI_SUCCESS);
    QVERIFY(n > 10);
    const QByteArray full = blockBytes(m_rig->instrument->command("MMEM:CAT?"));
    QByteArray buffer(64, '#');
    ViInt32 size = 10;
    QCOMPARE(ts4720_getStorageFileList(m_vi, buffer.data(), &size), TS4720_ERROR_BUFFER_TOO_SMALL);
    QCOMPARE(size, n);
    QCOMPARE(QByteArray(buffer.constData()), full.left(9));
    QCOMPARE(buffer.at(10), '#');
    size = n + 1;
    QByteArray exact(n + 1, '#');
    QCOMPARE(ts4720_getStorageFileList(m_vi, exact.data(), &size), VI_SUCCESS);
    QCOMPARE(QByteArray(exact.constData()), full);
    size = 0;
    QCOMPARE(ts4720_getStorageFileList(m_vi, buffer.data(), &size), TS4720_ERROR_INV_PARAMETER);
}

void tst_driverStorage::failedFileList()
{
    ViInt32 n = -1;
    QCOMPARE(ts4720_getStorageFileList(m_vi, VI_NULL, &n), VI_SUCCESS);
    m_rig->instrument->command("SIM:FAIL \"MMEM:CAT?\",-250");
    n = -1;
    ViStatus status = ts4720_getStorageFileList(m_vi, VI_NULL, &n);
    QCOMPARE(status, TS4720_ERROR_INSTRUMENT);
    QVERIFY(statusText(m_vi, status).find("-250") != std::string::npos);
    QCOMPARE(n, ViInt32(0));
    ViChar one[1] = {'#'};
    QCOMPARE(ts4720_getStorageFileList(m_vi, one, VI_NULL), VI_SUCCESS);
    QCOMPARE(one[0], '\0');
}

void tst_driverStorage::download()
{
    const QString name = fileOn(fileList(), "RAM");
    QVERIFY(!name.isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath("copy.csv");
    QCOMPARE(ts4720_downloadFile(m_vi, ts4720_STORAGE_RAM, qPrintable(name), qPrintable(path)), VI_SUCCESS);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = blockBytes(m_rig->instrument->command("MMEM:DATA? 1,\"" + name.toStdString() + "\""));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(file.readAll(), expected);
    // Into a folder that does not exist.
    ViStatus status = ts4720_downloadFile(m_vi, ts4720_STORAGE_RAM, qPrintable(name),
                                          qPrintable(dir.filePath("no/such/folder/file.csv")));
    QCOMPARE(status, TS4720_ERROR_FILE_IO);
    QVERIFY(!statusText(m_vi, status).empty());
}

// Deleted once; then neither downloadable (and no file is left behind) nor deletable.
void tst_driverStorage::deleteFile()
{
    const QString name = fileOn(fileList(), "HD");
    QVERIFY(!name.isEmpty());
    QCOMPARE(ts4720_deleteFile(m_vi, ts4720_STORAGE_HD, qPrintable(name)), VI_SUCCESS);
    QCOMPARE(fileOn(fileList(), "HD"), QString());
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.csv");
    ViStatus status = ts4720_downloadFile(m_vi, ts4720_STORAGE_HD, qPrintable(name), qPrintable(path));
    QCOMPARE(status, TS4720_ERROR_INSTRUMENT);
    QVERIFY(statusText(m_vi, status).find("-256") != std::string::npos);
    QVERIFY(!QFile::exists(path));
    status = ts4720_deleteFile(m_vi, ts4720_STORAGE_HD, qPrintable(name));
    QCOMPARE(status, TS4720_ERROR_INSTRUMENT);
    QVERIFY(statusText(m_vi, status).find("-256") != std::string::npos);
}

QTEST_GUILESS_MAIN(tst_driverStorage)
#include "tst_driverStorage.moc"
