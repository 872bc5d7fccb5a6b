// The one road by which the program shows a message box or asks a modal question.
// Normally each function shows a QMessageBox; a test installs a handler instead, which
// sees what would have been shown and gives the answer, so no modal box ever waits.
#ifndef TS2900FP_MESSAGEBOXES_H
#define TS2900FP_MESSAGEBOXES_H

#include <QIcon>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace messageBoxes {

enum class Kind { Critical, Warning, Question, Information };

// One box as it would be shown.
struct Request {
    Kind kind = Kind::Information;
    QWidget *parent = nullptr;
    QString title;
    QString text;
    // Either standard buttons (the answer is a QMessageBox::StandardButton) ...
    QMessageBox::StandardButtons standardButtons = QMessageBox::NoButton;
    QMessageBox::StandardButton defaultStandard = QMessageBox::NoButton;
    // The button Escape presses; NoButton leaves it to the box (Escape may then do nothing).
    QMessageBox::StandardButton escapeStandard = QMessageBox::NoButton;
    // ... or buttons with texts of their own (the answer is the index, -1 when the box
    // was closed without pressing one).
    QStringList customButtons;
    int defaultCustom = -1;
    int escapeCustom = -1;      // index of the button Escape presses; -1: none
    bool customCancel = false;  // a standard Cancel button follows the custom ones; answer -1
    QIcon windowIcon;
};

// Returns the answer for a request, as the real box would.
using Handler = std::function<int(const Request &request)>;

// An empty handler restores the real boxes. GUI thread only.
void setHandler(Handler handler);

// Shows the request (or hands it to the installed handler) and returns the answer.
int show(const Request &request);

// Boxes with standard buttons; each returns the pressed button.
QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A question with buttons of its own; returns the index of the pressed button, or -1
// when the box was closed otherwise. Escape presses the button escapeIndex when it is one.
int choose(QWidget *parent, const QString &title, const QString &text,
           const QStringList &buttons, int defaultIndex = 0, int escapeIndex = -1);

// Installs a handler for the lifetime of the guard and restores the real boxes after.
class ScopedHandler {
public:
    explicit ScopedHandler(Handler handler) { setHandler(std::move(handler)); }
    ~ScopedHandler() { setHandler(Handler()); }
    ScopedHandler(const ScopedHandler &) = delete;
    ScopedHandler &operator=(const ScopedHandler &) = delete;
};

} // namespace messageBoxes

#endif
