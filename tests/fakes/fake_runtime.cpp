#include "tests/fakes/fake_runtime.h"

namespace earshot::fakes {

void FakeRuntime::setTimerInterval(int milliseconds) {
    timerInterval = milliseconds;
    log_.add("runtime.setTimerInterval(" + std::to_string(milliseconds) + ")");
}

void FakeRuntime::setTimerEnabled(bool enabled) {
    timerEnabled = enabled;
    log_.add(std::string("runtime.setTimerEnabled(") + (enabled ? "true" : "false") + ")");
}

void FakeRuntime::doEvents() {
    ++pumps;
    if (logPumps) {
        log_.add("runtime.doEvents()");
    }
    if (onPump) {
        onPump(pumps);
    }
    // What is pending now runs; what those events queue waits for the next
    // pump.
    std::deque<std::function<void()>> batch;
    batch.swap(pending);
    while (!batch.empty()) {
        auto event = std::move(batch.front());
        batch.pop_front();
        event();
    }
}

void FakeRuntime::endIfEscapePending() {
    ++escapeChecks;
    if (onEscapeCheck) {
        onEscapeCheck(escapeChecks);
    }
    // Looks are not logged: a wait makes one between every two status reads.
    if (escapePending) {
        endProgram(0);
    }
}

float FakeRuntime::rnd() {
    ++drawsTaken;
    float r = 0.0F;
    if (!draws.empty()) {
        r = draws.front();
        draws.pop_front();
    } else {
        seed_ = seed_ * 1664525U + 1013904223U;
        r = static_cast<float>(seed_ >> 8) / 16777216.0F;
    }
    if (logDraws) {
        log_.add("runtime.rnd() -> " + num(r));
    }
    return r;
}

void FakeRuntime::randomize() {
    ++randomizes;
    log_.add("runtime.randomize()");
}

void FakeRuntime::sleepUntilMicroseconds(std::int64_t deadline) {
    ++sleeps;
    if (deadline > now) {
        now = deadline;
    }
}

void FakeRuntime::chDir(const std::string& folder) {
    workingDirectory = folder;
    log_.add("runtime.chDir(" + folder + ")");
}

void FakeRuntime::writeCaption(std::string_view text) {
    captions.emplace_back(text);
    log_.add("caption: " + std::string(text));
}

void FakeRuntime::writeError(std::string_view text) {
    errors.emplace_back(text);
    log_.add("error: " + std::string(text));
}

void FakeRuntime::terminate(int status) {
    log_.add("runtime.endProgram(" + std::to_string(status) + ")");
    throw ProgramEnded{status};
}

}  // namespace earshot::fakes
