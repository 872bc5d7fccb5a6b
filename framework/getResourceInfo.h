// Identification of one VISA resource: the unit of work that Auto Find runs in parallel.
#ifndef TS2900FP_GETRESOURCEINFO_H
#define TS2900FP_GETRESOURCEINFO_H

#include "visatype.h"

#include <QString>
#include <QStringList>

class ts2900fp_genSPC;

// One discovered resource and what its identification found out.
struct ts2900fp_resourceEntry {
    QString descriptor;
    QStringList columns; // host name, device name, module text; empty until identified
    bool available = false;
    ViInt16 model = 0;
};

// One per discovered resource; each worker writes only its own element.
struct getResourceInfo_params_t {
    ts2900fp_genSPC *spc = nullptr; // not owned; read for its model number
    ViSession rm = 0;               // the default resource manager, shared by all elements
    ts2900fp_resourceEntry entry;
};

// Opens the resource and, for a network instrument, asks *IDN?; writes host name, device
// name and module text into p's entry and marks it available when it is this instrument's
// model. A resource that cannot be opened keeps empty columns. Runs on a pool thread.
void getResourceInfo(getResourceInfo_params_t *p);

// The model number of an identification reply "Tarsel Ltd.,Korvan <n>,..."; 0 when the
// reply comes from something else or the number does not fit 16 bits.
ViInt16 ts2900fp_modelFromIdentity(const char *reply);

#endif
