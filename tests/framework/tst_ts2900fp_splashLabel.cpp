// The splash composition: texts where they belong, device picture only at its size.
#include "ts2900fp_splashLabel.h"

#include <QFontMetrics>
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

bool regionDiffers(const QImage &a, const QImage &b, const QRect &region)
{
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
    return false;
}

} // namespace

class tst_ts2900fp_splashLabel : public QObject {
    Q_OBJECT
private slots:
    void textsInTheirRectangles();
    void devicePicture_data();
    void devicePicture();
    void wrongPictureSizePrintsLine_data();
    void wrongPictureSizePrintsLine();
};

// Each text changes pixels inside its own rectangle and nothing between them.
void tst_ts2900fp_splashLabel::textsInTheirRectangles()
{
    const QImage base = QPixmap(QStringLiteral(":/fp_splash.png")).toImage();
    const QImage withTexts = ts2900fp_splashLabel(1.0f, 20, 4721, false, "Notice line",
                                                  "Description text").toImage();
    const QImage titleOnly = ts2900fp_splashLabel(1.0f, 20, 4721, false, QString(), QString()).toImage();
    QCOMPARE(withTexts.size(), base.size());

    QFont font;
    font.setBold(true);
    font.setPointSize(18);
    const int h18 = QFontMetrics(font).height();
    font.setPointSize(8);
    const int h8 = QFontMetrics(font).height();
    const QRect title(87, h18 / 2 + 236, 413, h18);
    const QRect description(87, 2 * h18 + 236, 413, 2 * (82 - h18) - 3 * h8);
    const QRect notice(87, 2 * (200 - h8), 413, h8);

    QVERIFY(regionDiffers(titleOnly.convertToFormat(base.format()), base, title));
    QVERIFY(regionDiffers(withTexts, titleOnly, description));
    QVERIFY(regionDiffers(withTexts, titleOnly, notice));
    // between the description and the notice the base image is untouched
    const QRect gap(87, description.bottom() + 1, 413, notice.top() - description.bottom() - 1);
    if (gap.height() > 0)
        QVERIFY(!regionDiffers(withTexts, titleOnly, gap));
    // the texts stay inside the text column
    QVERIFY(!regionDiffers(withTexts, titleOnly, QRect(0, 236, 86, base.height() - 236)));
}

void tst_ts2900fp_splashLabel::devicePicture_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("4720: picture of the right size") << 4720 << true;
    QTest::newRow("4721: PNG of a wrong size") << 4721 << false;
    QTest::newRow("4722: bitmap of a wrong size") << 4722 << false;
    QTest::newRow("4723: no picture") << 4723 << false;
}

void tst_ts2900fp_splashLabel::devicePicture()
{
    QFETCH(int, model);
    QFETCH(bool, drawn);
    const QImage base = QPixmap(QStringLiteral(":/fp_splash.png")).toImage();
    const QImage splash = ts2900fp_splashLabel(1.0f, 20, model, false, QString(), QString()).toImage();
    QCOMPARE(regionDiffers(splash.convertToFormat(base.format()), base, QRect(67, 43, 452, 194)), drawn);
}

void tst_ts2900fp_splashLabel::wrongPictureSizePrintsLine_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("diagnostic");
    QTest::newRow("4720") << "4720" << false;
    QTest::newRow("4721") << "4721" << true;
    QTest::newRow("4722") << "4722" << true;
}

void tst_ts2900fp_splashLabel::wrongPictureSizePrintsLine()
{
    QFETCH(QString, model);
    QFETCH(bool, diagnostic);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(composeChildFlag), model});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QByteArray out = child.readAllStandardOutput();
    QVERIFY2(out.contains("COMPOSED"), out.constData());
    QCOMPARE(out.contains(ts2900fp_splashLabel::wrongPictureLine), diagnostic);
    QCOMPARE(out.count('\n'), diagnostic ? 2 : 1);
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
