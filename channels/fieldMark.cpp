// The refused-field mark: a dynamic property the style sheet keys on, and the tooltip.
#include "fieldMark.h"

#include <QLineEdit>
#include <QVariant>

void markField(QLineEdit *edit, const QString &reason)
{
    const bool marked = !reason.isEmpty();
    if (marked == isMarked(edit) && edit->toolTip() == reason)
        return;
    edit->setProperty("refused", marked);
    edit->setStyleSheet(marked ? QStringLiteral("QLineEdit { border: 2px solid #cc1111; background: #fff0f0; }")
                               : QString());
    edit->setToolTip(reason);
}

bool isMarked(const QLineEdit *edit)
{
    return edit->property("refused").toBool();
}

QString refusedSaveText(const QStringList &problems)
{
    const int shown = 8;
    QString text = QStringLiteral("Nothing was saved. Correct these fields first:\n")
                   + QStringList(problems.mid(0, shown)).join(QLatin1Char('\n'));
    if (problems.size() > shown)
        text += QStringLiteral("\n... and %1 more.").arg(problems.size() - shown);
    return text;
}
