// Resource discovery of the VISA library: the environment variable, the user's resource
// file, find lists, and the registration API.
#include "tsvisa_config.h"
#include "visa.h"

#include <QtTest>

class DiscoveryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void listsVariableAndFile();
    void findFailures();
    void registerAndUnregister();
    void resourceFilePath();

private:
    static QStringList find(const char *expression, ViStatus *status);
    void writeFile(const QByteArray &text);
    QByteArray readFile() const;

    QTemporaryDir m_configDir;
};

void DiscoveryTest::initTestCase()
{
    QVERIFY(m_configDir.isValid());
    qputenv("XDG_CONFIG_HOME", m_configDir.path().toLocal8Bit());
}

void DiscoveryTest::init()
{
    qputenv("TSVISA_RESOURCES", "");
    QFile::remove(m_configDir.path() + "/tsvisa/resources.conf");
}

QStringList DiscoveryTest::find(const char *expression, ViStatus *status)
{
    QStringList found;
    ViSession rm = VI_NULL;
    if (viOpenDefaultRM(&rm) != VI_SUCCESS)
        return found;
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar desc[VI_FIND_BUFLEN];
    *status = viFindRsrc(rm, expression, &list, &count, desc);
    // Walk the list as discovery does: viFindNext once more after the last entry.
    for (ViUInt32 i = 0; *status == VI_SUCCESS && i < count; ++i) {
        found << QString::fromLatin1(desc);
        const ViStatus next = viFindNext(list, desc);
        if (i + 1 == count && next != VI_ERROR_RSRC_NFOUND)
            found << "viFindNext did not report the end";
    }
    if (*status == VI_SUCCESS)
        viClose(list);
    viClose(rm);
    return found;
}

void DiscoveryTest::writeFile(const QByteArray &text)
{
    QDir().mkpath(m_configDir.path() + "/tsvisa");
    QFile file(m_configDir.path() + "/tsvisa/resources.conf");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray DiscoveryTest::readFile() const
{
    QFile file(m_configDir.path() + "/tsvisa/resources.conf");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void DiscoveryTest::listsVariableAndFile()
{
    qputenv("TSVISA_RESOURCES", "TCPIP::127.40.2.1::INSTR; VXI0::1::INSTR ;;"
                                "TCPIP::127.40.2.2::5025::SOCKET;not a descriptor");
    writeFile("# configured network devices\n\n"
              "TCPIP::127.40.2.3::INSTR   # the simulator\n"
              "  tcpip0::127.40.2.1::inst0::instr\n" // the variable's first entry again
              "GPIB0::5::INSTR\r\n"
              "TCPIP::127.40.2.3::INSTR\n");
    ViStatus status = VI_SUCCESS;
    const QStringList instr = find("?*INSTR", &status);
    QCOMPARE(status, ViStatus(VI_SUCCESS));
    QCOMPARE(instr, QStringList({"TCPIP::127.40.2.1::INSTR", "VXI0::1::INSTR",
                                 "TCPIP::127.40.2.3::INSTR", "GPIB0::5::INSTR"}));
    QCOMPARE(find("?*SOCKET", &status), QStringList({"TCPIP::127.40.2.2::5025::SOCKET"}));
    QCOMPARE(find("TCPIP?*", &status).size(), 3);
    QCOMPARE(find("[^T]?*", &status), QStringList({"VXI0::1::INSTR", "GPIB0::5::INSTR"}));
}

// No match clears the outputs; find lists belong to their manager; only a manager searches.
void DiscoveryTest::findFailures()
{
    ViStatus status = VI_SUCCESS;
    QVERIFY(find("?*INSTR", &status).isEmpty());
    QCOMPARE(status, ViStatus(VI_ERROR_RSRC_NFOUND));
    qputenv("TSVISA_RESOURCES", "TCPIP::127.40.2.2::5025::SOCKET;VXI0::1::INSTR;VXI0::2::INSTR");
    ViSession rm = VI_NULL;
    QCOMPARE(viOpenDefaultRM(&rm), ViStatus(VI_SUCCESS));
    ViFindList list = 77;
    ViUInt32 count = 77;
    ViChar desc[VI_FIND_BUFLEN] = "old";
    QCOMPARE(viFindRsrc(rm, "?**", &list, &count, desc), ViStatus(VI_ERROR_INV_EXPR));
    QCOMPARE(viFindRsrc(rm, "TCPIP?*INSTR", &list, &count, desc), ViStatus(VI_ERROR_RSRC_NFOUND));
    QCOMPARE(list, ViFindList(VI_NULL));
    QCOMPARE(count, ViUInt32(0));
    QCOMPARE(viFindRsrc(rm, "?*INSTR", &list, &count, desc), ViStatus(VI_SUCCESS));
    QCOMPARE(count, ViUInt32(2));
    QCOMPARE(viFindRsrc(list, "?*INSTR", nullptr, nullptr, desc), ViStatus(VI_ERROR_NSUP_OPER));
    QCOMPARE(viClose(rm), ViStatus(VI_SUCCESS));
    QCOMPARE(viFindNext(list, desc), ViStatus(VI_ERROR_INV_OBJECT));
    QCOMPARE(viClose(list), ViStatus(VI_ERROR_INV_OBJECT));
    QCOMPARE(viFindRsrc(rm, "?*INSTR", &list, &count, desc), ViStatus(VI_ERROR_INV_OBJECT));
    QCOMPARE(viClose(VI_NULL), ViStatus(VI_WARN_NULL_OBJECT));
}

void DiscoveryTest::registerAndUnregister()
{
    writeFile("# kept comment\nVXI0::1::INSTR\n");
    QVERIFY(tsvisa_registerResource("TCPIP::127.40.2.9::INSTR"));
    QVERIFY(tsvisa_registerResource("tcpip0::127.40.2.9::inst0::INSTR")); // same resource
    QVERIFY(!tsvisa_registerResource("not a descriptor"));
    QVERIFY(!tsvisa_registerResource(nullptr));
    QCOMPARE(readFile(), QByteArray("# kept comment\nVXI0::1::INSTR\nTCPIP::127.40.2.9::INSTR\n"));
    ViStatus status = VI_SUCCESS;
    QCOMPARE(find("TCPIP?*", &status), QStringList({"TCPIP::127.40.2.9::INSTR"}));

    QVERIFY(tsvisa_unregisterResource("TCPIP0::127.40.2.9::inst0::INSTR"));
    QCOMPARE(readFile(), QByteArray("# kept comment\nVXI0::1::INSTR\n"));
    QVERIFY(tsvisa_unregisterResource("TCPIP0::127.40.2.9::inst0::INSTR"));
    QVERIFY(find("TCPIP?*", &status).isEmpty());

    // A missing folder is created.
    QVERIFY(QDir(m_configDir.path() + "/tsvisa").removeRecursively());
    QVERIFY(tsvisa_registerResource("TCPIP::127.40.2.8::5030::SOCKET"));
    QCOMPARE(readFile(), QByteArray("TCPIP::127.40.2.8::5030::SOCKET\n"));
}

void DiscoveryTest::resourceFilePath()
{
    const QByteArray expected = QFile::encodeName(m_configDir.path() + "/tsvisa/resources.conf");
    QCOMPARE(tsvisa_resourceFilePath(nullptr, 0), size_t(expected.size()));
    char path[512];
    QCOMPARE(tsvisa_resourceFilePath(path, sizeof path), size_t(expected.size()));
    QCOMPARE(QByteArray(path), expected);
    char cut[5];
    QCOMPARE(tsvisa_resourceFilePath(cut, sizeof cut), size_t(expected.size()));
    QCOMPARE(QByteArray(cut), expected.left(4));
}

QTEST_GUILESS_MAIN(DiscoveryTest)
#include "discoveryTest.moc"
