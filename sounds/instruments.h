// The pitched instruments of the sound set. Each turns one note into a sound
// that starts and ends at zero; the music sets and cues choose among them.
#pragma once

#include <functional>

#include "voice.h"

namespace earshot::sound {

using Instrument = std::function<Signal(const Note&)>;

// Melody voices: bright, with attacks that carry well above 4 kHz.
Signal harp(const Note& note);           // plucked string, brightness falling as it rings
Signal electricPiano(const Note& note);  // two-operator FM with a bell-like tine
Signal marimba(const Note& note);        // tuned bar: fundamental, 4th and 10th partials, mallet tick
Signal organ(const Note& note);          // drawbars with percussion and key click
Signal chipLead(const Note& note);       // narrow pulse wave with delayed vibrato
Signal chipArp(const Note& note);        // short square blips
Signal saxophone(const Note& note);      // reed with a nasal formant, vibrato and breath
Signal celesta(const Note& note);        // struck metal bar, inharmonic shimmer
Signal brass(const Note& note);          // sawtooth that brightens as it speaks
Signal softPad(const Note& note);        // slow detuned sawtooths

// Bass and accompaniment voices.
Signal roundBass(const Note& note);    // fingered electric bass
Signal discoBass(const Note& note);    // bright picked bass, darkening fast
Signal uprightBass(const Note& note);  // plucked double bass with a thump
Signal acidBass(const Note& note);     // sawtooth through a resonant falling filter
Signal subBass(const Note& note);      // deep, nearly pure
Signal mutedGuitar(const Note& note);  // short palm-muted strum note

}  // namespace earshot::sound
