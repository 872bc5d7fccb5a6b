// The text rules of the channel pages, called directly.
#include "channelTestSupport.h"
#include "channelTexts.h"

#include <QtTest>

#include <limits>

class tst_channelTexts : public QObject {
    Q_OBJECT
private slots:
    void typeIndex_data();
    void typeIndex();
    void threshold_data();
    void threshold();
    void coefficient_data();
    void coefficient();
    void connectionStatus_data();
    void connectionStatus();
};

void tst_channelTexts::typeIndex_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("J") << QByteArray("J") << 0;
    QTest::newRow("User 2") << QByteArray("User 2") << 9;
    QTest::newRow("lower case") << QByteArray("k") << -1;
    QTest::newRow("cut user name") << QByteArray("User") << -1;
}

void tst_channelTexts::typeIndex()
{
    QFETCH(QByteArray, name);
    QFETCH(int, index);
    QCOMPARE(tcTypeIndex(name.constData()), index);
}

void tst_channelTexts::threshold_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "25" << QString::fromUtf8("25.00 °C") << 25.0;
    QTest::newRow("not a number") << "abc" << QString::fromUtf8("0.00 °C") << 0.0;
    QTest::newRow("with unit, rounded") << QString::fromUtf8("-3.456 °C") << QString::fromUtf8("-3.46 °C") << -3.456;
    QTest::newRow("empty") << QString() << QString() << 0.0;
    QTest::newRow("blanks around") << " 7.5 " << QString::fromUtf8("7.50 °C") << 7.5;
    QTest::newRow("unit without blank") << QString::fromUtf8("100°C") << QString::fromUtf8("100.00 °C") << 100.0;
    QTest::newRow("decimal comma is not a number") << "2,5" << QString::fromUtf8("0.00 °C") << 0.0;
    QTest::newRow("nan is no threshold value") << "nan" << QString::fromUtf8("0.00 °C") << 0.0;
    QTest::newRow("inf is no threshold value") << "-inf" << QString::fromUtf8("0.00 °C") << 0.0;
}

void tst_channelTexts::threshold()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, value);
    QCOMPARE(normalisedThreshold(typed), shown);
    QCOMPARE(thresholdValue(typed), value);
    // The shown text reads back as the same (rounded) value.
    QCOMPARE(normalisedThreshold(shown), shown);
}

void tst_channelTexts::coefficient_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("2.5") << "2.5" << "2.5000000000000000e+00";
    QTest::newRow("three-digit exponent") << "-1e-300" << "-1.0000000000000000e-300";
    QTest::newRow("not a number") << "abc" << "0.0000000000000000e+00";
    QTest::newRow("nan") << "nan" << "0.0000000000000000e+00";
    QTest::newRow("all 17 digits shown") << "0.1" << "1.0000000000000001e-01";
}

void tst_channelTexts::coefficient()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(coefficientText(coefficientValue(typed)), shown);
    // The text carries the value exactly: reading it back changes nothing.
    QCOMPARE(coefficientText(coefficientValue(shown)), shown);
}

void tst_channelTexts::connectionStatus_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("haveScan");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("enabled, NaN") << true << true << nan << openText;
    QTest::newRow("enabled, value") << true << true << 21.5 << connectedText;
    QTest::newRow("disabled, NaN") << false << true << nan << dashText;
    QTest::newRow("disabled, no scan") << false << false << 0.0 << dashText;
    QTest::newRow("enabled, no scan") << true << false << 21.5 << unknownText;
}

void tst_channelTexts::connectionStatus()
{
    QFETCH(bool, enabled);
    QFETCH(bool, haveScan);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(connectionStatusText(connectionStateOf(enabled, haveScan, value)), text);
}

QTEST_GUILESS_MAIN(tst_channelTexts)
#include "tst_channelTexts.moc"
