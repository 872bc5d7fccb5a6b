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
    QPushButton *aboutButton() const { return d_aboutButton; }
    QPushButton *closeButton() const { return d_closeButton; }
    QPushButton *helpButton() const { return d_helpButton; }
    QPushButton *resetButton() const { return d_resetButton; }
    QPushButton *autoscaleButton() const { return d_autoscaleButton; }
    QPushButton *identButton() const { return d_identButton; }
    QPushButton *startButton() const { return d_startButton; }
    QPushButton *startContButton() const { return d_startContButton; }
    QLabel *autoscaleLabel() const { return d_autoscaleLabel; }
    QLabel *identLabel() const { return d_identLabel; }
    QLabel *titleLabel() const { return d_titleLabel; }
    QLabel *rightLogoLabel() const { return d_rightLogo; }
    QLabel *moduleLabel() const { return d_moduleLabel; }
    ts2900fp_led *activeLed() const { return d_led; }
    QWidget *contentArea() const { return d_contentArea; }
    // The button column; instrument panels insert their own buttons at fixed indices.
    QVBoxLayout *buttonColumn() const { return d_buttonColumn; }

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
    ts2900fp_About *d_about = nullptr;

private:
    QLayout *buildHeader();
    QVBoxLayout *buildButtonColumn(int h);
    void addStatusGroup(QVBoxLayout *column, int h);
    void addHiddenToggles(QVBoxLayout *column);
    void addStartButtons(QVBoxLayout *column);
    void addCommonButtons(QVBoxLayout *column);

    QPushButton *d_helpButton = nullptr;
    QPushButton *d_aboutButton = nullptr;
    QWidget *d_contentArea = nullptr;
    bool d_contentInUse = false;
    QLabel *d_titleLabel = nullptr;
    QLabel *d_rightLogo = nullptr;
    QLabel *d_moduleLabel = nullptr;
    QLabel *d_statusLabel = nullptr;
    ts2900fp_led *d_led = nullptr;
    QPushButton *d_closeButton = nullptr;
    QLabel *d_autoscaleLabel = nullptr;
    QPushButton *d_autoscaleButton = nullptr;
    QVBoxLayout *d_buttonColumn = nullptr;
    QLabel *d_identLabel = nullptr;
    QPushButton *d_identButton = nullptr;
    QPushButton *d_resetButton = nullptr;
    QPushButton *d_startButton = nullptr;
    QPushButton *d_startContButton = nullptr;
    QIcon d_startIcon;
    QIcon d_stopIcon;
    QIcon d_startContIcon;
};

#endif
