// The About box: product heading, notice, picture, software revisions and one hardware
// information page per instrument, paged with Previous/Next.
#ifndef TS2900FP_ABOUT_H
#define TS2900FP_ABOUT_H

#include <QDialog>
#include <QList>
#include <QString>

class QFormLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

class ts2900fp_About : public QDialog {
    Q_OBJECT
public:
    // A null common library revision leaves out its row.
    ts2900fp_About(const QString &panelVersion, const QString &driverRevision,
                   const QString &modelText, const QString &notice, QWidget *parent = nullptr,
                   const QString &commonRevision = QString());

    // Empty driver revision or panel version: the software labels keep their texts.
    void addHardwareInfo(const QString &serialNumber, const QString &revision,
                         const QString &deviceModel, const QString &driverRevision,
                         const QString &panelVersion);

    int currentPage() const { return d_index; }
    QPushButton *nextButton() const { return d_nextButton; }
    QPushButton *previousButton() const { return d_prevButton; }
    QLabel *pictureLabel() const { return d_picture; }
    QLabel *driverLabel() const { return d_driverLabel; }
    QLabel *panelLabel() const { return d_panelLabel; }
    QLabel *modelLabel() const { return d_modelLabel; }
    QLabel *revisionLabel() const { return d_revisionLabel; }
    QLabel *serialLabel() const { return d_serialLabel; }

public slots:
    void next();
    void prev();

private:
    // The five texts of one instrument, in this order.
    struct HardwareRecord {
        QString driverRevision;
        QString panelVersion;
        QString deviceModel;
        QString revision;
        QString serialNumber;
    };

    QLabel *buildPicture(int h);
    QLayout *buildColumn(int h, const QString &panelVersion, const QString &driverRevision,
                         const QString &commonRevision);
    QLayout *buildButtonRow();
    void showRecord(const HardwareRecord &record);

    int d_index = 0;
    QFormLayout *d_softwareForm = nullptr;
    QFormLayout *d_hardwareForm = nullptr;
    QLabel *d_commonLabel = nullptr;
    QLabel *d_driverLabel = nullptr;
    QLabel *d_panelLabel = nullptr;
    QLabel *d_modelLabel = nullptr;
    QLabel *d_revisionLabel = nullptr;
    QLabel *d_serialLabel = nullptr;
    QLabel *d_picture = nullptr;
    QPushButton *d_nextButton = nullptr;
    QPushButton *d_prevButton = nullptr;
    QList<HardwareRecord> d_records;
};

#endif
