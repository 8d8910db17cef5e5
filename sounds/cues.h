// The three sounds besides the music: the intro tune, the level-up fanfare
// and the wire locator's buzz.
#pragma once

#include "signal.h"

namespace earshot::sound {

// tavlora.wav: a bright tune of about five seconds, played once at the start.
Signal introTune();

// LevelUp.wav: a rising brass fanfare of about two and a half seconds.
Signal levelUpFanfare();

// wire.wav: a seamless 1.5-second loop of electric buzz and crackle, unlike
// anything in the music, so it can be followed as it travels.
Signal wireBuzz();

}  // namespace earshot::sound
