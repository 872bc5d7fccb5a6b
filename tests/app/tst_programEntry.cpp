// The program entry, run in a child process (the test binary itself) so that exit codes
// and the end of the event loop can be seen from outside.
#include "messageBoxes.h"
#include "partLoadCfg.h"
#include "programEntry.h"
#include "ts2900fp_app.h"
#include "ts4720fp_demoSubtypeSelect.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QSplashScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char entryChildFlag[] = "--entry-child";

// Runs once the event loop is running: reports the windows, then closes the panel the
// way a user would, answering Yes to the question.
void reportAndClose()
{
    if (QThread::currentThread()->loopLevel() == 0) { // still inside start-up event processing
        QMetaObject::invokeMethod(qApp, &reportAndClose, Qt::QueuedConnection);
        return;
    }
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QSplashScreen *>(window) && window->isVisible())
            std::printf("SPLASH still shown\n");
        if (auto *panel = qobject_cast<ts2900fp_app *>(window))
            std::printf("PANEL %s|%s\n", qPrintable(panel->windowTitle()),
                        panel->isVisible() ? "visible" : "hidden");
    }
    std::fflush(stdout);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (qobject_cast<ts2900fp_app *>(window))
            window->close();
}

void onApplicationCreated()
{
    QMetaObject::invokeMethod(qApp, &reportAndClose, Qt::QueuedConnection);
}

int runEntryChild(int argc, char **argv)
{
    messageBoxes::setHandler([](const messageBoxes::Request &r) {
        if (!r.customButtons.isEmpty()) // the start-up dialogue: run in demo mode
            return int(r.customButtons.indexOf(QStringLiteral("Run In Demo Mode")));
        std::printf("BOX %d|%s|%s\n", int(r.kind), qPrintable(r.title), qPrintable(r.text));
        std::fflush(stdout);
        return int(r.kind == messageBoxes::Kind::Question ? QMessageBox::Yes : QMessageBox::Ok);
    });
    // Demo mode asks for a model: the first one, as the user would by pressing Ok.
    ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *dialog) {
        dialog->okPressed();
        return int(QDialog::Accepted);
    });
    // A viewer asks which scans to load: all of them, as the user would by pressing OK.
    partLoadCfg::setHandler([](partLoadCfg *dialog) {
        dialog->okButton->click();
        return dialog->result();
    });
    qAddPreRoutine(onApplicationCreated);
    std::vector<char *> args{argv[0]};
    for (int i = 2; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    const int code = ts4720fpMain(int(args.size()) - 1, args.data());
    std::printf("EXIT %d\n", code);
    return code;
}

// A short file as the program writes it, channel 1 of a 32-channel model.
void writeDataFile(const QString &path, const QByteArray &model)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("sep=,\nKorvan 4720-" + model + "\nSerial Number:,0000abcd\n\n"
               "Clock Source:,Internal\nScan Rate:,10,Hz\nStart Mode:,Immediate\n"
               "Stop Mode:,Stop on user request\n\n"
               "Channel 1 [\xb0" "C] TC:K,\n21.500000,\n21.600000,\n");
}

} // namespace

class tst_programEntry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void start_data();
    void start();
    void informationOptions_data();
    void informationOptions();

private:
    int runChild(const QStringList &arguments, QString *out);
    QTemporaryDir m_dir;
};

void tst_programEntry::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath("data"));
    writeDataFile(m_dir.filePath("data/run 1.csv"), "AB");
    writeDataFile(m_dir.filePath("data/other.csv"), "AX");
    writeDataFile(m_dir.filePath("--help"), "AA");
}

void tst_programEntry::start_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("panel");  // the PANEL line, empty when no panel may appear
    QTest::addColumn<QString>("box");    // the BOX line, empty when no box may appear

    const QString normal = QStringLiteral("PANEL Korvan 4720 Soft Front Panel: 192.168.2.60|visible");
    QTest::newRow("no argument") << QStringList() << 0 << normal << QString();
    QTest::newRow("two arguments, both missing")
        << QStringList{"missing.csv", "data/run 1.csv"} << 0 << normal << QString();
    QTest::newRow("viewer, relative path")
        << QStringList{"data/run 1.csv"} << 0
        << QStringLiteral("PANEL Korvan 4720 Soft Front Panel: data/run 1.csv|visible") << QString();
    QTest::newRow("viewer, dotted path")
        << QStringList{"./data/../data/run 1.csv"} << 0
        << QStringLiteral("PANEL Korvan 4720 Soft Front Panel: ./data/../data/run 1.csv|visible")
        << QString();
    QTest::newRow("missing file") << QStringList{"data/missing.csv"} << 255 << QString()
                                  << QStringLiteral("BOX 0|Korvan 4720 SFP|Cannot read 'data/missing.csv'.");
    QTest::newRow("unknown model suffix") << QStringList{"data/other.csv"} << 255 << QString()
                                          << QStringLiteral("BOX 0|Korvan 4720 SFP|Cannot read 'data/other.csv'.");
    QTest::newRow("file named like an option")
        << QStringList{"./--help"} << 0
        << QStringLiteral("PANEL Korvan 4720 Soft Front Panel: ./--help|visible") << QString();
}

void tst_programEntry::start()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, panel);
    QFETCH(QString, box);

    QString out;
    QVERIFY2(runChild(arguments, &out) == exitCode, qPrintable(out));

    QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    const QStringList panels = lines.filter(QRegularExpression("^PANEL "));
    const QStringList boxes = lines.filter(QRegularExpression("^BOX "));
    QVERIFY2(!out.contains("SPLASH"), qPrintable(out));
    if (panel.isEmpty()) {
        QVERIFY2(panels.isEmpty(), qPrintable(out));
    } else {
        QCOMPARE(panels, QStringList{panel});
    }
    if (box.isEmpty()) {
        // only the closing question
        QCOMPARE(boxes, QStringList{QStringLiteral("BOX 2|Korvan 4720 SFP|Do you really want to exit?")});
    } else {
        QCOMPARE(boxes, QStringList{box});
    }
}

// Answered on standard output before any window or box, whatever else is on the line.
void tst_programEntry::informationOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("answer");
    QTest::newRow("--help") << QStringList{"--help"} << QStringLiteral("Usage: ");
    QTest::newRow("-h with a file") << QStringList{"data/run 1.csv", "-h"} << QStringLiteral("Usage: ");
    QTest::newRow("--version") << QStringList{"--version"} << QStringLiteral("ts4720fp 4.");
    QTest::newRow("-v after Qt's options") << QStringList{"-reverse", "-v"} << QStringLiteral("ts4720fp 4.");
}

void tst_programEntry::informationOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, answer);
    QString out;
    QCOMPARE(runChild(arguments, &out), 0);
    QVERIFY2(out.contains(answer) && !out.contains("PANEL") && !out.contains("BOX"), qPrintable(out));
}

// Runs the entry in a child process in the test folder; its exit code, -1000 if it crashed.
int tst_programEntry::runChild(const QStringList &arguments, QString *out)
{
    QProcess child;
    child.setWorkingDirectory(m_dir.path());
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QString::fromLatin1(entryChildFlag)} + arguments);
    const bool finished = child.waitForFinished(120000);
    *out = QString::fromLocal8Bit(child.readAllStandardOutput());
    return finished && child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1000;
}

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], entryChildFlag) == 0)
        return runEntryChild(argc, argv);
    QApplication app(argc, argv);
    tst_programEntry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programEntry.moc"
