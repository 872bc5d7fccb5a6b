// The demo state store: every setting a demo-mode instrument would keep, held in the
// per-user settings store instead. This module owns the store's names, groups, keys and
// defaults, and the lock that serialises its users; pages call it instead of spelling keys.
#ifndef TS4720_DEMOSTORE_H
#define TS4720_DEMOSTORE_H

#include <QMutex>
#include <QString>

namespace demoStore {

extern const char *const organisation; // "Tarsel Ltd."
extern const char *const application;  // "Korvan 4720 Soft Front Panel"

// Serialises every access sequence to the store between the GUI thread and the polling
// thread. Each function below takes it for its own access, unless it says otherwise.
QMutex &lock();

struct ChannelSettings {
    bool enabled = false;
    int thermocouple = 0;      // index into the thermocouple type list
    bool otd = false;
    bool minAlertOn = false;
    double minAlertValue = 0;  // °C
    QString minAlertText;      // the stored value as text, read only while the alert is on
    bool maxAlertOn = false;
    double maxAlertValue = 0;
    QString maxAlertText;
};

struct AcquisitionSettings {
    int clockSource = 0;
    double scanRate = 1;
    int scansNumber = 1;
    int startMode = 0;
    int stopMode = 0;
    bool storeTimestamps = false;
    bool storeVoltage = false;
    bool storeColdJunction = false;
};

struct TriggerSettings {
    int rp1In = 0, rp2In = 0, rp1Out = 0, rp2Out = 0, rp1Func = 0, rp2Func = 0;
};

int lastModel();                 // index of the last chosen demo model, 0 when none
void setLastModel(int index);

int acquisitionState();          // 0 idle, 1 armed, 2 running
void setAcquisitionState(int state);

// scanRateDefault: the acquisition page reads an absent rate as 1, the polling page as 0.
AcquisitionSettings acquisitionSettings(double scanRateDefault = 1);
// Writes the settings and the acquisition state in one access.
void setAcquisitionSettings(const AcquisitionSettings &settings, int state);

// Without the lock: the plot length is a preference used in every mode.
int plotLength();
void setPlotLength(int length);

ChannelSettings channel(int number); // channel number from 1
void setChannel(int number, const ChannelSettings &settings);
bool channelEnabled(int number);

TriggerSettings triggers();
void setTriggers(const TriggerSettings &settings);

// Coefficients c0..c16 of user thermocouple type 1 or 2; absent ones read as 0.
void coefficients(int userType, double coeff[17]);
void setCoefficients(int userType, const double coeff[17]);

// Forgets the whole store, the remembered model and plot length included (factory reset).
void clearAll();

} // namespace demoStore

#endif
