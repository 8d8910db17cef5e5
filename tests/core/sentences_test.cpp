// A translated sentence takes its values in the order of its placeholders,
// and an error told by a sentence reads in English as the sentence filled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/errors.h"
#include "game/sentences.h"

namespace earshot::testing {
namespace {

struct FillCase {
    const char* format;
    std::vector<std::string> values;
    const char* expected;
};

TEST(SentencesTest, FillsThePlaceholdersInOrderAndLeavesTheValuesAsTheyCome) {
    const FillCase cases[] = {
        {"no placeholder.", {}, "no placeholder."},
        {"no placeholder.", {"unused"}, "no placeholder."},
        {"%s", {"alone"}, "alone"},
        {"file %s: %s", {"/a/b.wav", "gone"}, "file /a/b.wav: gone"},
        {"file %s: %s", {"/a/%s.wav", "50 %s"}, "file /a/%s.wav: 50 %s"},
        {"file %s: %s", {"/a/b.wav"}, "file /a/b.wav: %s"},
        {"%s%s%s", {"1", "2", "3"}, "123"},
        {"ends in %", {"x"}, "ends in %"},
    };
    for (const FillCase& c : cases) {
        EXPECT_EQ(filled(c.format, c.values), c.expected) << "format \"" << c.format << "\"";
    }
}

TEST(SentencesTest, AnErrorToldByASentenceKeepsItAndItsValues) {
    const char* told = sentence("cannot load sound file %s: %s");
    const AudioError error(told, {"/x/wire.wav", "No such file"});
    EXPECT_STREQ(error.what(), "cannot load sound file /x/wire.wav: No such file");
    EXPECT_EQ(error.sentence(), told);
    EXPECT_EQ(error.values(), (std::vector<std::string>{"/x/wire.wav", "No such file"}));
    EXPECT_EQ(AudioError("plain text").sentence(), nullptr);
}

}  // namespace
}  // namespace earshot::testing
