// The PTP alarm date and time: day, month, year, hour, minute, second (UTC) and "Now".
#ifndef TS4720_PTPALARM_H
#define TS4720_PTPALARM_H

#include <QWidget>

class QSpinBox;

class PTPalarm : public QWidget {
    Q_OBJECT
public:
    explicit PTPalarm(QWidget *parent = nullptr);

    // Seconds since 1970, shown as UTC calendar time.
    void setTime(quint32 seconds);
    // The fields read as UTC, in seconds since 1970.
    quint32 alarmTime() const;

    QSpinBox *day, *month, *year, *hour, *minute, *second;

signals:
    void setNow();
};

#endif
