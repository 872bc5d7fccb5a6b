// The Korvan 4720 personality and the model text of the personality interface.
#include "ts4720.h"
#include "ts4720_spc.h"

#include <QtTest>

namespace {
// Any personality, to format other model numbers.
class otherModel : public ts4720_spc {
public:
    explicit otherModel(int model) { modelNumber = model; }
};
} // namespace

class tst_ts4720_spc : public QObject {
    Q_OBJECT
private slots:
    void modelText_data();
    void modelText();
    void initOnUnreachableAddressFails();
};

void tst_ts4720_spc::modelText_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("text");
    QTest::newRow("4720") << 4720 << "4720";
    QTest::newRow("two digits, space-filled") << 47 << "  47";
    QTest::newRow("wider than 4") << 12345 << "12345";
    QTest::newRow("negative") << -1 << "  -1";
}

void tst_ts4720_spc::modelText()
{
    QFETCH(int, model);
    QFETCH(QString, text);
    QCOMPARE(otherModel(model).modelText(), text);
}

// Port 1 of a loopback address of this test's own: nothing listens there.
void tst_ts4720_spc::initOnUnreachableAddressFails()
{
    ts4720_spc spc;
    ViSession vi = 0;
    const ViStatus status = spc.init("TCPIP::127.47.20.3::1::SOCKET", VI_FALSE, VI_FALSE, &vi);
    QVERIFY(status < 0);
}

QTEST_MAIN(tst_ts4720_spc)
#include "tst_ts4720_spc.moc"
