// F1: a short help for a player who has no README at hand. The game in one
// sentence, then the keys in groups, each group said and captioned as a
// line of its own, in about half a minute of speech.
#include <array>

#include "game/form1.h"
#include "game/sentences.h"

namespace earshot {

namespace {

const std::array<const char*, 9> helpLines = {
    sentence("Steer the four speakers into their places near you and lock them."),
    sentence("E, D, S and F move the left speaker of the pair forward, back, left and right; "
             "I, K, J and L the right one."),
    sentence("Enter switches between the front and the rear pair."),
    sentence("Space locks what is in place, and costs points."),
    sentence("G, H, B and N mute front left, front right, rear left and rear right."),
    sentence("T freezes or releases the drift."),
    sentence("A, semicolon, Z and slash send the wire to them in the same order."),
    sentence("P says the score."),
    sentence("Escape quits."),
};

}  // namespace

void Form1::SayHelp() {
    for (const char* line : helpLines) {
        say(tr(line));
    }
}

}  // namespace earshot
