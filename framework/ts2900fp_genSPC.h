// The instrument personality: everything instrument-specific the framework needs.
#ifndef TS2900FP_GENSPC_H
#define TS2900FP_GENSPC_H

#include "visatype.h"

#include <QString>

class ts2900fp_genSPC {
public:
    explicit ts2900fp_genSPC(ViInt32 model) : modelNumber(model) {}
    virtual ~ts2900fp_genSPC();

    // Opens a driver session on the resource; returns the driver's status. An instrument
    // that does not answer should fail here rather than in every call that follows.
    virtual ViStatus init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi) = 0;
    virtual ViStatus close(ViSession vi) = 0;
    // What a status of init means, for the user; by default VISA's own text.
    virtual QString statusText(ViStatus status);
    // The soft front panel's own version.
    virtual QString version() = 0;
    // One line describing the instrument.
    virtual QString description() = 0;
    virtual QString driverRevision() = 0;
    // The maker's one-line legal notice.
    virtual QString notice() = 0;

    // The model number, decimal, 4 wide, space-filled on the left ("4720").
    QString modelText() const;

    ViInt32 modelNumber;
};

#endif
