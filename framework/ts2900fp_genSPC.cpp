// Non-virtual part of the personality interface.
#include "ts2900fp_genSPC.h"

ts2900fp_genSPC::~ts2900fp_genSPC() = default;

QString ts2900fp_genSPC::modelText() const
{
    return QStringLiteral("%1").arg(modelNumber, 4, 10, QLatin1Char(' '));
}
