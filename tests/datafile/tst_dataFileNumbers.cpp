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
    void sameTextsAsPrintfAndStrtod();
    void fields_data();
    void fields();
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

// The writer's text is "%lf"'s; the reader gives strtod's number for "%lf", "%.17g" and "%.3f"
// text, alone and as a field inside a row (the reader's one-pass path).
void tst_dataFileNumbers::sameTextsAsPrintfAndStrtod()
{
    for (double v : sampleValues()) {
        const QByteArray expectedText = printfText("%lf", v);
        if (fixed6(v) != expectedText)
            QFAIL(qPrintable(QString("%1: got %2, printf gives %3").arg(v, 0, 'g', 17).arg(QString(fixed6(v)), QString(expectedText))));
        for (const char *format : {"%lf", "%.17g", "%.3f"}) {
            const QByteArray text = printfText(format, v), row = text + ",1.000000,";
            const double expected = std::strtod(text.constData(), nullptr);
            double parsed = 0, inRow = 0;
            bool ok = false;
            QVERIFY2(parseValueField(text.constData(), text.constData() + text.size(), parsed), text.constData());
            const char *end = parseValueFieldAt(row.constData(), row.constData() + row.size(), inRow, ok);
            QVERIFY2(ok && end == row.constData() + text.size(), row.constData());
            if (std::memcmp(&parsed, &expected, sizeof parsed) != 0 || std::memcmp(&inRow, &expected, sizeof inRow) != 0)
                QFAIL(qPrintable(QString("'%1' read as %2 (in a row %3), strtod gives %4").arg(QString(text))
                                     .arg(parsed, 0, 'g', 17).arg(inRow, 0, 'g', 17).arg(expected, 0, 'g', 17)));
        }
    }
}

void tst_dataFileNumbers::fields_data()
{
    QTest::addColumn<bool>("timestamp");   // a timestamp field, else a value field
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");     // NaN: expect not-a-number
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const char *const values[] = {"nan", "-nan", "NaN(1)", "inf", "+1.5", " 2.5", "2.5\r", "1e308", "1e400",
                                  "1e-400", "123456789012345678.25", ".5", "", "-", "abc", "21.5x", "21;5", "+-1"};
    const double results[] = {nan, nan, nan, inf, 1.5, 2.5, 2.5, 1e308, inf, 0.0, 123456789012345678.25, 0.5};
    for (int i = 0; i < 18; ++i)
        QTest::newRow(values[i]) << false << QByteArray(values[i]) << (i < 12) << (i < 12 ? results[i] : 0.0);
    QTest::newRow("ts nine digits") << true << QByteArray("12.000500000") << true << 12.0005;
    QTest::newRow("ts short fraction") << true << QByteArray("12.5") << true << 12.5;
    QTest::newRow("ts long fraction") << true << QByteArray("12.0000000019") << true << 12.000000001;
    QTest::newRow("ts negative") << true << QByteArray("-1.999999999") << true << (-1.0 + 0.999999999);
    QTest::newRow("ts whole") << true << QByteArray("1796562309") << true << 1796562309.0;
    QTest::newRow("ts text") << true << QByteArray("abc") << false << 0.0;
    QTest::newRow("ts garbage after") << true << QByteArray("12.5s") << false << 0.0;
}

void tst_dataFileNumbers::fields()
{
    QFETCH(bool, timestamp);
    QFETCH(QByteArray, field);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double parsed = -12345;
    const char *end = field.constData() + field.size();
    QCOMPARE(timestamp ? parseTimestampField(field.constData(), end, parsed)
                       : parseValueField(field.constData(), end, parsed), ok);
    if (ok && std::isnan(value))
        QVERIFY(std::isnan(parsed));
    else if (ok)
        QCOMPARE(parsed, value);
}

QTEST_APPLESS_MAIN(tst_dataFileNumbers)
#include "tst_dataFileNumbers.moc"
