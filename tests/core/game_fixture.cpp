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

}  // namespace earshot::testing
