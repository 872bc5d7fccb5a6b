// The About box: page buttons, paging through hardware records, the picture's cut.
#include "ts2900fp_About.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

class tst_ts2900fp_About : public QObject {
    Q_OBJECT
private slots:
    void title();
    void oneRecordKeepsPageButtonsHidden();
    void twoRecordsPage();
    void pictureShowsBottomRows();
};

static ts2900fp_About *newAbout(QWidget *parent = nullptr)
{
    return new ts2900fp_About(QStringLiteral("4.3.1.8449"), QStringLiteral("ts4720 1.2.0"),
                              QStringLiteral("4720"), QStringLiteral("Notice"), parent);
}

void tst_ts2900fp_About::title()
{
    QScopedPointer<ts2900fp_About> about(newAbout());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Korvan 4720 Soft Front Panel"));
}

// What the main panel does: one record with empty software texts.
void tst_ts2900fp_About::oneRecordKeepsPageButtonsHidden()
{
    QScopedPointer<ts2900fp_About> about(newAbout());
    about->addHardwareInfo(QStringLiteral("47209481 (DEMO)"), QStringLiteral("1.0.0 (Product: 1.0.0) (DEMO)"),
                           QStringLiteral("4720-AC"), QString(), QString());
    QVERIFY(about->nextButton()->isHidden());
    QVERIFY(about->previousButton()->isHidden());
    QCOMPARE(about->driverLabel()->text(), QStringLiteral("ts4720 1.2.0"));
    QCOMPARE(about->panelLabel()->text(), QStringLiteral("4.3.1.8449"));
    QCOMPARE(about->modelLabel()->text(), QStringLiteral("4720-AC"));
    QCOMPARE(about->revisionLabel()->text(), QStringLiteral("1.0.0 (Product: 1.0.0) (DEMO)"));
    QCOMPARE(about->serialLabel()->text(), QStringLiteral("47209481 (DEMO)"));
}

void tst_ts2900fp_About::twoRecordsPage()
{
    QScopedPointer<ts2900fp_About> about(newAbout());
    about->addHardwareInfo("0000aaaa", "1.0", "4720-AA", QString(), QString());
    about->addHardwareInfo("0000bbbb", "2.0", "4720-AB", "drv 2", "sfp 2");
    QVERIFY(!about->nextButton()->isHidden());
    QVERIFY(!about->previousButton()->isHidden());
    QVERIFY(about->nextButton()->isEnabled());
    QVERIFY(!about->previousButton()->isEnabled());
    QCOMPARE(about->serialLabel()->text(), QStringLiteral("0000aaaa"));

    about->nextButton()->click();
    QCOMPARE(about->currentPage(), 1);
    QVERIFY(!about->nextButton()->isEnabled());
    QVERIFY(about->previousButton()->isEnabled());
    QCOMPARE(about->serialLabel()->text(), QStringLiteral("0000bbbb"));
    QCOMPARE(about->modelLabel()->text(), QStringLiteral("4720-AB"));
    QCOMPARE(about->driverLabel()->text(), QStringLiteral("drv 2"));
    QCOMPARE(about->panelLabel()->text(), QStringLiteral("sfp 2"));

    about->next(); // past the last page: stays on it
    QCOMPARE(about->currentPage(), 1);

    about->previousButton()->click();
    QCOMPARE(about->currentPage(), 0);
    QVERIFY(about->nextButton()->isEnabled());
    QVERIFY(!about->previousButton()->isEnabled());
    QCOMPARE(about->serialLabel()->text(), QStringLiteral("0000aaaa"));
    // the first record took the constructor's software texts
    QCOMPARE(about->driverLabel()->text(), QStringLiteral("ts4720 1.2.0"));
    QCOMPARE(about->panelLabel()->text(), QStringLiteral("4.3.1.8449"));
}

void tst_ts2900fp_About::pictureShowsBottomRows()
{
    QScopedPointer<ts2900fp_About> about(newAbout());
    const QImage full = QPixmap(QStringLiteral(":/about.png")).toImage();
    const int h = about->fontMetrics().height();
    QVERIFY2(full.height() > 19 * h, "the About picture is meant to be taller than 19 lines");
    const QImage shown = about->pictureLabel()->pixmap(Qt::ReturnByValue).toImage();
    QCOMPARE(shown.size(), QSize(full.width(), 19 * h));
    QCOMPARE(shown.convertToFormat(full.format()),
             full.copy(0, full.height() - 19 * h, full.width(), 19 * h));
}

QTEST_MAIN(tst_ts2900fp_About)
#include "tst_ts2900fp_About.moc"
