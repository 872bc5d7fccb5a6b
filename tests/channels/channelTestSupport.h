// Shared by the channel page tests: a simulated instrument on a loopback address of the
// test's own with a driver session on it, and a recorder that answers message boxes.
#ifndef TS4720_CHANNELTESTSUPPORT_H
#define TS4720_CHANNELTESTSUPPORT_H

#include "messageBoxes.h"
#include "panelContext.h"
#include "simInstrument.h"

#include <QList>
#include <QLineEdit>
#include <QString>

#include <functional>
#include <memory>
#include <string>

// Answers every box without showing it: No to error reports (so the action goes on), the
// default button otherwise; keeps what was shown.
class boxRecorder {
public:
    boxRecorder();
    QList<messageBoxes::Request> boxes;
    QStringList texts(messageBoxes::Kind kind) const;
    void clear() { boxes.clear(); }

private:
    messageBoxes::ScopedHandler handler;
};

class singleChannelConfig;

class simulatedInstrument {
public:
    // subType "AA", "AB" or "AC"; address a loopback address such as "127.45.1.1"; trace:
    // every network message and its reply on standard output.
    simulatedInstrument(const std::string &address, const std::string &subType, bool trace = false);
    ~simulatedInstrument();
    bool ok() const { return vi != 0; }
    QString command(const QString &message);
    panelContext context(int channelCount) const;
    // A fresh session, as after an outage the old one waits out the driver's retry interval.
    void reopen();

    std::unique_ptr<tssim::Instrument> instrument;
    ViSession vi = 0;
    QString error;
};

// Replaces the edit's text by typing, then presses Return so editing finishes.
void typeInto(QLineEdit *edit, const QString &text);
// The numbers of a comma-separated instrument reply.
QList<double> numbers(const QString &reply);
panelContext demoContext(int channelCount);
// A row as "enabled otd type min|max", e.g. "1 0 2 -5.00 °C|", to compare whole rows at once.
QString rowState(const singleChannelConfig *row);
// Runs action with standard output going to a file; returns what was written there, by line.
QStringList capturedStdout(const std::function<void()> &action);

// The connection status texts as the rows show them.
extern const QString openText, connectedText, dashText, unknownText;

#endif
