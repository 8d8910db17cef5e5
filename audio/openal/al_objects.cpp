#include "audio/openal/al_objects.h"

#include "audio/openal/al_output.h"

namespace earshot {

AlBuffer::AlBuffer() {
    alGetError();
    alGenBuffers(1, &id_);
    throwIfAlError("making a sound buffer");
}

AlBuffer::~AlBuffer() {
    if (id_ != 0) {
        alDeleteBuffers(1, &id_);
    }
}

AlSource::AlSource() {
    alGetError();
    alGenSources(1, &id_);
    throwIfAlError("making a sound source");
}

AlSource::~AlSource() {
    // Deleting a source stops it and lets go of its buffer.
    if (id_ != 0) {
        alDeleteSources(1, &id_);
    }
}

}  // namespace earshot
