// A windowing runtime for tests: events are scripted into a queue that the
// pump delivers, random draws are scripted, the clock moves only when the
// game sleeps, and ending the program throws ProgramEnded.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/windowing_runtime.h"
#include "tests/fakes/call_log.h"

namespace earshot::fakes {

// Thrown where the real runtime would end the process. Not an
// std::exception, so no handler of the game can swallow it.
struct ProgramEnded {
    int status;
};

class FakeRuntime final : public WindowingRuntime {
public:
    explicit FakeRuntime(CallLog& log) : log_(log) {}

    // Events waiting for the next pump, oldest first.
    std::deque<std::function<void()>> pending;
    // Called at the start of every pump with the pump's number (from 1),
    // before the pending events run: a test queues events "in" a pump.
    std::function<void(int)> onPump;
    // Draws handed out by rnd(), in order; when they run out, rnd() gives
    // a fixed pseudo-random sequence.
    std::deque<float> draws;
    bool logDraws = true;
    bool logPumps = true;
    // Whether an Escape key-down is waiting: the next look for one ends the
    // program with status 0. onEscapeCheck is called at the start of every
    // look with its number (from 1), so a test can let Escape arrive in the
    // middle of a wait.
    bool escapePending = false;
    std::function<void(int)> onEscapeCheck;
    int escapeChecks = 0;

    int pumps = 0;
    int drawsTaken = 0;
    int randomizes = 0;
    int sleeps = 0;
    std::int64_t now = 1'000'000;
    std::vector<std::string> captions;
    std::vector<std::string> errors;
    std::string programFolder = "/opt/earshot";
    std::string workingDirectory = "/";
    int timerInterval = 0;
    bool timerEnabled = false;

    void setScaleModePixels() override { log_.add("runtime.setScaleModePixels()"); }
    void showWindow() override { log_.add("runtime.showWindow()"); }
    std::intptr_t windowHandle() override { return 4242; }
    void setTimerInterval(int milliseconds) override;
    void setTimerEnabled(bool enabled) override;
    void doEvents() override;
    void endIfEscapePending() override;
    float rnd() override;
    void randomize() override;
    std::int64_t nowMicroseconds() override { return now; }
    void sleepUntilMicroseconds(std::int64_t deadline) override;
    std::string appPath() override { return programFolder; }
    void chDir(const std::string& folder) override;
    void writeCaption(std::string_view text) override;
    void writeError(std::string_view text) override;

protected:
    void terminate(int status) override;

private:
    CallLog& log_;
    std::uint32_t seed_ = 12345;
};

}  // namespace earshot::fakes
