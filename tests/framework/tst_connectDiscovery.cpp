// Auto Find (enumeration, parallel identification, sorting, the selection tree) and the
// selection dialog (OK, double-click, a repeated search).
#include "connectTestSupport.h"
#include "slowResponder.h"
#include "ts2900fp_spcSelect.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const char thisModel[] = "Tarsel Ltd.,Korvan 4720,47209481,1.0.0\n";
const char hint[] = "Select one available motherboard and then click \"OK\" \nor click \"Cancel\" to quit";
const QString a = tcpip("127.43.1.1"), b = tcpip("127.43.1.2"), otherModel = tcpip("127.43.1.3");

// Group rows, and module rows as "host|module text|selectable|descriptor".
void readTree(QTreeWidget *tree, QStringList &groups, QStringList &modules)
{
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = tree->topLevelItem(g);
        groups.append(group->text(0));
        QVERIFY(!(group->flags() & Qt::ItemIsSelectable));
        for (int m = 0; m < group->childCount(); ++m) {
            QTreeWidgetItem *module = group->child(m);
            // What cannot be chosen is greyed, so it does not look like what can.
            QCOMPARE(bool(module->flags() & Qt::ItemIsEnabled), bool(module->flags() & Qt::ItemIsSelectable));
            modules.append(QStringList{module->text(0), module->text(2),
                                       (module->flags() & Qt::ItemIsSelectable) ? "1" : "0",
                                       module->data(0, Qt::StatusTipRole).toString()}
                               .join('|'));
        }
    }
}

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

class tst_connectDiscovery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void identification_data();
    void identification();
    void manyResources();
    void closingProgressKeepsProbing();
    void choose_data();
    void choose();
    void tryAgainShowsLatestSearch();

private:
    testInstruments m_sims;
    fakePersonality m_spc;
};

void tst_connectDiscovery::initTestCase()
{
    QVERIFY(m_sims.start("127.43.1.1"));
    QVERIFY(m_sims.start("127.43.1.2"));
    QVERIFY(m_sims.start("127.43.1.3", "Tarsel Ltd.,Korvan 4711,12345678,1.0"));
    QVERIFY(m_sims.start("127.43.1.5", "Other Maker,Korvan 4720,1,1.0"));
}

void tst_connectDiscovery::identification_data()
{
    QTest::addColumn<QStringList>("resources");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("modules");

    const QString otherMaker = tcpip("127.43.1.5");
    QTest::newRow("two of this model, the last in order chosen")
        << QStringList{b, a} << 2 << b << QStringList{"TCPIP"}
        << QStringList{"127.43.1.1|4720 LXI|1|" + a, "127.43.1.2|4720 LXI|1|" + b};
    QTest::newRow("another model is shown, not offered")
        << QStringList{otherModel, a} << 1 << a << QStringList{"TCPIP"}
        << QStringList{"127.43.1.1|4720 LXI|1|" + a, "127.43.1.3|4711 LXI|0|" + otherModel};
    QTest::newRow("another maker") << QStringList{otherMaker} << 0 << QString() << QStringList{"TCPIP"}
                                   << QStringList{"127.43.1.5|LXI|0|" + otherMaker};
    QTest::newRow("VXI only: group row, no module")
        << QStringList{"VXI0::1::INSTR"} << 0 << QString() << QStringList{"VXI0"} << QStringList{};
    // Equal-comparing descriptors of different keys keep their listed order, and every
    // change of key opens a new group row.
    QTest::newRow("alternating group keys")
        << QStringList{"VXI0::1::INSTR", "vxi0::2::INSTR", "VXI0::3::INSTR"} << 0 << QString()
        << QStringList{"VXI0", "vxi0", "VXI0"} << QStringList{};
}

void tst_connectDiscovery::identification()
{
    QFETCH(QStringList, resources);
    QFETCH(int, count);
    QFETCH(QString, chosen);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, modules);
    setConfiguredResources(resources);
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), count);
    QCOMPARE(select.descriptor(), chosen);
    QStringList seenGroups, seenModules;
    readTree(select.tree(), seenGroups, seenModules);
    QCOMPARE(seenGroups, groups);
    QCOMPARE(seenModules, modules);
}

// 200 configured resources: 4 simulated instruments, 56 addresses where nobody listens and
// 140 late answerers that keep their probes busy, so the questions waiting at once show how
// many probes run in parallel. All are probed, every live one identified, 128 at most at once.
void tst_connectDiscovery::manyResources()
{
    QStringList slow, resources;
    for (int i = 1; i <= 140; ++i)
        slow.append(QStringLiteral("127.43.3.%1").arg(i));
    slowResponder responder(slow, 300, thisModel);
    QVERIFY(responder.start());
    for (const QString &address : slow)
        resources.append(tcpip(address));
    for (int i = 1; i <= 56; ++i)
        resources.insert(i * 3, tcpip(QStringLiteral("127.43.2.%1").arg(i)));
    testInstruments live;
    QStringList liveRows;
    for (int i = 201; i <= 204; ++i) {
        const QString address = QStringLiteral("127.43.2.%1").arg(i);
        QVERIFY(live.start(address.toStdString()));
        resources.insert((i - 200) * 40, tcpip(address));
        liveRows.append(address + "|4720 LXI|1|" + tcpip(address));
    }
    setConfiguredResources(resources);
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 144);
    QCOMPARE(responder.answered(), 140);
    QVERIFY2(responder.maxWaiting() <= 128, qPrintable(QString::number(responder.maxWaiting())));
    QVERIFY(responder.maxWaiting() > 1);
    QCOMPARE(select.descriptor(), tcpip("127.43.3.140"));
    QStringList groups, modules;
    readTree(select.tree(), groups, modules);
    QCOMPARE(modules.size(), 144);
    for (const QString &row : liveRows)
        QVERIFY2(modules.contains(row), qPrintable(row));
}

void tst_connectDiscovery::closingProgressKeepsProbing()
{
    QStringList addresses, resources;
    for (int i = 201; i <= 208; ++i) {
        addresses.append(QStringLiteral("127.43.3.%1").arg(i));
        resources.append(tcpip(addresses.last()));
    }
    slowResponder responder(addresses, 500, thisModel);
    QVERIFY(responder.start());
    setConfiguredResources(resources);
    ts2900fp_spcSelect select(&m_spc);
    bool closed = false;
    whenModal<QProgressDialog>([&closed](QProgressDialog *progress) { closed = progress->close(); });
    QCOMPARE(select.findModules(), 8);
    QVERIFY(closed);
    QCOMPARE(responder.answered(), 8);
}

// With two of this model and one of another found: OK is greyed with nothing, the group
// row or an unavailable module current (and pressed anyway stays open and writes the
// hint); OK or a double-click accepts only an available module.
void tst_connectDiscovery::choose_data()
{
    QTest::addColumn<QString>("row"); // see rowOf
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK, nothing current") << QString() << false << false;
    QTest::newRow("OK, group row current") << "group" << false << false;
    QTest::newRow("OK, another model current") << "127.43.1.3" << false << false;
    QTest::newRow("OK, available module current") << "127.43.1.2" << false << true;
    QTest::newRow("double-click available module") << "127.43.1.1" << true << true;
    QTest::newRow("double-click another model") << "127.43.1.3" << true << false;
    QTest::newRow("double-click group row") << "group" << true << false;
}

void tst_connectDiscovery::choose()
{
    QFETCH(QString, row);
    QFETCH(bool, doubleClick);
    QFETCH(bool, accepted);
    setConfiguredResources({a, b, otherModel});
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 2);
    select.show();
    QTreeWidgetItem *item = rowOf(select.tree(), row);
    if (doubleClick) {
        QVERIFY(item);
        emit select.tree()->itemDoubleClicked(item, 1);
    } else {
        select.tree()->setCurrentItem(item);
        QCOMPARE(select.okButton()->isEnabled(), accepted);
        if (!accepted)
            QTest::ignoreMessage(QtDebugMsg, hint);
        accepted ? QTest::mouseClick(select.okButton(), Qt::LeftButton) : select.okPressed();
        QCOMPARE(select.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
    }
    QCOMPARE(select.isVisible(), !accepted);
    QCOMPARE(select.descriptor(), accepted ? tcpip(row) : b);
}

void tst_connectDiscovery::tryAgainShowsLatestSearch()
{
    setConfiguredResources({a, b, otherModel});
    ts2900fp_spcSelect select(&m_spc);
    QCOMPARE(select.findModules(), 2);
    setConfiguredResources({a});
    QCOMPARE(select.findModules(), 1);
    QCOMPARE(select.tree()->topLevelItemCount(), 1);
    QCOMPARE(select.tree()->topLevelItem(0)->childCount(), 1);
    QCOMPARE(select.descriptor(), a);
}

QTEST_MAIN(tst_connectDiscovery)
#include "tst_connectDiscovery.moc"
