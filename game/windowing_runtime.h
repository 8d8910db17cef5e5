// The windowing runtime as the game sees it: the window, its timer, the
// event pump, the random generator, the clock, the program's folder, the
// caption and error lines, and the end of the program.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace earshot {

// What the runtime delivers to the game object, each on the event thread.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void onLoad() = 0;
    virtual void onKeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual void onTimer() = 0;
};

class WindowingRuntime {
public:
    virtual ~WindowingRuntime() = default;

    // The window.
    virtual void setScaleModePixels() = 0;
    virtual void showWindow() = 0;
    virtual std::intptr_t windowHandle() = 0;

    // The window's one timer. Expiries that fall due while the event thread
    // is busy coalesce into one.
    virtual void setTimerInterval(int milliseconds) = 0;
    virtual void setTimerEnabled(bool enabled) = 0;

    // Dispatches every event already pending (keys, timer expiry, mouse
    // notifications) to its handler, re-entrantly, then returns.
    virtual void doEvents() = 0;

    // Ends the program at once with status 0 if an Escape key-down is
    // waiting to be handled; otherwise returns and leaves every event where
    // it is, to be handled in its turn. The waits that hold the event
    // thread (a cue played to its end, a sentence spoken to its end) call
    // it between their looks at what they wait for: a player must always be
    // able to quit at once, whatever the game is busy with.
    virtual void endIfEscapePending() = 0;

    // Uniform Single in [0, 1).
    virtual float rnd() = 0;
    // Reseeds the generator from the clock.
    virtual void randomize() = 0;

    // A steady clock in microseconds, and a sleep until a time on it.
    virtual std::int64_t nowMicroseconds() = 0;
    virtual void sleepUntilMicroseconds(std::int64_t deadline) = 0;

    // The folder that holds the program (not the working directory), with
    // no trailing separator, and a change of the working directory.
    virtual std::string appPath() = 0;
    virtual void chDir(const std::string& folder) = 0;

    // One line on standard output: what the voice says, as it says it.
    virtual void writeCaption(std::string_view text) = 0;
    // One line on standard error.
    virtual void writeError(std::string_view text) = 0;

    // Ends the program at once with this status; no event is handled after.
    [[noreturn]] void endProgram(int status) {
        terminate(status);
        std::abort();  // terminate() never comes back
    }

protected:
    // Ends the process (a test's runtime throws instead). Never returns.
    virtual void terminate(int status) = 0;
};

}  // namespace earshot
