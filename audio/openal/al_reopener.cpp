#include "audio/openal/al_reopener.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace earshot {

struct AlReopener::State {
    AlcOpener opener;
    std::chrono::milliseconds retryEvery;
    std::mutex mutex;
    std::condition_variable wake;
    bool trying = false;
    bool abandoned = false;
    int failed = 0;
    std::optional<AlcOpened> ready;
};

AlReopener::AlReopener(AlcOpener opener, std::chrono::milliseconds retryEvery)
    : state_(std::make_shared<State>()) {
    state_->opener = std::move(opener);
    state_->retryEvery = retryEvery;
}

AlReopener::~AlReopener() {
    std::optional<AlcOpened> unused;
    {
        const std::lock_guard lock(state_->mutex);
        state_->abandoned = true;
        unused = std::move(state_->ready);
    }
    state_->wake.notify_all();
    if (unused) {
        closeLostDevice(std::move(*unused));
    }
}

void AlReopener::start() {
    {
        const std::lock_guard lock(state_->mutex);
        if (state_->trying || state_->ready) {
            return;
        }
        state_->trying = true;
        state_->failed = 0;
    }
    std::thread([state = state_] { keepTrying(state); }).detach();
}

std::optional<AlcOpened> AlReopener::take() {
    const std::lock_guard lock(state_->mutex);
    return std::exchange(state_->ready, std::nullopt);
}

int AlReopener::failedAttempts() const {
    const std::lock_guard lock(state_->mutex);
    return state_->failed;
}

void AlReopener::keepTrying(const std::shared_ptr<State>& state) {
    for (;;) {
        std::optional<AlcOpened> opened;
        try {
            opened = state->opener();
        } catch (const std::exception&) {
            // Not back yet; the next attempt comes after the pause.
        }
        std::unique_lock lock(state->mutex);
        if (state->abandoned) {
            lock.unlock();
            if (opened) {
                closeLostDevice(std::move(*opened));
            }
            return;
        }
        if (opened) {
            state->ready = std::move(opened);
            state->trying = false;
            return;
        }
        ++state->failed;
        state->wake.wait_for(lock, state->retryEvery, [&] { return state->abandoned; });
        if (state->abandoned) {
            return;
        }
    }
}

}  // namespace earshot
