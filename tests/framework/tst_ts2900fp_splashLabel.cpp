// The splash composition: the device picture only at its size, a diagnostic line otherwise.
#include "ts2900fp_splashLabel.h"

#include <QImage>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char composeChildFlag[] = "--compose";

int runComposeChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    const ts2900fp_splashLabel splash(1.0f, 20, std::atoi(argv[2]), false, "notice", "description");
    std::printf("COMPOSED %dx%d\n", splash.width(), splash.height());
    return 0;
}

} // namespace

class tst_ts2900fp_splashLabel : public QObject {
    Q_OBJECT
private slots:
    void devicePicture_data();
    void devicePicture();
};

void tst_ts2900fp_splashLabel::devicePicture_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("4720: picture of the right size") << 4720 << true;
    QTest::newRow("4721: PNG of a wrong size") << 4721 << false;
    QTest::newRow("4722: bitmap of a wrong size") << 4722 << false;
    QTest::newRow("4723: no picture") << 4723 << false;
}

// The picture changes the device area of the base image; a missing or wrong-sized one
// leaves it alone and prints one diagnostic line (in a child, to see its output).
void tst_ts2900fp_splashLabel::devicePicture()
{
    QFETCH(int, model);
    QFETCH(bool, drawn);
    const QImage base = QPixmap(QStringLiteral(":/fp_splash.png")).toImage();
    const QImage splash = ts2900fp_splashLabel(1.0f, 20, model, false, QString(), QString()).toImage();
    const QImage device = splash.convertToFormat(base.format()).copy(67, 43, 452, 194);
    QCOMPARE(device != base.copy(67, 43, 452, 194), drawn);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(composeChildFlag), QString::number(model)});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QByteArray out = child.readAllStandardOutput();
    QVERIFY2(out.contains("COMPOSED"), out.constData());
    QCOMPARE(out.contains(ts2900fp_splashLabel::wrongPictureLine), !drawn);
    QCOMPARE(out.count('\n'), drawn ? 1 : 2);
}

int main(int argc, char **argv)
{
    if (argc > 2 && std::strcmp(argv[1], composeChildFlag) == 0)
        return runComposeChild(argc, argv);
    QApplication app(argc, argv);
    tst_ts2900fp_splashLabel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ts2900fp_splashLabel.moc"
