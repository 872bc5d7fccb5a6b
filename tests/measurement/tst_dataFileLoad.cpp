// Loading a data file into the plot windows: the load dialog, paging with the slider, and
// files that are too large, cut short, unreadable or cancelled while they load.
#include "acquisitionWindows.h"
#include "boxRecorder.h"
#include "dataFileLoad.h"
#include "dataFileReader.h"
#include "loadedFile.h"
#include "loadedFileView.h"
#include "loadedSamples.h"
#include "measurement_waveforms.h"
#include "panelContext.h"
#include "partLoadCfg.h"
#include "plotPaging.h"
#include "testFiles.h"
#include "chLabel.h"
#include "waveform.h"
#include "waveformCurve.h"

#include <QComboBox>
#include <QProgressDialog>
#include <QSlider>
#include <qwt_plot.h>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <csignal>
#include <thread>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

class tst_dataFileLoad : public QObject {
    Q_OBJECT
private slots:
    void paging_data();
    void paging();
    void loadDialog_data();
    void loadDialog();
    void loads_data();
    void loads();
    void cancelMidLoad();
    void samplesFollowLoadAndUnit();
    void lastSliderPosition();
    void viewReadsWindowsInPlace();
    void timeAxisTitle_data();
    void timeAxisTitle();

private:
    // Writes scans 0 .. scans - 1 into a file and loads the selection of them.
    int loadRows(const QString &name, int scans, const loadSelection &selection, loadedFileRecord &record);
    QTemporaryDir m_dir;
};

namespace {

const QByteArray columns = "Timestamp,Channel 1 [\xB0" "C] TC:K,Channel 3 [\xB0" "C] TC:J,\n";

// Row r: timestamp r/10 s, channel 1 reads r, channel 3 reads -r.
QByteArray rows(int from, int to)
{
    QByteArray text;
    for (int r = from; r < to; ++r)
        text += QByteArray::number(r / 10) + "." + QByteArray::number(r % 10 * 100000000).rightJustified(9, '0') + "," +
                QByteArray::number(r) + ".000000," + QByteArray::number(-r) + ".000000,\n";
    return text;
}

const QByteArray head = "sep=,\nKorvan 4720-AA\nClock Source:,PTP\nScan Rate:,10,Hz\n\n" + columns;

} // namespace

int tst_dataFileLoad::loadRows(const QString &name, int scans, const loadSelection &selection, loadedFileRecord &record)
{
    const QByteArray path = writeTestFile(m_dir, name, head + rows(0, scans));
    if (readDataFileHeader(path.constData(), &record) != 0)
        return -1;
    boxRecorder recorder;
    return dataFileLoad(nullptr).load(record, selection);
}

void tst_dataFileLoad::paging_data()
{
    QTest::addColumn<int>("scans");
    QTest::addColumn<int>("plotLength");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QList<int>>("expected");   // step, slider maximum, first, count
    QTest::newRow("1000 by 200, start") << 1000 << 200 << 0 << QList<int>{40, 20, 0, 200};
    QTest::newRow("1000 by 200, last") << 1000 << 200 << 20 << QList<int>{40, 20, 800, 200};
    QTest::newRow("1000 by 300, last shows the end") << 1000 << 300 << 11 << QList<int>{60, 11, 660, 340};
    QTest::newRow("plot length 4: step 1") << 10 << 4 << 6 << QList<int>{1, 6, 6, 4};
    QTest::newRow("everything on one page") << 500 << 500 << 0 << QList<int>{100, 0, 0, 500};
    QTest::newRow("plot length beyond the scans") << 30 << 300 << 3 << QList<int>{6, 0, 0, 30};
}

void tst_dataFileLoad::paging()
{
    QFETCH(int, scans);
    QFETCH(int, plotLength);
    QFETCH(int, slider);
    QFETCH(QList<int>, expected);
    const plotPaging p = plotPaging::of(scans, plotLength);
    const plotPaging::range r = p.shown(slider);
    QCOMPARE((QList<int>{p.scrollStep, p.sliderMaximum, r.first, r.count}), expected);
}

void tst_dataFileLoad::loadDialog_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("actions");   // first:N scans:N length:N edited all all2 preset ok
    QTest::addColumn<QList<int>>("expected"); // first (from 1), scans, plot length, accepted
    QTest::addColumn<int>("boxes");
    QTest::newRow("opens on everything") << 1000 << "ok" << QList<int>{1, 1000, 1000, 1} << 0;
    QTest::newRow("Out of range keeps it open") << 1000 << "first:500 scans:600 ok" << QList<int>{500, 600, 1000, 0} << 1;
    QTest::newRow("first scan limits the scans") << 1000 << "first:500 edited scans:600 ok" << QList<int>{500, 501, 501, 1} << 0;
    QTest::newRow("scans limit the plot length") << 1000 << "scans:300 edited ok" << QList<int>{1, 300, 300, 1} << 0;
    QTest::newRow("All selects every scan") << 1000 << "first:500 edited all ok" << QList<int>{1, 1000, 501, 1} << 0;
    QTest::newRow("All plot length") << 1000 << "length:50 all2 ok" << QList<int>{1, 1000, 1000, 1} << 0;
    QTest::newRow("previous selection") << 1000 << "preset ok" << QList<int>{201, 400, 100, 1} << 0;
    QTest::newRow("a single row") << 1 << "ok" << QList<int>{1, 1, 1, 1} << 0;
}

void tst_dataFileLoad::loadDialog()
{
    QFETCH(int, rows);
    QFETCH(QString, actions);
    QFETCH(QList<int>, expected);
    QFETCH(int, boxes);
    boxRecorder recorder;
    partLoadCfg dialog(nullptr, rows);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    for (const QString &action : actions.split(' ')) {
        const int value = action.section(':', 1).toInt();
        if (action.startsWith("first:"))
            dialog.firstScan->setValue(value);
        else if (action.startsWith("scans:"))
            dialog.numberOfScans->setValue(value);
        else if (action.startsWith("length:"))
            dialog.plotLength->setValue(value);
        else if (action == "edited")
            emit dialog.firstScan->editingFinished(), emit dialog.numberOfScans->editingFinished();
        else if (action == "all")
            dialog.allScans->click();
        else if (action == "all2")
            dialog.allPlotLength->click();
        else if (action == "preset")
            dialog.preset({200, 400, 100});
        else if (action == "ok")
            dialog.okButton->click();
    }
    const loadSelection s = dialog.selection();
    QCOMPARE((QList<int>{s.first + 1, s.scans, s.plotLength, int(accepted.count())}), expected);
    QCOMPARE(recorder.count("Out of range"), boxes);
}

void tst_dataFileLoad::loads_data()
{
    QTest::addColumn<QString>("damage");     // what happens to the file after its header was read
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("box");
    QTest::newRow("last page shows 800..999") << "" << 20 << 1000 << "";
    QTest::newRow("cut in row 601") << "cut" << 20 << 600 << "stopped at row 601 (line 607 of the file). The 600 scans";
    QTest::newRow("gone") << "remove" << 0 << 0 << "Cannot read";
    QTest::newRow("too large") << "small limit" << 0 << 0 << "need 1 MB of memory";
}

void tst_dataFileLoad::loads()
{
    QFETCH(QString, damage);
    QFETCH(int, slider);
    QFETCH(int, stored);
    QFETCH(QString, box);
    const QByteArray path = writeTestFile(m_dir, QTest::currentDataTag() + QString(".csv"), head + rows(0, 1000));
    loadedFileRecord record;
    QCOMPARE(readDataFileHeader(path.constData(), &record), 0);
    if (damage == "cut")
        QVERIFY(QFile(path).resize(qsizetype(head.size() + rows(0, 600).size() + 5)));
    if (damage == "remove")
        QVERIFY(QFile::remove(path));
    QVERIFY(plotWindows().allocate(1, 7, 1));   // what was shown before
    boxRecorder recorder;
    if (!box.isEmpty())
        recorder.expect(box);
    const loadSelection selection{0, 1000, 200};
    QCOMPARE(dataFileLoad(nullptr, damage == "small limit" ? 1000 : dataFileLoad::systemMemoryLimit()).load(record, selection), stored);
    QCOMPARE(recorder.count(box.isEmpty() ? "\n" : box), box.isEmpty() ? 0 : 1);
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    const acquisitionWindows &w = plotWindows();
    QCOMPARE(w.dataLength(), damage == "small limit" ? 7 : stored ? 1000 : 0);  // refused: left as it was
    if (stored == 0)
        return;
    QCOMPARE(w.plotDataPtr, stored);
    const plotPaging::range r = plotPaging::of(stored, w.plotLength).shown(slider);
    const int last = r.first + r.count - 1;
    QCOMPARE((QList<double>{w.window(0)[r.first], w.window(1)[last], w.timeWindow()[last]}),
             (QList<double>{double(stored - 200), double(-last), last / 10.0}));
}

// Cancel pressed while rows still arrive: the thread ends, nothing is kept, no box.
void tst_dataFileLoad::cancelMidLoad()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a named pipe");
#else
    std::signal(SIGPIPE, SIG_IGN);
    const QByteArray path = writeTestFile(m_dir, "one.csv", head + rows(0, 1));
    loadedFileRecord record;
    QCOMPARE(readDataFileHeader(path.constData(), &record), 0);
    const QByteArray pipe = m_dir.filePath("pipe.csv").toLocal8Bit();
    QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
    qstrncpy(record.path, pipe.constData(), sizeof record.path);
    // Rows keep coming until the reader closes the pipe (or 100 MB, so nothing can hang).
    std::thread writer([&] {
        const int fd = ::open(pipe.constData(), O_WRONLY);
        QByteArray text = head;
        for (int r = 0; fd >= 0 && r < 3000000; r += 1000) {
            text += rows(r, r + 1000);
            if (::write(fd, text.constData(), size_t(text.size())) != text.size())
                break;
            text.clear();
        }
        ::close(fd);
    });
    int cancelledAt = 0;
    QTimer press;
    connect(&press, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->value() > 0 && !cancelledAt) {
                cancelledAt = progress->value();
                progress->findChild<QPushButton *>()->click();
            }
    });
    press.start(10);
    boxRecorder recorder;
    const int loaded = dataFileLoad(nullptr).load(record, {0, 3000000, 1000});
    writer.join();
    QVERIFY(cancelledAt > 0 && cancelledAt < 3000000);
    QCOMPARE(loaded, 0);
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    QCOMPARE(plotWindows().dataLength(), 0);
#endif
}

// The plot samples of a load: made once per unit, in that unit, gone with the load.
void tst_dataFileLoad::samplesFollowLoadAndUnit()
{
    loadedFileRecord record;
    QCOMPARE(loadRows("copies.csv", 50, {10, 40, 20}, record), 40);
    loadedSamples samples;
    QVERIFY(samples.update(temperatureUnit::of('C')));
    const plotSamples::ptr celsius = samples.window(1);
    QVERIFY(samples.update(temperatureUnit::of('C')));
    QCOMPARE(samples.window(1), celsius);   // not made again
    QVERIFY(samples.update(temperatureUnit::of('K')));
    QCOMPARE((QList<double>{(*celsius)[0], (*samples.window(0))[39], (*samples.time())[39], double(samples.scans())}),
             (QList<double>{-10.0, 49 + 273.15, 4.9, 40.0}));
    QVERIFY(!samples.window(2));
    plotWindows().free();
    samples.clear();
    QVERIFY(!samples.update(temperatureUnit::of('C')));
}

// 1000 scans, plot length 200, slider at its end: the pane shows scans 800..999 of the two
// channels the file holds, with the time axis along; absent channels stay disabled.
void tst_dataFileLoad::lastSliderPosition()
{
    loadedFileRecord record;
    QCOMPARE(loadRows("pane.csv", 1000, {0, 1000, 200}, record), 1000);
    waveform pane(nullptr, record.channelCount, true);
    const QVector<bool> present = loadedFileView::channelsInFile(record);
    for (int i = 0; i < pane.labels.size(); ++i)
        pane.labels[i]->setChannelEnabled(present[i]);
    loadedSamples samples;
    QVERIFY(samples.update(pane.displayUnit()));
    const plotPaging paging = plotPaging::of(1000, 200);
    loadedFileView::setUpSlider(&pane, paging);
    QCOMPARE(pane.positionSlider->maximum(), 20);
    pane.positionSlider->setValue(20);
    loadedFileView::draw(&pane, samples, paging, true);
    auto ends = [](QwtPlotCurve *c) { return QList<QPointF>{c->sample(0), c->sample(c->dataSize() - 1)}; };
    QCOMPARE(ends(pane.curves[0]), (QList<QPointF>{{80.0, 800.0}, {99.9, 999.0}}));
    QCOMPARE(ends(pane.curves[2]), (QList<QPointF>{{80.0, -800.0}, {99.9, -999.0}}));
    QCOMPARE(pane.curves[1]->dataSize(), size_t(0));
    QVERIFY(!pane.labels[1]->isEnabled() && pane.labels[2]->isEnabled());
    QCOMPARE(pane.plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 99.9);
}

// The viewer's panes read the loaded windows in place: a unit change draws converted values,
// a second load drops the first one's samples from every pane before its windows go (a pane
// painted then would read freed memory), and a pane's slider moves that pane's time axis only.
void tst_dataFileLoad::viewReadsWindowsInPlace()
{
    panelContext context;
    context.demo = context.viewer = true;
    measurement_waveforms view(context, nullptr);
    QCOMPARE(loadRows("first.csv", 100, {0, 100, 100}, loadedFile()), 100);
    view.showLoadedFile(100, 100);
    view.unit->setCurrentIndex(view.unit->findData(QChar('F')));
    QwtPlotCurve *const curve = view.plots[0]->curves[2];
    QCOMPARE((QList<QPointF>{curve->sample(0), curve->sample(50)}), (QList<QPointF>{{0.0, 32.0}, {5.0, -58.0}}));

    QCOMPARE(loadRows("second.csv", 200, {100, 100, 20}, loadedFile()), 100);
    for (waveform *plot : view.plots)
        for (QwtPlotCurve *c : plot->curves)
            QCOMPARE(c->dataSize(), size_t(0));
    view.plots[0]->grab();
    view.showLoadedFile(100, 20);
    QCOMPARE((QList<QPointF>{curve->sample(0), curve->sample(19)}), (QList<QPointF>{{10.0, -148.0}, {11.9, -182.2}}));
    view.plots[0]->positionSlider->setValue(2);   // scroll step 4: scans 8 .. 27 of the load
    const auto timeAxisFrom = [&](int p) { return view.plots[p]->plot->axisScaleDiv(QwtPlot::xBottom).lowerBound(); };
    QCOMPARE((QList<double>{timeAxisFrom(0), timeAxisFrom(1), curve->sample(0).y()}), (QList<double>{10.8, 10.0, -162.4}));
    plotWindows().free();
    QCOMPARE(curve->dataSize(), size_t(0));
}

void tst_dataFileLoad::timeAxisTitle_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("firstColumn");
    QTest::addColumn<QString>("title");
    QTest::newRow("timestamps") << QByteArray("Clock Source:,Rear Panel Line 1\n") << QByteArray("Timestamp,") << "Seconds (PTP timestamps)";
    QTest::newRow("scan rate 0") << QByteArray("Clock Source:,Internal\nScan Rate:,0,Hz\n") << QByteArray() << "Scans";
    QTest::newRow("no scan rate line") << QByteArray("Clock Source:,Internal\n") << QByteArray() << "Scans";
    QTest::newRow("ptp") << QByteArray("Clock Source:,ptp\nScan Rate:,10,Hz\n") << QByteArray() << "Seconds";
    QTest::newRow("internal") << QByteArray("Clock Source:,Internal\nScan Rate:,10,Hz\n") << QByteArray() << "Seconds";
    QTest::newRow("external clock") << QByteArray("Clock Source:,Rear Panel Line 1\nScan Rate:,10,Hz\n") << QByteArray() << "Scans";
}

void tst_dataFileLoad::timeAxisTitle()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, firstColumn);
    QFETCH(QString, title);
    const QByteArray path = writeTestFile(m_dir, QTest::currentDataTag() + QString(".csv"),
                                          header + "\n" + firstColumn + "Channel 2 [\xB0" "C] TC:K,\n" + firstColumn + "1.5,\n");
    loadedFileRecord record;
    QCOMPARE(readDataFileHeader(path.constData(), &record), 0);
    QCOMPARE(loadedFileView::timeAxisTitle(record), title);
}

QTEST_MAIN(tst_dataFileLoad)
#include "tst_dataFileLoad.moc"
