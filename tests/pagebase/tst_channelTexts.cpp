// The text rules of channel settings, called directly.
#include "channelTexts.h"
#include "testLocale.h"

#include <QTemporaryDir>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(connectionState)

class tst_channelTexts : public QObject {
    Q_OBJECT
private slots:
    // Every rule runs under a decimal-comma process locale, as the user's environment may set it.
    void initTestCase() { QVERIFY2(useTestLocale(m_dir, TestLocale::DecimalComma).isEmpty(), "no decimal-comma locale"); }
    void cleanupTestCase() { useCLocale(); }
    void typeIndex_data();
    void typeIndex();
    void threshold_data();
    void threshold();
    void coefficient_data();
    void coefficient();
    void connectionStatus_data();
    void connectionStatus();

private:
    QTemporaryDir m_dir;
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
    QTest::addColumn<QString>("shown"); // a refused text stays as typed
    QTest::addColumn<bool>("accepted");
    QTest::newRow("integer") << "25" << QString::fromUtf8("25.00 °C") << true;
    QTest::newRow("with unit, rounded") << QString::fromUtf8("-3.456 °C") << QString::fromUtf8("-3.46 °C") << true;
    QTest::newRow("empty: no alert") << QString() << QString() << true;
    QTest::newRow("blanks only: no alert") << "  " << QString() << true;
    QTest::newRow("blanks around") << " 7.5 " << QString::fromUtf8("7.50 °C") << true;
    QTest::newRow("unit without blank") << QString::fromUtf8("100°C") << QString::fromUtf8("100.00 °C") << true;
    QTest::newRow("decimal comma") << "12,5" << QString::fromUtf8("12.50 °C") << true;
    QTest::newRow("exponent") << "1e3" << QString::fromUtf8("1000.00 °C") << true;
    QTest::newRow("letters") << "abc" << "abc" << false;
    QTest::newRow("nan") << "nan" << "nan" << false;
    QTest::newRow("inf") << "-inf" << "-inf" << false;
    QTest::newRow("comma and point") << "1.000,5" << "1.000,5" << false;
    QTest::newRow("two commas") << "1,0,5" << "1,0,5" << false;
    QTest::newRow("unit alone") << QString::fromUtf8("°C") << QString::fromUtf8("°C") << false;
    QTest::newRow("trailing text") << "25 K" << "25 K" << false;
}

void tst_channelTexts::threshold()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    bool on = false;
    double celsius = 0;
    QCOMPARE(parseThreshold(typed, &on, &celsius), accepted);
    QCOMPARE(normalisedThreshold(typed), shown);
    QCOMPARE(on, accepted && !shown.isEmpty());
    // The shown text reads back as the same (rounded) value.
    QCOMPARE(normalisedThreshold(shown), shown);
}

void tst_channelTexts::coefficient_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: refused
    QTest::newRow("2.5") << "2.5" << "2.5000000000000000e+00";
    QTest::newRow("decimal comma") << "2,5" << "2.5000000000000000e+00";
    QTest::newRow("three-digit exponent") << "-1e-300" << "-1.0000000000000000e-300";
    QTest::newRow("all 17 digits shown") << "0.1" << "1.0000000000000001e-01";
    QTest::newRow("not a number") << "abc" << QString();
    QTest::newRow("nan") << "nan" << QString();
    QTest::newRow("empty") << "" << QString();
}

void tst_channelTexts::coefficient()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    double value = 0;
    QCOMPARE(parseTypedNumber(typed, &value), !shown.isEmpty());
    if (shown.isEmpty())
        return;
    QCOMPARE(coefficientText(value), shown);
    // The text carries the value exactly: reading it back changes nothing.
    QCOMPARE(coefficientText(coefficientValue(shown)), shown);
}

void tst_channelTexts::connectionStatus_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("haveScan");
    QTest::addColumn<double>("value");
    QTest::addColumn<connectionState>("state");
    QTest::newRow("enabled, NaN") << true << true << nan << connectionState::Open;
    QTest::newRow("enabled, value") << true << true << 21.5 << connectionState::Connected;
    QTest::newRow("disabled, NaN") << false << true << nan << connectionState::Disabled;
    QTest::newRow("disabled, no scan") << false << false << 0.0 << connectionState::Disabled;
    QTest::newRow("enabled, no scan") << true << false << 21.5 << connectionState::Unknown;
}

void tst_channelTexts::connectionStatus()
{
    QFETCH(bool, enabled);
    QFETCH(bool, haveScan);
    QFETCH(double, value);
    QFETCH(connectionState, state);
    QCOMPARE(connectionStateOf(enabled, haveScan, value), state);
}

QTEST_GUILESS_MAIN(tst_channelTexts)
#include "tst_channelTexts.moc"
