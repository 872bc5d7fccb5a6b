// Getting numbers and pictures out of a waveform plot: statistics and saved images.
#include "boxRecorder.h"
#include "chLabel.h"
#include "modelText.h"
#include "standardDialogs.h"
#include "statisticsWindow.h"
#include "waveform.h"

#include <qwt_plot.h>

#include <QClipboard>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

namespace {
const double notANumber = std::numeric_limits<double>::quiet_NaN();

// Chooses an entry of the pane's "Export" menu, as a user does.
void chooseExport(waveform &w, const QString &entry)
{
    for (QToolButton *button : w.findChildren<QToolButton *>()) {
        if (button->text() != QLatin1String("Export"))
            continue;
        for (QAction *action : button->menu()->actions())
            if (action->text() == entry)
                action->trigger();
        return;
    }
    QFAIL("no Export menu");
}
} // namespace

class tst_waveformExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ts2900fp_setModelText(QStringLiteral("4720")); }
    void statistics_data();
    void statistics();
    void saveImage_data();
    void saveImage();
};

void tst_waveformExport::statistics_data()
{
    QTest::addColumn<QChar>("unit");
    QTest::newRow("degrees Celsius") << QChar('C');
    QTest::newRow("degrees Fahrenheit") << QChar('F');
}

void tst_waveformExport::statistics()
{
    QFETCH(QChar, unit);
    waveform w(nullptr, 16, false);
    w.setDisplayUnit(unit);
    const int n = 10000;
    std::vector<double> time(n), a(n), b(n, notANumber);
    for (int i = 0; i < n; ++i) {
        time[size_t(i)] = i * 0.001;
        a[size_t(i)] = (i % 7 == 3) ? notANumber : 20.0 + (i % 13) * 0.5;
    }
    w.setCurveSamples(0, time.data(), a.data(), n);
    w.setCurveSamples(2, time.data(), b.data(), n);
    w.setCurveSamples(3, time.data(), a.data(), n);
    for (int i = 4; i < 16; ++i)
        w.labels[i]->setChannelEnabled(false);  // channels without data
    w.labels[1]->setChannelEnabled(false);
    w.labels[3]->setShown(false);
    w.attachShownCurves();
    w.plot->setAxisScale(QwtPlot::xBottom, 2.0, 5.0);
    w.plot->replot();
    chooseExport(w, "Statistics");
    auto *window = w.findChild<statisticsWindow *>();
    QVERIFY(window && window->isVisible() && !window->isModal());
    // Expected values, from the samples at 2 s to 5 s, in the displayed unit.
    const double scale = unit == 'F' ? 1.8 : 1.0, offset = unit == 'F' ? 32.0 : 0.0;
    int points = 0, open = 0;
    std::vector<double> shown;
    for (int i = 2000; i <= 5000; ++i) {
        ++points;
        if (std::isnan(a[size_t(i)]))
            ++open;
        else
            shown.push_back(a[size_t(i)] * scale + offset);
    }
    double sum = 0.0, squares = 0.0;
    for (double v : shown)
        sum += v;
    const double mean = sum / shown.size();
    for (double v : shown)
        squares += (v - mean) * (v - mean);
    const auto [low, high] = std::minmax_element(shown.begin(), shown.end());
    const QStringList channel1 = {"Ch 1", QString::number(*low, 'f', 3), QString::number(*high, 'f', 3),
                                  QString::number(mean, 'f', 3), QString::number(std::sqrt(squares / shown.size()), 'f', 3),
                                  QString::number(points), QString::number(open)};
    const QStringList channel3 = {"Ch 3", "-", "-", "-", "-", QString::number(points), QString::number(points)};
    QTableWidget *table = window->table;
    QCOMPARE(table->rowCount(), 2);  // the hidden channel 4 is left out
    for (int row = 0; row < 2; ++row) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells.append(table->item(row, c)->text());
        QCOMPARE(cells, row == 0 ? channel1 : channel3);
    }
    QVERIFY(table->horizontalHeaderItem(1)->text().endsWith(unit == 'F' ? QStringLiteral("\u00b0F)") : QStringLiteral("\u00b0C)")));
}

void tst_waveformExport::saveImage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");  // empty: the file cannot be written
    QTest::newRow("PNG, suffix from the filter") << "pane" << "PNG image (*.png)" << "pane.png";
    QTest::newRow("PDF") << "pane.pdf" << "PDF document (*.pdf)" << "pane.pdf";
    QTest::newRow("folder missing") << "missing/pane.png" << "PNG image (*.png)" << "";
}

void tst_waveformExport::saveImage()
{
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QTemporaryDir folder;
    waveform w(nullptr, 16, false);
    w.resize(900, 500);
    w.show();
    const double time[] = {0.0, 0.5, 1.0};
    const double values[] = {20.0, 25.0, 22.0};
    for (int i = 0; i < 16; ++i)
        w.setCurveSamples(i, time, values, 3);
    w.attachShownCurves();
    w.plot->replot();
    standardDialogs::setSaveFileHandler([&](QWidget *, const QString &, const QString &, const QString &, QString *chosen) {
        *chosen = filter;
        return folder.filePath(name);
    });
    boxRecorder boxes;
    chooseExport(w, "Save Image...");
    standardDialogs::setSaveFileHandler({});
    if (written.isEmpty()) {
        const QStringList shown = boxes.titledTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("Korvan 4720 SFP: Cannot write '"));
        return;
    }
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (written.endsWith(".pdf")) {
        QVERIFY(file.read(5) == "%PDF-");
        return;
    }
    const QImage image(folder.filePath(written), "PNG");
    QCOMPARE(image.width(), w.plot->width());
    QVERIFY(image.height() > w.plot->height());  // the legend strip below the plot
    QVERIFY(image.height() < w.plot->height() + 200);
    // "Copy Image" puts the same picture on the clipboard.
    chooseExport(w, "Copy Image");
    QCOMPARE(QApplication::clipboard()->image().size(), image.size());
}

QTEST_MAIN(tst_waveformExport)
#include "tst_waveformExport.moc"
