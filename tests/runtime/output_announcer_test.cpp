// A notice about the sound output is one caption and one line on standard
// error at once, and is spoken when the voice is free: at once, after the
// sentence it came in, or once the voice exists.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/errors.h"
#include "runtime/output_announcer.h"
#include "tests/fakes/call_log.h"
#include "tests/fakes/fake_runtime.h"

namespace earshot {
namespace {

using Texts = std::vector<std::string>;

// Says nothing aloud; keeps what it was given, and runs `during` in the
// middle of each sentence, as a voice's wait would look at the output.
class ListeningVoice final : public SpVoice {
public:
    void Speak(const std::string& text, std::int32_t /*flags*/) override {
        spoken.push_back(text);
        if (during) {
            auto once = std::move(during);
            during = nullptr;
            once();
        }
        if (fails) {
            throw SpeechError("no voice");
        }
    }
    Texts spoken;
    std::function<void()> during;
    bool fails = false;
};

class OutputAnnouncerTest : public ::testing::Test {
protected:
    fakes::CallLog log;
    fakes::FakeRuntime runtime{log};
    OutputAnnouncer announcer{runtime};
    std::shared_ptr<ListeningVoice> inner = std::make_shared<ListeningVoice>();
    const OutputNotice lost{OutputNoticeKind::Lost, outputNoticeText(OutputNoticeKind::Lost),
                            "OpenAL reports the device disconnected"};
    const OutputNotice back{OutputNoticeKind::Back, outputNoticeText(OutputNoticeKind::Back), ""};
};

TEST_F(OutputAnnouncerTest, ANoticeIsACaptionAnErrorLineAndSpokenAtOnce) {
    const auto voice = announcer.speakingThrough(inner);
    announcer.notice(lost);
    EXPECT_EQ(runtime.captions, Texts{lost.text});
    EXPECT_EQ(runtime.errors, Texts{lost.text + " (OpenAL reports the device disconnected)"});
    EXPECT_EQ(inner->spoken, Texts{lost.text});
    announcer.notice(back);
    EXPECT_EQ(runtime.errors.back(), back.text) << "an empty detail left its brackets";
}

TEST_F(OutputAnnouncerTest, ANoticeBeforeTheVoiceIsSpokenOnceTheVoiceIsThere) {
    const OutputNotice no3D{OutputNoticeKind::No3D, outputNoticeText(OutputNoticeKind::No3D),
                            "HRTF is disabled"};
    announcer.notice(no3D);
    EXPECT_EQ(runtime.captions, Texts{no3D.text}) << "the caption waited for the voice";
    EXPECT_TRUE(inner->spoken.empty());
    const auto voice = announcer.speakingThrough(inner);
    EXPECT_EQ(inner->spoken, Texts{no3D.text});
}

TEST_F(OutputAnnouncerTest, ANoticeInTheMiddleOfASentenceIsSpokenAfterIt) {
    const auto voice = announcer.speakingThrough(inner);
    inner->during = [&] { announcer.notice(lost); };
    voice->Speak("Front Left Mute Off.", SVSFDefault);
    EXPECT_EQ(inner->spoken, (Texts{"Front Left Mute Off.", lost.text}));
    EXPECT_EQ(runtime.captions, Texts{lost.text}) << "the game writes its own sentence's caption";
}

TEST_F(OutputAnnouncerTest, AVoiceThatFailsOnANoticeLeavesTheGameGoingAndTheNextNoticeSpoken) {
    const auto voice = announcer.speakingThrough(inner);
    inner->fails = true;
    EXPECT_NO_THROW(announcer.notice(lost));
    inner->fails = false;
    announcer.notice(back);
    EXPECT_EQ(inner->spoken, (Texts{lost.text, back.text}));
    EXPECT_EQ(runtime.captions, (Texts{lost.text, back.text}));
}

TEST_F(OutputAnnouncerTest, TheGamesOwnSentenceStillFailsAsItDid) {
    const auto voice = announcer.speakingThrough(inner);
    inner->fails = true;
    EXPECT_THROW(voice->Speak("Drift frozen.", SVSFDefault), SpeechError);
    inner->fails = false;
    announcer.notice(back);
    EXPECT_EQ(inner->spoken, (Texts{"Drift frozen.", back.text})) << "the voice stayed busy";
}

}  // namespace
}  // namespace earshot
