// Storage of the process-wide model text.
#include "modelText.h"

// Written and read on the GUI thread only, so it needs no lock.
static QString &storedModelText()
{
    static QString text;
    return text;
}

void ts2900fp_setModelText(const QString &text)
{
    storedModelText() = text;
}

QString ts2900fp_modelText()
{
    return storedModelText();
}

QString ts2900fp_sfpTitle(const QString &modelText)
{
    return QStringLiteral("Korvan ") + modelText + QStringLiteral(" SFP");
}

QString ts2900fp_panelName(const QString &modelText)
{
    return QStringLiteral("Korvan ") + modelText + QStringLiteral(" Soft Front Panel");
}
