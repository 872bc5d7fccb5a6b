// The driver-call reporting convention: nothing for 0, an error report for a negative
// status, a warning report for a positive one, and the status handed back.
#include "driverCall.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "ts4720.h"

#include <QtTest>

class tst_driverCall : public QObject {
    Q_OBJECT
private slots:
    void report_data();
    void report();
    void macroUsesSourceText();
};

static QString driverText(ViStatus status)
{
    ViChar text[1024] = {};
    ts4720_error_message(0, status, text);
    return QString::fromLatin1(text);
}

void tst_driverCall::report_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("kind");     // -1: no box
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("pattern"); // %1 the driver's text
    QTest::newRow("success") << 0 << -1 << QString() << QString();
    QTest::newRow("error") << int(0xBFFF0015) << int(messageBoxes::Kind::Critical)
                           << "Korvan 4720 SFP Error message"
                           << "ts4720_saveConfig(d_vi) failed due to [%1]\nDo you want to exit?";
    QTest::newRow("other error") << -1 << int(messageBoxes::Kind::Critical)
                                 << "Korvan 4720 SFP Error message"
                                 << "ts4720_saveConfig(d_vi) failed due to [%1]\nDo you want to exit?";
    QTest::newRow("warning") << 0x3FFC0101 << int(messageBoxes::Kind::Warning)
                             << "Korvan 4720 SFP Warning message" << "Warning: [%1]";
}

void tst_driverCall::report()
{
    QFETCH(int, status);
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, pattern);
    ts2900fp_setModelText(QStringLiteral("4720"));
    QList<messageBoxes::Request> boxes;
    messageBoxes::ScopedHandler handler([&boxes](const messageBoxes::Request &r) {
        boxes.append(r);
        return int(QMessageBox::No);
    });

    QCOMPARE(reportDriverCall(0, status, "ts4720_saveConfig(d_vi)"), status);
    if (kind < 0) {
        QVERIFY(boxes.isEmpty());
        return;
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(int(boxes[0].kind), kind);
    QCOMPARE(boxes[0].title, title);
    QVERIFY(!driverText(status).isEmpty());
    QCOMPARE(boxes[0].text, pattern.arg(driverText(status)));
}

void tst_driverCall::macroUsesSourceText()
{
    QList<messageBoxes::Request> boxes;
    messageBoxes::ScopedHandler handler([&boxes](const messageBoxes::Request &r) {
        boxes.append(r);
        return int(QMessageBox::No);
    });
    const ViSession d_vi = 0;
    // session 0 is no open session: the driver refuses the call
    const ViStatus status = REPORTED_DRIVER_CALL(d_vi, ts4720_identify(d_vi, VI_FALSE));
    QVERIFY(status < 0);
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].text.startsWith("ts4720_identify(d_vi, VI_FALSE) failed due to ["),
             qPrintable(boxes[0].text));
}

QTEST_MAIN(tst_driverCall)
#include "tst_driverCall.moc"
