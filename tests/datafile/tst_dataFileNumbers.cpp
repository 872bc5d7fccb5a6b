// Number texts of the data files: the writer's "%lf" text and the reader's value fields.
#include "dataFileNumbers.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

class tst_dataFileNumbers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C"); }
    void formatMatchesPrintf();
    void formatIntMatchesPrintf();
    void parseMatchesStrtod();
    void valueFields_data();
    void valueFields();
    void timestampFields_data();
    void timestampFields();
};

namespace {

QByteArray fixed6(double v)
{
    char text[fixed6MaxLength];
    return QByteArray(text, int(formatFixed6(text, v) - text));
}

QByteArray printfText(const char *format, double v)
{
    char text[400];
    std::snprintf(text, sizeof text, format, v);
    return QByteArray(text);
}

// Values around every magnitude the files see, exact halves of the sixth decimal and the
// largest and smallest doubles.
std::vector<double> sampleValues()
{
    std::vector<double> values = {0.0, -0.0, 5e-7, -5e-7, 2.5e-7, 1.5e-6, 0.0000005000000001,
                                  std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                                  std::ldexp(1.0, 44), std::ldexp(1.0, 44) - 0.5, 17592186044415.999999,
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(4720);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int exponent = -12; exponent <= 20; ++exponent)
        for (int i = 0; i < 5000; ++i)
            values.push_back(unit(random) * std::pow(10.0, exponent));
    for (int i = 0; i < 20000; ++i) {
        const double ticks = double(std::int64_t(random() % 4000000000ULL) - 2000000000LL);
        values.push_back(ticks / 2e6);            // exact halves of a millionth where representable
        values.push_back(std::ldexp(ticks, -int(random() % 40)));
    }
    return values;
}

} // namespace

void tst_dataFileNumbers::formatMatchesPrintf()
{
    for (double v : sampleValues()) {
        const QByteArray expected = printfText("%lf", v);
        if (fixed6(v) != expected)
            QFAIL(qPrintable(QString("%1: got %2, printf gives %3").arg(v, 0, 'g', 17).arg(QString(fixed6(v)), QString(expected))));
    }
}

void tst_dataFileNumbers::formatIntMatchesPrintf()
{
    for (long long v : {0LL, 7LL, -7LL, 999999999LL, -5LL, 2147483647LL, -2147483648LL, 123456789012LL}) {
        char text[64];
        char mine[64];
        std::snprintf(text, sizeof text, "%lld", v);
        QCOMPARE(QByteArray(mine, int(formatInt(mine, v) - mine)), QByteArray(text));
        std::snprintf(text, sizeof text, "%09lld", v);
        QCOMPARE(QByteArray(mine, int(formatInt(mine, v, 9) - mine)), QByteArray(text));
    }
}

void tst_dataFileNumbers::parseMatchesStrtod()
{
    for (double v : sampleValues()) {
        for (const char *format : {"%lf", "%.17g", "%.3f"}) {
            const QByteArray text = printfText(format, v);
            double parsed = 0;
            QVERIFY2(parseValueField(text.constData(), text.constData() + text.size(), parsed), text.constData());
            const double expected = std::strtod(text.constData(), nullptr);
            // The same text as a field inside a row, where the fast path reads ahead.
            const QByteArray row = text + ",1.000000,";
            double inRow = 0;
            bool ok = false;
            const char *end = parseValueFieldAt(row.constData(), row.constData() + row.size(), inRow, ok);
            QVERIFY2(ok && end == row.constData() + text.size(), row.constData());
            if (std::memcmp(&inRow, &expected, sizeof inRow) != 0)
                QFAIL(qPrintable(QString("'%1' in a row read as %2").arg(QString(text)).arg(inRow, 0, 'g', 17)));
            if (std::memcmp(&parsed, &expected, sizeof parsed) != 0)
                QFAIL(qPrintable(QString("'%1' read as %2, strtod gives %3").arg(QString(text)).arg(parsed, 0, 'g', 17).arg(expected, 0, 'g', 17)));
        }
    }
}

void tst_dataFileNumbers::valueFields_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");   // NaN: expect not-a-number
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << QByteArray("nan") << true << nan;
    QTest::newRow("-nan") << QByteArray("-nan") << true << nan;
    QTest::newRow("NaN(1)") << QByteArray("NaN(1)") << true << nan;
    QTest::newRow("inf") << QByteArray("inf") << true << inf;
    QTest::newRow("-inf") << QByteArray("-inf") << true << -inf;
    QTest::newRow("+1.5") << QByteArray("+1.5") << true << 1.5;
    QTest::newRow("blank 2.5") << QByteArray(" 2.5") << true << 2.5;
    QTest::newRow("2.5 CR") << QByteArray("2.5\r") << true << 2.5;
    QTest::newRow("1e308") << QByteArray("1e308") << true << 1e308;
    QTest::newRow("1e400") << QByteArray("1e400") << true << inf;
    QTest::newRow("-1e400") << QByteArray("-1e400") << true << -inf;
    QTest::newRow("1e-400") << QByteArray("1e-400") << true << 0.0;
    QTest::newRow("long digits") << QByteArray("123456789012345678.25") << true << 123456789012345678.25;
    QTest::newRow(".5") << QByteArray(".5") << true << 0.5;
    QTest::newRow("empty") << QByteArray("") << false << 0.0;
    QTest::newRow("blank") << QByteArray("  ") << false << 0.0;
    QTest::newRow("minus") << QByteArray("-") << false << 0.0;
    QTest::newRow("text") << QByteArray("abc") << false << 0.0;
    QTest::newRow("trailing text") << QByteArray("21.5x") << false << 0.0;
    QTest::newRow("decimal comma") << QByteArray("21;5") << false << 0.0;
    QTest::newRow("two signs") << QByteArray("+-1") << false << 0.0;
}

void tst_dataFileNumbers::valueFields()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double parsed = -12345;
    QCOMPARE(parseValueField(field.constData(), field.constData() + field.size(), parsed), ok);
    if (!ok)
        return;
    if (std::isnan(value))
        QVERIFY(std::isnan(parsed));
    else
        QCOMPARE(parsed, value);
}

void tst_dataFileNumbers::timestampFields_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("seconds");
    QTest::newRow("nine digits") << QByteArray("12.000500000") << true << 12.0005;
    QTest::newRow("short fraction") << QByteArray("12.5") << true << 12.5;
    QTest::newRow("long fraction") << QByteArray("12.0000000019") << true << 12.000000001;
    QTest::newRow("negative") << QByteArray("-1.999999999") << true << (-1.0 + 0.999999999);
    QTest::newRow("whole") << QByteArray("1796562309") << true << 1796562309.0;
    QTest::newRow("text") << QByteArray("abc") << false << 0.0;
    QTest::newRow("empty") << QByteArray("") << false << 0.0;
    QTest::newRow("garbage after") << QByteArray("12.5s") << false << 0.0;
}

void tst_dataFileNumbers::timestampFields()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, ok);
    QFETCH(double, seconds);
    double parsed = 0;
    QCOMPARE(parseTimestampField(field.constData(), field.constData() + field.size(), parsed), ok);
    if (ok)
        QCOMPARE(parsed, seconds);
}

QTEST_APPLESS_MAIN(tst_dataFileNumbers)
#include "tst_dataFileNumbers.moc"
