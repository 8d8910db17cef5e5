// The game asks the speech service for a language only when it speaks a
// translation: a connection given a language speaks it, and one given none
// keeps the service's own, which the player chose.
#include <gtest/gtest.h>

#include "private_speech_server.h"
#include "speech/speechd/speechd_connection.h"

namespace earshot {
namespace {

using test::PrivateSpeechServer;

class SpeechdLanguageTest : public ::testing::Test {
protected:
    SpeechdLanguageTest() { server.useFromThisProcess(); }

    PrivateSpeechServer server;
};

TEST_F(SpeechdLanguageTest, AConnectionGivenALanguageSpeaksItAndOneGivenNoneKeepsTheServices) {
    SpeechdConnection untouched(false, SpeechdLimits{});
    const std::string services = untouched.language();
    ASSERT_NE(services, "de") << "the service must not speak German already, or the test shows nothing";

    SpeechdConnection german(false, SpeechdLimits{}, "de");
    EXPECT_EQ(german.language(), "de");
    SpeechdConnection region(false, SpeechdLimits{}, "pt_BR");
    EXPECT_EQ(region.language(), "pt-br") << "the service names a region with a hyphen";

    SpeechdConnection english(false, SpeechdLimits{}, "");
    EXPECT_EQ(english.language(), services) << "a connection given no language changed the service's";
}

}  // namespace
}  // namespace earshot
