// The process-wide model text ("4720") that every message-box title of the panel carries.
#ifndef TS2900FP_MODELTEXT_H
#define TS2900FP_MODELTEXT_H

#include <QString>

// Set once by the panel base before the panel is shown; GUI thread only.
void ts2900fp_setModelText(const QString &text);
QString ts2900fp_modelText();

// "Korvan <model> SFP", which titles the panel's boxes and dialogs (a suffix may follow it).
QString ts2900fp_sfpTitle(const QString &modelText = ts2900fp_modelText());
// "Korvan <model> Soft Front Panel", the panel window's title before what it shows.
QString ts2900fp_panelName(const QString &modelText = ts2900fp_modelText());

#endif
