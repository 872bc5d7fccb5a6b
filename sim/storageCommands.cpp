// MMEMory: the RAM disk (location 1) and the hard disk (location 0).
#include "instrumentCore.h"
#include "replyFormat.h"

namespace tssim {

namespace {

bool location(CommandContext &c, size_t index, StorageDisk **disk)
{
    long long loc = 0;
    if (!c.integer(index, 0, 1, &loc))
        return false;
    *disk = c.model.disk(loc);
    return true;
}

void info(CommandContext &c)
{
    StorageDisk *disk = nullptr;
    if (c.expectCount(1, 1) && location(c, 0, &disk))
        c.reply = quoted(disk->infoText()) + "," + std::to_string(disk->totalKB()) + "," + std::to_string(disk->freeKB());
}

void catalog(CommandContext &c)
{
    if (!c.expectCount(0, 1))
        return;
    if (c.unit.arguments.size() == 1) {
        StorageDisk *disk = nullptr;
        if (location(c, 0, &disk))
            c.reply = definiteBlock(disk->listText());
        return;
    }
    c.reply = definiteBlock(c.model.ramDisk->listText() + c.model.hardDisk->listText());
}

// The file named by the arguments <loc>,"<name>"; reports -256 when it is not there.
bool file(CommandContext &c, StorageDisk **disk, std::string *name)
{
    if (!c.expectCount(2, 2) || !location(c, 0, disk) || !c.string(1, name))
        return false;
    if (!(*disk)->exists(*name)) {
        c.fail(-256, *name);
        return false;
    }
    return true;
}

void remove(CommandContext &c)
{
    StorageDisk *disk = nullptr;
    std::string name;
    if (!file(c, &disk, &name))
        return;
    // The shadow copy of a running acquisition is still being written.
    if (c.model.acquisition.state() != AcquisitionEngine::Idle && disk == c.model.shadowDisk &&
        name == c.model.shadowFile) {
        c.fail(-250, "file in use");
        return;
    }
    if (!disk->remove(name))
        c.fail(-250, "cannot delete " + name);
}

void download(CommandContext &c)
{
    StorageDisk *disk = nullptr;
    std::string name;
    if (file(c, &disk, &name))
        c.reply = definiteBlock(*disk->contents(name));
}

} // namespace

void addStorageCommands(CommandTable &t)
{
    t.add("MMEMory:INFO", true, info);
    t.add("MMEMory:CATalog", true, catalog, true);
    t.add("MMEMory:DELete", false, remove);
    t.add("MMEMory:DATA", true, download, true);
}

} // namespace tssim
