// The module selection dialog: finds the instruments on the computer (Auto Find), shows
// them as a tree grouped by interface, and carries the start-up connection dialogue whose
// outcome (descriptor, demo flag, instrument session) the panel base takes over.
#ifndef TS2900FP_SPCSELECT_H
#define TS2900FP_SPCSELECT_H

#include "getResourceInfo.h"
#include "visatype.h"

#include <QDialog>
#include <QString>
#include <QVector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class ts2900fp_genSPC;
class ts2900fp_spcEnterAddress;

class ts2900fp_spcSelect : public QDialog {
    Q_OBJECT
public:
    explicit ts2900fp_spcSelect(ts2900fp_genSPC *spc, QWidget *parent = nullptr);

    // Lists, identifies and sorts the VISA resources, rebuilds the tree and returns the
    // number of available modules; the last available one becomes the descriptor.
    virtual int findModules();
    // The start-up dialogue: 1 when a module is connected or demo mode was chosen, 0 when
    // the user gave up.
    int selectModule();

    QString descriptor() const { return m_descriptor; }
    int demo() const { return m_demo; }
    ViSession session() const { return m_session; }
    QTreeWidget *tree() const { return m_tree; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void dblClick(QTreeWidgetItem *item);
    void okPressed();

private:
    // Where the start-up dialogue goes after one choice.
    enum class Next { Open, StartAgain, Demo, GiveUp };

    void fillTree(const QVector<ts2900fp_resourceEntry> &entries, int &available);
    Next autoFind();
    Next enterAddress(ts2900fp_spcEnterAddress &address);
    bool openModule();

    QTreeWidget *m_tree = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QString m_descriptor;
    int m_demo = 0;
    ViSession m_session = 0;
    ts2900fp_genSPC *m_spc = nullptr; // not owned
    ViStatus m_lastStatus = 0;        // of the last open, for the unavailable question
};

#endif
