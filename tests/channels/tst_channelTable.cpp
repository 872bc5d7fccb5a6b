// The channel table without an instrument: editing rules, the header's all-row buttons,
// demo mode, viewer mode and the header lining up with the rows.
#include "channelConfiguration.h"
#include "channelConfiguration_settings.h"
#include "channelTestSupport.h"
#include "channelTexts.h"
#include "dataFileReader.h"
#include "demoStore.h"
#include "loadedFile.h"
#include "singleChannelConfig.h"
#include "tableHeader.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

class tst_channelTable : public QObject {
    Q_OBJECT
private slots:
    void init() { demoStore::clearAll(); }
    void toggleAll_data();
    void toggleAll();
    void headerTypeAndThresholdButtons();
    void demoSaveAndRefresh();
    void demoUnknownStoredType();
    void viewerShowsFileChannels();
    void headerLinesUpWithRows();
};

void tst_channelTable::toggleAll_data()
{
    QTest::addColumn<bool>("otd");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("after");
    QTest::newRow("channels, half on") << false << 8 << "Disable All" << false;
    QTest::newRow("channels, one under half") << false << 7 << "Enable All" << true;
    QTest::newRow("OTD, half on") << true << 8 << "Disable All" << false;
    QTest::newRow("OTD, one under half") << true << 7 << "Enable All" << true;
}

void tst_channelTable::toggleAll()
{
    QFETCH(bool, otd);
    QFETCH(int, checked);
    QFETCH(QString, label);
    QFETCH(bool, after);
    channelConfiguration_settings page(demoContext(16));
    QCheckBox *singleChannelConfig::*box = otd ? &singleChannelConfig::OTDenabled : &singleChannelConfig::chEnabled;
    QPushButton *button = otd ? page.header->enableAllOTD : page.header->enableAllChannels;
    // Check every other row, so the rule counts rows rather than looking at a prefix.
    for (int n = 0; n < checked; ++n)
        (page.cfg[(2 * n) % 16 + (n >= 8 ? 1 : 0)]->*box)->click();
    QCOMPARE(button->text(), label);
    button->click();
    for (singleChannelConfig *row : page.cfg)
        QCOMPARE((row->*box)->isChecked(), after);
    QCOMPARE(button->text(), after ? QString("Disable All") : QString("Enable All"));
    // The other column is left alone.
    QCheckBox *singleChannelConfig::*other = otd ? &singleChannelConfig::chEnabled : &singleChannelConfig::OTDenabled;
    for (singleChannelConfig *row : page.cfg)
        QVERIFY(!(row->*other)->isChecked());
}

void tst_channelTable::headerTypeAndThresholdButtons()
{
    channelConfiguration_settings page(demoContext(16));
    page.cfg[3]->typeButtons[9]->click();
    page.header->typeButton(1)->click();
    for (singleChannelConfig *row : page.cfg)
        QCOMPARE(row->typeGroup->checkedId(), 1);
    page.cfg[2]->thMin->setText(QString::fromUtf8("1.00 °C"));
    page.cfg[15]->thMax->setText(QString::fromUtf8("2.00 °C"));
    page.header->disableAllThresholdsButton->click();
    for (singleChannelConfig *row : page.cfg)
        QVERIFY(row->thMin->text().isEmpty() && row->thMax->text().isEmpty());
    // Nothing of this reached the store: only Save writes.
    QVERIFY(!QSettings(demoStore::organisation, demoStore::application).contains("Channel 1/Thermocouple"));
}

// A fresh store refreshes to all off, type J, OTD off, no thresholds; Save then Refresh gives
// back what was typed.
void tst_channelTable::demoSaveAndRefresh()
{
    boxRecorder boxes;
    {
        channelConfiguration_settings page(demoContext(32));
        page.show();
        for (singleChannelConfig *row : page.cfg) {
            row->chEnabled->setChecked(true);
            row->thMin->setText("5");
        }
        page.doRefresh();
        QCOMPARE(page.cfg.size(), 32);
        for (singleChannelConfig *row : page.cfg) {
            QCOMPARE(rowState(row), QString("0 0 0 |"));
            QCOMPARE(row->connectionStatus->text(), dashText);
        }
        QCOMPARE(page.header->enableAllChannels->text(), QString("Enable All"));
        page.cfg[0]->chEnabled->click();
        page.cfg[1]->OTDenabled->click();
        page.cfg[2]->typeButtons[8]->click();
        page.cfg[31]->typeButtons[7]->click();
        typeInto(page.cfg[0]->thMin, "25");
        typeInto(page.cfg[3]->thMax, "-3.456");
        page.doSave();
        QCOMPARE(page.cfg[0]->connectionStatus->text(), connectedText);
        QCOMPARE(page.cfg[1]->connectionStatus->text(), dashText);
    }
    QSettings store(demoStore::organisation, demoStore::application);
    QCOMPARE(store.value("Channel 1/Min Alert Val").toDouble(), 25.0);
    QCOMPARE(store.value("Channel 4/Max Alert Val").toDouble(), -3.46);
    QCOMPARE(store.value("Channel 4/Min Alert On").toBool(), false);
    QCOMPARE(store.value("Channel 3/Thermocouple").toInt(), 8);

    channelConfiguration_settings page(demoContext(32));
    page.doRefresh();
    QCOMPARE(rowState(page.cfg[0]), QString::fromUtf8("1 0 0 25.00 °C|"));
    QCOMPARE(rowState(page.cfg[1]), QString("0 1 0 |"));
    QCOMPARE(rowState(page.cfg[2]), QString("0 0 8 |"));
    QCOMPARE(rowState(page.cfg[3]), QString::fromUtf8("0 0 0 |-3.46 °C"));
    QCOMPARE(rowState(page.cfg[31]), QString("0 0 7 |"));
    QCOMPARE(page.cfg[0]->connectionStatus->text(), connectedText);
}

void tst_channelTable::demoUnknownStoredType()
{
    boxRecorder boxes;
    QSettings(demoStore::organisation, demoStore::application).setValue("Channel 2/Thermocouple", 12);
    channelConfiguration_settings page(demoContext(16));
    page.doRefresh();
    QCOMPARE(page.cfg[1]->checkedType(), -1);
    page.cfg[1]->OTDenabled->setChecked(true);
    page.doSave();
    // The row had no type: the stored one is kept, the rest saved, and the user told.
    QSettings store(demoStore::organisation, demoStore::application);
    QCOMPARE(store.value("Channel 2/Thermocouple").toInt(), 12);
    QCOMPARE(store.value("Channel 2/OTD").toBool(), true);
    QCOMPARE(store.value("Channel 3/Thermocouple").toInt(), 0);
    const QStringList warnings = boxes.texts(messageBoxes::Kind::Warning);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].contains("channel(s) 2:"), qPrintable(warnings[0]));
}

void tst_channelTable::viewerShowsFileChannels()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("viewer.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("sep=,\nKorvan 4720-AA\nSerial Number:,00c0ffee\n\nClock Source:,Internal\n"
               "Scan Rate:,10,Hz\nStart Mode:,Immediate\nStop Mode:,Stop on user request\n\n"
               "Channel 1 [\xb0" "C] TC:K,Channel 3 [\xb0" "C] TC:J OTD enabled,Channel 5 [\xb0" "C] TC:User 2,\n"
               "1.000000,2.000000,3.000000,\n");
    file.close();
    QCOMPARE(readDataFileHeader(QFile::encodeName(path).constData(), &loadedFile()), 0);

    panelContext context = demoContext(loadedFile().channelCount);
    context.viewer = true;
    channelConfiguration tabs(context);
    channelConfiguration_settings *page = tabs.settings;
    QCOMPARE(page->cfg.size(), 16);
    page->cfg[0]->thMin->setText("5");
    page->cfg[4]->typeButtons[2]->setChecked(true);
    page->doRefresh();
    QCOMPARE(rowState(page->cfg[0]), QString("1 0 1 |"));
    QVERIFY(!page->cfg[1]->chEnabled->isChecked());
    QCOMPARE(rowState(page->cfg[2]), QString("1 1 0 |"));
    QCOMPARE(rowState(page->cfg[4]), QString("1 0 9 |"));
    for (singleChannelConfig *row : page->cfg) {
        QVERIFY(row->thMin->text().isEmpty());
        QCOMPARE(row->connectionStatus->text(), QString("-"));
    }

    tabs.applyViewerRestrictions();
    QVERIFY(!page->header->isEnabled());
    QVERIFY(!page->saveButton->isEnabled());
    QVERIFY(!page->refreshButton->isEnabled());
    for (singleChannelConfig *row : page->cfg)
        QVERIFY(!row->isEnabled());
    QVERIFY(!tabs.isTabEnabled(1));
    std::memset(&loadedFile(), 0, sizeof(loadedFileRecord));
}

// With the scroll bar beside the rows, the header's type columns stay over the rows' ones.
void tst_channelTable::headerLinesUpWithRows()
{
    channelConfiguration tabs(demoContext(48));
    tabs.resize(1300, 700);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    channelConfiguration_settings *page = tabs.settings;
    page->doRefresh();
    QVERIFY(page->scrollArea->verticalScrollBar()->isVisible());
    QVERIFY(!page->scrollArea->horizontalScrollBar()->isVisible());

    auto left = [page](QWidget *w) { return w->mapTo(page, QPoint(0, 0)).x(); };
    for (singleChannelConfig *row : {page->cfg.first(), page->cfg.last()}) {
        for (int id = 0; id < tcTypeCount; ++id) {
            QWidget *headCell = page->header->typeButton(id)->parentWidget();
            QWidget *rowCell = row->typeButtons[id]->parentWidget();
            QCOMPARE(left(headCell), left(rowCell));
            QCOMPARE(headCell->width(), rowCell->width());
        }
    }
    // The status label spans its column, so "Connected" is never clipped.
    QVERIFY(page->cfg[0]->connectionStatus->width() >= page->cfg[0]->connectionStatus->fontMetrics().horizontalAdvance("Connected"));
}

QTEST_MAIN(tst_channelTable)
#include "tst_channelTable.moc"
