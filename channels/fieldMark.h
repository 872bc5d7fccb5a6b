// Marks an edit whose text cannot become a setting: a red frame and a tooltip saying why,
// so the user sees what Save will refuse before pressing it.
#ifndef TS4720_FIELDMARK_H
#define TS4720_FIELDMARK_H

#include <QString>
#include <QStringList>

class QLineEdit;

// An empty reason clears the mark and the tooltip.
void markField(QLineEdit *edit, const QString &reason);
bool isMarked(const QLineEdit *edit);

// The one message of a Save refused for the fields' problems (at most a few lines of them).
QString refusedSaveText(const QStringList &problems);

#endif
