// SIMulation: the test hooks (open thermocouples, fixed temperatures, failures, delays,
// dropped connections, a network outage, silence, rear-panel input lines, backlog capacity, a
// full disk, files of any name and count on a disk, raw file-list text).
#include "instrumentCore.h"
#include "replyFormat.h"

#include <algorithm>
#include <cmath>

namespace tssim {

namespace {

void openChannel(CommandContext &c)
{
    int ch = 0;
    bool open = false;
    if (c.expectCount(2, 2) && c.channel(0, &ch) && c.boolean(1, &open))
        c.model.signals.setOpen(ch - 1, open);
}

void fixTemperature(CommandContext &c)
{
    int ch = 0;
    double t = 0;
    if (c.expectCount(2, 2) && c.channel(0, &ch) && c.real(1, -300.0, 2000.0, &t))
        c.model.signals.setFixedTemperature(ch - 1, t);
}

void addFailure(CommandContext &c, const CommandTable &table)
{
    std::string header;
    long long code = 0, times = 1;
    if (!c.expectCount(2, 3) || !c.string(0, &header) || !c.integer(1, -999, 999, &code))
        return;
    if (c.unit.arguments.size() == 3 && !c.integer(2, 0, 1000000000, &times))
        return;
    if (code == 0) {
        c.fail(-224, "code 0 is no failure");
        return;
    }
    const std::string name = table.canonicalName(header);
    if (name.empty()) {
        c.fail(-224, "no command " + header);
        return;
    }
    c.model.faults.addFailure(name, static_cast<int>(code), times);
}

void line(CommandContext &c, long long *number)
{
    c.integer(0, 1, 2, number);
}

// Bytes of a placed file: numbered lines, so a download can be compared byte for byte.
std::string fileBytes(long long size)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size));
    for (long long line = 0; static_cast<long long>(bytes.size()) < size; ++line)
        bytes += std::to_string(line) + ",test data\n";
    bytes.resize(static_cast<size_t>(size));
    return bytes;
}

// SIM:DISK:FILE <loc>,<name>,<bytes>: a file of any name, even one the instrument refuses.
void placeFile(CommandContext &c)
{
    long long location = 0, size = 0;
    std::string name;
    if (!c.expectCount(3, 3) || !c.integer(0, 0, 1, &location) || !c.string(1, &name) ||
        !c.integer(2, 0, 100000000, &size))
        return;
    if (!c.model.disk(location)->place(name, fileBytes(size), c.nowNs))
        c.fail(-250, "disk full");
}

// SIM:DISK:FILL <loc>,<count>[,<name length>]: many small files, "F000001.csv" and on, each
// name padded with 'x' to the length asked for, so a list of any length can be made.
void fillDisk(CommandContext &c)
{
    long long location = 0, count = 0, length = 11;
    if (!c.expectCount(2, 3) || !c.integer(0, 0, 1, &location) || !c.integer(1, 0, 1000000, &count))
        return;
    if (c.unit.arguments.size() == 3 && !c.integer(2, 11, 200, &length))
        return;
    StorageDisk *disk = c.model.disk(location);
    for (long long i = 1; i <= count; ++i) {
        std::string number = std::to_string(i);
        std::string name = "F" + std::string(number.size() < 6 ? 6 - number.size() : 0, '0') + number;
        name += std::string(static_cast<size_t>(length) > name.size() + 4 ? length - name.size() - 4 : 0, 'x') + ".csv";
        if (!disk->place(name, fileBytes(i % 97), c.nowNs)) {
            c.fail(-250, "disk full");
            return;
        }
    }
}

void addListText(CommandContext &c)
{
    long long location = 0;
    std::string text;
    if (c.expectCount(2, 2) && c.integer(0, 0, 1, &location) && c.string(1, &text))
        c.model.disk(location)->addListText(text + "\n");
}

} // namespace

void addSimulationCommands(CommandTable &t)
{
    t.add("SIMulation:CHANnel:OPEN", false, openChannel);
    t.add("SIMulation:CHANnel:OPEN", true, [](CommandContext &c) {
        int ch = 0;
        if (c.expectCount(1, 1) && c.channel(0, &ch))
            c.reply = c.model.signals.isOpen(ch - 1) ? "1" : "0";
    });
    t.add("SIMulation:CHANnel:TEMPerature", false, fixTemperature);
    t.add("SIMulation:CHANnel:TEMPerature", true, [](CommandContext &c) {
        int ch = 0;
        if (c.expectCount(1, 1) && c.channel(0, &ch))
            c.reply = formatReal(c.model.signals.trueTemperature(ch - 1, c.nowNs));
    });
    t.add("SIMulation:CHANnel:TEMPerature:AUTO", false, [](CommandContext &c) {
        int ch = 0;
        if (c.expectCount(1, 1) && c.channel(0, &ch))
            c.model.signals.clearFixedTemperature(ch - 1);
    });
    // The table outlives every handler: it belongs to the same InstrumentCore.
    const CommandTable *table = &t;
    t.add("SIMulation:FAIL", false, [table](CommandContext &c) { addFailure(c, *table); });
    t.add("SIMulation:FAIL:CLEar", false, [](CommandContext &c) { c.model.faults.clearFailures(); });
    t.add("SIMulation:DELay", false, [](CommandContext &c) {
        long long ms = 0;
        if (c.expectCount(1, 1) && c.integer(0, 0, 600000, &ms))
            c.model.faults.delayMs = static_cast<int>(ms);
    });
    t.add("SIMulation:DELay", true, [](CommandContext &c) { c.reply = std::to_string(c.model.faults.delayMs); });
    t.add("SIMulation:DROP", false, [](CommandContext &c) { c.model.dropRequested = true; });
    t.add("SIMulation:NETwork:DOWN", false, [](CommandContext &c) {
        double seconds = 0;
        if (c.expectCount(1, 1) && c.real(0, 0.0, 3600.0, &seconds)) {
            c.model.networkDownUntilNs = c.nowNs + std::llround(seconds * 1e9);
            c.model.networkDownRequested = true;
        }
    });
    t.add("SIMulation:NETwork:DOWN", true, [](CommandContext &c) {
        c.reply = formatReal(static_cast<double>(std::max(0LL, c.model.networkDownUntilNs - c.nowNs)) / 1e9);
    });
    t.add("SIMulation:SILent", false, [](CommandContext &c) {
        bool on = false;
        if (c.expectCount(1, 1) && c.boolean(0, &on))
            c.model.faults.silent = on;
    });
    t.add("SIMulation:LINE:PULSe", false, [](CommandContext &c) {
        long long number = 0, count = 1;
        if (!c.expectCount(1, 2) || (line(c, &number), c.failed))
            return;
        if (c.unit.arguments.size() == 2 && !c.integer(1, 1, 1000000, &count))
            return;
        c.model.acquisition.pulse(static_cast<int>(number), static_cast<int>(count), c.nowNs);
    });
    t.add("SIMulation:LINE:STATe", false, [](CommandContext &c) {
        long long number = 0;
        bool active = false;
        if (c.expectCount(2, 2) && (line(c, &number), !c.failed) && c.boolean(1, &active))
            c.model.acquisition.hold(static_cast<int>(number), active, c.nowNs);
    });
    t.add("SIMulation:LINE:STATe", true, [](CommandContext &c) {
        long long number = 0;
        if (c.expectCount(1, 1) && (line(c, &number), !c.failed))
            c.reply = c.model.acquisition.lineActive(static_cast<int>(number)) ? "1" : "0";
    });
    t.add("SIMulation:LINE:CLOCk", false, [](CommandContext &c) {
        long long number = 0;
        double rate = 0;
        if (c.expectCount(2, 2) && (line(c, &number), !c.failed) && c.real(1, 0.0, 100000.0, &rate))
            c.model.acquisition.setClock(static_cast<int>(number), rate, c.nowNs);
    });
    t.add("SIMulation:ACQuire:CAPacity", false, [](CommandContext &c) {
        long long scans = 0;
        if (c.expectCount(1, 1) && c.integer(0, 1, 10000000, &scans))
            c.model.acquisition.setCapacity(scans);
    });
    t.add("SIMulation:ACQuire:CAPacity", true,
          [](CommandContext &c) { c.reply = std::to_string(c.model.acquisition.capacity()); });
    t.add("SIMulation:DISK:FREE", false, [](CommandContext &c) {
        long long location = 0, kB = 0;
        if (c.expectCount(2, 2) && c.integer(0, 0, 1, &location) && c.integer(1, 0, 100000000, &kB))
            c.model.disk(location)->setFreeKB(kB);
    });
    t.add("SIMulation:DISK:FILE", false, placeFile);
    t.add("SIMulation:DISK:FILL", false, fillDisk);
    t.add("SIMulation:DISK:LIST:ADD", false, addListText);
}

} // namespace tssim
