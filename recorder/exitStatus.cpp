// The recorder's exit statuses.
#include "exitStatus.h"

#include <algorithm>

namespace {

struct exitStatusEntry {
    recorderExit code;
    const char *meaning;
};

// The one list of what each status means: --help prints it; a manual page can take it as is.
const exitStatusEntry entries[] = {
    {exitSuccess, "the run ended as asked, or Ctrl-C/SIGTERM stopped it; every scan taken is in the file"},
    {exitUsage, "invalid options, or options this instrument cannot follow (channel beyond the model, "
                "PTP start not in the future)"},
    {exitOutputRefused, "the output file exists (without --force), its folder does not exist, or the "
                        "disk cannot hold a fixed-length run"},
    {exitNoInstrument, "no instrument or several were found, or the instrument could not be opened"},
    {exitSetupFailed, "the instrument refused a setting or the start; no file is left behind"},
    {exitConnectionLost, "the connection to the instrument was lost during the run; the file holds "
                         "every scan up to the last one reported"},
    {exitInstrumentError, "the instrument ended the run on an error (backlog overflow, shadow-copy "
                          "disk full); the file holds every scan it took"},
    {exitWriteFailed, "the output file could not be written (disk full); it holds every row up to "
                      "the last one reported"},
    {exitInterrupted, "a second Ctrl-C/SIGTERM stopped at once; the file holds every row written "
                      "up to then, scans still on the instrument were not fetched"},
};

} // namespace

std::string exitStatusText()
{
    const size_t width = 79;
    const std::string indent(5, ' ');
    std::string text = "Exit status:\n";
    for (const exitStatusEntry &e : entries) {
        std::string line = "  " + std::to_string(int(e.code)) + " ";
        const std::string meaning = e.meaning;
        for (size_t pos = 0; pos < meaning.size();) {
            const size_t end = std::min(meaning.find(' ', pos), meaning.size());
            if (line.size() + 1 + (end - pos) > width) {
                text += line + "\n";
                line = indent.substr(1);
            }
            line += " " + meaning.substr(pos, end - pos);
            pos = end + 1;
        }
        text += line + "\n";
    }
    return text;
}
