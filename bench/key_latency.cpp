// How soon a key moves a speaker: from the key-down entering the window's
// event queue to the speaker's SetPosition having reached OpenAL, in the
// real program's parts (the SDL runtime, the game object, the OpenAL
// adapter, with the music playing and the drift ticking). A feeder thread
// puts F and S key-downs into SDL's queue, as SDL's own reader of the
// window system does, at random moments some milliseconds apart, so that
// each is handled alone and they fall at every point of the tick's cycle.
// As the reference, the same feeder first measures a bare SDL loop that
// only waits for the key and takes it.
//
// Prints one line:
//   key <count> <median us> <p99 us> <max us> <ref median us> <ref p99 us>
//       <handler median us> <handler p99 us>
// where "handler" is the game's part alone, from the key handler's call to
// the SetPosition.
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "bench/stats.h"
#include "bench/timed_audio.h"
#include "bench/timed_platform.h"
#include "game/errors.h"
#include "game/form1.h"
#include "game/platform.h"
#include "input/key_codes.h"
#include "runtime/sdl_direct_x8.h"
#include "runtime/sdl_runtime.h"

namespace earshot::bench {
namespace {

constexpr int referenceKeys = 300;
constexpr int gameKeys = 600;

double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void pushKeyDown(SDL_Keycode sym, SDL_Scancode scancode) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = sym;
    event.key.keysym.scancode = scancode;
    SDL_PushEvent(&event);
}

// Pushes `count` key-downs (F and S in turn), 5 to 15 ms apart, noting
// when each went in; then, if asked, an Escape.
class Feeder {
public:
    explicit Feeder(int count) : pushed_(static_cast<std::size_t>(count)) {}
    ~Feeder() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    void start(bool escapeAtTheEnd) {
        thread_ = std::thread([this, escapeAtTheEnd] {
            std::mt19937 random(12345);
            std::uniform_int_distribution<int> gap(5000, 15000);
            for (std::size_t i = 0; i < pushed_.size(); ++i) {
                std::this_thread::sleep_for(std::chrono::microseconds(gap(random)));
                pushed_[i].store(Clock::now().time_since_epoch().count());
                if (i % 2 == 0) {
                    pushKeyDown(SDLK_f, SDL_SCANCODE_F);
                } else {
                    pushKeyDown(SDLK_s, SDL_SCANCODE_S);
                }
            }
            if (escapeAtTheEnd) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                pushKeyDown(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
            }
        });
    }

    void join() { thread_.join(); }

    Clock::time_point pushedAt(std::size_t i) const {
        return Clock::time_point(Clock::duration(pushed_[i].load()));
    }
    std::size_t count() const { return pushed_.size(); }

private:
    std::vector<std::atomic<Clock::rep>> pushed_;
    std::thread thread_;
};

// The bare SDL path: wait for the event, take it.
std::vector<double> referenceLatencies() {
    Feeder feeder(referenceKeys);
    feeder.start(false);
    std::vector<double> latencies;
    std::size_t taken = 0;
    while (taken < feeder.count()) {
        SDL_Event event{};
        if (SDL_WaitEventTimeout(&event, 100) == 1 && event.type == SDL_KEYDOWN) {
            latencies.push_back(microseconds(Clock::now() - feeder.pushedAt(taken)));
            ++taken;
        }
    }
    feeder.join();
    return latencies;
}

// The game object as the runtime sees it, with the moments its key handler
// is called noted; on Escape it prints the figures, then lets the game end.
class MeasuredForm final : public WindowEvents {
public:
    MeasuredForm(Form1& form, PositionLog& log, std::vector<double> reference)
        : form_(form), log_(log), reference_(std::move(reference)), feeder_(gameKeys) {}

    void onLoad() override {
        form_.onLoad();
        // The intro has ended and the game runs: the front left speaker is
        // the one F and S move.
        firstMove_ = log_.sent.size();
        feeder_.start(true);
    }

    void onKeyDown(std::int16_t keyCode, std::int16_t shift) override {
        if (keyCode == keys::Escape) {
            report();
        } else {
            calls_.push_back(Clock::now());
        }
        form_.onKeyDown(keyCode, shift);
    }

    void onTimer() override { form_.onTimer(); }

private:
    void report() {
        // A key's move is sent at height 0; the tick sends height 4.
        std::vector<Clock::time_point> moves;
        for (std::size_t i = firstMove_; i < log_.sent.size(); ++i) {
            if (log_.sent[i].y == 0.0F) {
                moves.push_back(log_.sent[i].at);
            }
        }
        if (moves.size() != feeder_.count() || calls_.size() != feeder_.count()) {
            std::fprintf(stderr, "key: %zu keys pushed, %zu handled, %zu moves sent\n",
                         feeder_.count(), calls_.size(), moves.size());
            std::exit(1);
        }
        std::vector<double> total;
        std::vector<double> handler;
        for (std::size_t i = 0; i < moves.size(); ++i) {
            total.push_back(microseconds(moves[i] - feeder_.pushedAt(i)));
            handler.push_back(microseconds(moves[i] - calls_[i]));
        }
        std::printf("key %zu %.1f %.1f %.1f %.1f %.1f %.1f %.1f\n", total.size(),
                    quantile(total, 0.5), quantile(total, 0.99), quantile(total, 1.0),
                    quantile(reference_, 0.5), quantile(reference_, 0.99), quantile(handler, 0.5),
                    quantile(handler, 0.99));
        std::fflush(stdout);
    }

    Form1& form_;
    PositionLog& log_;
    std::vector<double> reference_;
    Feeder feeder_;
    std::size_t firstMove_ = 0;
    std::vector<Clock::time_point> calls_;
};

}  // namespace
}  // namespace earshot::bench

int main() {
    using namespace earshot;
    try {
        SdlRuntime runtime;
        std::vector<double> reference = bench::referenceLatencies();
        bench::PositionLog log;
        Platform platform = bench::timedPlatform(runtime, log);
        Form1 form(platform);
        bench::MeasuredForm measured(form, log, std::move(reference));
        runtime.run(measured);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "key latency: %s\n", error.what());
        return 1;
    }
}
