// The demo state store: the stored keys, round trips and the factory reset.
#include "demoStore.h"

#include <QSettings>
#include <QtTest>

class tst_demoStore : public QObject {
    Q_OBJECT
private slots:
    void init() { demoStore::clearAll(); }

    // Other programs and earlier versions read these exact groups and keys.
    void storedUnderTheKnownKeys()
    {
        demoStore::ChannelSettings c;
        c.enabled = true;
        c.thermocouple = 9;
        c.minAlertOn = true;
        c.minAlertValue = -12.5;
        demoStore::setChannel(3, c);
        demoStore::setAcquisitionState(2);
        double coeff[17] = {};
        coeff[16] = 4.25;
        demoStore::setCoefficients(1, coeff);
        demoStore::TriggerSettings t;
        t.rp2Func = 4;
        demoStore::setTriggers(t);

        QSettings raw("Tarsel Ltd.", "Korvan 4720 Soft Front Panel");
        QCOMPARE(raw.value("Channel 3/State").toBool(), true);
        QCOMPARE(raw.value("Channel 3/Thermocouple").toInt(), 9);
        QCOMPARE(raw.value("Channel 3/Min Alert Val").toDouble(), -12.5);
        QCOMPARE(raw.value("Acqusition Settings/Acq State").toInt(), 2);
        QCOMPARE(raw.value("Coefficents Therm 1/Coeff 17").toDouble(), 4.25);
        QCOMPARE(raw.value("Trigger Settings/RP2 Func").toInt(), 4);

        const demoStore::ChannelSettings back = demoStore::channel(3);
        QCOMPARE(back.minAlertText, QString("-12.5"));
        QVERIFY(back.maxAlertText.isEmpty());
    }

    // The factory reset leaves what a fresh store gives: no model chosen, acquisition
    // stopped, 100 scans on the plot, channels off with type J and no alerts.
    void factoryResetGivesDefaults()
    {
        demoStore::setLastModel(2);
        demoStore::setPlotLength(400);
        demoStore::setAcquisitionState(1);
        demoStore::ChannelSettings c;
        c.enabled = c.minAlertOn = true;
        c.thermocouple = 3;
        demoStore::setChannel(7, c);
        demoStore::clearAll();
        QCOMPARE(demoStore::lastModel(), 0);
        QCOMPARE(demoStore::plotLength(), 100);
        QCOMPARE(demoStore::acquisitionState(), 0);
        const demoStore::ChannelSettings back = demoStore::channel(7);
        QVERIFY(!back.enabled && !back.minAlertOn && back.thermocouple == 0 && back.minAlertText.isEmpty());
    }
};

QTEST_MAIN(tst_demoStore)
#include "tst_demoStore.moc"
