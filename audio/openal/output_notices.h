// What the sound output tells the player about itself: that it was lost and
// the game goes on without sound, that it is back, and that 3D sound is off.
// The adapter raises a notice where it notices the change; the program
// decides how the player hears of it (a caption, a line on standard error,
// the voice). Without a hook, a notice goes to standard error.
#pragma once

#include <functional>
#include <string>

namespace earshot {

enum class OutputNoticeKind { Lost, Back, No3D };

struct OutputNotice {
    OutputNoticeKind kind;
    // The sentence the player is told.
    std::string text;
    // Why, in OpenAL's terms, for standard error; may be empty.
    std::string detail;
};

// The sentence of each notice.
std::string outputNoticeText(OutputNoticeKind kind);

// Installs the hook (an empty one removes it). It runs on the thread that
// uses the output (the game's), never while the output is half rebuilt, and
// may speak.
void setOutputNoticeHook(std::function<void(const OutputNotice&)> hook);

// Hands a notice to the hook, or to standard error without one.
void tellOutputNotice(OutputNoticeKind kind, const std::string& detail);

}  // namespace earshot
