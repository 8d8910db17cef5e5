// Key to ear: from a key press sent to a window, as the X server gets a
// real one (the XTest extension), until the first changed samples of the
// sound come out of the PulseAudio server (they are recorded from its
// sink's monitor as the sink takes them). The program in the window plays
// one sound just left of the listener; the measured key moves it below the
// listener, which turns the balance of the two channels by ten decibels or
// more; the other key moves it back, unmeasured.
//
//   earshot_bench_key_to_ear WINDOW_TITLE PRESSES KEY BACK_KEY
//       Needs DISPLAY and the server (PULSE_SERVER); records the monitor of
//       the sink "earshot". Prints:
//       key_to_ear <presses> <median ms> <p99 ms> <max ms> <missed>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "stats.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int rate = 48000;
// 2 ms blocks of the recording: the balance is measured per block.
constexpr int blockFrames = 96;
// A block below this mean square in both channels is a pause in the music,
// where the balance says nothing.
constexpr double quietPower = 1e-7;
// Beside the listener, the left ear hears the music's high frequencies
// 6 dB or more above the right one, how much more depending on the music
// of the moment; below the listener the two ears hear within 4 dB of each
// other. A key is sent once the balance over 200 ms is below `besideDb`,
// and the move has been heard once three blocks in a row (6 ms) are above
// `belowDb`.
constexpr double besideDb = -6.0;
constexpr double belowDb = -4.5;
constexpr int changedBlocks = 3;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "key to ear: %s\n", what.c_str());
    std::exit(1);
}

struct Block {
    Clock::time_point arrived;
    double left = 0.0;  // mean squares
    double right = 0.0;
    bool loud = false;
};

// Right minus left in dB over the blocks from `begin` to `end`.
double balance(const Block* begin, const Block* end) {
    double left = 1e-12;
    double right = 1e-12;
    for (const Block* block = begin; block != end; ++block) {
        left += block->left;
        right += block->right;
    }
    return 10.0 * std::log10(right / left);
}

// Records the server's output in blocks, with the moment each arrived.
class Recorder {
public:
    Recorder() {
        const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, rate, 2};
        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.fragsize = blockFrames * 2 * sizeof(float);
        int error = 0;
        stream_ = pa_simple_new(nullptr, "earshot key to ear", PA_STREAM_RECORD, "earshot.monitor",
                                "key to ear", &format, nullptr, &attributes, &error);
        if (stream_ == nullptr) {
            fail(std::string("cannot record the sound server: ") + pa_strerror(error));
        }
        thread_ = std::thread([this] { run(); });
    }
    ~Recorder() {
        stop_ = true;
        thread_.join();
        pa_simple_free(stream_);
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::vector<Block> blocksSince(Clock::time_point since) {
        const std::lock_guard lock(mutex_);
        std::vector<Block> result;
        for (auto it = blocks_.rbegin(); it != blocks_.rend() && it->arrived > since; ++it) {
            result.push_back(*it);
        }
        std::reverse(result.begin(), result.end());
        return result;
    }

private:
    void run() {
        std::vector<float> samples(blockFrames * 2);
        while (!stop_) {
            int error = 0;
            if (pa_simple_read(stream_, samples.data(), samples.size() * sizeof(float), &error) < 0) {
                fail(std::string("recording failed: ") + pa_strerror(error));
            }
            Block block{Clock::now()};
            // The balance of the changes from sample to sample, where the
            // high frequencies weigh most: the two ears differ most there.
            double left = 0.0;
            double right = 0.0;
            for (int i = 0; i < blockFrames; ++i) {
                const double dl = double{samples[2 * i]} - previous_[0];
                const double dr = double{samples[2 * i + 1]} - previous_[1];
                previous_ = {samples[2 * i], samples[2 * i + 1]};
                left += dl * dl;
                right += dr * dr;
            }
            block.left = left / blockFrames;
            block.right = right / blockFrames;
            block.loud = block.left > quietPower || block.right > quietPower;
            const std::lock_guard lock(mutex_);
            blocks_.push_back(block);
        }
    }

    pa_simple* stream_ = nullptr;
    std::array<float, 2> previous_{};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Block> blocks_;
    std::thread thread_;
};

// The top-level window titled `title`, searched for up to ten seconds.
Window findWindow(Display* display, const std::string& title) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            char* name = nullptr;
            if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
                if (title == name) {
                    found = children[i];
                }
                XFree(name);
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (found != 0) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    fail("no window titled " + title);
}

void sendKey(Display* display, KeyCode key) {
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XFlush(display);
}

void releaseKey(Display* display, KeyCode key) {
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
}

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Whether the sound is heard beside the listener: the loud blocks of the
// last 200 ms, most of them loud, balanced as beside it.
bool heardBeside(Recorder& recorder) {
    std::vector<Block> loud;
    for (const Block& block : recorder.blocksSince(Clock::now() - std::chrono::milliseconds(200))) {
        if (block.loud) {
            loud.push_back(block);
        }
    }
    return loud.size() >= 30 && balance(loud.data(), loud.data() + loud.size()) < besideDb;
}

// Seconds from `sent` until the arrival of three loud blocks in a row
// balanced as below the listener; negative if none came within a second.
double untilBelow(Recorder& recorder, Clock::time_point sent) {
    while (secondsBetween(sent, Clock::now()) < 1.0) {
        std::vector<Block> loud;
        for (const Block& block : recorder.blocksSince(sent)) {
            if (block.loud) {
                loud.push_back(block);
            }
        }
        for (std::size_t end = changedBlocks; end <= loud.size(); ++end) {
            if (balance(loud.data() + end - changedBlocks, loud.data() + end) > belowDb) {
                return secondsBetween(sent, loud[end - 1].arrived);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: earshot_bench_key_to_ear WINDOW_TITLE PRESSES KEY BACK_KEY\n");
        return 2;
    }
    const int presses = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fail("no display");
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(display, &event, &error, &major, &minor) == 0) {
        fail("the display has no XTest extension");
    }
    const KeyCode key = XKeysymToKeycode(display, XStringToKeysym(argv[3]));
    const KeyCode back = XKeysymToKeycode(display, XStringToKeysym(argv[4]));
    const Window window = findWindow(display, argv[1]);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);

    Recorder recorder;
    std::vector<double> latencies;
    int missed = 0;
    int pauses = 0;
    while (static_cast<int>(latencies.size()) + missed < presses) {
        // Long enough for the game's next tick to have set the speaker back
        // at the listener's height after the back key.
        std::this_thread::sleep_for(std::chrono::milliseconds(350));
        if (!heardBeside(recorder)) {
            if (++pauses > 10 * presses) {
                fail("the sound is not heard beside the listener");
            }
            continue;
        }
        sendKey(display, key);
        const auto sent = Clock::now();
        releaseKey(display, key);
        const double latency = untilBelow(recorder, sent);
        if (latency < 0.0) {
            ++missed;
        } else {
            latencies.push_back(latency * 1000.0);
        }
        sendKey(display, back);
        releaseKey(display, back);
    }
    XCloseDisplay(display);
    std::printf("key_to_ear %zu %.1f %.1f %.1f %d\n", latencies.size(),
                earshot::bench::quantile(latencies, 0.5), earshot::bench::quantile(latencies, 0.99),
                latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()),
                missed);
    return 0;
}
