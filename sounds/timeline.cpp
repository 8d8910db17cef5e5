#include "timeline.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "signal.h"

namespace earshot::sound {

std::size_t Timeline::beatSamples() const {
    if (bpm <= 0 || (60 * sampleRate) % bpm != 0) {
        throw std::invalid_argument("a tempo of " + std::to_string(bpm) +
                                    " beats a minute does not give a whole number of samples a beat");
    }
    return static_cast<std::size_t>(60 * sampleRate / bpm);
}

std::size_t Timeline::loopSamples() const {
    return beatSamples() * static_cast<std::size_t>(beatsPerBar * bars);
}

std::size_t Timeline::sampleAt(double beat) const {
    const double unit = std::floor(beat / swingUnit);
    const double within = beat / swingUnit - unit;  // 0..1 through the swing unit
    const double swung = within < 0.5 ? within * 2.0 * swing : swing + (within - 0.5) * 2.0 * (1.0 - swing);
    const double samples = (unit + swung) * swingUnit * static_cast<double>(beatSamples());
    const std::size_t at = static_cast<std::size_t>(std::floor(samples + 0.5)) + samplesFor(leadSeconds);
    return at % loopSamples();
}

}  // namespace earshot::sound
