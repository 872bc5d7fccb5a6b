// The demo state store: names, defaults, round trips and the factory reset.
#include "demoStore.h"

#include <QSettings>
#include <QtTest>

class tst_demoStore : public QObject {
    Q_OBJECT
private slots:
    void init() { demoStore::clearAll(); }

    void freshStoreDefaults()
    {
        QCOMPARE(demoStore::lastModel(), 0);
        QCOMPARE(demoStore::acquisitionState(), 0);
        QCOMPARE(demoStore::plotLength(), 100);
        QCOMPARE(demoStore::acquisitionSettings(1).scanRate, 1.0);
        QCOMPARE(demoStore::acquisitionSettings(0).scanRate, 0.0);
        QCOMPARE(demoStore::acquisitionSettings().scansNumber, 1);
        const demoStore::ChannelSettings c = demoStore::channel(7);
        QVERIFY(!c.enabled && !c.otd && !c.minAlertOn && !c.maxAlertOn);
        QCOMPARE(c.thermocouple, 0);
        QVERIFY(c.minAlertText.isEmpty());
        double coeff[17];
        demoStore::coefficients(2, coeff);
        for (double v : coeff)
            QCOMPARE(v, 0.0);
        const demoStore::TriggerSettings t = demoStore::triggers();
        QCOMPARE(t.rp1In + t.rp2In + t.rp1Out + t.rp2Out + t.rp1Func + t.rp2Func, 0);
    }

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

    void factoryResetForgetsEverything()
    {
        demoStore::setLastModel(2);
        demoStore::setPlotLength(400);
        demoStore::setAcquisitionState(1);
        demoStore::clearAll();
        QCOMPARE(demoStore::lastModel(), 0);
        QCOMPARE(demoStore::plotLength(), 100);
        QCOMPARE(demoStore::acquisitionState(), 0);
    }
};

QTEST_MAIN(tst_demoStore)
#include "tst_demoStore.moc"
