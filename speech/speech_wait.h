// What a voice does while the game waits for it. A sentence is spoken to
// its end before the game goes on, so the game's one thread waits inside
// the voice; between its looks at how far the speech has come, the voice
// runs the hook the program installed. The program uses it to notice
// Escape: a player must always be able to quit at once, even in the middle
// of a queue of announcements.
#pragma once

#include <functional>

namespace earshot {

// Installs the hook (an empty one removes it). The program does this once,
// before anything speaks. The hook runs on the thread that called Speak;
// it either returns or ends the process.
void setSpeechWaitHook(std::function<void()> hook);

// Runs the installed hook, if any. Called by the voices between their polls
// while they wait for speech to be heard, never while they hold a lock that
// the hook could need.
void whileSpeechWaits();

}  // namespace earshot
