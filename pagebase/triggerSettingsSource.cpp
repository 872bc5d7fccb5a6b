// The three trigger settings sources side by side: instrument, demo store, loaded file.
#include "triggerSettingsSource.h"

#include "driverCall.h"
#include "ts4720.h"

namespace {

// One rear-panel setting: the driver's line or output, the field, and the call texts of the
// reports.
struct triggerLine {
    ViInt16 id;
    bool function; // an output's function, else a line's active state
    int triggerSettings::*field;
    const char *readText;
    const char *writeText;
};

const triggerLine lines[] = {
    {ts4720_TRIG_OUT_RP1_IN, false, &triggerSettings::rp1In, "ts4720_getRPTrigger(vi, ts4720_TRIG_OUT_RP1_IN, &val16)",
     "ts4720_configureRPTrigger(vi, ts4720_TRIG_OUT_RP1_IN, rp1activeInp->currentIndex())"},
    {ts4720_TRIG_OUT_RP2_IN, false, &triggerSettings::rp2In, "ts4720_getRPTrigger(vi, ts4720_TRIG_OUT_RP2_IN, &val16)",
     "ts4720_configureRPTrigger(vi, ts4720_TRIG_OUT_RP2_IN, rp2activeInp->currentIndex())"},
    {ts4720_TRIG_OUT_RP1_OUT, false, &triggerSettings::rp1Out, "ts4720_getRPTrigger(vi, ts4720_TRIG_OUT_RP1_OUT, &val16)",
     "ts4720_configureRPTrigger(vi, ts4720_TRIG_OUT_RP1_OUT, rp1activeOut->currentIndex())"},
    {ts4720_TRIG_OUT_RP2_OUT, false, &triggerSettings::rp2Out, "ts4720_getRPTrigger(vi, ts4720_TRIG_OUT_RP2_OUT, &val16)",
     "ts4720_configureRPTrigger(vi, ts4720_TRIG_OUT_RP2_OUT, rp2activeOut->currentIndex())"},
    {ts4720_TRIG_OUT_RP1, true, &triggerSettings::rp1Func, "ts4720_getOutputTrigger(vi, ts4720_TRIG_OUT_RP1, &val16)",
     "ts4720_configureOutputTrigger(vi, ts4720_TRIG_OUT_RP1, rp1function->currentIndex())"},
    {ts4720_TRIG_OUT_RP2, true, &triggerSettings::rp2Func, "ts4720_getOutputTrigger(vi, ts4720_TRIG_OUT_RP2, &val16)",
     "ts4720_configureOutputTrigger(vi, ts4720_TRIG_OUT_RP2, rp2function->currentIndex())"},
};

// Choices per kind: "Open"/"Closed", or the five functions.
int choicesOf(const triggerLine &line) { return line.function ? 5 : 2; }

class instrumentSource : public triggerSettingsSource {
public:
    explicit instrumentSource(ViSession vi) : m_vi(vi) {}

    void read(triggerSettings &settings) override
    {
        for (const triggerLine &line : lines) {
            ViInt16 val16 = 0;
            const ViStatus status = reportedCall(m_vi, [&] {
                return line.function ? ts4720_getOutputTrigger(m_vi, line.id, &val16)
                                     : ts4720_getRPTrigger(m_vi, line.id, &val16);
            }, line.readText);
            if (status >= 0 && val16 >= 0 && val16 < choicesOf(line))
                settings.*line.field = val16;
        }
    }

    void write(const triggerSettings &settings) override
    {
        for (const triggerLine &line : lines) {
            const ViInt16 value = static_cast<ViInt16>(settings.*line.field);
            reportedCall(m_vi, [&] {
                return line.function ? ts4720_configureOutputTrigger(m_vi, line.id, value)
                                     : ts4720_configureRPTrigger(m_vi, line.id, value);
            }, line.writeText);
        }
    }

private:
    const ViSession m_vi;
};

class demoSource : public triggerSettingsSource {
public:
    void read(triggerSettings &settings) override
    {
        const triggerSettings stored = demoStore::triggers();
        for (const triggerLine &line : lines) {
            const int value = stored.*line.field;
            if (value >= 0 && value < choicesOf(line))
                settings.*line.field = value;
        }
    }
    void write(const triggerSettings &settings) override { demoStore::setTriggers(settings); }
};

// A data file holds no trigger settings: the viewer shows the demo store's and, its page
// being disabled, never writes.
class loadedFileSource : public demoSource {
public:
    void write(const triggerSettings &) override {}
};

} // namespace

std::unique_ptr<triggerSettingsSource> triggerSettingsSource::create(const panelContext &context)
{
    if (context.viewer)
        return std::make_unique<loadedFileSource>();
    if (context.demo)
        return std::make_unique<demoSource>();
    return std::make_unique<instrumentSource>(context.vi);
}
