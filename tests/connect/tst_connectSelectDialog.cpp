// The module selection dialog: OK, double-click and a repeated search.
#include "connectTestSupport.h"
#include "ts2900fp_spcSelect.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const char hint[] = "Select one available motherboard and then click \"OK\" \nor click \"Cancel\" to quit";

QString tcpip(const QString &address)
{
    return QStringLiteral("TCPIP::%1::INSTR").arg(address);
}

// The module row of the tree showing that host, or the group row for an empty host.
QTreeWidgetItem *rowOf(QTreeWidget *tree, const QString &host)
{
    QTreeWidgetItem *group = tree->topLevelItem(0);
    if (host.isEmpty())
        return group;
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
    void okStaysOpen_data();
    void okStaysOpen();
    void doubleClick_data();
    void doubleClick();
    void tryAgainShowsLatestSearch();

private:
    simFarm m_sims;
    fakePersonality m_spc;
    QStringList m_all;
};

void tst_connectSelectDialog::initTestCase()
{
    QVERIFY(m_sims.start("127.43.4.1"));
    QVERIFY(m_sims.start("127.43.4.2"));
    QVERIFY(m_sims.start("127.43.4.3", "Tarsel Ltd.,Korvan 4711,1,1.0"));
    m_all = QStringList{tcpip("127.43.4.1"), tcpip("127.43.4.2"), tcpip("127.43.4.3")};
}

void tst_connectSelectDialog::init()
{
    setConfiguredResources(m_all);
}

void tst_connectSelectDialog::okStaysOpen_data()
{
    QTest::addColumn<QString>("current"); // host of the current row; "" the group row
    QTest::addColumn<bool>("anyCurrent");
    QTest::newRow("nothing current") << QString() << false;
    QTest::newRow("group row current") << QString() << true;
    QTest::newRow("module of another model current") << "127.43.4.3" << true;
}

void tst_connectSelectDialog::okStaysOpen()
{
    QFETCH(QString, current);
    QFETCH(bool, anyCurrent);
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 2);
    const QString found = select.descriptor();
    select.show();
    select.tree()->setCurrentItem(anyCurrent ? rowOf(select.tree(), current) : nullptr);
    QTest::ignoreMessage(QtDebugMsg, hint);
    QTest::mouseClick(select.okButton(), Qt::LeftButton);
    QVERIFY(select.isVisible());
    QCOMPARE(select.result(), int(QDialog::Rejected));
    QCOMPARE(select.descriptor(), found);
}

void tst_connectSelectDialog::doubleClick_data()
{
    QTest::addColumn<QString>("host"); // "" the group row
    QTest::addColumn<bool>("accepted");
    QTest::newRow("available module") << "127.43.4.1" << true;
    QTest::newRow("module of another model") << "127.43.4.3" << false;
    QTest::newRow("group row") << QString() << false;
}

void tst_connectSelectDialog::doubleClick()
{
    QFETCH(QString, host);
    QFETCH(bool, accepted);
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 2);
    select.show();
    QTreeWidgetItem *item = rowOf(select.tree(), host);
    QVERIFY(item);
    emit select.tree()->itemDoubleClicked(item, 1);
    QCOMPARE(select.isVisible(), !accepted);
    QCOMPARE(select.descriptor(), accepted ? tcpip(host) : tcpip("127.43.4.2"));
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
