// The header of the channel table: column captions and the buttons that act on all rows.
#ifndef TS4720_TABLEHEADER_H
#define TS4720_TABLEHEADER_H

#include <QWidget>

class QGridLayout;
class columnWidths;
class QPushButton;

class tableHeader : public QWidget {
    Q_OBJECT
public:
    explicit tableHeader(QWidget *parent = nullptr);

    QPushButton *enableAllChannels = nullptr;
    QPushButton *enableAllOTD = nullptr;
    QPushButton *disableAllThresholdsButton = nullptr;
    QPushButton *typeButton(int typeId) const;

signals:
    void toggleChannelEnable();
    void toggleOTDenable();
    void setAllChannelsType(int typeId);
    void disableAllThresholds();

private:
    QWidget *cell(int width = -1);
    QWidget *captionCell(const QString &caption, int width, bool wrap, QPushButton *below = nullptr);
    void addTypeColumns(QGridLayout *grid, const columnWidths &widths);
    void addThresholdColumns(QGridLayout *grid, const columnWidths &widths);

    QString m_cellStyle;
    QFont m_boldFont;
    QPushButton *m_typeButtons[10] = {};
};

#endif
