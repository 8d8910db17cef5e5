// Owning handles of OpenAL buffers and sources on the current context:
// made on construction (throwing AudioError when OpenAL refuses) and
// deleted on destruction, unless forgotten because their device is lost.
#pragma once

#include <AL/al.h>

namespace earshot {

class AlBuffer {
public:
    AlBuffer();
    ~AlBuffer();
    AlBuffer(const AlBuffer&) = delete;
    AlBuffer& operator=(const AlBuffer&) = delete;
    ALuint id() const { return id_; }
    // The device is gone with the buffer: nothing is deleted.
    void forget() { id_ = 0; }

private:
    ALuint id_ = 0;
};

class AlSource {
public:
    AlSource();
    ~AlSource();
    AlSource(const AlSource&) = delete;
    AlSource& operator=(const AlSource&) = delete;
    ALuint id() const { return id_; }
    // The device is gone with the source: nothing is deleted.
    void forget() { id_ = 0; }

private:
    ALuint id_ = 0;
};

}  // namespace earshot
