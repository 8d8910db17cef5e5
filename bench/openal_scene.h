// The pieces of the benchmark's own minimal OpenAL Soft programs (the
// reference player and the key-to-ear floor): the default output with
// HRTF, the game's listener and distance settings, and looping sources
// read from sound files.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <cstddef>
#include <cstdio>
#include <vector>

namespace earshot::bench {

// The file mixed down to mono 16-bit samples, as OpenAL plays a sound in
// 3D, and its rate; empty if it cannot be read.
inline std::vector<short> monoSamples(const char* path, int& rate) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) {
        return {};
    }
    std::vector<short> frames(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_short(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<short> mono(static_cast<std::size_t>(info.frames));
    for (std::size_t i = 0; i < mono.size(); ++i) {
        int sum = 0;
        for (int c = 0; c < info.channels; ++c) {
            sum += frames[i * static_cast<std::size_t>(info.channels) + static_cast<std::size_t>(c)];
        }
        mono[i] = static_cast<short>(sum / info.channels);
    }
    rate = info.samplerate;
    return mono;
}

// Opens the default output with HRTF and sets the game's listener (at
// height 4) and distance model; `who` names the program in its messages.
// False if there is no output.
inline bool openScene(const char* who) {
    ALCdevice* device = alcOpenDevice(nullptr);
    const ALCint attributes[] = {ALC_HRTF_SOFT, ALC_TRUE, 0};
    ALCcontext* context = device != nullptr ? alcCreateContext(device, attributes) : nullptr;
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        std::fprintf(stderr, "%s: no audio output\n", who);
        return false;
    }
    ALCint hrtf = ALC_FALSE;
    alcGetIntegerv(device, ALC_HRTF_SOFT, 1, &hrtf);
    std::fprintf(stderr, "%s: HRTF %s\n", who, hrtf == ALC_TRUE ? "on" : "off");
    alDistanceModel(AL_EXPONENT_DISTANCE_CLAMPED);
    alListener3f(AL_POSITION, 0.0F, 4.0F, 0.0F);
    return true;
}

// A source playing the file at `path` looping from x, y, z in OpenAL's
// coordinates, with the game's distances; 0 if the file cannot be read.
inline ALuint playLooping(const char* path, float x, float y, float z) {
    int rate = 0;
    const std::vector<short> samples = monoSamples(path, rate);
    if (samples.empty()) {
        return 0;
    }
    ALuint buffer = 0;
    ALuint source = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, samples.data(),
                 static_cast<ALsizei>(samples.size() * sizeof(short)), rate);
    alGenSources(1, &source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, AL_TRUE);
    alSourcef(source, AL_REFERENCE_DISTANCE, 1.0F);
    alSourcef(source, AL_MAX_DISTANCE, 10.0F);
    alSourcef(source, AL_ROLLOFF_FACTOR, 1.0F);
    alSource3f(source, AL_POSITION, x, y, z);
    alSourcePlay(source);
    return source;
}

}  // namespace earshot::bench
