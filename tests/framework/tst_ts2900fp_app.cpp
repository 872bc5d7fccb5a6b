// The panel frame: start-button states and signals, module label, the LED, the
// close question, and how the common error report answers keys and ends the program.
#include "boxRecorder.h"
#include "commonReports.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "ts2900fp_app.h"
#include "ts2900fp_led.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using messageBoxes::Kind;
using messageBoxes::Request;

namespace {

const char errorChildFlag[] = "--error-report-child";

// Child process: one error report answered Yes; the process must end there with code 0.
int runErrorReportChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    ts2900fp_setModelText(QStringLiteral("4720"));
    messageBoxes::setHandler([](const Request &r) {
        std::printf("BOX %s|%s\n", qPrintable(r.title), qPrintable(QString(r.text).replace('\n', "\\n")));
        return int(QMessageBox::Yes);
    });
    addBeforeExit([] { std::printf("FIRST\n"); });
    const int removed = addBeforeExit([] { std::printf("REMOVED\n"); });
    addBeforeExit([] { std::printf("SECOND\n"); });
    removeBeforeExit(removed);
    reportError(QStringLiteral("ts4720_reset(d_vi) failed due to [Timeout]"));
    std::printf("RETURNED\n");
    return 3;
}

} // namespace

class tst_ts2900fp_app : public QObject {
    Q_OBJECT
private slots:
    void init() { ts2900fp_setModelText(QStringLiteral("4720")); }
    void cleanup() { messageBoxes::setHandler(messageBoxes::Handler()); }
    void startButtons_data();
    void startButtons();
    void toggleButtons();
    void moduleLabelKeepsWhatsThis();
    void activeLed();
    void closeAsks_data();
    void closeAsks();
    void keysOnRealBoxes_data();
    void keysOnRealBoxes();
    void errorReportYesExits();
};

void tst_ts2900fp_app::startButtons_data()
{
    QTest::addColumn<QString>("steps"); // s: start button, c: start-continuous, b: userBreak, e: enableStart
    QTest::addColumn<QStringList>("signalsSeen");
    QTest::addColumn<bool>("startEnabled");
    QTest::addColumn<bool>("contEnabled");
    QTest::newRow("single started") << "s" << QStringList{"startSingle"} << true << false;
    QTest::newRow("single broken: both wait") << "ss" << QStringList{"startSingle", "breakSingle"} << false << false;
    QTest::newRow("enabled again") << "sse" << QStringList{"startSingle", "breakSingle"} << true << true;
    QTest::newRow("continuous started") << "c" << QStringList{"startCont"} << false << true;
    QTest::newRow("continuous stopped: both wait") << "cc" << QStringList{"startCont", "stopCont"} << false << false;
    QTest::newRow("user break releases both") << "cb" << QStringList{"startCont", "stopCont"} << true << true;
}

void tst_ts2900fp_app::startButtons()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, signalsSeen);
    QFETCH(bool, startEnabled);
    QFETCH(bool, contEnabled);
    ts2900fp_app frame;
    QStringList seen;
    connect(&frame, &ts2900fp_app::startSingle, [&seen] { seen << "startSingle"; });
    connect(&frame, &ts2900fp_app::breakSingle, [&seen] { seen << "breakSingle"; });
    connect(&frame, &ts2900fp_app::startCont, [&seen] { seen << "startCont"; });
    connect(&frame, &ts2900fp_app::stopCont, [&seen] { seen << "stopCont"; });
    for (QChar step : steps) {
        if (step == 's')
            frame.startButton()->click();
        else if (step == 'c')
            frame.startContButton()->click();
        else
            step == 'b' ? frame.userBreak() : frame.enableStart();
    }
    QCOMPARE(seen, signalsSeen);
    QCOMPARE(frame.startButton()->isEnabled(), startEnabled);
    QCOMPARE(frame.startContButton()->isEnabled(), contEnabled);
    QVERIFY(!frame.startButton()->isChecked() || steps == "s");
}

void tst_ts2900fp_app::toggleButtons()
{
    ts2900fp_app frame;
    QSignalSpy autoscale(&frame, &ts2900fp_app::autoscaleToggled);
    QSignalSpy ident(&frame, &ts2900fp_app::identToggled);
    QVERIFY(frame.autoscaleButton()->isChecked());
    QVERIFY(!frame.identButton()->isChecked());

    frame.autoscaleButton()->click();
    frame.identButton()->click();
    QCOMPARE(autoscale.count(), 1);
    QCOMPARE(autoscale.at(0).at(0).toBool(), false);
    QCOMPARE(ident.count(), 1);
    QCOMPARE(ident.at(0).at(0).toBool(), true);

    QVERIFY(frame.identButton()->isHidden() && frame.autoscaleButton()->isHidden() && frame.startButton()->isHidden());
    frame.showIdentify(true);
    QVERIFY(!frame.identLabel()->isHidden());
    QVERIFY(!frame.identButton()->isHidden());
}

void tst_ts2900fp_app::moduleLabelKeepsWhatsThis()
{
    ts2900fp_app frame;
    frame.setModuleLabel(QStringLiteral("127.0.0.1"), QStringLiteral("Shows the module"));
    frame.setModuleLabel(QStringLiteral("Slot 5"), QString());
    QCOMPARE(frame.moduleLabel()->text(), QStringLiteral("Slot 5"));
    QCOMPARE(frame.moduleLabel()->whatsThis(), QStringLiteral("Shows the module"));
}

void tst_ts2900fp_app::activeLed()
{
    ts2900fp_app frame;
    QCOMPARE(frame.activeLed()->value(), 0);
    frame.setActive(0);
    QCOMPARE(frame.activeLed()->value(), 1);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    // Without an answer the LED stays lit, red, and its longer label is not cut.
    frame.setConnected(false);
    QCOMPARE(frame.activeLed()->text(), QStringLiteral("No connection"));
    QTRY_VERIFY(frame.activeLed()->width() >= frame.activeLed()->minimumSizeHint().width());
    QVERIFY(frame.activeLed()->onColour() != QColor(Qt::green) && frame.activeLed()->value() == 1);
    frame.setConnected(true);
    QCOMPARE(frame.activeLed()->text(), QStringLiteral("Active"));
    QCOMPARE(frame.activeLed()->onColour(), QColor(Qt::green));
    frame.setActive(1);
    QCOMPARE(frame.activeLed()->value(), 0);
}

void tst_ts2900fp_app::closeAsks_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Close button, No") << true << int(QMessageBox::No) << false;
    QTest::newRow("Close button, Yes") << true << int(QMessageBox::Yes) << true;
    QTest::newRow("title bar, No") << false << int(QMessageBox::No) << false;
    QTest::newRow("title bar, Yes") << false << int(QMessageBox::Yes) << true;
}

void tst_ts2900fp_app::closeAsks()
{
    QFETCH(bool, byButton);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    boxRecorder boxes;
    boxes.answerWith([answer](const Request &) { return answer; });
    ts2900fp_app frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    if (byButton) {
        frame.closeButton()->click();
    } else {
        QCloseEvent event;
        QApplication::sendEvent(&frame, &event);
        QCOMPARE(event.isAccepted(), closes);
        if (closes)
            frame.hide();
    }
    QCOMPARE(frame.isVisible(), !closes);
    QCOMPARE(boxes.requests().size(), 1);
    // Its text is pinned where the whole program closes (tst_programEntry).
    QCOMPARE(boxes.requests()[0].kind, Kind::Question);
    QCOMPARE(boxes.requests()[0].standardButtons, QMessageBox::Yes | QMessageBox::No);
}

void tst_ts2900fp_app::keysOnRealBoxes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("errorReport");
    QTest::addColumn<int>("answer"); // of the choice
    QTest::newRow("Enter on an error report") << int(Qt::Key_Return) << true << 0;
    QTest::newRow("Escape on an error report") << int(Qt::Key_Escape) << true << 0;
    QTest::newRow("Escape on a choice") << int(Qt::Key_Escape) << false << 1;
}

// Real boxes, keys pressed: an error report answered by Enter or Escape returns (the
// program goes on); a choice's Escape presses the button named for it.
void tst_ts2900fp_app::keysOnRealBoxes()
{
    QFETCH(int, key);
    QFETCH(bool, errorReport);
    QFETCH(int, answer);
    // Had the report ended the program, this test must not pass with its exit code 0.
    const int guard = addBeforeExit([] {
        std::fputs("the error report ended the program\n", stderr);
        std::_Exit(1);
    });
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, [timer, key] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            QTest::keyClick(box, Qt::Key(key));
        }
    });
    timer->start(10);
    if (errorReport)
        reportError(QStringLiteral("ts4720_reset(d_vi) failed due to [Timeout]"));
    else
        QCOMPARE(messageBoxes::choose(nullptr, "Korvan 4720", "Unavailable", {"Try Again", "Cancel"}, 0, answer),
                 answer);
    removeBeforeExit(guard);
}

void tst_ts2900fp_app::errorReportYesExits()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(errorChildFlag)});
    QVERIFY(child.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(out.contains("BOX Korvan 4720 SFP Error message|ts4720_reset(d_vi) failed due to "
                          "[Timeout]\\nDo you want to exit?"),
             qPrintable(out));
    QVERIFY(!out.contains("RETURNED"));
    // What must not be lost is looked after first, in the order it was registered.
    QVERIFY2(out.endsWith("FIRST\nSECOND\n"), qPrintable(out));
}

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], errorChildFlag) == 0)
        return runErrorReportChild(argc, argv);
    QApplication app(argc, argv);
    tst_ts2900fp_app test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ts2900fp_app.moc"
