// Error and warning reports over the active window, titled with the model text.
#include "commonReports.h"

#include "messageBoxes.h"
#include "modelText.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {
// Added, removed and run on the GUI thread only; ordered by id, which is the order added.
std::map<int, std::function<void()>> &beforeExit()
{
    static std::map<int, std::function<void()>> callbacks;
    return callbacks;
}
int lastBeforeExitId = 0;
} // namespace

int addBeforeExit(std::function<void()> callback)
{
    beforeExit().emplace(++lastBeforeExitId, std::move(callback));
    return lastBeforeExitId;
}

void removeBeforeExit(int id)
{
    beforeExit().erase(id);
}

void reportError(const QString &text)
{
    messageBoxes::Request request;
    request.kind = messageBoxes::Kind::Critical;
    request.parent = QApplication::activeWindow();
    request.title = ts2900fp_sfpTitle() + QStringLiteral(" Error message");
    request.text = text + QStringLiteral("\nDo you want to exit?");
    request.standardButtons = QMessageBox::Yes | QMessageBox::No;
    // An Enter meant for the window behind must not end the program.
    request.defaultStandard = QMessageBox::No;
    request.escapeStandard = QMessageBox::No;
    if (messageBoxes::show(request) != QMessageBox::Yes)
        return;
    // The user wants out now, whatever state the instrument is in: only what must not be
    // lost is looked after.
    const std::map<int, std::function<void()>> callbacks = beforeExit(); // a callback may remove itself
    for (const auto &entry : callbacks)
        entry.second();
    std::fflush(stdout);
    std::_Exit(0);
}

void reportWarning(const QString &text)
{
    messageBoxes::warning(QApplication::activeWindow(), ts2900fp_sfpTitle() + QStringLiteral(" Warning message"),
                          text, QMessageBox::Ok);
}
