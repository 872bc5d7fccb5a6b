// "Store to Local Hard Drive": where the local data file of an acquisition goes, checked
// before the run starts.
#ifndef TS4720_ACQCONFIG_H
#define TS4720_ACQCONFIG_H

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

class acqConfig : public QDialog {
    Q_OBJECT
public:
    explicit acqConfig(QWidget *mainPanel);

    QLineEdit *path;
    QComboBox *format;   // "Text, CSV" (0)
    QLabel *information;

    QString filePath() const;

public slots:
    void setDataRate(int samplesPerSecond);
    void setDataRate();
    // An empty path passes. moreChecks: a missing folder is refused, a changed extension
    // is told, an existing file needs a Yes to be overwritten.
    bool checkPath(bool moreChecks);
    bool checkPath();
    void acceptMaybe();
    void browseSlot();
};

#endif
