// The acquisition page: its rules, recorded runs against the simulated instrument (file
// rows against the instrument's own copy, the plot windows), the ways a run ends, demo runs.
#include "PTPalarm.h"
#include "acqConfig.h"
#include "acquisitionRun.h"
#include "acquisitionWindows.h"
#include "boxRecorder.h"
#include "demoStore.h"
#include "measurement_acquisition.h"
#include "testInstrument.h"
#include "ts4720_ext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cmath>
#include <sys/resource.h>

#include "commonReports.h"
#include "dataFileSpace.h"

namespace {
const int kArea = 14;

// The data rows of a data file (after the column line).
QStringList dataRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"<cannot open>"};
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith("Timestamp,") || lines[i].startsWith("Channel "))
            return lines.mid(i + 1);
    return {};
}
} // namespace

class tst_measurementAcquisition : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rounding_data();
    void rounding();
    void stopModesAndTimes();
    void startRefused_data();
    void startRefused();
    void recordedRun_data();
    void recordedRun();
    void droppedConnection_data();
    void droppedConnection();
    void fileStopsGrowing();
    void fileTooBigForDisk();
    void exitInErrorReport();
    void demoRunEnds();

private:
    // Channels 2, 5 (open) and 7 of a 16-channel instrument, 100 Hz with timestamps and
    // voltage, the RAM disk's copy and a local file.
    void setUpRun(int stopData, int scans, int plotLength);
    QStringList shadowRows();

    std::unique_ptr<testInstrument> m_ti;
    std::unique_ptr<measurement_acquisition> m_page;
    QTemporaryDir m_dir;
    QString m_path;
};

void tst_measurementAcquisition::init()
{
    m_ti = std::make_unique<testInstrument>();
    QVERIFY2(m_ti->start(testOptions(testAddress(kArea), "AA")), qPrintable(m_ti->error));
    m_page = std::make_unique<measurement_acquisition>(m_ti->context(16));
    m_path = m_dir.filePath(QString("%1%2.csv").arg(QTest::currentTestFunction(), QTest::currentDataTag()).remove(' '));
    m_page->askOutputFile = [this](acqConfig *dialog) {
        dialog->path->setText(m_path);
        return dialog->checkPath(true);
    };
}

void tst_measurementAcquisition::cleanup()
{
    m_page.reset();
    m_ti.reset();
}

void tst_measurementAcquisition::rounding_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("plotLength");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("rounded");
    QTest::newRow("1 Hz") << 1.0 << 100 << 1 << 100;
    QTest::newRow("3 Hz") << 3.0 << 100 << 1 << 100;
    QTest::newRow("1000 Hz, 100") << 1000.0 << 100 << 250 << 250;
    QTest::newRow("1000 Hz, 1000") << 1000.0 << 1000 << 250 << 1000;
    QTest::newRow("1000 Hz, 1100") << 1000.0 << 1100 << 250 << 1000;
}

void tst_measurementAcquisition::rounding()
{
    QFETCH(double, rate);
    QFETCH(int, plotLength);
    QFETCH(int, threshold);
    QCOMPARE(callbackThreshold(rate), threshold);
    QTEST(roundedPlotLength(plotLength, threshold), "rounded");
}

void tst_measurementAcquisition::stopModesAndTimes()
{
    measurement_acquisition &p = *m_page;
    p.clockSource->setCurrentIndex(0);
    p.startMode->setCurrentIndex(0);
    p.stopMode->setCurrentIndex(p.stopMode->findData(1));
    p.clockSource->setCurrentIndex(2); // an external clock has no time limit
    QCOMPARE(p.stopMode->currentData().toInt(), 0);
    QCOMPARE(p.stopMode->findData(1), -1);
    QCOMPARE(p.stopMode->findData(3), -1);
    p.startMode->setCurrentIndex(3);
    QVERIFY(p.stopMode->findData(3) >= 0 && p.stopMode->findData(4) >= 0);
    p.scanRate->setValue(4);
    QCOMPARE(p.intervalLabel->text(), QString("<i>Required minimum interval: 250.000 ms</i>"));
    p.clockSource->setCurrentIndex(0);
    p.scanRate->setValue(1);
    QCOMPARE(p.intervalLabel->text(), QString("<i>Scan every: 1.000 s</i>"));
    p.stopMode->setCurrentIndex(p.stopMode->findData(1));
    p.time->setValue(0.1);
    QCOMPARE(p.numberOfScans->value(), 1); // rounded up, at least 1
    p.scanRate->setValue(4);
    p.time->setValue(10);
    QCOMPARE(p.numberOfScans->value(), 40);
    p.time->setValue(3725.5);
    QCOMPARE(p.time->toolTip(), QString("01h 02m 05.500s"));
}

void tst_measurementAcquisition::startRefused_data()
{
    QTest::addColumn<int>("clock");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("box");
    QTest::newRow("same line") << 2 << 2 << "cannot use the same Rear Panel line";
    QTest::newRow("alarm in the past") << 0 << 1 << "cannot set PTP Alarm in the past";
    QTest::newRow("file cannot be created") << 0 << 0 << "Cannot create file.";
}

void tst_measurementAcquisition::startRefused()
{
    QFETCH(int, clock);
    QFETCH(int, start);
    boxRecorder boxes;
    m_page->clockSource->setCurrentIndex(clock);
    m_page->startMode->setCurrentIndex(start);
    m_page->alarm->setTime(1000);
    const bool toFile = QString(QTest::currentDataTag()) == "file cannot be created";
    m_page->storage->setCurrentIndex(toFile ? 1 : 0);
    if (toFile)
        QVERIFY(QDir().mkpath(m_path)); // a folder where the file should go
    m_page->startAcquisition();
    QFETCH(QString, box);
    QCOMPARE(boxes.count(box), 1);
    QVERIFY(!m_page->run->running());
    QVERIFY(!m_page->run->fileOpen());
}

void tst_measurementAcquisition::setUpRun(int stopData, int scans, int plotLength)
{
    for (int ch = 1; ch <= 16; ++ch)
        QCOMPARE(ts4720_setChannelState(m_ti->vi, ViInt16(ch), ch == 2 || ch == 5 || ch == 7), VI_SUCCESS);
    m_ti->command("SIM:CHAN:OPEN 5,1");
    measurement_acquisition &p = *m_page;
    p.clockSource->setCurrentIndex(0);
    p.startMode->setCurrentIndex(0);
    p.scanRate->setValue(100);
    p.stopMode->setCurrentIndex(p.stopMode->findData(stopData));
    p.numberOfScans->setValue(scans);
    p.storage->setCurrentIndex(p.storage->findText("RAM Disk on Korvan 4720 + Local Hard Drive"));
    p.storeTimestamps->setChecked(true);
    p.storeVoltage->setChecked(true);
    p.plotLength->setValue(plotLength);
}

QStringList tst_measurementAcquisition::shadowRows()
{
    const QString list = storedFileList(m_ti->vi);
    QString newest;
    for (const QString &line : list.split('\n'))
        if (line.section(',', 1, 1) == "RAM" && line.section(',', 0, 0) > newest)
            newest = line.section(',', 0, 0);
    const QString copy = m_dir.filePath("shadow.csv");
    QFile::remove(copy);
    if (ts4720_downloadFile(m_ti->vi, ts4720_STORAGE_RAM, qPrintable(newest), qPrintable(copy)) != VI_SUCCESS)
        return {"<no download>"};
    return dataRows(copy);
}

void tst_measurementAcquisition::recordedRun_data()
{
    QTest::addColumn<bool>("stopMidRun");
    QTest::newRow("fixed number of scans") << false;
    QTest::newRow("Stop mid-run") << true;
}

// Every scan the instrument took is a row, exactly as in its own copy, in order; the plot
// windows end with the newest scans, windows 0, 1, 2 holding channels 2, 5, 7.
void tst_measurementAcquisition::recordedRun()
{
    QFETCH(bool, stopMidRun);
    boxRecorder boxes;
    setUpRun(stopMidRun ? 2 : 0, 230, 50);
    m_page->startAcquisition();
    QVERIFY(m_page->run->running());
    if (stopMidRun) {
        QTRY_VERIFY_WITH_TIMEOUT(m_page->run->rowsWritten() >= 60, 10000);
        m_page->stopAcquisition();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->run->running(), 10000);
    QVERIFY(!m_page->run->fileOpen());
    const QStringList rows = dataRows(m_path);
    QCOMPARE(rows, shadowRows());
    if (!stopMidRun)
        QCOMPARE(rows.size(), 230);
    QVERIFY(rows.size() >= 60);
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    const acquisitionWindows &w = plotWindows();
    QCOMPARE(w.plotLength, 50);
    for (int p = 0; p < 50; ++p) {
        const QStringList f = rows[rows.size() - 50 + p].split(',');
        QCOMPARE(f.size(), 8); // timestamp, 3 x (temperature, voltage), "" after the last ','
        QCOMPARE(f.value(3), QString("nan")); // channel 5 is open
        QVERIFY(std::isnan(w.window(1)[p]));
        for (int k : {0, 2})
            QVERIFY2(std::fabs(w.window(k)[p] - f.value(1 + 2 * k).toDouble()) < 1e-5, qPrintable(rows[p]));
    }
}

void tst_measurementAcquisition::droppedConnection_data()
{
    QTest::addColumn<bool>("reconnect");
    QTest::newRow("reconnects: the run goes on") << true;
    QTest::newRow("no reconnection: the run ends") << false;
}

// A dropped connection: with reconnection the run goes on without a gap and without a box;
// without it the run ends once, with the file closed on every delivered row.
void tst_measurementAcquisition::droppedConnection()
{
    QFETCH(bool, reconnect);
    boxRecorder boxes;
    if (!reconnect)
        QCOMPARE(ts4720_setReconnectGracePeriod(m_ti->vi, 0), VI_SUCCESS);
    setUpRun(2, 0, 100);
    m_page->startAcquisition();
    QTRY_VERIFY_WITH_TIMEOUT(m_page->run->rowsWritten() >= 30, 10000);
    QVERIFY(sendOverNetwork(*m_ti->instrument, "SIM:DROP"));
    if (reconnect) {
        const long long before = m_page->run->rowsWritten();
        QTRY_VERIFY_WITH_TIMEOUT(m_page->run->rowsWritten() >= before + 100, 20000);
        m_page->stopAcquisition();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->run->running(), 20000);
    QTRY_COMPARE(boxes.count("The acquisition ended"), reconnect ? 0 : 1);
    QVERIFY(!m_page->run->fileOpen());
    const QStringList rows = dataRows(m_path);
    QCOMPARE(rows.size(), int(m_page->run->rowsWritten()));
    for (int i = 1; i < rows.size(); ++i) // no scan lost or doubled: 10 ms apart
        QVERIFY2(std::fabs(rows[i].section(',', 0, 0).toDouble() - rows[i - 1].section(',', 0, 0).toDouble() - 0.01) < 1e-6,
                 qPrintable(rows[i]));
    m_page->setAcquisitionIdle(true, QString());
    QVERIFY(m_page->startButton->isEnabled());
}

// A file that cannot grow (here: the process may not write more) is told once; the run
// goes on and the file keeps every whole row written before.
void tst_measurementAcquisition::fileStopsGrowing()
{
    boxRecorder boxes;
    setUpRun(2, 0, 100);
    m_page->startAcquisition();
    QTRY_VERIFY_WITH_TIMEOUT(m_page->run->rowsWritten() >= 30, 10000);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit before = limit;
    limit.rlim_cur = rlim_t(QFileInfo(m_path).size() + 100);
    setrlimit(RLIMIT_FSIZE, &limit);
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count("stopped growing"), 1, 10000);
    setrlimit(RLIMIT_FSIZE, &before);
    const long long written = m_page->run->rowsWritten();
    QTRY_VERIFY_WITH_TIMEOUT(m_page->run->rowsWritten() == written && !m_page->run->fileOpen(), 5000);
    QTest::qWait(300); // more blocks arrive: the run goes on, nothing more is told
    QVERIFY(m_page->run->running());
    m_page->stopAcquisition();
    const QStringList rows = dataRows(m_path);
    QCOMPARE(rows.size(), int(written));
    QCOMPARE(rows, shadowRows().mid(0, rows.size()));
    QCOMPARE(boxes.count("stopped growing"), 1);
}

void tst_measurementAcquisition::fileTooBigForDisk()
{
    // A billion rows of 16 channels with voltage and cold junction: over 600 GB.
    if (freeBytesOn(m_path.toStdString()) > 600000000000LL)
        QSKIP("the disk has room even for a billion rows");
    boxRecorder boxes;
    boxes.answerQuestions(false);
    setUpRun(0, 1000000000, 100);
    for (int ch = 1; ch <= 16; ++ch)
        QCOMPARE(ts4720_setChannelState(m_ti->vi, ViInt16(ch), VI_TRUE), VI_SUCCESS);
    m_page->storeColdJunction->setChecked(true);
    m_page->startAcquisition();
    QCOMPARE(boxes.count("but its disk has only"), 1);
    QVERIFY(!m_page->run->running());
    QVERIFY(!QFileInfo::exists(m_path));
}

// "Yes" in an error report during a run ends the process; the rows received are in the
// file. The test runs itself as that process.
void tst_measurementAcquisition::exitInErrorReport()
{
    if (qEnvironmentVariableIsSet("TS4720_EXIT_CHILD")) {
        m_path = qEnvironmentVariable("TS4720_EXIT_CHILD");
        boxRecorder boxes;
        boxes.answerWith([](const messageBoxes::Request &) { return int(QMessageBox::Yes); });
        setUpRun(2, 0, 100);
        m_page->startAcquisition();
        QTRY_VERIFY_WITH_TIMEOUT(m_page->run->rowsWritten() >= 30, 10000);
        reportError("A failure during the run."); // answered Yes: the process ends here
        QFAIL("the process did not end");
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TS4720_EXIT_CHILD", m_path);
    child.setProcessEnvironment(env);
    cleanup(); // the child uses the next address of the area
    child.start(QCoreApplication::applicationFilePath(), {"exitInErrorReport"});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QStringList rows = dataRows(m_path);
    QVERIFY2(rows.size() >= 30, qPrintable(QString::number(rows.size())));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().endsWith(",\n")); // whole rows only
}

// A demo run of 35 scans at 40 Hz: blocks of 10, then one of 5, and the state back to idle.
void tst_measurementAcquisition::demoRunEnds()
{
    m_page = std::make_unique<measurement_acquisition>(demoContext(16));
    demoStore::ChannelSettings on;
    on.enabled = true;
    demoStore::setChannel(3, on);
    m_page->scanRate->setValue(40);
    m_page->stopMode->setCurrentIndex(m_page->stopMode->findData(0));
    m_page->numberOfScans->setValue(35);
    m_page->storage->setCurrentIndex(0);
    m_page->startAcquisition();
    QCOMPARE(demoStore::acquisitionState(), 2);
    for (int pump = 0; pump < 10 && m_page->run->running(); ++pump)
        m_page->pumpDemo();
    QVERIFY(!m_page->run->running());
    QCOMPARE(demoStore::acquisitionState(), 0);
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    QCOMPARE(plotWindows().plotDataPtr + plotWindows().plotOffset, 35);
}

QTEST_MAIN(tst_measurementAcquisition)
#include "tst_measurementAcquisition.moc"
