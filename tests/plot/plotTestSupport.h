// Helpers shared by the plot tests.
#ifndef PLOTTESTSUPPORT_H
#define PLOTTESTSUPPORT_H

#include "messageBoxes.h"

#include <QStringList>

// Boxes shown while the recorder lives, as "title: text", each answered with OK.
struct boxRecorder {
    QStringList texts;
    messageBoxes::ScopedHandler guard{[this](const messageBoxes::Request &r) {
        texts.append(r.title + QStringLiteral(": ") + r.text);
        return int(QMessageBox::Ok);
    }};
};

#endif
