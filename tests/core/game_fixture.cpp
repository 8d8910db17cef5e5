#include "tests/core/game_fixture.h"

namespace earshot::testing {

void GameTest::loadAndClearLog() {
    load();
    fake.log.clear();
}

int GameTest::key(std::int16_t code, std::int16_t shift) {
    try {
        form.onKeyDown(code, shift);
    } catch (const fakes::ProgramEnded& ended) {
        return ended.status;
    }
    return -1;
}

int GameTest::tick() {
    try {
        form.onTimer();
    } catch (const fakes::ProgramEnded& ended) {
        return ended.status;
    }
    return -1;
}

fakes::FakeSoundBuffer& GameTest::buffer(Speaker which) {
    return fakes::FakePlatform::buffer(form.speaker(which).Buffer);
}

fakes::FakeSound3D& GameTest::control(Speaker which) {
    return fakes::FakePlatform::control(form.speaker(which).Sound3D);
}

const char* speakerName(Speaker which) {
    switch (which) {
        case Speaker::FrontLeft:
            return "FrontLeft";
        case Speaker::FrontRight:
            return "FrontRight";
        case Speaker::RearLeft:
            return "RearLeft";
        case Speaker::RearRight:
            break;
    }
    return "RearRight";
}

void KnownPlacesTest::SetUp() {
    loadAndClearLog();
    const std::array<D3DVECTOR, 4> places = {
        {{-3.0F, 0.0F, 2.0F}, {2.0F, 0.0F, 3.0F}, {-2.0F, 0.0F, -3.0F}, {3.0F, 0.0F, -2.0F}}};
    const std::array<float, 4> steps = {0.1F, 0.2F, 0.3F, 0.4F};
    for (std::size_t i = 0; i < 4; ++i) {
        SpeakerRefs s = form.speaker(speakerOrder[i]);
        s.Pos = places[i];
        s.Step = steps[i];
        before_[static_cast<std::size_t>(speakerOrder[i])] = places[i];
    }
}

}  // namespace earshot::testing
