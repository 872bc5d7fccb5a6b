// The framework's 16 x 16 window icon, shared by the panel and its start-up dialogs.
#ifndef TS2900FP_FRAMEWORKICON_H
#define TS2900FP_FRAMEWORKICON_H

#include "frameworkResources.h"

#include <QIcon>
#include <QPixmap>

inline QIcon ts2900fp_frameworkIcon()
{
    ts2900fp_initResources();
    return QIcon(QPixmap(QStringLiteral(":/fp_icon.png")));
}

#endif
