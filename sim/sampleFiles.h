// The data files a fresh instrument has on its disks, so that the storage page has
// something to list, download and view.
#ifndef TSSIM_SAMPLEFILES_H
#define TSSIM_SAMPLEFILES_H

#include <string>

namespace tssim {

struct InstrumentModel;
class StorageDisk;

class SampleFiles {
public:
    // One recording of `channels` channels at `rate` Hz, `scans` rows, started at startNs.
    static void create(const InstrumentModel &model, StorageDisk &disk, long long startNs, int channels,
                       double rate, int scans);
    // The name the instrument gives a recording started at timeNs ("ACQ_20261206_114619.csv").
    static std::string recordingName(long long timeNs);
    static bool folderExists(const std::string &path);
};

} // namespace tssim

#endif
