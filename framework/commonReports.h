// The common error and warning reports through which every failed driver call is shown.
#ifndef TS2900FP_COMMONREPORTS_H
#define TS2900FP_COMMONREPORTS_H

#include <QString>

#include <functional>

// Critical box "<text>\nDo you want to exit?" with Yes and No; No is the default and the
// Escape button, so Enter or Escape never ends the program. Yes runs the before-exit
// callbacks and ends the process at once with exit code 0 (no session is closed, no
// destructor runs); No returns.
void reportError(const QString &text);

// Warning box with the text and one OK button.
void reportWarning(const QString &text);

// Registers work that must be done before "Yes" in the error report ends the process: an
// acquisition closes its open local data file here, so that no row already received is
// lost. The callbacks run on the GUI thread, in the order they were added; they must not
// show boxes. Returns an id for removeBeforeExit. GUI thread only.
int addBeforeExit(std::function<void()> callback);
void removeBeforeExit(int id);

#endif
