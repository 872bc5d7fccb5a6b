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
    // socket (TCP_NODELAY set), or -1 when none came.
    static int acceptWithin(int listenFd, int wakeFd, int timeoutMs);
    static bool sendAll(int fd, const std::string &bytes);
    // Bytes received into buffer: >0 count, 0 peer closed or error; -1 nothing within timeoutMs.
    static long receive(int fd, char *buffer, size_t size, int timeoutMs);
    static void shutdownBoth(int fd);
    static void close(int fd);
    // A pipe whose read end wakes a waiting acceptWithin.
    static bool makePipe(int fds[2]);
    static void wake(int writeFd);
};

} // namespace tssim

#endif
