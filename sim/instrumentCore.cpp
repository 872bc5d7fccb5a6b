// Message execution: one lock around the whole message, so the units of one message see
// and leave a consistent state even with several connections at once.
#include "instrumentCore.h"

#include "modelTable.h"
#include "sampleFiles.h"
#include "scpiSession.h"
#include "webStatusPage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tssim {

namespace {

// Any other sub-type makes the largest model.
const char *modelOf(const std::string &subType, int *channels)
{
    *channels = modelTable::channelsOf(subType);
    if (*channels == 0)
        *channels = modelTable::maxChannels;
    return modelTable::subTypeOf(*channels);
}

} // namespace

InstrumentCore::InstrumentCore(const Options &options)
{
    m_model.address = options.address;
    m_model.subType = modelOf(options.subType, &m_model.channelCount);
    m_model.serialNumber = options.serialNumber;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08x", options.serialNumber);
    m_model.serialText = serial;
    m_model.identity = options.identity;
    m_model.stateDir = options.stateDir;
    m_model.settings = InstrumentSettings::factory(m_model.serialText);
    m_model.saved = m_model.settings;
    if (!m_model.stateDir.empty() && m_model.saved.load(m_model.configPath())) {
        m_model.hasSaved = true;
        m_model.settings = m_model.saved;
    }
    const long long now = nowNs();
    const bool freshHardDisk = m_model.stateDir.empty() || !SampleFiles::folderExists(m_model.stateDir + "/harddisk");
    m_model.hardDisk.reset(new StorageDisk("HD", "Hard Disk", 4194304,
                                          m_model.stateDir.empty() ? std::string() : m_model.stateDir + "/harddisk"));
    m_model.ramDisk.reset(new StorageDisk("RAM", "RAM Disk", 262144, std::string()));
    // Recordings of a few sizes, so that a file list shows bytes, kilobytes and megabytes;
    // the large one costs some 60 ms, which tests that start many instruments do not pay.
    if (freshHardDisk) {
        SampleFiles::create(m_model, *m_model.hardDisk, now - 86400LL * 1000000000LL, 4, 10.0, 100);
        if (options.largeSample)
            SampleFiles::create(m_model, *m_model.hardDisk, now - 7200LL * 1000000000LL, 1, 10.0, 30000);
    }
    SampleFiles::create(m_model, *m_model.ramDisk, now - 3600LL * 1000000000LL, 8, 2.0, 20);
    SampleFiles::create(m_model, *m_model.ramDisk, now - 600LL * 1000000000LL, 1, 1.0, 1);

    addSystemCommands(m_table);
    addChannelCommands(m_table);
    addAcquisitionCommands(m_table);
    addStorageCommands(m_table);
    addSimulationCommands(m_table);
}

long long InstrumentCore::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

MessageResult InstrumentCore::execute(ScpiSession &session, const std::string &message, bool network)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const long long now = nowNs();
    m_model.acquisition.advance(now);
    MessageResult result;
    const std::vector<ScpiUnit> units = ScpiParser::parse(message);
    std::vector<std::string> path;
    std::vector<std::string> replies;
    for (const ScpiUnit &unit : units) {
        if (network && m_model.faults.silent) {
            // A silent instrument ignores everything but the hook that ends the silence.
            const CommandTable::Entry *e = unit.errorCode ? nullptr : m_table.find({}, unit.mnemonics, unit.query);
            if (!e || e->name != "SIM:SIL")
                continue;
        }
        runUnit(session, unit, &path, &replies, now);
    }
    if (network && m_model.faults.silent)
        replies.clear();
    for (size_t i = 0; i < replies.size(); ++i)
        result.reply += (i ? ";" : "") + replies[i];
    result.hasReply = !replies.empty();
    m_model.hardDisk->flush();
    m_model.ramDisk->flush();
    result.drop = m_model.dropRequested;
    m_model.dropRequested = false;
    if (m_model.networkDownRequested)
        result.networkDownMs = static_cast<int>(std::max(0LL, m_model.networkDownUntilNs - now) / 1000000);
    m_model.networkDownRequested = false;
    result.delayMs = network ? m_model.faults.delayMs : 0;
    return result;
}

void InstrumentCore::runUnit(ScpiSession &session, const ScpiUnit &unit, std::vector<std::string> *path,
                             std::vector<std::string> *replies, long long now)
{
    if (unit.errorCode) {
        session.pushError(unit.errorCode, unit.errorDetail);
        return;
    }
    const CommandTable::Entry *entry =
        m_table.find(unit.absolute || unit.common ? std::vector<std::string>() : *path, unit.mnemonics, unit.query);
    if (!entry) {
        session.pushError(-113, "Undefined header");
        return;
    }
    if (!unit.common)
        path->assign(entry->shortForms.begin(), entry->shortForms.end() - 1);
    CommandContext context(m_model, session, unit, now);
    const int injected = m_model.faults.takeFailure(entry->name);
    if (injected < 0)
        context.fail(injected, "simulated");
    else
        entry->handler(context);
    if (injected > 0)
        session.pushError(injected, ScpiSession::standardText(injected) + "; simulated");
    if (!entry->query)
        return;
    if (!context.failed)
        replies->push_back(context.reply);
    else if (entry->block)
        replies->push_back("#10");
}

std::string InstrumentCore::statusPage()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const long long now = nowNs();
    m_model.acquisition.advance(now);
    return WebStatusPage::html(m_model, now);
}

void applySettings(InstrumentModel &model, const InstrumentSettings &settings, long long nowNs)
{
    model.acquisition.stop(nowNs);
    model.settings = settings;
}

} // namespace tssim
