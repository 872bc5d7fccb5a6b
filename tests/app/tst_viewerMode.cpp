// Viewer mode end to end: a file recorded by the acquisition page against a simulated
// instrument, opened as the program opens it, shown in the Waveforms view with the values
// recorded, the instrument's actions disabled, and Reload offering the last selection.
#include "acqConfig.h"
#include "acquisitionRun.h"
#include "boxRecorder.h"
#include "chLabel.h"
#include "dataFileReader.h"
#include "loadedFile.h"
#include "mainPanelFactory.h"
#include "measurement.h"
#include "measurement_acquisition.h"
#include "measurement_waveforms.h"
#include "partLoadCfg.h"
#include "testInstrument.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "waveform.h"
#include "waveformCurve.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <qwt_plot.h>

#include <cmath>

namespace {
const int kArea = 29;
} // namespace

class tst_viewerMode : public QObject {
    Q_OBJECT
private slots:
    void recordedFileAsViewer();

private:
    // 230 scans of channels 2, 5 (open) and 7 of a 16-channel instrument at 100 Hz, with
    // timestamps and voltage, into a local file; its data rows.
    QStringList record(const QString &path);
    QTemporaryDir m_dir;
};

QStringList tst_viewerMode::record(const QString &path)
{
    testInstrument ti;
    if (!ti.start(testOptions(testAddress(kArea), "AA")))
        return {};
    measurement_acquisition page(ti.context(16));
    page.askOutputFile = [&](acqConfig *dialog) {
        dialog->path->setText(path);
        return dialog->checkPath(true);
    };
    for (int ch = 1; ch <= 16; ++ch)
        ts4720_setChannelState(ti.vi, ViInt16(ch), ch == 2 || ch == 5 || ch == 7);
    ti.command("SIM:CHAN:OPEN 5,1");
    page.scanRate->setValue(100);
    page.stopMode->setCurrentIndex(page.stopMode->findData(0));
    page.numberOfScans->setValue(230);
    page.storage->setCurrentIndex(page.storage->findText("Local Hard Drive"));
    page.storeTimestamps->setChecked(true);
    page.storeVoltage->setChecked(true);
    page.startAcquisition();
    if (!QTest::qWaitFor([&] { return !page.run->running(); }, 20000))
        return {};
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith("Timestamp,"))
            return lines.mid(i + 1);
    return {};
}

void tst_viewerMode::recordedFileAsViewer()
{
    boxRecorder boxes;
    const QString path = m_dir.filePath("recorded.csv");
    const QStringList rows = record(path);
    QCOMPARE(rows.size(), 230);
    QCOMPARE(readDataFileHeader(path.toLocal8Bit().constData(), &loadedFile()), 0);

    // Scans 11 .. 210, 50 on the plot: step 10, slider 0 .. 15.
    QList<loadSelection> offered;
    partLoadCfg::setHandler([&](partLoadCfg *dialog) {
        offered << dialog->selection();
        dialog->firstScan->setValue(11);
        dialog->numberOfScans->setValue(200);
        dialog->plotLength->setValue(50);
        dialog->okButton->click();
        return dialog->result();
    });
    ts4720_spc spc;
    std::unique_ptr<ts2900fp_app> panel = createMainPanel(spc, true);
    QVERIFY(showLoadedFile(*panel));
    auto *tab = panel->findChild<measurement *>();
    waveform *pane = tab->waveforms->plots[0];
    QCOMPARE(pane->positionSlider->maximum(), 15);
    pane->positionSlider->setValue(15);   // the last scans: 160 .. 209 of the selection
    for (int i = 0; i < 16; ++i)
        QCOMPARE(pane->labels[i]->isEnabled(), i == 1 || i == 4 || i == 6);
    QCOMPARE(pane->plot->axisTitle(QwtPlot::xBottom).text(), QString("Seconds (PTP timestamps)"));
    const double firstStamp = rows[0].section(',', 0, 0).toDouble();
    for (int i : {0, 49}) {
        const QStringList f = rows[10 + 150 + i].split(',');
        QCOMPARE(pane->curves[1]->sample(size_t(i)).y(), f[1].toDouble());
        QVERIFY(std::isnan(pane->curves[4]->sample(size_t(i)).y()) && f[3] == "nan");
        QCOMPARE(pane->curves[6]->sample(size_t(i)).y(), f[5].toDouble());
        QVERIFY(std::fabs(pane->curves[6]->sample(size_t(i)).x() - (f[0].toDouble() - firstStamp)) < 1e-6);
    }

    // Every instrument action is off; the file's settings fill the acquisition page.
    auto *main = static_cast<ts4720fp_App *>(panel.get());
    QVERIFY(!main->mainTabs()->isTabEnabled(ts4720fp_App::internalStorageTab));
    QVERIFY(!main->saveConfigurationButton()->isEnabled());
    QVERIFY(!tab->acquisition->startButton->isEnabled() && !tab->acquisition->configurationGroup->isEnabled());
    QCOMPARE(tab->acquisition->scanRate->value(), 100.0);

    // Reload offers the last selection.
    QVERIFY(tab->waveforms->reload->isVisible() || !panel->isVisible());
    tab->waveforms->reload->click();
    QCOMPARE(offered.size(), 2);
    QCOMPARE((QList<int>{offered[1].first, offered[1].scans, offered[1].plotLength}), (QList<int>{10, 200, 50}));
    partLoadCfg::setHandler(nullptr);
}

QTEST_MAIN(tst_viewerMode)
#include "tst_viewerMode.moc"
