// The benchmark's reference for the game's cost while it plays: the least
// an OpenAL Soft program does to play the same four sound files looping
// with HRTF from the places where the first level's speakers sit (near
// x -5, z -5 behind and to the left of the listener at height 4), with the
// game's distance settings. It plays until it is killed.
//
//   earshot_reference_player FRONT_LEFT FRONT_RIGHT REAR_LEFT REAR_RIGHT
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The file mixed down to mono 16-bit samples; empty if it cannot be read.
std::vector<short> monoSamples(const char* path, int& rate) {
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: earshot_reference_player FL FR RL RR\n");
        return 2;
    }
    ALCdevice* device = alcOpenDevice(nullptr);
    const ALCint attributes[] = {ALC_HRTF_SOFT, ALC_TRUE, 0};
    ALCcontext* context = device != nullptr ? alcCreateContext(device, attributes) : nullptr;
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        std::fprintf(stderr, "reference player: no audio output\n");
        return 1;
    }
    ALCint hrtf = ALC_FALSE;
    alcGetIntegerv(device, ALC_HRTF_SOFT, 1, &hrtf);
    std::fprintf(stderr, "reference player: HRTF %s\n", hrtf == ALC_TRUE ? "on" : "off");

    alDistanceModel(AL_EXPONENT_DISTANCE_CLAMPED);
    // The listener at height 4; OpenAL looks down -z, the game's scene
    // looks down +z, so the game's z is negated here.
    alListener3f(AL_POSITION, 0.0F, 4.0F, 0.0F);
    const float places[4][2] = {{-5.0F, -5.0F}, {-4.9F, -5.0F}, {-5.0F, -4.9F}, {-4.9F, -4.9F}};
    for (int i = 0; i < 4; ++i) {
        int rate = 0;
        const std::vector<short> samples = monoSamples(argv[i + 1], rate);
        if (samples.empty()) {
            std::fprintf(stderr, "reference player: cannot read %s\n", argv[i + 1]);
            return 1;
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
        alSource3f(source, AL_POSITION, places[i][0], 4.0F, -places[i][1]);
        alSourcePlay(source);
    }
    if (alGetError() != AL_NO_ERROR) {
        std::fprintf(stderr, "reference player: OpenAL failed\n");
        return 1;
    }
    for (;;) {
        pause();
    }
}
