// Choice of the application style.
#include "panelStyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

void ts2900fp_applyPanelStyle()
{
    QStyle *style = QStyleFactory::create(QStringLiteral("Plastique"));
    if (!style)
        style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style)
        QApplication::setStyle(style); // the application takes ownership
}
