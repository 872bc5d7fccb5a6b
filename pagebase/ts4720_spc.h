// The Korvan 4720's personality: its model number, texts and driver session calls.
#ifndef TS4720_SPC_H
#define TS4720_SPC_H

#include "ts2900fp_genSPC.h"

class ts4720_spc : public ts2900fp_genSPC {
public:
    ts4720_spc() : ts2900fp_genSPC(4720) {}

    ViStatus init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi) override;
    ViStatus close(ViSession vi) override;
    QString statusText(ViStatus status) override;
    QString version() override;
    QString description() override;
    QString driverRevision() override;
    QString notice() override;
};

#endif
