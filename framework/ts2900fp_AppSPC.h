// The panel base between the frame and the instrument's main panel: runs the start-up
// connection dialogue, opens the instrument session, labels the window after the module
// and creates the About dialog. The session is closed when the panel goes.
#ifndef TS2900FP_APPSPC_H
#define TS2900FP_APPSPC_H

#include "ts2900fp_app.h"
#include "visatype.h"

#include <QString>

class ts2900fp_genSPC;

// What the window labels show of the connected module.
struct moduleAttributes {
    ViUInt16 interfaceType = 0;
    ViUInt16 slot = 0;
    QString host;
};

class ts2900fp_AppSPC : public ts2900fp_app {
    Q_OBJECT
public:
    // Without the viewer flag the start-up dialogue runs first; giving it up ends the
    // process with exit code 0. With it, the panel starts in demo mode without dialogue.
    ts2900fp_AppSPC(ts2900fp_genSPC *personality, bool viewer, QWidget *parent = nullptr);
    ~ts2900fp_AppSPC() override;

    ViSession session() const { return d_vi; }
    bool demoMode() const { return m_demo != 0; }
    bool viewerMode() const { return m_viewer; }
    ts2900fp_genSPC *personality() const { return m_spc; }
    ts2900fp_About *aboutDialog() const { return m_about; }

protected:
    ViSession d_vi = 0;             // the instrument session; 0 when none is open
    int m_demo = 0;                 // 1 in demo and viewer mode
    ts2900fp_genSPC *m_spc = nullptr; // not owned

private:
    void openFallback(const QString &descriptor);
    void labelWindow(const moduleAttributes &module);
    void createAbout();

    bool m_viewer = false;
};

#endif
