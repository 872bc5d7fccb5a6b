// The panel frame shared by the maker's instrument panels: header with logos and title,
// a content area the instrument panel fills, and a column of indicators and buttons.
#ifndef TS2900FP_APP_H
#define TS2900FP_APP_H

#include <QIcon>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QLayout;
class QPushButton;
class QVBoxLayout;
class ts2900fp_About;
class ts2900fp_led;

class ts2900fp_app : public QWidget {
    Q_OBJECT
public:
    explicit ts2900fp_app(QWidget *parent = nullptr);
    ~ts2900fp_app() override;

    // Installs the layout on the content area once construction has finished, else on the
    // frame itself.
    void setContentLayout(QLayout *layout);
    // The LED is lit exactly when the panel talks to a real instrument.
    void setActive(int demo);
    // With a real instrument: whether it answers. The LED reads "Active" in green when it
    // does, "No connection" in red when it does not.
    void setConnected(bool answering);
    // A running acquisition lost its connection and is being reconnected: the LED reads
    // "Reconnecting (<n> s)" in amber until the next setConnected().
    void setReconnecting(int secondsLeft);
    // An empty What's This keeps the label's previous one.
    void setModuleLabel(const QString &text, const QString &whatsThis);
    void setTitle(const QString &text);
    void showIdentify(bool show);
    // True shows the LXI logo on the right; false leaves the logo as it is.
    void setLxiLogo(bool lxi);
    // Centres the window on the available area of the first screen, size unchanged.
    void centreOnScreen();
    // The same for another window, such as a dialog shown before the panel.
    static void centreOnScreen(QWidget *window);

    // The controls derived panels and tests reach.
    QPushButton *aboutButton() const { return m_aboutButton; }
    QPushButton *closeButton() const { return m_closeButton; }
    QPushButton *helpButton() const { return m_helpButton; }
    QPushButton *resetButton() const { return m_resetButton; }
    QPushButton *autoscaleButton() const { return m_autoscaleButton; }
    QPushButton *identButton() const { return m_identButton; }
    QPushButton *startButton() const { return m_startButton; }
    QPushButton *startContButton() const { return m_startContButton; }
    QLabel *autoscaleLabel() const { return m_autoscaleLabel; }
    QLabel *identLabel() const { return m_identLabel; }
    QLabel *titleLabel() const { return m_titleLabel; }
    QLabel *rightLogoLabel() const { return m_rightLogo; }
    QLabel *moduleLabel() const { return m_moduleLabel; }
    ts2900fp_led *activeLed() const { return m_led; }
    QWidget *contentArea() const { return m_contentArea; }
    // The button column; instrument panels insert their own buttons at fixed indices.
    QVBoxLayout *buttonColumn() const { return m_buttonColumn; }

signals:
    void autoscaleToggled(bool status);
    void identToggled(bool status);
    void startSingle();
    void breakSingle();
    void startCont();
    void stopCont();
    void resetPressed();

public slots:
    void enterWIT();
    void userBreak();
    void enableStart();
    void autoscaleToggledSlot(bool status);
    void identToggledSlot(bool status);
    void startToggledSlot(bool status);
    void startContToggledSlot(bool status);

protected:
    void closeEvent(QCloseEvent *event) override;

    // Created and connected by the panel base.
    ts2900fp_About *m_about = nullptr;

private:
    QLayout *buildHeader();
    QVBoxLayout *buildButtonColumn(int h);
    void addStatusGroup(QVBoxLayout *column, int h);
    void addHiddenToggles(QVBoxLayout *column);
    void addStartButtons(QVBoxLayout *column);
    void addCommonButtons(QVBoxLayout *column);

    QPushButton *m_helpButton = nullptr;
    QPushButton *m_aboutButton = nullptr;
    QWidget *m_contentArea = nullptr;
    bool m_contentInUse = false;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_rightLogo = nullptr;
    QLabel *m_moduleLabel = nullptr;
    QLabel *m_statusLabel = nullptr;
    ts2900fp_led *m_led = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_autoscaleLabel = nullptr;
    QPushButton *m_autoscaleButton = nullptr;
    QVBoxLayout *m_buttonColumn = nullptr;
    QLabel *m_identLabel = nullptr;
    QPushButton *m_identButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_startContButton = nullptr;
    QIcon m_startIcon;
    QIcon m_stopIcon;
    QIcon m_startContIcon;
};

#endif
