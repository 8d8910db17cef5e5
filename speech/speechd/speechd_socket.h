// Our own handle on the socket of a speech-service connection. libspeechd
// closes its socket when the service goes away, and the number may then be
// reused for any file the program opens; a duplicate of our own keeps the
// socket itself, so that we can always ask whether the other end is still
// there and cut the connection off when the service stops answering. Both
// are plain socket calls, never calls into the library.
#pragma once

namespace earshot {

class SpeechdSocket {
public:
    // Duplicates `libraryFd`; throws SpeechError when it cannot.
    explicit SpeechdSocket(int libraryFd);
    ~SpeechdSocket();
    SpeechdSocket(const SpeechdSocket&) = delete;
    SpeechdSocket& operator=(const SpeechdSocket&) = delete;

    // False once the service has closed its end (it ended or died) or the
    // connection was cut.
    bool alive() const;

    // Shuts the socket down in both directions: the library's reader sees
    // the end of the connection, and a library call waiting for an answer
    // returns with a failure. Safe from any thread, and more than once.
    void cut() noexcept;

private:
    int fd_ = -1;
};

}  // namespace earshot
