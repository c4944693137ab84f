#include "viewer.h"

#if defined(__EMSCRIPTEN__)
// In a browser the standard streams are the page's, and nothing the program opens can take their place.
void secureStandardStreams() {}

#elif defined(_WIN32)
// Nothing to secure. The hazard below comes from descriptors sharing one numbering with every file and socket the
// process opens; here the window system speaks through handles, not C descriptors, and nothing opens a descriptor
// that could take a closed stream's number. Nor is there a signal for a reader that went away: the write fails.
void secureStandardStreams() {}

#else
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
#endif
