// The main panel against simulated instruments and in demo and viewer mode: model,
// device-wide actions, control enabling and the device information dialog.
#include "boxRecorder.h"
#include "demoStore.h"
#include "loadedFile.h"
#include "measurement.h"
#include "measurement_polling.h"
#include "measurement_triggerConfig.h"
#include "pollingThread.h"
#include "testInstrument.h"
#include "ts2900fp_led.h"
#include "ts2900fp_spcEnterAddress.h"
#include "ts4720_ext.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "ts4720fp_demoSubtypeSelect.h"
#include "ts47xx_deviceStatus.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {
using messageBoxes::Request;

const int kArea = 9;

// A Korvan 4720 on a fresh address that Auto Find finds.
std::unique_ptr<tssim::Instrument> findableInstrument(const char *subType = "AC")
{
    auto instrument = startInstrument(kArea, testOptions(std::string(), subType));
    if (instrument)
        setConfiguredResources({QString::fromStdString(instrument->descriptor())});
    return instrument;
}
} // namespace

class tst_mainPanel : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        demoStore::clearAll();
        ts4720fp_demoSubtypeSelect::setHandler({});
        std::memset(&loadedFile(), 0, sizeof(loadedFileRecord));
    }

    void modelFromInstrument_data()
    {
        QTest::addColumn<QString>("subType");
        QTest::addColumn<int>("channels");
        QTest::newRow("AA") << "AA" << 16;
        QTest::newRow("AB") << "AB" << 32;
        QTest::newRow("AC") << "AC" << 48;
    }
    void modelFromInstrument()
    {
        QFETCH(QString, subType);
        QFETCH(int, channels);
        const auto instrument = findableInstrument(qPrintable(subType));
        QVERIFY(instrument);
        boxRecorder boxes;
        boxes.chooseButton("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), subType);
        QCOMPARE(panel.channelCount(), channels);
        QVERIFY(panel.windowTitle().endsWith(instrumentAddress(*instrument)));
        QCOMPARE(panel.serialNumberText(), QByteArray("47209481"));
    }

    void failedSubTypeQueryFallsBackToAA()
    {
        const auto instrument = findableInstrument("AC");
        QVERIFY(instrument);
        instrument->command("SIM:FAIL \"ATTR\",-200,0");
        boxRecorder boxes;
        boxes.chooseButton("Auto Find");
        // Every attribute read fails: the sub-type query falls back quietly, the others are reported.
        boxes.expect("ts4720_getAttribute(");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), QString("AA"));
        QCOMPARE(panel.channelCount(), 16);
        instrument->command("SIM:FAIL:CLE");
    }

    // The demo model dialog's entry decides the model even when it is closed; only Ok
    // remembers it. A remembered model outside the list gives no sub-type, so 16 channels.
    void demoModel_data()
    {
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("chosen"); // -1: left as it is
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("subType");
        QTest::addColumn<int>("channels");
        QTest::newRow("Ok remembers") << 0 << 2 << true << "AC" << 48;
        QTest::newRow("closed still uses the entry") << 0 << 2 << false << "AC" << 48;
        QTest::newRow("remembered out of range") << 5 << -1 << false << "" << 16;
    }
    void demoModel()
    {
        QFETCH(int, remembered);
        QFETCH(int, chosen);
        QFETCH(bool, ok);
        QFETCH(QString, subType);
        QFETCH(int, channels);
        demoStore::setLastModel(remembered);
        ts4720fp_demoSubtypeSelect::setHandler([chosen, ok](ts4720fp_demoSubtypeSelect *d) {
            if (chosen >= 0)
                d->modelBox()->setCurrentIndex(chosen);
            if (ok)
                d->okPressed();
            return int(ok ? QDialog::Accepted : QDialog::Rejected);
        });
        boxRecorder boxes;
        boxes.chooseButton("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), subType);
        QCOMPARE(panel.channelCount(), channels);
        QCOMPARE(demoStore::lastModel(), ok ? chosen : remembered);
        QVERIFY(panel.windowTitle().endsWith("192.168.2.60"));
        if (ok) { // the next dialog opens on the remembered model
            ts4720fp_demoSubtypeSelect again;
            QCOMPARE(again.subType(), subType);
        }
    }

    void viewerModelFromTheLoadedFile()
    {
        loadedFile().viewer = 1;
        loadedFile().channelCount = 32;
        ts4720_spc spc;
        ts4720fp_App panel(&spc, true);
        QCOMPARE(panel.subTypeText(), QString("AB"));
        QCOMPARE(panel.channelCount(), 32);
        QVERIFY(!panel.saveConfigurationButton()->isEnabled());
        QVERIFY(!panel.poller()->isRunning());
    }

    void actionsAskFirst()
    {
        const auto instrument = findableInstrument();
        QVERIFY(instrument);
        boxRecorder boxes;
        boxes.chooseButton("Auto Find");
        boxes.answerQuestions(false);
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        const std::string factory = instrument->command("CHAN:STAT? 5");
        instrument->command(factory == "1" ? "CHAN:STAT 5,0" : "CHAN:STAT 5,1");
        const std::string changed = instrument->command("CHAN:STAT? 5");
        panel.resetDeviceToFactoryDefault(); // answered No: the change stays
        QCOMPARE(instrument->command("CHAN:STAT? 5"), changed);
        QCOMPARE(boxes.count("Do you really want to reset the configuration to factory defaults?"), 1);
        boxes.answerQuestions(true);
        panel.resetDeviceToFactoryDefault(); // Yes: back to the factory state
        QCOMPARE(instrument->command("CHAN:STAT? 5"), factory);
        panel.resetDevice();
        QCOMPARE(boxes.count("Do you really want to reset the Korvan 4720?"), 1);
        // A refusal by the instrument is reported with the call's text.
        instrument->command("SIM:FAIL \"SYST:CONF:SAVE\",-200,1");
        panel.saveConfiguration();
        QCOMPARE(boxes.count("ts4720_saveConfig(d_vi) failed due to ["), 1);
    }

    void demoFactoryResetClearsTheStore()
    {
        demoStore::setAcquisitionState(0);
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *d) {
            d->modelBox()->setCurrentIndex(1);
            d->okPressed();
            return int(QDialog::Accepted);
        });
        boxRecorder boxes;
        boxes.chooseButton("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(demoStore::lastModel(), 1);
        panel.resetDeviceToFactoryDefault();
        QCOMPARE(demoStore::lastModel(), 0);
        panel.idPressed(true);
        QCOMPARE(boxes.count("This feature is not available, when Soft Front Panel is working in demo mode."), 1);
    }

    // Scans are polled only while the live view is shown: the Measurement tab with
    // "Continuous Polling" current.
    void liveViewPollsOnlyWhileShown()
    {
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *) { return int(QDialog::Accepted); });
        boxRecorder boxes;
        boxes.chooseButton("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        measurement *tabs = panel.measurementPage();
        QCOMPARE(panel.mainTabs()->currentIndex(), int(ts4720fp_App::measurementTab));
        QVERIFY(panel.poller()->pollScan());
        panel.mainTabs()->setCurrentIndex(ts4720fp_App::channelConfigurationTab);
        QVERIFY(!panel.poller()->pollScan());
        panel.mainTabs()->setCurrentIndex(ts4720fp_App::measurementTab);
        QVERIFY(panel.poller()->pollScan());
        tabs->setCurrentWidget(tabs->triggerConfig);
        QVERIFY(!panel.poller()->pollScan());
        panel.mainTabs()->setCurrentIndex(ts4720fp_App::internalStorageTab);
        panel.mainTabs()->setCurrentIndex(ts4720fp_App::measurementTab);
        QVERIFY(!panel.poller()->pollScan());
        tabs->setCurrentWidget(tabs->polling);
        QVERIFY(panel.poller()->pollScan());
    }

    // Idle-only controls stay locked, and say why, until the first poll tells the state; the
    // LED follows the polls across an outage; a device reset with the link down gives one box.
    void controlsAndLinkFollowThePolls()
    {
        const auto instrument = findableInstrument();
        QVERIFY(instrument);
        boxRecorder boxes;
        boxes.chooseButton("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QVERIFY(!panel.saveConfigurationButton()->isEnabled());
        QVERIFY(!panel.mainTabs()->isTabEnabled(ts4720fp_App::channelConfigurationTab));
        QVERIFY(panel.mainTabs()->tabToolTip(0).startsWith("Locked"));
        QVERIFY(panel.saveConfigurationButton()->toolTip().contains("Locked"));
        measurement *tabs = panel.measurementPage();
        QVERIFY(!tabs->isTabEnabled(tabs->indexOf(tabs->triggerConfig)));
        QTRY_VERIFY_WITH_TIMEOUT(panel.saveConfigurationButton()->isEnabled(), 20000);
        QVERIFY(tabs->isTabEnabled(tabs->indexOf(tabs->triggerConfig)));
        QVERIFY(panel.mainTabs()->isTabEnabled(0) && panel.mainTabs()->isTabEnabled(2));
        QCOMPARE(panel.mainTabs()->tabToolTip(0), QString());
        QCOMPARE(panel.activeLed()->text(), QString("Active"));

        instrument->stop();
        QTRY_COMPARE_WITH_TIMEOUT(panel.activeLed()->text(), QString("No connection"), 20000);
        QCOMPARE(panel.activeLed()->value(), 1);
        QVERIFY(panel.activeLed()->onColour() != QColor(Qt::green));
        boxes.clear();
        panel.resetDevice();
        QCOMPARE(boxes.count("Do you really want to reset the Korvan 4720?"), 1);
        QCOMPARE(boxes.requests().size(), 2);
        QVERIFY2(boxes.requests()[1].text.startsWith("ts4720_reset(d_vi) failed due to [")
                     && boxes.requests()[1].text.contains("further calls of this action were not made"),
                 qPrintable(boxes.requests()[1].text));

        QVERIFY(instrument->start());
        QTRY_COMPARE_WITH_TIMEOUT(panel.activeLed()->text(), QString("Active"), 20000);
        QCOMPARE(panel.activeLed()->onColour(), QColor(Qt::green));
    }

    // While an acquisition on the panel's session reconnects, the LED says so with the seconds
    // left, and turns back to "Active" once data flow again; no box on the way.
    void ledShowsReconnecting()
    {
        const auto instrument = findableInstrument();
        QVERIFY(instrument);
        boxRecorder boxes;
        boxes.chooseButton("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QTRY_COMPARE_WITH_TIMEOUT(panel.activeLed()->text(), QString("Active"), 20000);
        instrument->command("ATTR 295,1;:ACQ:MODE 0,10,0,0,0,1");
        auto readOne = [](ViSession vi, ViInt32, ViInt16, ViAddr) {
            ViReal64 data[TS4720_MAX_CHANNELS];
            ViInt32 remaining = 0, read = 0;
            ts4720_readAcquisition(vi, 1, 0, &remaining, &read, data, VI_NULL);
        };
        QCOMPARE(ts4720_startAcquisitionEx(panel.session(), 1, readOne, nullptr), VI_SUCCESS);
        instrument->command("SIM:NET:DOWN 3");
        QTRY_VERIFY_WITH_TIMEOUT(panel.activeLed()->text().startsWith("Reconnecting ("), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(panel.activeLed()->text(), QString("Active"), 20000);
        QCOMPARE(ts4720_stopAcquisition(panel.session()), VI_SUCCESS);
    }

    // A typed address that accepts the connection but never answers: one message within
    // about one timeout, back at the start-up box, and no error boxes after it.
    void silentAddressAtStartUp()
    {
        const auto instrument = findableInstrument();
        QVERIFY(instrument);
        instrument->command("SIM:SILent 1");
        QElapsedTimer clock;
        qint64 unavailableAfter = -1;
        int asked = 0;
        boxRecorder boxes;
        boxes.answerWith([&](const Request &r) {
            ++asked;
            if (r.customButtons.contains("Try Again") && unavailableAfter < 0) {
                unavailableAfter = clock.elapsed();
                return 0; // Try Again: the start-up box once more
            }
            if (!r.customButtons.isEmpty())
                return int(r.customButtons.indexOf(asked == 1 ? "Enter Address" : "Run In Demo Mode"));
            return int(QMessageBox::No);
        });
        auto *typing = new QTimer(this);
        const QString descriptor = QString::fromStdString(instrument->descriptor());
        connect(typing, &QTimer::timeout, [typing, descriptor] {
            if (auto *dialog = qobject_cast<ts2900fp_spcEnterAddress *>(QApplication::activeModalWidget())) {
                typing->deleteLater();
                dialog->combo()->setEditText(descriptor);
                dialog->accept();
            }
        });
        typing->start(10);
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *) { return 0; });
        ts4720_spc spc;
        clock.start();
        ts4720fp_App panel(&spc, false);
        const QStringList shown = boxes.texts();
        QCOMPARE(shown.size(), 3);
        QVERIFY2(shown[1].contains("does not answer"), qPrintable(shown[1]));
        QCOMPARE(shown[2], shown[0]);
        QVERIFY(panel.demoMode());
        // Loosely: the machines are noisy, but minutes of waiting would show here.
        QVERIFY2(unavailableAfter < 3 * TS4720_DEFAULT_TIMEOUT_MS, qPrintable(QString::number(unavailableAfter)));
    }

    // What the dialog reads from the instrument; a refused read is reported and left empty;
    // the web interface falls back from the host name to the address, unreported.
    void deviceInformationFromTheInstrument()
    {
        const auto instrument = findableInstrument("AB");
        QVERIFY(instrument);
        boxRecorder boxes;
        boxes.chooseButton("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        ts47xx_deviceStatus *status = panel.deviceStatus();
        QCOMPARE(status->model->text(), QString("4720-AB"));
        QCOMPARE(status->serialNumber->text(), QString("47209481"));
        const QString address = instrumentAddress(*instrument);
        QCOMPARE(status->ipAddress->text(), address);
        QVERIFY(status->lxiClass->text().startsWith("Class "));
        QCOMPARE(status->macAddress->text(), status->macAddress->text().toUpper());

        boxes.clear();
        instrument->command("SIM:FAIL \"ATTR?\",-200,1");
        QCOMPARE(status->webInterfaceUrl(), QUrl("http://" + address));
        QCOMPARE(boxes.requests().size(), 0);
        // Neither can be read: the failure is reported and no browser opens on "http://".
        instrument->command("SIM:FAIL \"ATTR?\",-200,2");
        bool opened = false;
        ts47xx_deviceStatus::setUrlOpener([&opened](const QUrl &) { return opened = true; });
        status->openWebInterface();
        ts47xx_deviceStatus::setUrlOpener({});
        QVERIFY(!opened);
        QCOMPARE(boxes.count("ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_IPADDR, strVal) failed due to ["), 1);

        boxes.clear();
        instrument->command("SIM:FAIL \"ATTR\",-200,0");
        ts47xx_deviceStatus failing(&panel, panel.session(), false, "AC");
        QCOMPARE(failing.serialNumber->text(), QString("00000000"));
        QCOMPARE(failing.hostName->text(), QString());
        // The instrument answered each refusal: one box per call.
        QCOMPARE(boxes.count("ts4720_getAttribute(vi, ts4720_ATTR_SER_NUM, &val) failed due to ["), 1);
        QCOMPARE(boxes.count("failed due to ["), 12);
        instrument->command("SIM:FAIL:CLE");
    }

    void demoDeviceInformation()
    {
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *) { return 0; });
        boxRecorder boxes;
        boxes.chooseButton("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        ts47xx_deviceStatus *status = panel.deviceStatus();
        QCOMPARE(status->model->text(), QString("4720-AA"));
        QCOMPARE(status->serialNumber->text(), QString("47209481"));
        QCOMPARE(status->macAddress->text(), QString("02:7a:10:01:02:03"));
        QCOMPARE(status->ipAddress->text(), QString("192.168.2.60"));
        QCOMPARE(status->dns2->text(), QString("192.168.2.101"));
        QCOMPARE(status->description->cursorPosition(), 0); // the start of a long text shows
        QUrl opened;
        bool browser = true;
        ts47xx_deviceStatus::setUrlOpener([&](const QUrl &url) { opened = url; return browser; });
        status->openWebInterface();
        QCOMPARE(opened, QUrl("http://192.168.2.60"));
        QCOMPARE(boxes.count("http://192.168.2.60"), 0);
        // No browser: a box gives the address to copy.
        browser = false;
        status->openWebInterface();
        ts47xx_deviceStatus::setUrlOpener({});
        QCOMPARE(boxes.count("web interface is at:\n\nhttp://192.168.2.60"), 1);
    }
};

QTEST_MAIN(tst_mainPanel)
#include "tst_mainPanel.moc"
