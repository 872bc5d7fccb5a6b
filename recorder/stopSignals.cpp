// Signals through a self-pipe.
#include "stopSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

const int handled[] = {SIGINT, SIGTERM, SIGHUP};
int pipeEnds[2] = {-1, -1};
std::atomic<int> received{0};
const char signalByte = 's', quitByte = 'q';

void onSignal(int)
{
    const int saved = errno;
    received.fetch_add(1);
    const ssize_t ignored = ::write(pipeEnds[1], &signalByte, 1);
    (void)ignored;
    errno = saved;
}

} // namespace

bool stopSignals::install(std::function<void(int)> reaction)
{
    if (m_installed || ::pipe(pipeEnds) != 0)
        return false;
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK); // a handler never blocks on a full pipe
    m_reaction = std::move(reaction);
    m_watcher = std::thread(&stopSignals::watch, this);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : handled)
        sigaction(s, &action, nullptr);
    // Standard error piped into a program that ended must not end a recording.
    std::signal(SIGPIPE, SIG_IGN);
    m_installed = true;
    return true;
}

void stopSignals::watch()
{
    int seen = 0;
    for (;;) {
        char byte = 0;
        const ssize_t n = ::read(pipeEnds[0], &byte, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || byte == quitByte)
            return;
        // Several signals may share one wake-up; each count is reacted to once.
        for (const int now = received.load(); seen < now;)
            m_reaction(++seen);
    }
}

stopSignals::~stopSignals()
{
    if (!m_installed)
        return;
    for (int s : handled)
        std::signal(s, SIG_DFL);
    const ssize_t ignored = ::write(pipeEnds[1], &quitByte, 1);
    (void)ignored;
    m_watcher.join();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}
