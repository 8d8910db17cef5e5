#include "voice.h"

#include <algorithm>
#include <cmath>

#include "dsp_math.h"
#include "random.h"

namespace earshot::sound {

namespace {

// Below this a partial is inaudible under its note, and it is dropped.
constexpr double silentLevel = 1e-5;

// A partial as it rings: its level now and the factor it falls by per sample.
struct Ringing {
    double ratio;
    double level;
    double factor;
};

std::vector<Ringing> audiblePartials(const Note& note, const std::vector<Partial>& partials) {
    std::vector<Ringing> ringing;
    for (const Partial& p : partials) {
        if (p.ratio * note.frequency < highestPartial && p.amplitude != 0.0) {
            ringing.push_back({p.ratio, p.amplitude, expOf(-p.fall / sampleRate)});
        }
    }
    return ringing;
}

// If every ratio is a different whole multiple of 1/2 (or of 1), the partials
// as levels per multiple (index 0 unused) and the step; else an empty list.
struct Harmonics {
    double step = 0.0;
    std::vector<double> level;
    std::vector<double> factor;
};

Harmonics asHarmonics(const std::vector<Ringing>& ringing) {
    for (const double step : {1.0, 0.5}) {
        Harmonics h{step, {}, {}};
        bool fits = !ringing.empty();
        for (const Ringing& r : ringing) {
            const double multiple = r.ratio / step;
            if (multiple != std::floor(multiple) || multiple < 1.0 || multiple > 4096.0) {
                fits = false;
                break;
            }
            const auto m = static_cast<std::size_t>(multiple);
            if (h.level.size() <= m) {
                h.level.resize(m + 1, 0.0);
                h.factor.resize(m + 1, 1.0);
            }
            if (h.level[m] != 0.0) {
                fits = false;  // two partials on one multiple: they fall differently
                break;
            }
            h.level[m] = r.level;
            h.factor[m] = r.factor;
        }
        if (fits) {
            return h;
        }
    }
    return {};
}

double vibratoFactor(const Vibrato& vibrato, std::size_t i) {
    if (vibrato.depth <= 0.0) {
        return 1.0;
    }
    const double t = static_cast<double>(i) / sampleRate;
    if (t <= vibrato.delay) {
        return 1.0;
    }
    const double fadeIn = std::min(1.0, (t - vibrato.delay) / std::max(vibrato.delay, 0.05));
    return 1.0 + vibrato.depth * fadeIn * sinCycles(vibrato.rate * t);
}

}  // namespace

Signal additive(const Note& note, const std::vector<Partial>& partials, const Envelope& envelope,
                const Vibrato& vibrato) {
    Signal out = envelope.render(note.gate);
    std::vector<Ringing> ringing = audiblePartials(note, partials);
    Harmonics harmonics = asHarmonics(ringing);
    std::size_t highest = harmonics.level.empty() ? 0 : harmonics.level.size() - 1;
    double phase = 0.0;  // cycles of the note's frequency
    for (std::size_t i = 0; i < out.size(); ++i) {
        double sum = 0.0;
        if (harmonics.step > 0.0) {
            // One sine and cosine give them all: sin((m+1)x) = 2 cos x sin(mx) - sin((m-1)x).
            const double twoCos = 2.0 * cosCycles(harmonics.step * phase);
            double previous = 0.0;
            double current = sinCycles(harmonics.step * phase);
            for (std::size_t m = 1; m <= highest; ++m) {
                sum += harmonics.level[m] * current;
                harmonics.level[m] *= harmonics.factor[m];
                const double next = twoCos * current - previous;
                previous = current;
                current = next;
            }
            if (i % 256 == 255) {
                while (highest > 0 && std::fabs(harmonics.level[highest]) < silentLevel) {
                    --highest;
                }
            }
        } else {
            for (Ringing& r : ringing) {
                sum += r.level * sinCycles(r.ratio * phase);
                r.level *= r.factor;
            }
            if (i % 256 == 255) {
                std::erase_if(ringing, [](const Ringing& r) { return std::fabs(r.level) < silentLevel; });
            }
        }
        out[i] *= sum;
        phase += note.frequency * vibratoFactor(vibrato, i) / sampleRate;
    }
    return out;
}

Signal noiseBurst(std::uint64_t seed, Biquad filter, const Envelope& envelope, double gate) {
    Signal out = envelope.render(gate);
    Random random(seed);
    for (double& sample : out) {
        sample *= filter.process(random.bipolar());
    }
    return out;
}

std::vector<Partial> harmonicSeries(double frequency, double slope, double fall, double fallPerKilohertz) {
    std::vector<Partial> partials;
    for (int n = 1; n * frequency < highestPartial; ++n) {
        const double dn = static_cast<double>(n);
        partials.push_back({dn, powOf(dn, -slope), fall + fallPerKilohertz * dn * frequency / 1000.0});
    }
    return partials;
}

}  // namespace earshot::sound
