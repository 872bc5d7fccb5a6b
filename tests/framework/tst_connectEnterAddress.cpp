// The enter-address dialog and its file of remembered descriptors.
#include "connectTestSupport.h"
#include "ts2900fp_spcEnterAddress.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString factoryDefault = QStringLiteral("TCPIP::192.168.2.60::INSTR");

// Keys "1.Descriptor" .. "5.Descriptor" of a model's group: read all five, or write the given.
QStringList keys(const QString &path, const QString &group, const QStringList &write = {})
{
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(group);
    QStringList read;
    for (int n = 1; n <= 5; ++n) {
        const QString key = QStringLiteral("%1.Descriptor").arg(n);
        if (n <= write.size())
            settings.setValue(key, write.at(n - 1));
        read.append(settings.value(key).toString());
    }
    return read;
}

QStringList comboItems(QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace

class tst_connectEnterAddress : public QObject {
    Q_OBJECT
private slots:
    void init();
    void location();
    void remembered_data();
    void remembered();
    void unwritableFileStillReturnsTheEntry();

private:
    QTemporaryDir m_dir;
    fakePersonality m_spc;
};

void tst_connectEnterAddress::init()
{
    QVERIFY(m_dir.isValid());
    qputenv("ALLUSERSPROFILE", m_dir.path().toLocal8Bit());
    QFile::remove(m_dir.path() + "/Tarsel/DefaultInstrDescr.ini");
}

// ALLUSERSPROFILE when set and not empty, else the generic configuration folder.
void tst_connectEnterAddress::location()
{
    const QString file = "/Tarsel/DefaultInstrDescr.ini";
    QCOMPARE(ts2900fp_spcEnterAddress::defaultSettingsPath(), m_dir.path() + file);
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + file;
    qunsetenv("ALLUSERSPROFILE");
    QCOMPARE(ts2900fp_spcEnterAddress::defaultSettingsPath(), fallback);
    qputenv("ALLUSERSPROFILE", "");
    QCOMPARE(ts2900fp_spcEnterAddress::defaultSettingsPath(), fallback);
}

void tst_connectEnterAddress::remembered_data()
{
    QTest::addColumn<QStringList>("before"); // keys 1..5 of group 4720; empty: no file
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QStringList>("after");

    QStringList five;
    for (int n = 1; n <= 5; ++n)
        five.append(QStringLiteral("TCPIP::10.0.0.%1::INSTR").arg(n));
    QTest::newRow("first use offers the default")
        << QStringList{} << QStringList{factoryDefault} << factoryDefault
        << QStringList{factoryDefault, "", "", "", ""};
    QTest::newRow("third moves to the front")
        << five << five << five.at(2)
        << QStringList{five.at(2), five.at(0), five.at(1), five.at(3), five.at(4)};
    QTest::newRow("a sixth drops the oldest")
        << five << five << "VXI0::1::INSTR"
        << QStringList{"VXI0::1::INSTR", five.at(0), five.at(1), five.at(2), five.at(3)};
    QTest::newRow("empty keys between are skipped")
        << QStringList{five.at(0), "", five.at(2), "", ""} << QStringList{five.at(0), five.at(2)}
        << five.at(3) << QStringList{five.at(3), five.at(0), five.at(2), "", ""};
    QTest::newRow("only empty keys offer the default")
        << QStringList{"", "", "", "", ""} << QStringList{factoryDefault} << five.at(0)
        << QStringList{five.at(0), "", "", "", ""};
    QTest::newRow("comparison is case-sensitive")
        << QStringList{"tcpip::10.0.0.1::instr"} << QStringList{"tcpip::10.0.0.1::instr"}
        << five.at(0) << QStringList{five.at(0), "tcpip::10.0.0.1::instr", "", "", ""};
    QTest::newRow("blanks around are no part of it")
        << QStringList{five.at(0)} << QStringList{five.at(0)} << " " + five.at(1) + "\t"
        << QStringList{five.at(1), five.at(0), "", "", ""};
    QTest::newRow("an empty entry is not saved")
        << QStringList{five.at(0), five.at(1)} << QStringList{five.at(0), five.at(1)} << QString()
        << QStringList{five.at(0), five.at(1), "", "", ""};
}

void tst_connectEnterAddress::remembered()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, offered);
    QFETCH(QString, entered);
    QFETCH(QStringList, after);

    ts2900fp_spcEnterAddress dialog(&m_spc);
    const QString path = dialog.settingsPath();
    const QStringList otherModel{"TCPIP::10.9.9.9::INSTR", "", "", "", ""};
    keys(path, " 471", otherModel);
    keys(path, "4720", before);

    dialog.loadDescriptors();
    QCOMPARE(comboItems(dialog.combo()), offered);
    QCOMPARE(dialog.combo()->currentText(), offered.first());
    dialog.combo()->setEditText(entered);
    const QStringList stored = keys(path, "4720");
    const QString taken = dialog.takeDescriptor();
    QCOMPARE(taken, entered.trimmed());
    // Taking is not remembering: only an address that opened is, which the start-up dialogue says.
    QCOMPARE(keys(path, "4720"), stored);
    dialog.rememberDescriptor(taken);
    QCOMPARE(keys(path, "4720"), after);
    QCOMPARE(keys(path, " 471"), otherModel);
}

void tst_connectEnterAddress::unwritableFileStillReturnsTheEntry()
{
    // A plain file where the folder should be: nothing can be written below it.
    QVERIFY(QDir(m_dir.path() + "/Tarsel").removeRecursively());
    QFile blocker(m_dir.path() + "/Tarsel");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ts2900fp_spcEnterAddress dialog(&m_spc);
    dialog.loadDescriptors();
    QCOMPARE(comboItems(dialog.combo()), QStringList{factoryDefault});
    dialog.combo()->setEditText("TCPIP::10.1.2.3::INSTR");
    QCOMPARE(dialog.takeDescriptor(), QString("TCPIP::10.1.2.3::INSTR"));
    dialog.rememberDescriptor("TCPIP::10.1.2.3::INSTR");
    QVERIFY(QFile::remove(blocker.fileName()));
}

QTEST_MAIN(tst_connectEnterAddress)
#include "tst_connectEnterAddress.moc"
