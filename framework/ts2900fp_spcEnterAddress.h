// The enter-address dialog: an editable combo box offering the five descriptors typed last
// for this instrument model, remembered in a settings file shared by all users.
#ifndef TS2900FP_SPCENTERADDRESS_H
#define TS2900FP_SPCENTERADDRESS_H

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class ts2900fp_genSPC;

class ts2900fp_spcEnterAddress : public QDialog {
    Q_OBJECT
public:
    explicit ts2900fp_spcEnterAddress(ts2900fp_genSPC *spc, QWidget *parent = nullptr);

    // Refills the combo box from the settings file; call before every showing.
    void loadDescriptors();
    // The entered descriptor, or an empty text; a non-empty one becomes the most recent.
    QString takeDescriptor();

    QComboBox *combo() const { return m_combo; }
    QString settingsPath() const { return m_settingsPath; }

    // ALLUSERSPROFILE when set, else the generic configuration folder, then
    // "Tarsel/DefaultInstrDescr.ini", with "/" separators.
    static QString defaultSettingsPath();

private:
    QComboBox *m_combo = nullptr;
    QStringList m_remembered; // most recent first
    QString m_group;
    QString m_settingsPath;
};

#endif
