// Non-virtual part of the personality interface.
#include "ts2900fp_genSPC.h"

#include "visa.h"

ts2900fp_genSPC::~ts2900fp_genSPC() = default;

QString ts2900fp_genSPC::modelText() const
{
    return QStringLiteral("%1").arg(modelNumber, 4, 10, QLatin1Char(' '));
}

QString ts2900fp_genSPC::statusText(ViStatus status)
{
    ViChar text[256] = {};
    viStatusDesc(VI_NULL, status, text);
    text[sizeof text - 1] = '\0';
    return QString::fromLatin1(text);
}
