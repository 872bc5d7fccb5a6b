// The main panel against simulated instruments and in demo and viewer mode: model,
// device-wide actions, control enabling and the device information dialog.
#include "demoStore.h"
#include "loadedFile.h"
#include "messageBoxes.h"
#include "pollingThread.h"
#include "simInstrument.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "ts4720fp_demoSubtypeSelect.h"
#include "ts47xx_deviceStatus.h"
#include "ts2900fp_led.h"
#include "ts2900fp_spcEnterAddress.h"
#include "ts4720_ext.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {
using messageBoxes::Request;

// Answers the start-up box with one of its buttons and every Yes/No question with
// `yes`, recording each box shown.
struct Boxes {
    QString startupChoice; // "Auto Find" or "Run In Demo Mode"
    bool yes = true;
    QList<Request> shown;
    std::unique_ptr<messageBoxes::ScopedHandler> guard;

    Boxes(const QString &choice, bool answerYes = true) : startupChoice(choice), yes(answerYes)
    {
        guard = std::make_unique<messageBoxes::ScopedHandler>([this](const Request &r) {
            shown.append(r);
            if (!r.customButtons.isEmpty())
                return int(r.customButtons.indexOf(startupChoice));
            // "Do you want to exit?" of an error report is always answered No.
            if (r.kind == messageBoxes::Kind::Critical)
                return int(QMessageBox::No);
            if (r.standardButtons & QMessageBox::Yes)
                return int(yes ? QMessageBox::Yes : QMessageBox::No);
            return int(QMessageBox::Ok);
        });
    }
    int count(const QString &fragment) const
    {
        int n = 0;
        for (const Request &r : shown)
            n += r.text.contains(fragment);
        return n;
    }
};

struct Instrument {
    std::unique_ptr<tssim::Instrument> sim;
    explicit Instrument(const char *address, const char *subType = "AC")
    {
        tssim::Options o;
        o.address = address;
        o.subType = subType;
        o.webPort = -1;
        sim = std::make_unique<tssim::Instrument>(o);
        QVERIFY(sim->start());
        qputenv("TSVISA_RESOURCES", QByteArray::fromStdString(sim->descriptor()));
    }
};
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
        Instrument instrument("127.44.4.1", qPrintable(subType));
        Boxes boxes("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), subType);
        QCOMPARE(panel.channelCount(), channels);
        QVERIFY(panel.windowTitle().endsWith("127.44.4.1"));
        QCOMPARE(panel.serialNumberText(), QByteArray("47209481"));
        QCOMPARE(panel.mainTabs()->count(), 3);
        QCOMPARE(panel.mainTabs()->currentIndex(), 1);
    }

    void failedSubTypeQueryFallsBackToAA()
    {
        Instrument instrument("127.44.4.2", "AC");
        instrument.sim->command("SIM:FAIL \"ATTR\",-200,0");
        Boxes boxes("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), QString("AA"));
        QCOMPARE(panel.channelCount(), 16);
        instrument.sim->command("SIM:FAIL:CLE");
    }

    void demoModelDialogClosedStillUsesItsEntry()
    {
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *d) {
            d->modelBox()->setCurrentIndex(2);
            return int(QDialog::Rejected);
        });
        Boxes boxes("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), QString("AC"));
        QCOMPARE(panel.channelCount(), 48);
        QCOMPARE(demoStore::lastModel(), 0); // only Ok remembers the model
        QVERIFY(panel.windowTitle().endsWith("192.168.2.60"));
    }

    void lastModelOutOfRangeGivesSixteenChannels()
    {
        demoStore::setLastModel(5);
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *) { return 0; });
        Boxes boxes("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(panel.subTypeText(), QString());
        QCOMPARE(panel.channelCount(), 16);
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
        Instrument instrument("127.44.4.3");
        Boxes boxes("Auto Find", false);
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        const std::string factory = instrument.sim->command("CHAN:STAT? 5");
        instrument.sim->command(factory == "1" ? "CHAN:STAT 5,0" : "CHAN:STAT 5,1");
        const std::string changed = instrument.sim->command("CHAN:STAT? 5");
        panel.resetDeviceToFactoryDefault(); // answered No: the change stays
        QCOMPARE(instrument.sim->command("CHAN:STAT? 5"), changed);
        QCOMPARE(boxes.count("Do you really want to reset the configuration to factory defaults?"), 1);
        boxes.yes = true;
        panel.resetDeviceToFactoryDefault(); // Yes: back to the factory state
        QCOMPARE(instrument.sim->command("CHAN:STAT? 5"), factory);
        panel.resetDevice();
        QCOMPARE(boxes.count("Do you really want to reset the Korvan 4720?"), 1);
        // A refusal by the instrument is reported with the call's text.
        instrument.sim->command("SIM:FAIL \"SYST:CONF:SAVE\",-200,1");
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
        Boxes boxes("Run In Demo Mode");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QCOMPARE(demoStore::lastModel(), 1);
        panel.resetDeviceToFactoryDefault();
        QCOMPARE(demoStore::lastModel(), 0);
        panel.idPressed(true);
        QCOMPARE(boxes.count("This feature is not available, when Soft Front Panel is working in demo mode."), 1);
    }

    // Idle-only controls stay locked, and say why, until the first poll tells the state; the
    // LED follows the polls across an outage; a device reset with the link down gives one box.
    void controlsAndLinkFollowThePolls()
    {
        Instrument instrument("127.44.4.5");
        Boxes boxes("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        QVERIFY(!panel.saveConfigurationButton()->isEnabled());
        QVERIFY(!panel.mainTabs()->isTabEnabled(0));
        QVERIFY(panel.mainTabs()->tabToolTip(0).startsWith("Locked"));
        QVERIFY(panel.saveConfigurationButton()->toolTip().contains("Locked"));
        QTRY_VERIFY_WITH_TIMEOUT(panel.saveConfigurationButton()->isEnabled(), 20000);
        QVERIFY(panel.mainTabs()->isTabEnabled(0) && panel.mainTabs()->isTabEnabled(2));
        QCOMPARE(panel.mainTabs()->tabToolTip(0), QString());
        QCOMPARE(panel.activeLed()->text(), QString("Active"));

        instrument.sim->stop();
        QTRY_COMPARE_WITH_TIMEOUT(panel.activeLed()->text(), QString("No connection"), 20000);
        QCOMPARE(panel.activeLed()->value(), 1);
        QVERIFY(panel.activeLed()->onColour() != QColor(Qt::green));
        boxes.shown.clear();
        panel.resetDevice();
        QCOMPARE(boxes.count("Do you really want to reset the Korvan 4720?"), 1);
        QCOMPARE(boxes.shown.size(), 2);
        QVERIFY2(boxes.shown[1].text.startsWith("ts4720_reset(d_vi) failed due to [")
                     && boxes.shown[1].text.contains("further calls of this action were not made"),
                 qPrintable(boxes.shown[1].text));

        QVERIFY(instrument.sim->start());
        QTRY_COMPARE_WITH_TIMEOUT(panel.activeLed()->text(), QString("Active"), 20000);
        QCOMPARE(panel.activeLed()->onColour(), QColor(Qt::green));
    }

    // A typed address that accepts the connection but never answers: one message within
    // about one timeout, back at the start-up box, and no error boxes after it.
    void silentAddressAtStartUp()
    {
        Instrument instrument("127.44.4.10");
        instrument.sim->command("SIM:SILent 1");
        QStringList shown;
        QElapsedTimer clock;
        qint64 unavailableAfter = -1;
        messageBoxes::ScopedHandler handler([&](const Request &r) {
            shown << r.text;
            if (r.customButtons.contains("Try Again") && unavailableAfter < 0) {
                unavailableAfter = clock.elapsed();
                return 0; // Try Again: the start-up box once more
            }
            if (!r.customButtons.isEmpty())
                return int(r.customButtons.indexOf(shown.size() == 1 ? "Enter Address" : "Run In Demo Mode"));
            return int(QMessageBox::No);
        });
        auto *typing = new QTimer(this);
        connect(typing, &QTimer::timeout, [typing] {
            if (auto *dialog = qobject_cast<ts2900fp_spcEnterAddress *>(QApplication::activeModalWidget())) {
                typing->deleteLater();
                dialog->combo()->setEditText("TCPIP::127.44.4.10::INSTR");
                dialog->accept();
            }
        });
        typing->start(10);
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *) { return 0; });
        ts4720_spc spc;
        clock.start();
        ts4720fp_App panel(&spc, false);
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
        Instrument instrument("127.44.4.6", "AB");
        Boxes boxes("Auto Find");
        ts4720_spc spc;
        ts4720fp_App panel(&spc, false);
        ts47xx_deviceStatus *status = panel.deviceStatus();
        QCOMPARE(status->model->text(), QString("4720-AB"));
        QCOMPARE(status->serialNumber->text(), QString("47209481"));
        QCOMPARE(status->ipAddress->text(), QString("127.44.4.6"));
        QVERIFY(status->lxiClass->text().startsWith("Class "));
        QCOMPARE(status->macAddress->text(), status->macAddress->text().toUpper());

        boxes.shown.clear();
        instrument.sim->command("SIM:FAIL \"ATTR?\",-200,1");
        QCOMPARE(status->webInterfaceUrl(), QUrl("http://127.44.4.6"));
        QCOMPARE(boxes.shown.size(), 0);
        // Neither can be read: the failure is reported and no browser opens on "http://".
        instrument.sim->command("SIM:FAIL \"ATTR?\",-200,2");
        bool opened = false;
        ts47xx_deviceStatus::setUrlOpener([&opened](const QUrl &) { opened = true; });
        status->openWebInterface();
        ts47xx_deviceStatus::setUrlOpener({});
        QVERIFY(!opened);
        QCOMPARE(boxes.count("ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_IPADDR, strVal) failed due to ["), 1);

        boxes.shown.clear();
        instrument.sim->command("SIM:FAIL \"ATTR\",-200,0");
        ts47xx_deviceStatus failing(&panel, panel.session(), false, "AC");
        QCOMPARE(failing.serialNumber->text(), QString("00000000"));
        QCOMPARE(failing.hostName->text(), QString());
        // The instrument answered each refusal: one box per call.
        QCOMPARE(boxes.count("ts4720_getAttribute(vi, ts4720_ATTR_SER_NUM, &val) failed due to ["), 1);
        QCOMPARE(boxes.count("failed due to ["), 12);
        instrument.sim->command("SIM:FAIL:CLE");
    }

    void demoDeviceInformation()
    {
        ts4720fp_demoSubtypeSelect::setHandler([](ts4720fp_demoSubtypeSelect *) { return 0; });
        Boxes boxes("Run In Demo Mode");
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
        ts47xx_deviceStatus::setUrlOpener([&opened](const QUrl &url) { opened = url; });
        status->openWebInterface();
        ts47xx_deviceStatus::setUrlOpener({});
        QCOMPARE(opened, QUrl("http://192.168.2.60"));
    }
};

QTEST_MAIN(tst_mainPanel)
#include "tst_mainPanel.moc"
