// Message execution: one lock around the whole message, so the units of one message see
// and leave a consistent state even with several connections at once.
#include "instrumentCore.h"

#include "modelTable.h"
#include "sampleFiles.h"
#include "scpiSession.h"
#include "webStatusPage.h"

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
    model_.address = options.address;
    model_.subType = modelOf(options.subType, &model_.channelCount);
    model_.serialNumber = options.serialNumber;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08x", options.serialNumber);
    model_.serialText = serial;
    model_.identity = options.identity;
    model_.stateDir = options.stateDir;
    model_.settings = InstrumentSettings::factory(model_.serialText);
    model_.saved = model_.settings;
    if (!model_.stateDir.empty() && model_.saved.load(model_.configPath())) {
        model_.hasSaved = true;
        model_.settings = model_.saved;
    }
    const long long now = nowNs();
    const bool freshHardDisk = model_.stateDir.empty() || !SampleFiles::folderExists(model_.stateDir + "/harddisk");
    model_.hardDisk.reset(new StorageDisk("HD", "Hard Disk", 4194304,
                                          model_.stateDir.empty() ? std::string() : model_.stateDir + "/harddisk"));
    model_.ramDisk.reset(new StorageDisk("RAM", "RAM Disk", 262144, std::string()));
    if (freshHardDisk)
        SampleFiles::create(model_, *model_.hardDisk, now - 86400LL * 1000000000LL, 4, 10.0, 100);
    SampleFiles::create(model_, *model_.ramDisk, now - 3600LL * 1000000000LL, 8, 2.0, 20);

    addSystemCommands(table_);
    addChannelCommands(table_);
    addAcquisitionCommands(table_);
    addStorageCommands(table_);
    addSimulationCommands(table_);
}

long long InstrumentCore::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

MessageResult InstrumentCore::execute(ScpiSession &session, const std::string &message, bool network)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const long long now = nowNs();
    model_.acquisition.advance(now);
    MessageResult result;
    const std::vector<ScpiUnit> units = ScpiParser::parse(message);
    std::vector<std::string> path;
    std::vector<std::string> replies;
    for (const ScpiUnit &unit : units) {
        if (network && model_.faults.silent) {
            // A silent instrument ignores everything but the hook that ends the silence.
            const CommandTable::Entry *e = unit.errorCode ? nullptr : table_.find({}, unit.mnemonics, unit.query);
            if (!e || e->name != "SIM:SIL")
                continue;
        }
        runUnit(session, unit, &path, &replies, now);
    }
    if (network && model_.faults.silent)
        replies.clear();
    for (size_t i = 0; i < replies.size(); ++i)
        result.reply += (i ? ";" : "") + replies[i];
    result.hasReply = !replies.empty();
    model_.hardDisk->flush();
    model_.ramDisk->flush();
    result.drop = model_.dropRequested;
    model_.dropRequested = false;
    result.delayMs = network ? model_.faults.delayMs : 0;
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
        table_.find(unit.absolute || unit.common ? std::vector<std::string>() : *path, unit.mnemonics, unit.query);
    if (!entry) {
        session.pushError(-113, "Undefined header");
        return;
    }
    if (!unit.common)
        path->assign(entry->shortForms.begin(), entry->shortForms.end() - 1);
    CommandContext context(model_, session, unit, now);
    const int injected = model_.faults.takeFailure(entry->name);
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
    std::lock_guard<std::mutex> lock(mutex_);
    const long long now = nowNs();
    model_.acquisition.advance(now);
    return WebStatusPage::html(model_, now);
}

void applySettings(InstrumentModel &model, const InstrumentSettings &settings, long long nowNs)
{
    model.acquisition.stop(nowNs);
    model.settings = settings;
}

} // namespace tssim
