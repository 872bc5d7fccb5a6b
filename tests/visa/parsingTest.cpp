// Descriptor parsing, search expressions and status texts of the VISA library, under the C
// locale and under locales a user may have (a decimal comma; Turkish, where 'i' does not
// turn into 'I').
#include "findExpression.h"
#include "resourceDescriptor.h"
#include "testLocale.h"
#include "visa.h"

#include <QtTest>

class ParsingTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase_data() { addLocaleRows(); }
    void init() { useLocaleOfRow(m_dir); }
    void cleanup() { useCLocale(); }
    void descriptors_data();
    void descriptors();
    void refused_data();
    void refused();
    void expressions_data();
    void expressions();
    void statusTexts();
};

void ParsingTest::descriptors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("board");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("canonical");

    const QString inst0 = "inst0";
    QTest::newRow("short INSTR") << "TCPIP::192.168.2.60::INSTR" << 6 << 0 << "192.168.2.60" << inst0
                                 << 5025 << "TCPIP0::192.168.2.60::inst0::INSTR";
    QTest::newRow("full INSTR") << "TCPIP0::10.0.0.5::inst0::INSTR" << 6 << 0 << "10.0.0.5" << inst0
                                << 5025 << "TCPIP0::10.0.0.5::inst0::INSTR";
    QTest::newRow("lower case, name kept") << "tcpip3::Example.Host::hislip0::instr" << 6 << 3 << "Example.Host"
                                           << "hislip0" << 5025 << "TCPIP3::Example.Host::hislip0::INSTR";
    QTest::newRow("SOCKET") << "TCPIP::127.40.1.1::5026::SOCKET" << 6 << 0 << "127.40.1.1" << ""
                            << 5026 << "TCPIP0::127.40.1.1::5026::SOCKET";
    QTest::newRow("IPv6 SOCKET") << "TCPIP1::[::1]::5025::socket" << 6 << 1 << "::1" << "" << 5025
                                 << "TCPIP1::[::1]::5025::SOCKET";
    // Other interfaces: type, board and canonical name only.
    const struct { const char *text; int type, board; const char *canonical; } others[] = {
        {"VXI0::1::INSTR", 2, 0, "VXI0::1::INSTR"}, {"GPIB-VXI2::5::INSTR", 3, 2, "GPIB-VXI2::5::INSTR"},
        {"gpib0::5::instr", 1, 0, "GPIB0::5::INSTR"}, {"ASRL1::INSTR", 4, 1, "ASRL1::INSTR"},
        {"USB0::0x1234::0x5678::SN1::INSTR", 7, 0, "USB0::0X1234::0X5678::SN1::INSTR"},
        {"PXI0::2-12.0::INSTR", 5, 0, "PXI0::2-12.0::INSTR"}, {"GPIB0::INTFC", 1, 0, "GPIB0::INTFC"}};
    for (const auto &o : others)
        QTest::newRow(o.text) << o.text << o.type << o.board << "" << "" << 0 << o.canonical;
}

void ParsingTest::descriptors()
{
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(int, board);
    QFETCH(QString, host);
    QFETCH(QString, device);
    QFETCH(int, port);
    QFETCH(QString, canonical);
    tsvisa::ResourceDescriptor d;
    QCOMPARE(tsvisa::parseDescriptor(text.toStdString(), &d), ViStatus(VI_SUCCESS));
    QCOMPARE(int(d.interfaceType), type);
    QCOMPARE(int(d.board), board);
    if (d.isTcpip()) {
        QCOMPARE(QString::fromStdString(d.host), host);
        QCOMPARE(QString::fromStdString(d.deviceName), device);
        QCOMPARE(int(d.port), port);
    }
    QCOMPARE(QString::fromStdString(d.canonicalName()), canonical);
    QVERIFY(tsvisa::sameResource(text.toStdString(), canonical.toLower().toStdString()));
}

// Descriptors and search expressions the library refuses, each with its status.
void ParsingTest::refused_data()
{
    QTest::addColumn<bool>("expression");
    QTest::addColumn<QString>("text");
    const char *descriptors[] = {
        "", "INSTR", "TCPIP", "TCPIP::INSTR", "TCPIP::::INSTR", "TCPIP::h::a::b::INSTR",
        "TCPIP::h::SOCKET", "TCPIP::h::0::SOCKET", "TCPIP::h::65536::SOCKET",
        "TCPIP::h::50x::SOCKET", "TCPIP::h::INTFC", "TCPIPX::h::INSTR", "TCPIP99999::h::INSTR",
        "FOO0::1::INSTR", " TCPIP::h::INSTR", "TCPIP::h::INSTR ", "TCPIP::h o::INSTR",
        "TCPIP::h::INSTR::", "TCPIP::[::1::INSTR", "TCPIP::[::1]x::INSTR", "VXI0::::INSTR",
        "TCPIP::h::inst0::INSTRX", "GPIB-X0::1::INSTR", "TCPIP:h:INSTR", "not a descriptor",
    };
    for (const char *text : descriptors)
        QTest::newRow(qPrintable(QString("descriptor '%1'").arg(text))) << false << QString(text);
    const char *expressions[] = {"",  "*INSTR", "?**", "(ab", "ab)", "[abc", "[]", "a|", "|a",
                                 "()", "\\", "[z-a]", "?*INSTR{VI_ATTR_INTF_NUM==0}"};
    for (const char *e : expressions)
        QTest::newRow(qPrintable(QString("expression '%1'").arg(e))) << true << QString(e);
}

void ParsingTest::refused()
{
    QFETCH(bool, expression);
    QFETCH(QString, text);
    if (expression) {
        tsvisa::FindExpression e;
        QCOMPARE(e.compile(text.toStdString()), ViStatus(VI_ERROR_INV_EXPR));
        QVERIFY(!e.matches("anything"));
    } else {
        tsvisa::ResourceDescriptor d;
        QCOMPARE(tsvisa::parseDescriptor(text.toStdString(), &d), ViStatus(VI_ERROR_INV_RSRC_NAME));
    }
}

void ParsingTest::expressions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("INSTR") << "?*INSTR" << "TCPIP0::1.2.3.4::inst0::INSTR" << true;
    QTest::newRow("not SOCKET") << "?*INSTR" << "TCPIP::h::5025::SOCKET" << false;
    QTest::newRow("ignores case") << "?*instr" << "tcpip::h::INSTR" << true;
    QTest::newRow("anchored end") << "?*INSTR" << "TCPIP::h::INSTRX" << false;
    QTest::newRow("anchored start") << "INSTR" << "X::INSTR" << false;
    QTest::newRow("? needs one") << "?" << "" << false;
    QTest::newRow("?* takes empty") << "?*" << "" << true;
    QTest::newRow("? one") << "??" << "ab" << true;
    QTest::newRow("plus repeats") << "GPIB+0::?*" << "GPIBB0::1::INSTR" << true;
    QTest::newRow("plus needs one") << "GPIB+0::?*" << "GPI0::1::INSTR" << false;
    QTest::newRow("star zero") << "VXI[0-9]*::?*" << "VXI::1::INSTR" << true;
    QTest::newRow("range") << "[A-G]?*" << "GPIB0::1::INSTR" << true;
    QTest::newRow("range out") << "[A-G]?*" << "TCPIP::h::INSTR" << false;
    QTest::newRow("range lower text") << "[A-G]?*" << "gpib0::1::instr" << true;
    QTest::newRow("list") << "[xvq]XI0::?*" << "VXI0::1::INSTR" << true;
    QTest::newRow("negated") << "[^T]?*INSTR" << "VXI0::1::INSTR" << true;
    QTest::newRow("negated any case") << "[^T]?*INSTR" << "tcpip::h::instr" << false;
    QTest::newRow("alternative") << "(GPIB|VXI)?*INSTR" << "VXI0::1::INSTR" << true;
    QTest::newRow("alternative out") << "(GPIB|VXI)?*INSTR" << "ASRL1::INSTR" << false;
    QTest::newRow("top alternative") << "ASRL?*|VXI?*" << "ASRL1::INSTR" << true;
    QTest::newRow("group plus") << "(ab)+c" << "ababc" << true;
    QTest::newRow("group plus out") << "(ab)+c" << "abac" << false;
    QTest::newRow("dot literal") << "TCPIP0::127.40.1.1::INSTR" << "TCPIP0::127x40.1.1::INSTR" << false;
    QTest::newRow("escape") << "a\\*b" << "a*b" << true;
    QTest::newRow("escape literal only") << "a\\*b" << "aab" << false;
    QTest::newRow("many stars") << "?*?*?*?*?*?*?*?*?*?*X" << QString(200, 'a') << false;
}

void ParsingTest::expressions()
{
    QFETCH(QString, expression);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    tsvisa::FindExpression e;
    QCOMPARE(e.compile(expression.toStdString()), ViStatus(VI_SUCCESS));
    QCOMPARE(e.matches(text.toStdString()), matches);
}

// A status the library does not know still gets a text, and the warning says so.
void ParsingTest::statusTexts()
{
    ViChar desc[VI_FIND_BUFLEN];
    QCOMPARE(viStatusDesc(VI_NULL, VI_ERROR_TMO, desc), ViStatus(VI_SUCCESS));
    QVERIFY2(QByteArray(desc).startsWith("VI_ERROR_TMO:"), desc);
    QCOMPARE(viStatusDesc(VI_NULL, 0x12345, desc), ViStatus(VI_WARN_UNKNOWN_STATUS));
    QVERIFY(desc[0] != '\0');
}

QTEST_APPLESS_MAIN(ParsingTest)
#include "parsingTest.moc"
