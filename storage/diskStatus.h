// A disk's capacity box: total, used and free space.
#ifndef TS4720_DISKSTATUS_H
#define TS4720_DISKSTATUS_H

#include <QGroupBox>

class QLabel;

class diskStatus : public QGroupBox {
    Q_OBJECT
public:
    explicit diskStatus(const QString &title, QWidget *parent = nullptr);

    // Sizes in kB; a total that is not positive shows "-" everywhere.
    void setCapacity(qint64 totalKB, qint64 freeKB);
    QString totalText() const;
    QString usedText() const;
    QString freeText() const;

private:
    QLabel *m_total;
    QLabel *m_used;
    QLabel *m_free;
};

#endif
