// The common error and warning reports through which every failed driver call is shown.
#ifndef TS2900FP_COMMONREPORTS_H
#define TS2900FP_COMMONREPORTS_H

#include <QString>

// Critical box "<text>\nDo you want to exit?" with Yes and No. Yes ends the process at
// once with exit code 0 (no session is closed, no destructor runs); No returns.
void reportError(const QString &text);

// Warning box with the text and one OK button.
void reportWarning(const QString &text);

#endif
