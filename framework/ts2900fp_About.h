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

    int currentPage() const { return m_index; }
    QPushButton *nextButton() const { return m_nextButton; }
    QPushButton *previousButton() const { return m_prevButton; }
    QLabel *pictureLabel() const { return m_picture; }
    QLabel *driverLabel() const { return m_driverLabel; }
    QLabel *panelLabel() const { return m_panelLabel; }
    QLabel *modelLabel() const { return m_modelLabel; }
    QLabel *revisionLabel() const { return m_revisionLabel; }
    QLabel *serialLabel() const { return m_serialLabel; }

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

    int m_index = 0;
    QFormLayout *m_softwareForm = nullptr;
    QFormLayout *m_hardwareForm = nullptr;
    QLabel *m_commonLabel = nullptr;
    QLabel *m_driverLabel = nullptr;
    QLabel *m_panelLabel = nullptr;
    QLabel *m_modelLabel = nullptr;
    QLabel *m_revisionLabel = nullptr;
    QLabel *m_serialLabel = nullptr;
    QLabel *m_picture = nullptr;
    QPushButton *m_nextButton = nullptr;
    QPushButton *m_prevButton = nullptr;
    QList<HardwareRecord> m_records;
};

#endif
