// A small window with the statistics of the shown channels over the visible time range.
#ifndef STATISTICSWINDOW_H
#define STATISTICSWINDOW_H

#include "plotStatistics.h"

#include <QColor>
#include <QDialog>
#include <QVector>

class QLabel;
class QTableWidget;

class statisticsWindow : public QDialog {
    Q_OBJECT
public:
    struct row {
        QString channel;  // "Ch 5"
        QColor color;
        plotStatistics values;
    };

    explicit statisticsWindow(QWidget *parent);

    // Replaces the table; unit is the displayed unit's text, times in seconds.
    void setRows(const QVector<row> &rows, const QString &unit, double from, double to);

    QTableWidget *table;

private:
    QLabel *m_range;
};

#endif
