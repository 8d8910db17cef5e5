// The loudness curve of one note: a smooth (raised-cosine) attack, an
// exponential fall towards the sustain level while the note is held, then an
// exponential release that ends in a short fade to exactly zero, so that no
// note starts or stops with a click.
#pragma once

#include "signal.h"

namespace earshot::sound {

struct Envelope {
    double attack = 0.002;  // seconds to full level
    double decay = 1.0;     // time constant of the fall while held, seconds
    double sustain = 1.0;   // level the fall tends to
    double release = 0.05;  // time constant after the note is let go, seconds

    // Seconds from the start of a note held for `gate` seconds to silence.
    double length(double gate) const;

    // The curve, one value per sample, for a note held for `gate` seconds.
    Signal render(double gate) const;
};

}  // namespace earshot::sound
