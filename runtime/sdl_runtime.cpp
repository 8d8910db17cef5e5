#include "runtime/sdl_runtime.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "game/errors.h"
#include "input/key_codes.h"
#include "runtime/executable_folder.h"
#include "runtime/key_mapping.h"
#include "runtime/monotonic_clock.h"
#include "runtime/sdl_check.h"

namespace earshot {

namespace {

// The client area of the window: 4680 x 3195 twips at 96 dots per inch.
inline constexpr int windowWidth = 312;
inline constexpr int windowHeight = 213;

// How close to a timer deadline the loop stops waiting for events in SDL
// (whose timeouts are whole milliseconds) and sleeps precisely instead.
inline constexpr std::int64_t preciseSleepMicroseconds = 2000;

void writeLine(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// How often a wait that looks for Escape asks the window system for new
// events: far quicker than a player can tell, and cheap beside the waits
// that call it every millisecond or less.
inline constexpr std::int64_t escapeLookMicroseconds = 10'000;

bool isEscapeKeyDown(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN &&
           virtualKeyCode(event.key.keysym.sym, event.key.keysym.scancode) == keys::Escape;
}

// The events the game's handlers or the window itself answer; the rest
// (the mouse's among them) only go to the event sinks.
bool isForTheGame(const SDL_Event& event) {
    return event.type == SDL_QUIT || event.type == SDL_WINDOWEVENT || event.type == SDL_KEYDOWN;
}

// Whether SDL's queue holds anything but an end-of-poll marker.
bool sdlHasPendingEvents() {
    return SDL_HasEvents(SDL_FIRSTEVENT, SDL_POLLSENTINEL - 1) == SDL_TRUE ||
           SDL_HasEvents(SDL_POLLSENTINEL + 1, SDL_LASTEVENT) == SDL_TRUE;
}

}  // namespace

SdlRuntime::SdlRuntime()
    : window_(createHiddenWindow("Form1", windowWidth, windowHeight)),
      appPath_(executableFolder()),
      timer_(&monotonicMicroseconds) {
    // Key-downs are what the game reads; no typed text, no input method.
    SDL_StopTextInput();
}

SdlRuntime::~SdlRuntime() = default;

void SdlRuntime::run(WindowEvents& form) {
    attach(form);
    try {
        form.onLoad();
        // A window that has loaded is shown, whether its load handler showed
        // it or not.
        if (!shown_) {
            showWindow();
        }
    } catch (const std::exception& error) {
        writeError(std::string("Error while the game window loaded: ") + error.what() +
                   " The game ends.");
        endProgram(1);
    }
    for (;;) {
        waitForWork();
        doEvents();
        if (loopWatch_) {
            try {
                loopWatch_();
            } catch (const std::exception& error) {
                writeError(error.what());
            }
        }
    }
}

void SdlRuntime::attach(WindowEvents& form) { form_ = &form; }

void SdlRuntime::setLoopWatch(std::function<void()> watch) { loopWatch_ = std::move(watch); }

SdlEventSinks& SdlRuntime::eventSinks() { return sinks_; }

void SdlRuntime::setScaleModePixels() {
    // The window has no contents to measure, and SDL counts in pixels.
}

void SdlRuntime::showWindow() {
    SDL_ShowWindow(window_.get());
    SDL_RaiseWindow(window_.get());
    // Only some window systems let a program take the focus itself; on the
    // others raising the window is all there is.
    SDL_SetWindowInputFocus(window_.get());
    shown_ = true;
    paint();
}

std::intptr_t SdlRuntime::windowHandle() { return SDL_GetWindowID(window_.get()); }

void SdlRuntime::setTimerInterval(int milliseconds) { timer_.setInterval(milliseconds); }

void SdlRuntime::setTimerEnabled(bool enabled) { timer_.setEnabled(enabled); }

void SdlRuntime::doEvents() {
    // Every key-down pumps before it acts, so a backlog of keys nests one
    // pump inside the other. Past this depth a pump leaves the events to
    // the pumps it runs inside, which handle them all the same: a storm of
    // keys then costs time, never the stack.
    if (pumpDepth_ >= maxPumpDepth) {
        return;
    }
    ++pumpDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{pumpDepth_};

    SDL_PumpEvents();
    // Exactly the events pending now. Events that arrive while these are
    // handled wait for the next pump, so a pump always comes to an end.
    int count = 0;
    do {
        count = SDL_PeepEvents(peeked_.data(), static_cast<int>(peeked_.size()), SDL_GETEVENT,
                               SDL_FIRSTEVENT, SDL_LASTEVENT);
        for (int i = 0; i < count; ++i) {
            take(peeked_[static_cast<std::size_t>(i)]);
        }
    } while (count == static_cast<int>(peeked_.size()));
    // The mouse has gathered all that came while the thread was away into
    // its buffer; now the game hears of it, once.
    sinks_.notifyGame(reportMouseError());

    // The taken events stay in one queue of the runtime's, so that a
    // handler that pumps again handles the events that were pending before
    // it, in order, before it goes on; this pump then handles what is left
    // of its own.
    const std::uint64_t last = lastTaken_;
    const bool timerDue = timer_.due();
    while (!taken_.empty() && taken_.front().number <= last) {
        const SDL_Event event = taken_.front().event;
        taken_.pop_front();
        dispatch(event);
    }
    if (timerDue) {
        tick();
    }
}

void SdlRuntime::endIfEscapePending() {
    const std::int64_t now = nowMicroseconds();
    if (now < nextEscapeLook_) {
        return;
    }
    nextEscapeLook_ = now + escapeLookMicroseconds;
    // Events a pump has taken and not yet handled come first: the handler
    // of one of them (a mouse click that locks, say) may be speaking while
    // an Escape the same pump took waits behind it.
    for (const TakenEvent& taken : taken_) {
        if (isEscapeKeyDown(taken.event)) {
            endProgram(0);
        }
    }
    // Only a look: every event stays in SDL's queue, in its order, for the
    // pump that handles it.
    SDL_PumpEvents();
    const int waiting = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN);
    if (waiting <= 0) {
        return;
    }
    std::vector<SDL_Event> keyDowns(static_cast<std::size_t>(waiting));
    const int peeked =
        SDL_PeepEvents(keyDowns.data(), waiting, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN);
    for (int i = 0; i < peeked; ++i) {
        if (isEscapeKeyDown(keyDowns[static_cast<std::size_t>(i)])) {
            endProgram(0);
        }
    }
}

float SdlRuntime::rnd() { return random_.next(); }

void SdlRuntime::randomize() { random_.reseedFromClock(); }

std::int64_t SdlRuntime::nowMicroseconds() { return monotonicMicroseconds(); }

void SdlRuntime::sleepUntilMicroseconds(std::int64_t deadline) {
    sleepUntilMonotonicMicroseconds(deadline);
}

std::string SdlRuntime::appPath() { return appPath_; }

void SdlRuntime::chDir(const std::string& folder) {
    if (::chdir(folder.c_str()) != 0) {
        throw WindowError("Cannot change the working directory to " + folder + ": " +
                          std::strerror(errno) + ".");
    }
}

void SdlRuntime::writeCaption(std::string_view text) { writeLine(stdout, text); }

void SdlRuntime::writeError(std::string_view text) { writeLine(stderr, text); }

void SdlRuntime::terminate(int status) {
    std::cout.flush();
    std::cerr.flush();
    // Only the streams the program writes to: flushing every stream would
    // wait for each one's lock, and the speech service library's reader
    // thread holds the lock of its socket's stream while it waits for
    // the service, so the program would never end.
    std::fflush(stdout);
    std::fflush(stderr);
    ::_exit(status);
}

void SdlRuntime::take(const SDL_Event& event) {
    if (event.type == SDL_POLLSENTINEL) {
        return;
    }
    // The mouse sees every event as it leaves SDL's queue, as a device that
    // buffers its input by itself does: its records and the window's focus
    // are its own, not events for the game.
    sinks_.take(event, reportMouseError());
    if (isForTheGame(event)) {
        taken_.push_back(TakenEvent{++lastTaken_, event});
    }
}

SdlEventSinks::ErrorReport SdlRuntime::reportMouseError() {
    return [this](const std::exception& error) {
        writeError(std::string("Error in the mouse input: ") + error.what());
    };
}

void SdlRuntime::waitForWork() {
    if (!taken_.empty()) {
        return;
    }
    SDL_Event event{};
    for (;;) {
        const std::optional<std::int64_t> deadline = timer_.deadline();
        if (!deadline) {
            if (SDL_WaitEvent(&event) == 0) {
                throw WindowError(sdlFailure("SDL cannot wait for the window's events"));
            }
            take(event);
            return;
        }
        const std::int64_t remaining = *deadline - nowMicroseconds();
        if (remaining <= 0) {
            return;
        }
        if (remaining > preciseSleepMicroseconds) {
            const int timeout = static_cast<int>((remaining - 1000) / 1000);
            if (SDL_WaitEventTimeout(&event, timeout) == 1) {
                take(event);
                return;
            }
            continue;
        }
        SDL_PumpEvents();
        if (!sdlHasPendingEvents()) {
            sleepUntilMicroseconds(*deadline);
        }
        return;
    }
}

void SdlRuntime::dispatch(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            endProgram(0);
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                endProgram(0);
            }
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED && shown_) {
                try {
                    paint();
                } catch (const WindowError&) {
                    // An empty window that could not be cleared again is
                    // still the game's window.
                }
            }
            break;
        case SDL_KEYDOWN:
            dispatchKey(event.key);
            break;
        default:
            break;
    }
}

void SdlRuntime::dispatchKey(const SDL_KeyboardEvent& key) {
    if (form_ == nullptr) {
        return;
    }
    // Every key-down, a key without a command too: its handler pumps.
    try {
        form_->onKeyDown(virtualKeyCode(key.keysym.sym, key.keysym.scancode),
                         shiftMask(key.keysym.mod));
    } catch (const std::exception& error) {
        writeError(std::string("Error in the key handler: ") + error.what() + " The game ends.");
        endProgram(1);
    }
}

void SdlRuntime::tick() {
    if (!timer_.takeExpiry() || form_ == nullptr) {
        return;
    }
    try {
        form_->onTimer();
    } catch (const std::exception& error) {
        writeError(std::string("Error in the game's tick: ") + error.what() + " The game ends.");
        endProgram(1);
    }
}

void SdlRuntime::paint() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
    if (surface == nullptr) {
        throw WindowError(sdlFailure("SDL cannot draw the window"));
    }
    throwIfSdlFailed(SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0)),
                     "SDL cannot clear the window");
    throwIfSdlFailed(SDL_UpdateWindowSurface(window_.get()), "SDL cannot show the window");
}

}  // namespace earshot
