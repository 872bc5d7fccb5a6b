// Shared by the channel page tests: typing, rows and replies compared as text.
#ifndef TS4720_CHANNELTESTSUPPORT_H
#define TS4720_CHANNELTESTSUPPORT_H

#include "boxRecorder.h"
#include "testInstrument.h"

#include <QList>
#include <QLineEdit>
#include <QString>

#include <functional>

class singleChannelConfig;

// Replaces the edit's text by typing, then presses Return so editing finishes.
void typeInto(QLineEdit *edit, const QString &text);
// The numbers of a comma-separated instrument reply.
QList<double> numbers(const QString &reply);
// A row as "enabled otd type min|max", e.g. "1 0 2 -5.00 °C|", to compare whole rows at once.
QString rowState(const singleChannelConfig *row);
// Runs action with standard output going to a file; returns what was written there, by line.
QStringList capturedStdout(const std::function<void()> &action);

// The connection status texts as the rows show them.
extern const QString openText, connectedText, dashText, unknownText;

#endif
