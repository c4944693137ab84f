#include "viewer.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>

// A closed descriptor 0, 1 or 2 would be handed to the next file opened, the X connection among them, and
// the banner or a library's messages would then be written into it. open() takes the lowest free number,
// so going upwards fills exactly the closed ones.
void secureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDWR);
    // A banner nobody reads is no reason to stop: the write fails with EPIPE instead.
    std::signal(SIGPIPE, SIG_IGN);
}
