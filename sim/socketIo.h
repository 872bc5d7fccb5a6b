// The few POSIX socket calls the transport needs, in one place.
#ifndef TSSIM_SOCKETIO_H
#define TSSIM_SOCKETIO_H

#include <cstdint>
#include <string>

namespace tssim {

class SocketIo {
public:
    // A listening TCP socket on address:port, or -1 with a reason.
    static int listenOn(const std::string &address, uint16_t port, std::string *error);
    // Waits up to timeoutMs for a connection on a listener (or a byte on wakeFd); the new
    // socket (non-blocking, TCP_NODELAY set), or -1 when none came. When accepting fails
    // (out of descriptors), it waits 100 ms (or until woken) rather than spin, and with a
    // spare descriptor (*spareFd, see openSpare) it first refuses the waiting client, which
    // would otherwise hang: the spare is closed, the client accepted and closed at once, and
    // the spare taken again.
    static int acceptWithin(int listenFd, int wakeFd, int timeoutMs, int *spareFd = nullptr);
    static int openSpare();
    // Sends every byte unless the peer takes none for timeoutMs; false then or on failure.
    static bool sendAll(int fd, const std::string &bytes, int timeoutMs = 2000);
    // Sends what the socket takes now: the count (0 when it takes nothing), -1 on failure.
    static long sendSome(int fd, const char *data, size_t size);
    // Waits up to timeoutMs until fd can be read or (wantWrite) written; false on failure.
    static bool waitFor(int fd, bool wantWrite, int timeoutMs, bool *readable, bool *writable);
    // Bytes received into buffer: >0 count, 0 peer closed or error; -1 nothing within timeoutMs.
    static long receive(int fd, char *buffer, size_t size, int timeoutMs);
    static void shutdownBoth(int fd);
    static void close(int fd);
    // A pipe whose read end wakes a waiting acceptWithin.
    static bool makePipe(int fds[2]);
    static void wake(int writeFd);
    // Empties the pipe, so that its read end no longer wakes anyone.
    static void drain(int readFd);
    // Waits up to timeoutMs for a wake on the pipe, and empties it.
    static void waitForWake(int readFd, int timeoutMs);
};

} // namespace tssim

#endif
