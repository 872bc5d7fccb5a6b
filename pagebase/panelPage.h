// What the main panel asks of every tab page; a page implements it beside its widget base.
#ifndef TS4720_PANELPAGE_H
#define TS4720_PANELPAGE_H

class QString;

class panelPage {
public:
    virtual ~panelPage() = default;

    // Reads the page back from the instrument, the demo store or the loaded file: part of
    // the main panel's refreshing all views, after start-up and after a reset.
    virtual void refreshPage() = 0;
    // Viewer mode: disables what needs an instrument. Called once, after construction.
    virtual void applyViewerRestrictions() = 0;
    // After every poll: idle is false while an acquisition is armed or running, and while
    // its state is unknown; whyLocked then says so, for tooltips. A page locked as a whole
    // has its tab disabled by the main panel and needs to do nothing here.
    virtual void setAcquisitionIdle(bool idle, const QString &whyLocked) = 0;
};

#endif
