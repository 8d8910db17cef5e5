// How even the game's 100 ms tick is: the real SDL runtime's timer path
// (its event loop, its coalescing timer, its precise sleep before a
// deadline) with a window of its own and a game that only notes when each
// tick came. As the reference, a thread beside it sleeps to the same 100 ms
// deadlines with nothing else to do: what the machine's clock and scheduler
// allow at best.
//
// Prints one line:
//   tick <periods> <mean ms> <p99 |deviation| ms> <ref mean ms> <ref p99 |deviation| ms>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/stats.h"
#include "runtime/monotonic_clock.h"
#include "runtime/sdl_runtime.h"

namespace earshot::bench {
namespace {

constexpr int periods = 600;
constexpr std::int64_t intervalMicroseconds = 100'000;

struct Figures {
    double meanMs;
    double p99DeviationMs;
};

Figures figuresOf(const std::vector<std::int64_t>& at) {
    std::vector<double> lengths;
    std::vector<double> deviations;
    for (std::size_t i = 1; i < at.size(); ++i) {
        const double ms = static_cast<double>(at[i] - at[i - 1]) / 1000.0;
        lengths.push_back(ms);
        deviations.push_back(std::fabs(ms - static_cast<double>(intervalMicroseconds) / 1000.0));
    }
    return {mean(lengths), quantile(deviations, 0.99)};
}

class TickingForm final : public WindowEvents {
public:
    explicit TickingForm(SdlRuntime& runtime) : runtime_(runtime) {}

    void onLoad() override {
        runtime_.setTimerInterval(static_cast<int>(intervalMicroseconds / 1000));
        runtime_.setTimerEnabled(true);
        reference_ = std::thread([this] {
            std::int64_t due = monotonicMicroseconds();
            for (int i = 0; i <= periods; ++i) {
                due += intervalMicroseconds;
                sleepUntilMonotonicMicroseconds(due);
                referenceTicks_.push_back(monotonicMicroseconds());
            }
        });
    }
    void onKeyDown(std::int16_t, std::int16_t) override {}
    void onTimer() override {
        ticks_.push_back(monotonicMicroseconds());
        if (static_cast<int>(ticks_.size()) > periods) {
            reference_.join();
            const Figures game = figuresOf(ticks_);
            const Figures bare = figuresOf(referenceTicks_);
            std::printf("tick %d %.3f %.3f %.3f %.3f\n", periods, game.meanMs, game.p99DeviationMs,
                        bare.meanMs, bare.p99DeviationMs);
            std::fflush(stdout);
            runtime_.endProgram(0);
        }
    }

private:
    SdlRuntime& runtime_;
    std::vector<std::int64_t> ticks_;
    std::vector<std::int64_t> referenceTicks_;
    std::thread reference_;
};

}  // namespace
}  // namespace earshot::bench

int main() {
    try {
        earshot::SdlRuntime runtime;
        earshot::bench::TickingForm form(runtime);
        runtime.run(form);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tick period: %s\n", error.what());
        return 1;
    }
}
