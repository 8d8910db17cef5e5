#include "speech/speechd/speechd_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "game/errors.h"

namespace earshot {

namespace {

int duplicate(int fd) {
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        throw SpeechError(std::string("Holding the speech service's connection: ") +
                          std::strerror(errno));
    }
    return copy;
}

}  // namespace

SpeechdSocket::SpeechdSocket(int libraryFd) : fd_(duplicate(libraryFd)) {}

SpeechdSocket::~SpeechdSocket() {
    close(fd_);
}

bool SpeechdSocket::alive() const {
    pollfd entry{fd_, POLLRDHUP, 0};
    int ready = 0;
    do {
        ready = poll(&entry, 1, 0);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
        return false;
    }
    return (entry.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) == 0;
}

void SpeechdSocket::cut() noexcept {
    shutdown(fd_, SHUT_RDWR);
}

}  // namespace earshot
