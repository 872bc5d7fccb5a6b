// Real message boxes, or the handler a test installed.
#include "messageBoxes.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QVector>

namespace messageBoxes {

// Set and read on the GUI thread only.
static Handler &installedHandler()
{
    static Handler handler;
    return handler;
}

void setHandler(Handler handler)
{
    installedHandler() = std::move(handler);
}

static QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Critical: return QMessageBox::Critical;
    case Kind::Warning: return QMessageBox::Warning;
    case Kind::Question: return QMessageBox::Question;
    case Kind::Information: break;
    }
    return QMessageBox::Information;
}

static int showCustom(QMessageBox &box, const Request &request)
{
    QVector<QAbstractButton *> buttons;
    for (const QString &text : request.customButtons)
        buttons.append(box.addButton(text, QMessageBox::ActionRole));
    if (request.customCancel)
        box.addButton(QMessageBox::Cancel);
    if (request.defaultCustom >= 0 && request.defaultCustom < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons[request.defaultCustom]));
    if (request.escapeCustom >= 0 && request.escapeCustom < buttons.size())
        box.setEscapeButton(buttons[request.escapeCustom]);
    box.exec();
    return buttons.indexOf(box.clickedButton());
}

static int showReal(const Request &request)
{
    QMessageBox box(iconOf(request.kind), request.title, request.text, QMessageBox::NoButton,
                    request.parent);
    if (!request.windowIcon.isNull())
        box.setWindowIcon(request.windowIcon);
    if (!request.customButtons.isEmpty())
        return showCustom(box, request);
    box.setStandardButtons(request.standardButtons);
    if (request.defaultStandard != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultStandard);
    if (request.escapeStandard != QMessageBox::NoButton)
        box.setEscapeButton(request.escapeStandard);
    const int answer = box.exec();
    // A box closed by Escape without an escape button answers NoButton.
    return box.clickedButton() ? box.standardButton(box.clickedButton()) : answer;
}

int show(const Request &request)
{
    const Handler &handler = installedHandler();
    return handler ? handler(request) : showReal(request);
}

static QMessageBox::StandardButton standardBox(Kind kind, QWidget *parent, const QString &title,
                                               const QString &text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton)
{
    Request request;
    request.kind = kind;
    request.parent = parent;
    request.title = title;
    request.text = text;
    request.standardButtons = buttons;
    request.defaultStandard = defaultButton;
    return static_cast<QMessageBox::StandardButton>(show(request));
}

QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons)
{
    return standardBox(Kind::Critical, parent, title, text, buttons, QMessageBox::NoButton);
}

QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    return standardBox(Kind::Warning, parent, title, text, buttons, QMessageBox::NoButton);
}

QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons)
{
    return standardBox(Kind::Information, parent, title, text, buttons, QMessageBox::NoButton);
}

QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton)
{
    return standardBox(Kind::Question, parent, title, text, buttons, defaultButton);
}

int choose(QWidget *parent, const QString &title, const QString &text,
           const QStringList &buttons, int defaultIndex, int escapeIndex)
{
    Request request;
    request.kind = Kind::Question;
    request.parent = parent;
    request.title = title;
    request.text = text;
    request.customButtons = buttons;
    request.defaultCustom = defaultIndex;
    request.escapeCustom = escapeIndex;
    return show(request);
}

} // namespace messageBoxes
