// The module selection dialog: OK, double-click and a repeated search.
#include "connectTestSupport.h"
#include "ts2900fp_spcSelect.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const char hint[] = "Select one available motherboard and then click \"OK\" \nor click \"Cancel\" to quit";

// The module row showing that host, the group row for "group", or none for "".
QTreeWidgetItem *rowOf(QTreeWidget *tree, const QString &host)
{
    QTreeWidgetItem *group = tree->topLevelItem(0);
    if (host.isEmpty() || host == "group")
        return host.isEmpty() ? nullptr : group;
    for (int i = 0; i < group->childCount(); ++i)
        if (group->child(i)->text(0) == host)
            return group->child(i);
    return nullptr;
}

} // namespace

class tst_connectSelectDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void choose_data();
    void choose();
    void tryAgainShowsLatestSearch();

private:
    simFarm m_sims;
    fakePersonality m_spc;
};

void tst_connectSelectDialog::initTestCase()
{
    QVERIFY(m_sims.start("127.43.4.1"));
    QVERIFY(m_sims.start("127.43.4.2"));
    QVERIFY(m_sims.start("127.43.4.3", "Tarsel Ltd.,Korvan 4711,1,1.0"));
}

// Before each test: all three configured.
void tst_connectSelectDialog::init()
{
    setConfiguredResources({tcpip("127.43.4.1"), tcpip("127.43.4.2"), tcpip("127.43.4.3")});
}

// OK with nothing, the group row or an unavailable module current stays open and writes
// the hint; a double-click accepts only an available module.
void tst_connectSelectDialog::choose_data()
{
    QTest::addColumn<QString>("row"); // see rowOf
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK, nothing current") << QString() << false << false;
    QTest::newRow("OK, group row current") << "group" << false << false;
    QTest::newRow("OK, another model current") << "127.43.4.3" << false << false;
    QTest::newRow("double-click available module") << "127.43.4.1" << true << true;
    QTest::newRow("double-click another model") << "127.43.4.3" << true << false;
    QTest::newRow("double-click group row") << "group" << true << false;
}

void tst_connectSelectDialog::choose()
{
    QFETCH(QString, row);
    QFETCH(bool, doubleClick);
    QFETCH(bool, accepted);
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 2);
    select.show();
    QTreeWidgetItem *item = rowOf(select.tree(), row);
    if (doubleClick) {
        QVERIFY(item);
        emit select.tree()->itemDoubleClicked(item, 1);
    } else {
        select.tree()->setCurrentItem(item);
        QTest::ignoreMessage(QtDebugMsg, hint);
        QTest::mouseClick(select.okButton(), Qt::LeftButton);
        QCOMPARE(select.result(), int(QDialog::Rejected));
    }
    QCOMPARE(select.isVisible(), !accepted);
    QCOMPARE(select.descriptor(), accepted ? tcpip(row) : tcpip("127.43.4.2"));
}

void tst_connectSelectDialog::tryAgainShowsLatestSearch()
{
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 2);
    setConfiguredResources({tcpip("127.43.4.1")});
    QCOMPARE(select.findModules(), 1);
    QCOMPARE(select.tree()->topLevelItemCount(), 1);
    QCOMPARE(select.tree()->topLevelItem(0)->childCount(), 1);
    QCOMPARE(select.descriptor(), tcpip("127.43.4.1"));
}

QTEST_MAIN(tst_connectSelectDialog)
#include "tst_connectSelectDialog.moc"
