// The start-up connection dialogue and the panel base built on its outcome.
#include "connectTestSupport.h"
#include "ts2900fp_About.h"
#include "ts2900fp_AppSPC.h"
#include "ts2900fp_led.h"
#include "ts2900fp_spcEnterAddress.h"
#include "ts2900fp_spcSelect.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

enum { AutoFind = 0, Demo = 1, EnterAddress = 2 };
enum { TryAgain = 0, NoneFoundDemo = 1 };

const QString startText = QStringLiteral("How to connect to Korvan 4720 Module?");
const QString noneText = QStringLiteral("No Korvan 4720 Module found on your system.");

// Types the texts, one per showing, into the next enter-address dialogs and presses OK.
void enterInAddressDialogs(QStringList texts, int *shown)
{
    whenModal<ts2900fp_spcEnterAddress>([texts, shown](ts2900fp_spcEnterAddress *dialog) {
        ++*shown;
        QStringList rest = texts;
        dialog->combo()->setEditText(rest.takeFirst());
        if (!rest.isEmpty())
            enterInAddressDialogs(rest, shown);
        dialog->accept();
    });
}

} // namespace

class tst_connectStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void autoFind_data();
    void autoFind();
    void demoMode_data();
    void demoMode();
    void enteredAddress_data();
    void enteredAddress();
    void fallbackOpen_data();
    void fallbackOpen();
    void cancelEndsTheProcess_data();
    void cancelEndsTheProcess();

private:
    testInstruments m_sims;
};

void tst_connectStartup::initTestCase()
{
    QVERIFY(m_sims.start("127.43.5.1"));
    QVERIFY(m_sims.start("127.43.5.2"));
}

// Auto Find connects to a lone module at once and asks which one when there are several;
// the session is the driver's, closed with the panel.
void tst_connectStartup::autoFind_data()
{
    QTest::addColumn<QStringList>("resources");
    QTest::newRow("one module, no selection") << QStringList{tcpip("127.43.5.1")};
    QTest::newRow("two modules, the user picks the first") << QStringList{tcpip("127.43.5.1"), tcpip("127.43.5.2")};
}

void tst_connectStartup::autoFind()
{
    QFETCH(QStringList, resources);
    setConfiguredResources(resources);
    fakePersonality spc;
    boxRecorder boxes({AutoFind});
    bool asked = false;
    whenModal<ts2900fp_spcSelect>([&asked](ts2900fp_spcSelect *select) {
        asked = true;
        select->tree()->setCurrentItem(select->tree()->topLevelItem(0)->child(0));
        select->okPressed();
    });
    {
        ts2900fp_AppSPC panel(&spc, false);
        QCOMPARE(asked, resources.size() > 1);
        QCOMPARE(boxes.texts(), QStringList{startText});
        QCOMPARE(boxes.requests().first().customButtons,
                 (QStringList{"Auto Find", "Run In Demo Mode", "Enter Address"}));
        QCOMPARE(spc.initDescriptors, QStringList{tcpip("127.43.5.1")});
        QCOMPARE(spc.initResets, QList<bool>{false});
        QCOMPARE(panel.session(), ViSession(0x47200100));
        QVERIFY(!panel.demoMode());
        QCOMPARE(panel.activeLed()->value(), 1);
        QCOMPARE(panel.windowTitle(), QString("Korvan 4720 Soft Front Panel: 127.43.5.1"));
        QVERIFY(panel.titleLabel()->text().contains("Isolated LXI Thermocouple Instrument"));
        QVERIFY(panel.aboutButton()->isEnabled() && panel.aboutDialog());
    }
    QCOMPARE(spc.closed, QList<ViSession>{0x47200100});
}

// Nothing found: the question, then demo mode at once or through the start-up box again;
// a viewer asks nothing and names no host. No driver session either way.
void tst_connectStartup::demoMode_data()
{
    QTest::addColumn<bool>("viewer");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("host");
    QTest::newRow("nothing found, demo") << false << QList<int>{AutoFind, NoneFoundDemo}
                                         << QStringList{startText, noneText} << "192.168.2.60";
    QTest::newRow("nothing found, try again")
        << false << QList<int>{AutoFind, TryAgain, Demo} << QStringList{startText, noneText, startText}
        << "192.168.2.60";
    QTest::newRow("viewer") << true << QList<int>{} << QStringList{} << "";
}

void tst_connectStartup::demoMode()
{
    QFETCH(bool, viewer);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, texts);
    QFETCH(QString, host);
    setConfiguredResources({});
    fakePersonality spc;
    boxRecorder boxes(answers);
    {
        ts2900fp_AppSPC panel(&spc, viewer);
        QCOMPARE(boxes.texts(), texts);
        const QStringList buttons{"Try Again", "Run In Demo Mode", "Cancel"};
        if (!viewer)
            QCOMPARE(boxes.requests().at(1).customButtons, buttons);
        QVERIFY(panel.demoMode());
        QCOMPARE(panel.session(), ViSession(0));
        QCOMPARE(panel.windowTitle(), "Korvan 4720 Soft Front Panel: " + host);
        QCOMPARE(panel.activeLed()->value(), 0);
        QCOMPARE(panel.aboutButton()->isEnabled(), !viewer);
    }
    QVERIFY(spc.initDescriptors.isEmpty());
    QVERIFY(spc.closed.isEmpty());
}

// Typed addresses: an empty one warns and asks again; any status but 0 from the driver's
// open, warnings too, makes the module unavailable (a session a warning opened is closed
// again), and Try Again goes back to the start-up box, not to the address dialog.
void tst_connectStartup::enteredAddress_data()
{
    QTest::addColumn<int>("status"); // of the driver's open
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("texts"); // after the start-up box
    QTest::addColumn<int>("closedSessions");
    const QString unavailable = "Selected Korvan 4720 Module is unavailable.\nError: 0x";
    const QList<int> tryAgainThenDemo{EnterAddress, TryAgain, Demo};
    QTest::newRow("empty address") << 0 << QStringList{"", " " + tcpip("127.43.5.2") + " "}
                                   << QList<int>{EnterAddress, QMessageBox::Ok}
                                   << QStringList{"You have not entered Instrument Descriptor"} << 0;
    // The status text stands beside the code.
    QTest::newRow("error") << int(0xBFFF0011) << QStringList{" " + tcpip("127.43.5.9")} << tryAgainThenDemo
                           << QStringList{unavailable + "ffffffffbfff0011 (VI_ERROR_RSRC_NFOUND: The resource was "
                                                        "not found: no match for the search, or the host refused, "
                                                        "could not be reached or did not answer in time.)",
                                          startText}
                           << 0;
    QTest::newRow("no answer") << int(0xBFFF0015) << QStringList{tcpip("127.43.5.9")} << tryAgainThenDemo
                               << QStringList{unavailable + "ffffffffbfff0015 (VI_ERROR_TMO: The timeout expired "
                                                            "before the operation completed.)\nThe instrument "
                                                            "accepted the connection but does not answer.",
                                              startText}
                               << 0;
    QTest::newRow("warning") << int(0x3FFF0085) << QStringList{tcpip("127.43.5.9")} << tryAgainThenDemo
                             << QStringList{unavailable + "3fff0085 (VI_WARN_UNKNOWN_STATUS: This status value is "
                                                          "not known to the library.)",
                                            startText}
                             << 1;
}

void tst_connectStartup::enteredAddress()
{
    QFETCH(int, status);
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, texts);
    QFETCH(int, closedSessions);
    fakePersonality spc;
    spc.initStatuses = {status};
    boxRecorder boxes(answers);
    int shown = 0;
    enterInAddressDialogs(entries, &shown);
    ts2900fp_AppSPC panel(&spc, false);
    QCOMPARE(shown, entries.size());
    QCOMPARE(boxes.texts(), QStringList{startText} + texts);
    if (status != 0)
        QCOMPARE(boxes.requests().at(1).customButtons, (QStringList{"Try Again", "Cancel"}));
    // Blanks around the typed address are no part of it; it is remembered once it has opened.
    QCOMPARE(spc.initDescriptors, QStringList{entries.last().trimmed()});
    QSettings remembered(ts2900fp_spcEnterAddress::defaultSettingsPath(), QSettings::IniFormat);
    if (status == 0)
        QCOMPARE(remembered.value("4720/1.Descriptor").toString(), entries.last().trimmed());
    for (const QString &key : remembered.allKeys())
        QVERIFY(!remembered.value(key).toString().contains("127.43.5.9"));
    QCOMPARE(panel.demoMode(), status != 0);
    QCOMPARE(panel.session() == 0, status != 0);
    const QString host = status ? "192.168.2.60" : "127.43.5.2";
    QCOMPARE(panel.windowTitle(), "Korvan 4720 Soft Front Panel: " + host);
    QCOMPARE(spc.closed.size(), closedSessions);
}

// A driver that reports success without a session: the panel base opens the module once
// more, with a reset, and reports what that open says.
void tst_connectStartup::fallbackOpen_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("reports");
    QTest::newRow("success") << 0 << QStringList{};
    QTest::newRow("error")
        << int(0xBFFF0011) << QStringList{"Function Call failed due to [0xbfff0011]\nDo you want to exit?"};
    QTest::newRow("warning") << int(0x3FFF0085) << QStringList{"Warning [0x3fff0085]"};
}

void tst_connectStartup::fallbackOpen()
{
    QFETCH(int, status);
    QFETCH(QStringList, reports);
    setConfiguredResources({tcpip("127.43.5.1")});
    fakePersonality spc;
    spc.initStatuses = {VI_SUCCESS, status};
    spc.initSessions = {0};
    boxRecorder boxes({AutoFind, QMessageBox::No});
    ts2900fp_AppSPC panel(&spc, false);
    QCOMPARE(spc.initResets, (QList<bool>{false, true}));
    QCOMPARE(spc.initDescriptors, (QStringList{tcpip("127.43.5.1"), tcpip("127.43.5.1")}));
    QCOMPARE(boxes.texts().mid(1), reports);
    QCOMPARE(panel.session(), ViSession(status < 0 ? 0 : spc.nextSession - 1));
    QCOMPARE(panel.windowTitle(), QString("Korvan 4720 Soft Front Panel: 127.43.5.1"));
}

void tst_connectStartup::cancelEndsTheProcess_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("start-up box") << "start";
    QTest::newRow("nothing found") << "nothing-found";
    QTest::newRow("address dialog") << "address";
    QTest::newRow("selection dialog") << "selection";
    QTest::newRow("unavailable module") << "unavailable";
}

// Cancel ends the whole program, so it runs in a child process.
void tst_connectStartup::cancelEndsTheProcess()
{
    QFETCH(QString, scenario);
    QProcess child;
    child.setProgram(QCoreApplication::applicationDirPath() + "/connect_cancelChild");
    child.setArguments({scenario});
    child.start();
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    const QByteArray output = child.readAllStandardOutput();
    QVERIFY2(output.contains("dialogue started"), output.constData());
    QVERIFY2(!output.contains("panel constructed"), output.constData());
    QCOMPARE(child.exitCode(), 0);
}

QTEST_MAIN(tst_connectStartup)
#include "tst_connectStartup.moc"
