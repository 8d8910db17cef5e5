#include "loopback_recorder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>

namespace earshot::test {

namespace {
constexpr int framesPerStep = LoopbackRecorder::rate / 100;
}

LoopbackRecorder::LoopbackRecorder() : output_(AlOutput::openLoopback(rate)) {}

LoopbackRecorder::~LoopbackRecorder() {
    stop();
}

void LoopbackRecorder::start() {
    if (!running_.exchange(true)) {
        thread_ = std::thread([this] { run(); });
    }
}

void LoopbackRecorder::stop() {
    running_ = false;
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::vector<float> LoopbackRecorder::levels() const {
    const std::lock_guard lock(mutex_);
    return levels_;
}

std::string LoopbackRecorder::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

void LoopbackRecorder::run() {
    using Clock = std::chrono::steady_clock;
    const auto step = std::chrono::milliseconds(10);
    std::vector<float> stereo(2 * framesPerStep);
    auto next = Clock::now();
    try {
        while (running_) {
            output_->render(stereo.data(), framesPerStep);
            {
                const std::lock_guard lock(mutex_);
                for (int frame = 0; frame < framesPerStep; ++frame) {
                    levels_.push_back(std::max(std::fabs(stereo[2 * frame]),
                                               std::fabs(stereo[2 * frame + 1])));
                }
            }
            // A late thread catches up, so the recording keeps real time.
            next += step;
            std::this_thread::sleep_until(next);
        }
    } catch (const std::exception& error) {
        const std::lock_guard lock(mutex_);
        failure_ = error.what();
    }
}

std::vector<SoundSpan> soundSpans(const std::vector<float>& levels, int rate, float threshold,
                                  double bridge) {
    std::vector<SoundSpan> spans;
    const auto bridgeFrames = static_cast<std::size_t>(bridge * rate);
    std::size_t lastLoud = 0;
    bool any = false;
    for (std::size_t frame = 0; frame < levels.size(); ++frame) {
        if (levels[frame] < threshold) {
            continue;
        }
        const double at = static_cast<double>(frame) / rate;
        if (!any || frame - lastLoud > bridgeFrames) {
            spans.push_back({at, at});
        }
        spans.back().end = static_cast<double>(frame + 1) / rate;
        lastLoud = frame;
        any = true;
    }
    return spans;
}

std::string describe(const std::vector<SoundSpan>& spans) {
    std::ostringstream text;
    text << spans.size() << " stretch(es) of sound:";
    for (const auto& span : spans) {
        text << " [" << span.start << " s, " << span.end << " s]";
    }
    return text.str();
}

}  // namespace earshot::test
