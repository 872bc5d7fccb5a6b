// Descriptor parsing, search expressions and status texts of the VISA library.
#include "findExpression.h"
#include "resourceDescriptor.h"
#include "visa.h"

#include <QtTest>

class ParsingTest : public QObject {
    Q_OBJECT
private slots:
    void descriptors_data();
    void descriptors();
    void invalidDescriptors_data();
    void invalidDescriptors();
    void expressions_data();
    void expressions();
    void invalidExpressions_data();
    void invalidExpressions();
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

    QTest::newRow("short INSTR") << "TCPIP::192.168.2.60::INSTR" << 6 << 0 << "192.168.2.60"
                                 << "inst0" << 5025 << "TCPIP0::192.168.2.60::inst0::INSTR";
    QTest::newRow("full INSTR") << "TCPIP0::10.0.0.5::inst0::INSTR" << 6 << 0 << "10.0.0.5"
                                << "inst0" << 5025 << "TCPIP0::10.0.0.5::inst0::INSTR";
    QTest::newRow("lower case, name kept") << "tcpip3::Example.Host::hislip0::instr" << 6 << 3
                                           << "Example.Host" << "hislip0" << 5025
                                           << "TCPIP3::Example.Host::hislip0::INSTR";
    QTest::newRow("SOCKET") << "TCPIP::127.40.1.1::5026::SOCKET" << 6 << 0 << "127.40.1.1" << ""
                            << 5026 << "TCPIP0::127.40.1.1::5026::SOCKET";
    QTest::newRow("IPv6 SOCKET") << "TCPIP1::[::1]::5025::socket" << 6 << 1 << "::1" << "" << 5025
                                 << "TCPIP1::[::1]::5025::SOCKET";
    QTest::newRow("VXI") << "VXI0::1::INSTR" << 2 << 0 << "" << "" << 0 << "VXI0::1::INSTR";
    QTest::newRow("GPIB-VXI") << "GPIB-VXI2::5::INSTR" << 3 << 2 << "" << "" << 0
                              << "GPIB-VXI2::5::INSTR";
    QTest::newRow("GPIB lower") << "gpib0::5::instr" << 1 << 0 << "" << "" << 0 << "GPIB0::5::INSTR";
    QTest::newRow("ASRL") << "ASRL1::INSTR" << 4 << 1 << "" << "" << 0 << "ASRL1::INSTR";
    QTest::newRow("USB") << "USB0::0x1234::0x5678::SN1::INSTR" << 7 << 0 << "" << "" << 0
                         << "USB0::0X1234::0X5678::SN1::INSTR";
    QTest::newRow("PXI") << "PXI0::2-12.0::INSTR" << 5 << 0 << "" << "" << 0 << "PXI0::2-12.0::INSTR";
    QTest::newRow("GPIB interface") << "GPIB0::INTFC" << 1 << 0 << "" << "" << 0 << "GPIB0::INTFC";
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

void ParsingTest::invalidDescriptors_data()
{
    QTest::addColumn<QString>("text");
    const char *texts[] = {
        "", "INSTR", "TCPIP", "TCPIP::INSTR", "TCPIP::::INSTR", "TCPIP::h::a::b::INSTR",
        "TCPIP::h::SOCKET", "TCPIP::h::0::SOCKET", "TCPIP::h::65536::SOCKET",
        "TCPIP::h::50x::SOCKET", "TCPIP::h::INTFC", "TCPIPX::h::INSTR", "TCPIP99999::h::INSTR",
        "FOO0::1::INSTR", " TCPIP::h::INSTR", "TCPIP::h::INSTR ", "TCPIP::h o::INSTR",
        "TCPIP::h::INSTR::", "TCPIP::[::1::INSTR", "TCPIP::[::1]x::INSTR", "VXI0::::INSTR",
        "TCPIP::h::inst0::INSTRX", "GPIB-X0::1::INSTR", "TCPIP:h:INSTR", "not a descriptor",
    };
    for (const char *text : texts)
        QTest::newRow(*text ? text : "empty") << QString(text);
}

void ParsingTest::invalidDescriptors()
{
    QFETCH(QString, text);
    tsvisa::ResourceDescriptor d;
    QCOMPARE(tsvisa::parseDescriptor(text.toStdString(), &d), ViStatus(VI_ERROR_INV_RSRC_NAME));
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

void ParsingTest::invalidExpressions_data()
{
    QTest::addColumn<QString>("expression");
    const char *expressions[] = {"",  "*INSTR", "?**", "(ab", "ab)", "[abc", "[]", "a|", "|a",
                                 "()", "\\", "[z-a]", "?*INSTR{VI_ATTR_INTF_NUM==0}"};
    for (const char *e : expressions)
        QTest::newRow(*e ? e : "empty") << QString(e);
}

void ParsingTest::invalidExpressions()
{
    QFETCH(QString, expression);
    tsvisa::FindExpression e;
    QCOMPARE(e.compile(expression.toStdString()), ViStatus(VI_ERROR_INV_EXPR));
    QVERIFY(!e.matches("anything"));
}

// Every status the library returns has a text naming it; others give the warning.
void ParsingTest::statusTexts()
{
    const struct {
        ViStatus status;
        const char *name;
    } statuses[] = {
        {VI_SUCCESS, "VI_SUCCESS:"},
        {VI_SUCCESS_MAX_CNT, "VI_SUCCESS_MAX_CNT"},
        {VI_WARN_NULL_OBJECT, "VI_WARN_NULL_OBJECT"},
        {VI_ERROR_SYSTEM_ERROR, "VI_ERROR_SYSTEM_ERROR"},
        {VI_ERROR_INV_OBJECT, "VI_ERROR_INV_OBJECT"},
        {VI_ERROR_INV_EXPR, "VI_ERROR_INV_EXPR"},
        {VI_ERROR_RSRC_NFOUND, "VI_ERROR_RSRC_NFOUND"},
        {VI_ERROR_INV_RSRC_NAME, "VI_ERROR_INV_RSRC_NAME"},
        {VI_ERROR_INV_ACC_MODE, "VI_ERROR_INV_ACC_MODE"},
        {VI_ERROR_TMO, "VI_ERROR_TMO"},
        {VI_ERROR_NSUP_ATTR, "VI_ERROR_NSUP_ATTR:"},
        {VI_ERROR_NSUP_ATTR_STATE, "VI_ERROR_NSUP_ATTR_STATE"},
        {VI_ERROR_ATTR_READONLY, "VI_ERROR_ATTR_READONLY"},
        {VI_ERROR_IO, "VI_ERROR_IO"},
        {VI_ERROR_NSUP_OPER, "VI_ERROR_NSUP_OPER"},
        {VI_ERROR_USER_BUF, "VI_ERROR_USER_BUF"},
        {VI_ERROR_CONN_LOST, "VI_ERROR_CONN_LOST"},
        {VI_ERROR_INTF_NUM_NCONFIG, "VI_ERROR_INTF_NUM_NCONFIG"},
    };
    ViChar desc[VI_FIND_BUFLEN];
    for (const auto &s : statuses) {
        QCOMPARE(viStatusDesc(VI_NULL, s.status, desc), ViStatus(VI_SUCCESS));
        QVERIFY2(QByteArray(desc).startsWith(s.name), desc);
    }
    QCOMPARE(viStatusDesc(VI_NULL, 0x12345, desc), ViStatus(VI_WARN_UNKNOWN_STATUS));
    QVERIFY(desc[0] != '\0');
}

QTEST_APPLESS_MAIN(ParsingTest)
#include "parsingTest.moc"
