// The recorder's exit statuses, with the texts that --help (and a manual page) show.
#ifndef TS4720_EXITSTATUS_H
#define TS4720_EXITSTATUS_H

#include <string>

enum recorderExit {
    exitSuccess = 0,          // the run ended as asked, or was stopped by Ctrl-C or SIGTERM
    exitUsage = 1,            // invalid options, or options the instrument cannot follow
    exitOutputRefused = 2,    // the output file exists, its folder is missing, the disk is too small
    exitNoInstrument = 3,     // none or several found, or the instrument could not be opened
    exitSetupFailed = 4,      // the instrument refused the settings or the start
    exitConnectionLost = 5,   // the link to the instrument failed during the run
    exitInstrumentError = 6,  // the instrument ended the run on an error of its own
    exitWriteFailed = 7,      // the output file could not be written during the run
    exitInterrupted = 8,      // a second Ctrl-C: stopped at once, without fetching what was left
};

// "Exit status:" and one line per status, as --help ends.
std::string exitStatusText();

#endif
