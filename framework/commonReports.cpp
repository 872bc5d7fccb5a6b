// Error and warning reports over the active window, titled with the model text.
#include "commonReports.h"

#include "messageBoxes.h"
#include "modelText.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

void reportError(const QString &text)
{
    const QString title = QStringLiteral("Korvan ") + ts2900fp_modelText()
                          + QStringLiteral(" SFP Error message");
    const QMessageBox::StandardButton answer =
        messageBoxes::critical(QApplication::activeWindow(), title,
                               text + QStringLiteral("\nDo you want to exit?"),
                               QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        // The user wants out now, whatever state the instrument is in: no clean-up.
        std::fflush(stdout);
        std::_Exit(0);
    }
}

void reportWarning(const QString &text)
{
    const QString title = QStringLiteral("Korvan ") + ts2900fp_modelText()
                          + QStringLiteral(" SFP Warning message");
    messageBoxes::warning(QApplication::activeWindow(), title, text, QMessageBox::Ok);
}
