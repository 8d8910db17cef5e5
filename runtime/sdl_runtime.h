// The windowing runtime of the real program, over SDL2: the window "Form1",
// its key-downs, its one timer, the event pump and the process services
// (random numbers, clock, folders, caption and error lines, the end).
// Everything runs on the thread that made it, which is the event thread.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "game/windowing_runtime.h"
#include "runtime/coalescing_timer.h"
#include "runtime/random_singles.h"
#include "runtime/sdl_event_sinks.h"
#include "runtime/sdl_video.h"

namespace earshot {

class SdlRuntime final : public WindowingRuntime {
public:
    // How deep pumps may nest inside the handlers of the events they
    // dispatch; a pump deeper than this returns at once.
    static constexpr int maxPumpDepth = 64;

    // Opens the window, hidden until it is shown. Throws WindowError with
    // SDL's reason when there is no display.
    SdlRuntime();
    ~SdlRuntime() override;
    SdlRuntime(const SdlRuntime&) = delete;
    SdlRuntime& operator=(const SdlRuntime&) = delete;

    // Runs the window's load handler, shows the window if the handler did
    // not, then handles events until the program ends (Escape in the game,
    // or the window closed).
    [[noreturn]] void run(WindowEvents& form);

    // The handlers events are delivered to from now on (run does this).
    void attach(WindowEvents& form);

    // Something to look at each time the loop has handled what came, the
    // timer's expiry included, so at least once a tick while the timer runs,
    // whatever the handlers did or did not do (the sound output is looked at
    // there). An error it lets out is written, and the loop goes on.
    void setLoopWatch(std::function<void()> watch);

    // Where the mouse device listens to the window's events.
    SdlEventSinks& eventSinks();

    void setScaleModePixels() override;
    void showWindow() override;
    std::intptr_t windowHandle() override;
    void setTimerInterval(int milliseconds) override;
    void setTimerEnabled(bool enabled) override;
    void doEvents() override;
    void endIfEscapePending() override;
    float rnd() override;
    void randomize() override;
    std::int64_t nowMicroseconds() override;
    void sleepUntilMicroseconds(std::int64_t deadline) override;
    std::string appPath() override;
    void chDir(const std::string& folder) override;
    void writeCaption(std::string_view text) override;
    void writeError(std::string_view text) override;

protected:
    void terminate(int status) override;

private:
    struct TakenEvent {
        std::uint64_t number;
        SDL_Event event;
    };

    void take(const SDL_Event& event);
    SdlEventSinks::ErrorReport reportMouseError();
    void waitForWork();
    void dispatch(const SDL_Event& event);
    void dispatchKey(const SDL_KeyboardEvent& key);
    void tick();
    void paint();

    SdlVideo video_;
    SdlWindow window_;
    std::string appPath_;
    CoalescingTimer timer_;
    RandomSingles random_;
    SdlEventSinks sinks_;
    WindowEvents* form_ = nullptr;
    std::function<void()> loopWatch_;
    bool shown_ = false;
    // Events taken from SDL's queue and not yet dispatched, oldest first,
    // numbered in the order they were taken.
    std::deque<TakenEvent> taken_;
    std::uint64_t lastTaken_ = 0;
    // Where a pump reads SDL's queue; kept off the stack, which nested
    // pumps share.
    std::array<SDL_Event, 64> peeked_{};
    // How many pumps are running, one inside the other.
    int pumpDepth_ = 0;
    // When endIfEscapePending next asks the window system for new events.
    std::int64_t nextEscapeLook_ = 0;
};

}  // namespace earshot
