// Ordering and grouping of VISA resource descriptors.
#include "descriptor.h"

#include <QtTest>

#include <vector>

class tst_connectDescriptor : public QObject {
    Q_OBJECT
private slots:
    void ordering_data();
    void ordering();
    void derivedValues_data();
    void derivedValues();
    void strictWeakOrdering();
};

void tst_connectDescriptor::ordering_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("aBeforeB");
    QTest::addColumn<bool>("bBeforeA");

    QTest::newRow("address parts numerically")
        << "TCPIP0::10.0.0.5::inst0::INSTR" << "TCPIP0::192.168.2.60::inst0::INSTR" << true << false;
    QTest::newRow("board decides first")
        << "TCPIP1::10.0.0.1::INSTR" << "TCPIP0::192.168.2.60::INSTR" << false << true;
    QTest::newRow("first differing part decides")
        << "TCPIP0::10.200.0.1::INSTR" << "TCPIP0::11.100.0.1::INSTR" << true << false;
    QTest::newRow("same VXI chassis equal")
        << "VXI0::1::INSTR" << "VXI0::5::INSTR" << false << false;
    QTest::newRow("VXI board") << "VXI0::5::INSTR" << "VXI1::1::INSTR" << true << false;
    QTest::newRow("different interfaces") << "ASRL1::INSTR" << "GPIB0::5::INSTR" << true << false;
    QTest::newRow("lower case is the same interface")
        << "tcpip0::10.0.0.5::INSTR" << "TCPIP0::9.0.0.1::INSTR" << false << true;
    QTest::newRow("missing board is 0")
        << "TCPIP::192.168.2.60::INSTR" << "TCPIP0::192.168.2.60::inst0::INSTR" << false << false;
    QTest::newRow("host name reads 0.0.0.0")
        << "TCPIP0::myhost::INSTR" << "TCPIP0::0.0.0.1::INSTR" << true << false;
    QTest::newRow("reading stops at a bad part")
        << "TCPIP0::10.x.9.9::INSTR" << "TCPIP0::10.0.0.0::INSTR" << false << false;
    QTest::newRow("negative board") << "TCPIP-1::9.9.9.9::INSTR" << "TCPIP0::0.0.0.0::INSTR" << true << false;
    QTest::newRow("hyphen ends the interface name")
        << "GPIB-VXI0::1::INSTR" << "GPIB0::9::INSTR" << false << false;
    QTest::newRow("other interfaces by text") << "USB0::1::INSTR" << "USB0::2::INSTR" << true << false;
    QTest::newRow("empty names by text") << "" << "1abc" << true << false;
    // Interfaces stay in blocks ordered by name, also when the case would say otherwise.
    QTest::newRow("interfaces ordered by name")
        << "gpib0::5::INSTR" << "TCPIP0::1.2.3.4::INSTR" << true << false;
}

void tst_connectDescriptor::ordering()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, aBeforeB);
    QFETCH(bool, bBeforeA);
    QCOMPARE(descriptorLessThan(a, b), aBeforeB);
    QCOMPARE(descriptorLessThan(b, a), bBeforeA);
}

void tst_connectDescriptor::derivedValues_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("board");
    QTest::addColumn<QString>("group");

    QTest::newRow("tcpip") << "TCPIP0::192.168.2.60::inst0::INSTR" << "TCPIP" << 0 << "TCPIP0";
    QTest::newRow("lower case") << "tcpip3::host::INSTR" << "TCPIP" << 3 << "tcpip3";
    QTest::newRow("gpib-vxi") << "GPIB-VXI2::1::INSTR" << "GPIB" << 0 << "GPIB-VXI2";
    QTest::newRow("signed board") << "VXI+7::1::INSTR" << "VXI" << 7 << "VXI+7";
    QTest::newRow("no colon") << "plain" << "PLAIN" << 0 << "plain";
    QTest::newRow("digit first") << "0abc::x" << "" << 0 << "0abc";
    QTest::newRow("huge board saturates") << "VXI99999999999999::1" << "VXI" << INT_MAX
                                          << "VXI99999999999999";
}

void tst_connectDescriptor::derivedValues()
{
    QFETCH(QString, descriptor);
    QFETCH(QString, name);
    QFETCH(int, board);
    QFETCH(QString, group);
    QCOMPARE(descriptorInterfaceName(descriptor), name);
    QCOMPARE(descriptorBoardNumber(descriptor), board);
    QCOMPARE(descriptorGroupKey(descriptor), group);
}

// A sort needs a strict weak ordering: irreflexive, and both "less" and "neither is less"
// transitive, on every triple of a mix of interfaces, cases, signs, host names and odd
// characters next to the interface name.
void tst_connectDescriptor::strictWeakOrdering()
{
    QStringList all;
    for (const char *n : {"TCPIP", "tcpip", "TcpIp", "TCPIPX", "TCPIP_", "VXI", "vxi", "GPIB", "GPIB-VXI",
                          "ASRL", "PXI", "SOCKET", "USB", "U", "W", "", "_x", "1abc"})
        for (const char *b : {"", "0", "1", "-1", "10", "+2"})
            for (const char *r : {"::10.0.0.5::INSTR", "::9.200.1.1::INSTR", "::1::INSTR", "::5::INSTR",
                                  "::host::INSTR", "", "::"})
                all.append(QString(n) + b + r);
    const int n = all.size();
    std::vector<char> less(size_t(n * n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            less[size_t(i * n + j)] = descriptorLessThan(all.at(i), all.at(j));
    auto lt = [&](int i, int j) { return less[size_t(i * n + j)] != 0; };
    auto eq = [&](int i, int j) { return !lt(i, j) && !lt(j, i); };
    for (int i = 0; i < n; ++i) {
        QVERIFY2(!lt(i, i), qPrintable(all.at(i)));
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n && (lt(i, j) || eq(i, j)); ++k)
                if ((lt(i, j) && lt(j, k) && !lt(i, k)) || (eq(i, j) && eq(j, k) && !eq(i, k)))
                    QFAIL(qPrintable("not transitive: " + all.at(i) + ", " + all.at(j) + ", " + all.at(k)));
    }
}

QTEST_APPLESS_MAIN(tst_connectDescriptor)
#include "tst_connectDescriptor.moc"
