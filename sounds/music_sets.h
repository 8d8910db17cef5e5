// The six music sets. In each, the left part carries the tune (heard from
// the two left speakers) and the right part the bass and drums (the two right
// speakers): two plainly different sounds that play together in time, so a
// listener tells the sides apart by what they play and the front from the
// rear by where it comes from. The sets differ in key, tempo and timbre.
#pragma once

#include "signal.h"

namespace earshot::sound {

struct MusicSet {
    Signal left;
    Signal right;
};

MusicSet harpAndBackbeat();   // 1: D minor, 100 bpm, harp over a pop backbeat
MusicSet pianoAndDisco();     // 2: G major, 120 bpm, electric piano over octave bass and four-on-the-floor
MusicSet marimbaWaltz();      // 3: E minor, 150 bpm in three, marimba over oom-pah-pah
MusicSet organShuffle();      // 4: B flat blues, 168 bpm shuffle, organ over walking bass and ride
MusicSet chipAndElectro();    // 5: A minor, 126 bpm, pulse-wave lead with echo over acid bass and electro drums
MusicSet saxAndHipHop();      // 6: C minor, 72 bpm, saxophone and celesta over sub bass and a swung beat

// Brings both parts of a set to the level every set shares.
void finishSet(MusicSet& set);

}  // namespace earshot::sound
