// The user thermocouple page: text rules on the edits, demo store, and the driver calls
// with their type names, against a simulated instrument.
#include "channelConfiguration_userTC.h"
#include "channelTestSupport.h"
#include "demoStore.h"
#include "fieldMark.h"
#include "userTC.h"

#include <QLineEdit>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {
const QString zero = "0.0000000000000000e+00";
} // namespace

class tst_userThermocouples : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void editNormalisation();
    void demoStoreRoundTrip();
    void instrumentRefreshAndSave();
    void failures_data();
    void failures();

private:
    std::unique_ptr<testInstrument> m_sim;
};

void tst_userThermocouples::initTestCase()
{
    m_sim = std::make_unique<testInstrument>();
    QVERIFY2(m_sim->start(testOptions("127.45.42.1", "AA")), qPrintable(m_sim->error));
}

void tst_userThermocouples::init()
{
    demoStore::clearAll();
    m_sim->command("*RST");
    m_sim->command("SIM:FAIL:CLEar");
}

void tst_userThermocouples::editNormalisation()
{
    channelConfiguration_userTC page(demoContext(16));
    page.show();
    QLineEdit **edits = page.userTypes[1]->coeffEdits;
    edits[5]->setText("7");
    typeInto(edits[3], "2.5");
    typeInto(edits[2], "-1,25e-3");
    typeInto(edits[4], "abc");
    QCOMPARE(edits[3]->text(), QString("2.5000000000000000e+00"));
    QCOMPARE(edits[2]->text(), QString("-1.2500000000000000e-03"));
    QCOMPARE(edits[5]->text(), QString("7")); // only the edit that finished editing changes
    // Refused text stays for the user to correct, marked; it never becomes a 0.
    QCOMPARE(edits[4]->text(), QString("abc"));
    QVERIFY(isMarked(edits[4]) && edits[4]->toolTip().contains("is not a number"));
    QVERIFY(!isMarked(edits[3]));
}

void tst_userThermocouples::demoStoreRoundTrip()
{
    boxRecorder boxes;
    const panelContext context = demoContext(16);
    {
        channelConfiguration_userTC page(context);
        page.userTypes[0]->coeffEdits[0]->setText("x");
        page.doRefresh();
        for (userTC *group : page.userTypes) {
            for (QLineEdit *edit : group->coeffEdits)
                QCOMPARE(edit->text(), zero);
        }
        page.userTypes[0]->coeffEdits[0]->setText("1");
        page.userTypes[1]->coeffEdits[16]->setText("-0.00125");
        page.doSave();
    }
    QSettings store(demoStore::organisation, demoStore::application);
    QCOMPARE(store.value("Coefficents Therm 1/Coeff 1").toDouble(), 1.0);
    QCOMPARE(store.value("Coefficents Therm 2/Coeff 17").toDouble(), -0.00125);
    QCOMPARE(store.value("Coefficents Therm 2/Coeff 6").toDouble(), 0.0);

    channelConfiguration_userTC page(context);
    page.doRefresh();
    QCOMPARE(page.userTypes[0]->coeffEdits[0]->text(), QString("1.0000000000000000e+00"));
    QCOMPARE(page.userTypes[1]->coeffEdits[16]->text(), QString("-1.2500000000000000e-03"));
}

// Against an instrument that traces what arrives: reading asks for "WebInterface_UA" and
// "WebInterface_UB", writing names "User 1" and "User 2"; a short list shows zeros after it.
void tst_userThermocouples::instrumentRefreshAndSave()
{
    boxRecorder boxes;
    testInstrument traced;
    bool started = false;
    std::unique_ptr<channelConfiguration_userTC> page;
    QStringList trace = capturedStdout([&] {
        tssim::Options options = testOptions("127.45.42.9", "AA");
        options.trace = true;
        started = traced.start(options);
        if (!started)
            return;
        traced.command("THER:CUST \"User 1\",3,1.5,2,3");
        page = std::make_unique<channelConfiguration_userTC>(traced.context(16));
        for (QLineEdit *edit : page->userTypes[0]->coeffEdits)
            edit->setText("9");
        page->doRefresh();
    });
    QVERIFY2(started, qPrintable(traced.error));
    QCOMPARE(page->userTypes[0]->coeffEdits[0]->text(), QString("1.5000000000000000e+00"));
    QCOMPARE(page->userTypes[0]->coeffEdits[2]->text(), QString("3.0000000000000000e+00"));
    for (int k = 3; k < N_USER_COEFFS; ++k)
        QCOMPARE(page->userTypes[0]->coeffEdits[k]->text(), zero);

    QList<double> one = {17}, two = {17};
    for (int k = 0; k < N_USER_COEFFS; ++k) {
        page->userTypes[0]->coeffEdits[k]->setText(k == 3 ? "abc" : QString::number(k + 1));
        page->userTypes[1]->coeffEdits[k]->setText(QString::number(-(k + 1) * 0.5).replace('.', ','));
        one << k + 1;
        two << -(k + 1) * 0.5;
    }
    // A coefficient that is no number: one message naming it, and nothing reaches the instrument.
    page->doSave();
    QCOMPARE(boxes.texts(messageBoxes::Kind::Warning),
             QStringList{"Nothing was saved. Correct these fields first:\nUser 1 c3: \"abc\" is not a number."});
    QCOMPARE(numbers(traced.command("THER:CUST? \"User 1\"")), QList<double>({3, 1.5, 2, 3}));
    boxes.clear();
    page->userTypes[0]->coeffEdits[3]->setText("4");
    trace += capturedStdout([&] { page->doSave(); });
    QCOMPARE(numbers(traced.command("THER:CUST? \"User 1\"")), one);
    QCOMPARE(numbers(traced.command("THER:CUST? \"User 2\"")), two);
    QStringList custom;
    for (const QString &line : trace) {
        if (line.startsWith("<< THER:CUST", Qt::CaseInsensitive))
            custom << line.section(',', 0, 0);
    }
    QCOMPARE(custom, QStringList({"<< THER:CUST? \"WebInterface_UA\";:SYST:ERR?",
                                  "<< THER:CUST? \"WebInterface_UB\";:SYST:ERR?",
                                  "<< THER:CUST \"User 1\"", "<< THER:CUST \"User 2\""}));
}

void tst_userThermocouples::failures_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("hook");
    QTest::addColumn<QString>("callText");
    QTest::newRow("write User 1")
        << true << "SIM:FAIL \"THER:CUST\",-200,1"
        << "ts4720_setCustomThermConfig(vi, QString(\"User %1\").arg(i+1).toLatin1().data(), coeff, N_USER_COEFFS)";
    QTest::newRow("read User 1") << false << "SIM:FAIL \"THER:CUST?\",-200,1"
                                 << "ts4720_getCustomThermConfig(vi, \"WebInterface_UA\", coeff, &coeffNum)";
    QTest::newRow("read User 2") << false << "SIM:FAIL \"THER:CUST?\",-200,2"
                                 << "ts4720_getCustomThermConfig(vi, \"WebInterface_UB\", coeff, &coeffNum)";
}

void tst_userThermocouples::failures()
{
    QFETCH(bool, save);
    QFETCH(QString, hook);
    QFETCH(QString, callText);
    boxRecorder boxes;
    m_sim->command("THER:CUST \"User 1\",2,4,4");
    m_sim->command("THER:CUST \"User 2\",2,8,8");
    channelConfiguration_userTC page(m_sim->context(16));
    for (QLineEdit *edit : page.userTypes[0]->coeffEdits)
        edit->setText("1");
    for (QLineEdit *edit : page.userTypes[1]->coeffEdits)
        edit->setText("2");
    m_sim->command(hook);
    if (save)
        page.doSave();
    else
        page.doRefresh();
    const QStringList errors = boxes.texts(messageBoxes::Kind::Critical);
    const int expected = hook.endsWith(",2") ? 2 : 1;
    QCOMPARE(errors.size(), expected);
    QVERIFY2(errors.last().startsWith(callText + " failed due to ["), qPrintable(errors.last()));
    if (save) {
        // User 1 failed; User 2 was still written.
        QCOMPARE(numbers(m_sim->command("THER:CUST? \"User 1\"")), QList<double>({2, 4, 4}));
        QCOMPARE(numbers(m_sim->command("THER:CUST? \"User 2\"")).value(1), 2.0);
    } else {
        // A failed read keeps what was shown, never zeros a Save would write back; the other
        // type is still read.
        QCOMPARE(page.userTypes[0]->coeffEdits[0]->text(), QString("1"));
        QCOMPARE(page.userTypes[1]->coeffEdits[0]->text(), expected == 2 ? QString("2") : QString("8.0000000000000000e+00"));
    }
}

QTEST_MAIN(tst_userThermocouples)
#include "tst_userThermocouples.moc"
