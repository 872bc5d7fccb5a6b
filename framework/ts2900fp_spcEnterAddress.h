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
    // The entered descriptor without blanks around it, or an empty text.
    QString takeDescriptor();
    // Makes the descriptor the most recent one in the file; called once it has opened, so
    // that addresses that failed never push good ones out of the list.
    void rememberDescriptor(const QString &descriptor);

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
