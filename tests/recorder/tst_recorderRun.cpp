// ts4720-record run as a child process against simulated instruments of this test's own
// (127.42.192.x): a recording read back against the instrument's shadow copy, the ways a run
// can end in the middle, and the refusals up front.
#include "dataFileReader.h"
#include "testFiles.h"
#include "loadedFile.h"
#include "testInstrument.h"
#include "testLocale.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <clocale>
#include <filesystem>

namespace {

const int kArea = 24;

struct runResult {
    int exitCode = -1;
    QString errors; // standard error
    QString output; // standard output
};

// environment: NAME=value settings beside the test's own.
QProcess *startRecorder(const QStringList &arguments, const QStringList &environment = QStringList())
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process->setProcessEnvironment(env);
    process->start(qEnvironmentVariable("TS4720_BIN_DIR") + "/ts4720-record", arguments);
    return process;
}

runResult finish(QProcess *process)
{
    runResult result;
    if (process->waitForFinished(60000) && process->exitStatus() == QProcess::NormalExit)
        result.exitCode = process->exitCode();
    result.errors = QString::fromLocal8Bit(process->readAllStandardError());
    result.output = QString::fromLocal8Bit(process->readAllStandardOutput());
    delete process;
    return result;
}

// The count of the closing message "... N scans written to ...".
int reportedScans(const QString &errors)
{
    const QRegularExpressionMatch m = QRegularExpression("(\\d+) scans written").match(errors);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

loadedFileRecord readHeader(const QString &path)
{
    loadedFileRecord record{};
    if (readDataFileHeader(path.toLocal8Bit().constData(), &record) != 0)
        record.rowCount = -1;
    return record;
}

// The data rows as bytes, each with its line end.
QList<QByteArray> dataRows(const QString &path)
{
    const loadedFileRecord record = readHeader(path);
    QList<QByteArray> lines = readTestFile(path).split('\n');
    lines.removeLast(); // after the last line end
    return record.rowCount < 0 ? QList<QByteArray>() : lines.mid(record.headerLineCount);
}

QString fileList(tssim::Instrument &sim)
{
    const ViSession vi = openSession(sim);
    const QString list = storedFileList(vi);
    ts4720_close(vi);
    return list;
}

// The rows of the shadow copy that the last run left on the RAM disk (not in the list
// `before`), fetched into copy through the driver once the instrument stopped.
QList<QByteArray> shadowRows(tssim::Instrument &sim, const QString &before, const QString &copy)
{
    sim.command("SIM:DEL 0;:ACQ:STOP");
    const ViSession vi = openSession(sim);
    QString name;
    for (const QString &line : storedFileList(vi).split('\n'))
        if (!before.split('\n').contains(line) && line.section(',', 1, 1) == "RAM")
            name = line.section(',', 0, 0);
    const ViStatus status = ts4720_downloadFile(vi, ts4720_STORAGE_RAM, name.toLatin1().constData(),
                                                copy.toLocal8Bit().constData());
    ts4720_close(vi);
    return status == VI_SUCCESS ? dataRows(copy) : QList<QByteArray>{"no shadow copy"};
}

} // namespace

class tst_recorderRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void recordsWhatTheShadowCopyHolds();
    void endsInTheMiddle_data();
    void endsInTheMiddle();
    void refusesUpFront_data();
    void refusesUpFront();
    void findsInstruments_data();
    void findsInstruments();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString resource() const { return QString::fromStdString(m_sim->descriptor()); }

    QTemporaryDir m_dir;
    std::unique_ptr<tssim::Instrument> m_sim;   // AC, 48 channels
    std::unique_ptr<tssim::Instrument> m_small; // AA, 16 channels
};

void tst_recorderRun::initTestCase()
{
    QVERIFY(m_dir.isValid());
    std::string error;
    m_sim = startInstrument(kArea, testOptions(std::string()), &error);
    QVERIFY2(m_sim, error.c_str());
    m_small = startInstrument(kArea, testOptions(std::string(), "AA"), &error);
    QVERIFY2(m_small, error.c_str());
}

// A run that ended abruptly may leave the instrument acquiring or slow.
void tst_recorderRun::cleanup()
{
    m_sim->command("SIM:DEL 0;:SIM:NET:DOWN 0;:ACQ:STOP");
}

// 2 s at 100 Hz on channels 2, 5, 7 with every value stored, under a decimal-comma locale:
// 200 rows with the numbers of the instrument's own copy, written with dots.
void tst_recorderRun::recordsWhatTheShadowCopyHolds()
{
    const QString why = useTestLocale(m_dir, TestLocale::DecimalComma);
    const QStringList locale = why.isEmpty() ? QStringList{"LC_ALL=" + QString(std::setlocale(LC_ALL, nullptr))} : QStringList();
    useCLocale();
    if (!why.isEmpty())
        qWarning("recording in the C locale: %s", qPrintable(why));
    const QString before = fileList(*m_sim);
    const runResult run = finish(startRecorder({resource(), "-o", path("run.csv"), "--channels", "2,5,7", "--rate", "100",
                                                "--duration", "2s", "--timestamps", "--voltage", "--cold-junction",
                                                "--storage", "ram"}, locale));
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QCOMPARE(reportedScans(run.errors), 200);
    const loadedFileRecord record = readHeader(path("run.csv"));
    QCOMPARE(record.rowCount, 200);
    QCOMPARE(record.presentChannels, 3);
    QVERIFY(record.channels[1].present && record.channels[4].present && record.channels[6].present);
    QVERIFY(record.hasTimestamps && record.hasVoltage && record.hasColdJunction);
    QCOMPARE(QByteArray(record.stopMode), QByteArray("Stop after predefined time"));
    QVERIFY(readTestFile(path("run.csv")).contains("\nAcquisition time:,2.000000,s\n"));
    QCOMPARE(dataRows(path("run.csv")), shadowRows(*m_sim, before, path("shadow.csv")));
}

void tst_recorderRun::endsInTheMiddle_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("Ctrl-C") << "SIGINT" << 0 << "stopped: ";
    QTest::newRow("SIGTERM") << "SIGTERM" << 0 << "stopped: ";
    QTest::newRow("Ctrl-C twice while stopping") << "SIGINT twice" << 8 << "stopped at once: ";
    QTest::newRow("connection dropped, no reconnection") << "SIM:DROP" << 5 << "were lost: the connection";
    QTest::newRow("network gone for 2 s, then Ctrl-C") << "SIM:NET:DOWN 2" << 0 << "reconnecting (";
}

// A run that ends before its time leaves a file holding as many scans as the closing message
// says: after a stop every scan the instrument took (its shadow copy, also through a network
// outage), otherwise the first ones of them, each row whole.
void tst_recorderRun::endsInTheMiddle()
{
    QFETCH(QString, action);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString file = path(QString("middle-%1.csv").arg(QTest::currentDataTag()).replace(' ', '_'));
    const QString before = fileList(*m_sim);
    QProcess *process = startRecorder({resource(), "-o", file, "--channels", "1-4", "--rate", "100", "--timestamps",
                                       "--storage", "ram", "--reconnect", action == "SIM:DROP" ? "0" : "60"});
    QTRY_VERIFY_WITH_TIMEOUT(readHeader(file).rowCount >= 50, 20000);
    const pid_t pid = pid_t(process->processId());
    if (action == "SIM:DROP") {
        QVERIFY(sendOverNetwork(*m_sim, "SIM:DROP"));
    } else if (action.startsWith("SIM:NET")) {
        // Stopped once rows come again after the outage: the file has to hold every scan.
        const int rowsBefore = readHeader(file).rowCount;
        m_sim->command(action.toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(readHeader(file).rowCount >= rowsBefore + 300, 20000);
        ::kill(pid, SIGINT);
    } else if (action == "SIGINT twice") {
        m_sim->command("SIM:DEL 400"); // the first stop takes a while: the second comes meanwhile
        ::kill(pid, SIGINT);
        QTest::qWait(100);
        ::kill(pid, SIGINT);
    } else {
        ::kill(pid, action == "SIGTERM" ? SIGTERM : SIGINT);
    }
    const runResult run = finish(process);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.errors));
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    const QList<QByteArray> rows = dataRows(file);
    const QList<QByteArray> shadow = shadowRows(*m_sim, before, path("shadow.csv"));
    QCOMPARE(readHeader(file).rowCount, reportedScans(run.errors));
    QCOMPARE(rows.size(), reportedScans(run.errors));
    QCOMPARE(rows, exitCode == 0 ? shadow : shadow.mid(0, rows.size()));
}

void tst_recorderRun::refusesUpFront_data()
{
    QTest::addColumn<QString>("instrument"); // "AC" or "AA"
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString ok = "ok.csv";
    QTest::newRow("file exists") << "AC" << QStringList{"-o", "exists.csv"} << 2 << "already exists";
    QTest::newRow("folder missing") << "AC" << QStringList{"-o", "missing/run.csv"} << 2 << "does not exist";
    QTest::newRow("disk too small") << "AC" << QStringList{"-o", ok, "--channels", "1-48", "--rate", "1000", "--scans",
        "1000000000", "--timestamps", "--voltage", "--cold-junction"} << 2 << "free";
    QTest::newRow("channel list") << "AC" << QStringList{"-o", ok, "--channels", "5-2"} << 1 << "--channels: '5-2'";
    QTest::newRow("channel beyond the model") << "AA" << QStringList{"-o", ok, "--channels", "1,17"} << 1
                                              << "beyond the 16 channels";
    QTest::newRow("duration") << "AC" << QStringList{"-o", ok, "--duration", "10x"} << 1 << "--duration";
    QTest::newRow("time") << "AC" << QStringList{"-o", ok, "--start", "ptp:2030-02-30T00:00:00Z"} << 1 << "UTC time";
    QTest::newRow("clock and start on one line") << "AC" << QStringList{"-o", ok, "--clock", "line2", "--start", "line2"}
                                                 << 1 << "same rear-panel line";
    QTest::newRow("PTP start in the past") << "AC" << QStringList{"-o", ok, "--start", "ptp:2001-01-01T00:00:00Z"} << 1
                                           << "not in the future";
    QTest::newRow("trigger stop without a line start") << "AC" << QStringList{"-o", ok, "--stop-on", "gate"} << 1
                                                       << "--stop-on needs";
}

// Refused before anything is recorded: a clear message, the status, no file made or touched.
void tst_recorderRun::refusesUpFront()
{
    QFETCH(QString, instrument);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QByteArray existing = "an earlier recording\n";
    writeTestFile(m_dir, "exists.csv", existing);
    QFile::remove(path("ok.csv"));
    if (QTest::currentDataTag() == QByteArray("disk too small")
        && std::filesystem::space(m_dir.path().toStdString()).available > 1800000000000ULL)
        QSKIP("this disk holds even the longest run");
    QStringList arguments = options;
    arguments.replaceInStrings(QRegularExpression("^(.*\\.csv)$"), m_dir.path() + "/\\1");
    arguments.prepend(QString::fromStdString((instrument == "AA" ? m_small : m_sim)->descriptor()));
    const runResult run = finish(startRecorder(arguments));
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.errors));
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    QVERIFY(!QFile::exists(path("ok.csv")));
    QCOMPARE(readTestFile(path("exists.csv")), existing);
}

void tst_recorderRun::findsInstruments_data()
{
    QTest::addColumn<QStringList>("configured"); // instruments listed in TSVISA_RESOURCES
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("shown");          // on standard output and error
    QTest::newRow("list") << QStringList{"AC", "AA"} << QStringList{"--list"} << 0
                          << "::INSTR  Korvan 4720-AA  serial 47209481\n";
    QTest::newRow("none") << QStringList{} << QStringList{"-o", "ok.csv"} << 3 << "no Korvan 4720 answered among the 0";
    QTest::newRow("several") << QStringList{"AC", "AA"} << QStringList{"-o", "ok.csv"} << 3 << "found 2 instruments";
    QTest::newRow("the one") << QStringList{"AA"} << QStringList{"-o", "ok.csv", "--scans", "3", "--rate", "50"} << 0
                             << "done: 3 scans written";
}

// Without RESOURCE the recorder takes the one instrument discovery finds, else says why not.
void tst_recorderRun::findsInstruments()
{
    QFETCH(QStringList, configured);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, shown);
    QStringList descriptors;
    for (const QString &model : configured)
        descriptors << QString::fromStdString((model == "AA" ? m_small : m_sim)->descriptor());
    QFile::remove(path("ok.csv"));
    options.replaceInStrings("ok.csv", path("ok.csv"));
    const runResult run = finish(startRecorder(options, {"TSVISA_RESOURCES=" + descriptors.join(';')}));
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.errors));
    QVERIFY2((run.output + run.errors).contains(shown), qPrintable(run.output + run.errors));
    QCOMPARE(QFile::exists(path("ok.csv")), exitCode == 0 && !options.contains("--list"));
}

QTEST_GUILESS_MAIN(tst_recorderRun)
#include "tst_recorderRun.moc"
