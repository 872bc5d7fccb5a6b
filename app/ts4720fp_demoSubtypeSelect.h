// The demo model dialog: which of the three instrument models demo mode pretends to be.
#ifndef TS4720FP_DEMOSUBTYPESELECT_H
#define TS4720FP_DEMOSUBTYPESELECT_H

#include <QDialog>

#include <functional>

class QComboBox;

class ts4720fp_demoSubtypeSelect : public QDialog {
    Q_OBJECT
public:
    explicit ts4720fp_demoSubtypeSelect(QWidget *parent = nullptr);

    // "AA", "AB" or "AC" of the current entry; empty when no entry is current.
    QString subType() const;
    QComboBox *modelBox() const { return m_model; }

    // Runs the dialog modally, or hands it to the installed handler (tests), which
    // plays the user's part instead.
    int run();
    using Handler = std::function<int(ts4720fp_demoSubtypeSelect *)>;
    static void setHandler(Handler handler);

public slots:
    void okPressed();

private:
    QComboBox *m_model;
};

#endif
