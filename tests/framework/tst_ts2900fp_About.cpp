// The About box: its title and paging through hardware records.
#include "ts2900fp_About.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class tst_ts2900fp_About : public QObject {
    Q_OBJECT
private slots:
    void paging();
};

// One record (what the main panel adds) keeps the page buttons hidden; with two they page
// through the records and stop at either end. A record without software texts shows the
// constructor's.
void tst_ts2900fp_About::paging()
{
    ts2900fp_About about(QStringLiteral("4.3.1.8449"), QStringLiteral("ts4720 1.2.0"), QStringLiteral("4720"),
                         QStringLiteral("Notice"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Korvan 4720 Soft Front Panel"));
    about.addHardwareInfo("0000aaaa", "1.0", "4720-AA", QString(), QString());
    QVERIFY(about.nextButton()->isHidden() && about.previousButton()->isHidden());
    about.addHardwareInfo("0000bbbb", "2.0", "4720-AB", "drv 2", "sfp 2");
    QVERIFY(!about.nextButton()->isHidden() && !about.previousButton()->isHidden());
    QVERIFY(about.nextButton()->isEnabled() && !about.previousButton()->isEnabled());

    about.nextButton()->click();
    QCOMPARE(about.serialLabel()->text(), QStringLiteral("0000bbbb"));
    QCOMPARE(about.driverLabel()->text(), QStringLiteral("drv 2"));
    QVERIFY(!about.nextButton()->isEnabled() && about.previousButton()->isEnabled());
    about.next(); // past the last page: stays on it
    QCOMPARE(about.currentPage(), 1);

    about.previousButton()->click();
    QCOMPARE(about.serialLabel()->text(), QStringLiteral("0000aaaa"));
    QCOMPARE(about.driverLabel()->text(), QStringLiteral("ts4720 1.2.0"));
    QCOMPARE(about.panelLabel()->text(), QStringLiteral("4.3.1.8449"));
    QVERIFY(about.nextButton()->isEnabled() && !about.previousButton()->isEnabled());
}

QTEST_MAIN(tst_ts2900fp_About)
#include "tst_ts2900fp_About.moc"
