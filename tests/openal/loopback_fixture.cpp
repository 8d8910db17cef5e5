#include "loopback_fixture.h"

#include <cmath>

#include "audio/openal/al_direct_sound.h"

namespace earshot::test {

double rms(const std::vector<float>& samples) {
    double sum = 0.0;
    for (const float sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double rmsBoth(const Rendered& block) {
    const double left = rms(block.left);
    const double right = rms(block.right);
    return std::sqrt((left * left + right * right) / 2.0);
}

double decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

void LoopbackTest::SetUp() {
    output_ = AlOutput::openLoopback(loopbackRate);
    sound_ = createOpenAlDirectSound("");
    sound_->SetCooperativeLevel(0, DSSCL_PRIORITY);
    DSBUFFERDESC primary;
    primary.lFlags = primaryFlags;
    listener_ = sound_->CreatePrimarySoundBuffer(primary)->GetDirectSound3DListener();
}

void LoopbackTest::TearDown() {
    listener_.reset();
    sound_.reset();
    output_.reset();
}

std::shared_ptr<DirectSoundSecondaryBuffer8> LoopbackTest::load(const std::string& path,
                                                                std::int32_t flags) {
    DSBUFFERDESC desc;
    desc.lFlags = flags;
    desc.guid3DAlgorithm = DS3DALG_HRTF_FULL;
    return sound_->CreateSoundBufferFromFile(path, desc);
}

Rendered LoopbackTest::render(int frames) {
    std::vector<float> interleaved(static_cast<std::size_t>(frames) * 2);
    output_->render(interleaved.data(), frames);
    Rendered block;
    block.left.reserve(static_cast<std::size_t>(frames));
    block.right.reserve(static_cast<std::size_t>(frames));
    for (std::size_t frame = 0; frame < static_cast<std::size_t>(frames); ++frame) {
        block.left.push_back(interleaved[2 * frame]);
        block.right.push_back(interleaved[2 * frame + 1]);
    }
    return block;
}

int LoopbackTest::framesUntilEnd(DirectSoundSecondaryBuffer8& buffer, int limit) {
    constexpr int block = 128;
    buffer.Play(DSBPLAY_DEFAULT);
    int rendered = 0;
    while (buffer.GetStatus() == DSBSTATUS_PLAYING && rendered < limit) {
        render(block);
        rendered += block;
    }
    return rendered;
}

double LoopbackTest::steadyLevel(DirectSoundSecondaryBuffer8& buffer) {
    buffer.GetDirectSound3DBuffer()->SetPosition(0, 0, 1, DS3D_IMMEDIATE);
    buffer.Play(DSBPLAY_LOOPING);
    render(4096);
    const double level = rmsBoth(render(8192));
    buffer.Stop();
    return level;
}

}  // namespace earshot::test
