// The "Load Data File" dialog: which scans of a data file to load, and the plot length.
#ifndef TS4720_PARTLOADCFG_H
#define TS4720_PARTLOADCFG_H

#include <QDialog>

#include <functional>

class QPushButton;
class QSpinBox;

// A load selection: first scan (from 0), number of scans, plot length; all 0 before the
// first load.
struct loadSelection {
    int first = 0;
    int scans = 0;
    int plotLength = 0;
};

class partLoadCfg : public QDialog {
    Q_OBJECT
public:
    // panel lends its window icon; rows is the file's row count.
    partLoadCfg(QWidget *panel, int rows);

    // The boxes from a previous selection (nothing when it has no scans), as far as this
    // file's rows allow.
    void preset(const loadSelection &previous);
    loadSelection selection() const;

    // Runs the dialog modally, or hands it to the installed handler (tests, benchmarks),
    // which plays the user's part instead.
    int run();
    using Handler = std::function<int(partLoadCfg *)>;
    static void setHandler(Handler handler);

    QSpinBox *firstScan;
    QSpinBox *numberOfScans;
    QSpinBox *plotLength;
    QPushButton *allScans;
    QPushButton *allPlotLength;
    QPushButton *okButton;

public slots:
    void setAllSlot();
    void setAll2Slot();
    void checkValuesAndAccept();
    void updateNumberOfScans();

private:
    void limitScans();
    void limitPlotLength();

    int m_rows;
};

#endif
