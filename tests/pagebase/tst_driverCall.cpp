// The driver-call reporting convention: nothing for 0, an error report for a negative
// status, a warning report for a positive one, and the status handed back.
#include "boxRecorder.h"
#include "driverCall.h"
#include "modelText.h"
#include "ts4720.h"

#include <QtTest>

#include <memory>

class tst_driverCall : public QObject {
    Q_OBJECT
private slots:
    void report_data();
    void report();
    void outageOncePerAction_data();
    void outageOncePerAction();
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
    QTest::newRow("error") << -1 << int(messageBoxes::Kind::Critical)
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
    boxRecorder recorder;

    QCOMPARE(reportDriverCall(0, status, "ts4720_saveConfig(d_vi)"), status);
    const QList<messageBoxes::Request> &boxes = recorder.requests();
    QCOMPARE(boxes.size(), kind < 0 ? 0 : 1);
    if (kind < 0)
        return;
    QCOMPARE(int(boxes[0].kind), kind);
    QCOMPARE(boxes[0].title, title);
    QVERIFY(!driverText(status).isEmpty());
    QCOMPARE(boxes[0].text, pattern.arg(driverText(status)));
}

void tst_driverCall::outageOncePerAction_data()
{
    const int timeout = int(0xBFFF0015), lost = int(0xBFFF00A6), refused = -1;
    QTest::addColumn<QList<int>>("statuses"); // what the calls would return, in order
    QTest::addColumn<bool>("inAction");
    QTest::addColumn<int>("made");
    QTest::addColumn<QStringList>("boxes"); // beginnings of the texts
    QTest::newRow("no answer: one report, the rest not made")
        << QList<int>{0, timeout, 0, refused} << true << 2
        << QStringList{"call 1 failed due to [VI_ERROR_TMO: The timeout expired before the operation completed.]\n"
                       "2 further calls of this action were not made: the connection to the instrument is down.\n"
                       "Do you want to exit?"};
    QTest::newRow("refusals before the outage keep their own reports")
        << QList<int>{refused, lost, 0} << true << 2
        << QStringList{"call 0 failed due to", "call 1 failed due to [VI_ERROR_CONN_LOST: The connection was closed "
                                               "by the peer or broke.]\n1 further call of this action was not made"};
    QTest::newRow("outside an action every call is made and reported")
        << QList<int>{timeout, timeout} << false << 2 << QStringList{"call 0 failed", "call 1 failed"};
}

void tst_driverCall::outageOncePerAction()
{
    QFETCH(QList<int>, statuses);
    QFETCH(bool, inAction);
    QFETCH(int, made);
    QFETCH(QStringList, boxes);
    boxRecorder recorder;
    int calls = 0;
    {
        std::unique_ptr<driverAction> action(inAction ? new driverAction : nullptr);
        for (int i = 0; i < statuses.size(); ++i) {
            const QByteArray text = "call " + QByteArray::number(i);
            // An inner action, as a page's Refresh inside a device reset, joins the outer one.
            const driverAction inner;
            reportedCall(0, [&] { return ViStatus(statuses[calls++]); }, text.constData());
        }
        QCOMPARE(recorder.texts().size(), inAction ? boxes.size() - 1 : boxes.size());
    }
    QCOMPARE(calls, made);
    const QStringList shown = recorder.texts();
    QCOMPARE(shown.size(), boxes.size());
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(shown[i].startsWith(boxes[i]), qPrintable(shown[i]));
}

QTEST_MAIN(tst_driverCall)
#include "tst_driverCall.moc"
