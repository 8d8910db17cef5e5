// The espeak-ng engine reads every text as plain text: markup is spoken,
// not obeyed. Lengths are compared in samples, which needs no audio output.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <ostream>
#include <string>

#include "game/errors.h"
#include "speech/espeak/espeak_engine.h"

namespace earshot {
namespace {

// A table's case named by its `name`.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& testCase) {
    return std::string(testCase.param.name);
}

std::size_t samplesOf(const std::string& text) {
    std::size_t count = 0;
    EspeakEngine::instance().synthesize(
        text, [&](std::span<const std::int16_t> samples) { count += samples.size(); });
    return count;
}

TEST(EspeakEngineTest, SpeaksEnglishAtItsRate) {
    auto& engine = EspeakEngine::instance();
    EXPECT_EQ(engine.sampleRate(), 22050);
    EXPECT_FALSE(engine.dataPath().empty());
    const auto rate = static_cast<double>(engine.sampleRate());
    // "hello" lasts a few tenths of a second, not nothing and not seconds.
    const double seconds = static_cast<double>(samplesOf("hello")) / rate;
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 1.5);
}

TEST(EspeakEngineTest, DeliversSoundInSmallChunks) {
    std::size_t chunks = 0;
    std::size_t largest = 0;
    EspeakEngine::instance().synthesize("Front left x axis locked.",
                                        [&](std::span<const std::int16_t> samples) {
                                            ++chunks;
                                            largest = std::max(largest, samples.size());
                                        });
    // Streaming only helps if the sound comes in pieces: about 1.6 s of
    // speech in chunks of at most 60 ms.
    EXPECT_GT(chunks, 10U);
    EXPECT_LE(largest, static_cast<std::size_t>(EspeakEngine::instance().sampleRate() * 60 / 1000))
        << "largest chunk in samples";
}

TEST(EspeakEngineTest, AFailingSinkStopsSynthesisAndIsRethrown) {
    std::size_t chunks = 0;
    const auto failing = [&](std::span<const std::int16_t>) {
        ++chunks;
        throw std::runtime_error("the sink broke");
    };
    try {
        EspeakEngine::instance().synthesize("This sentence is long enough for many chunks.",
                                            failing);
        FAIL() << "the sink's exception did not come back";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "the sink broke");
    }
    EXPECT_EQ(chunks, 1U) << "synthesis went on after the sink failed";
    // And the engine is still fit to speak.
    EXPECT_GT(samplesOf("hello"), 0U);
}

struct MarkupCase {
    const char* name;
    std::string text;
    // What espeak-ng would say if it obeyed the markup.
    std::string obeyed;
};

void PrintTo(const MarkupCase& scenario, std::ostream* out) {
    *out << scenario.name;
}

class EspeakMarkupTest : public ::testing::TestWithParam<MarkupCase> {};

// Read as text, the tags' words are spoken as well, so the speech lasts
// clearly longer than the obeyed markup would.
TEST_P(EspeakMarkupTest, MarkupIsSpokenAsText) {
    const auto& scenario = GetParam();
    const std::size_t asText = samplesOf(scenario.text);
    const std::size_t obeyed = samplesOf(scenario.obeyed);
    EXPECT_GT(asText, 2 * obeyed) << '"' << scenario.text << "\" gave " << asText
                                  << " samples, \"" << scenario.obeyed << "\" " << obeyed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EspeakMarkupTest,
    ::testing::Values(MarkupCase{"bold", "<b>bold</b>", "bold"},
                      MarkupCase{"speak", "<speak>one</speak>", "one"},
                      MarkupCase{"emphasis", "<emphasis>yes</emphasis>", "yes"},
                      MarkupCase{"voice", "<voice gender=\"female\">hi</voice>", "hi"},
                      MarkupCase{"entity", "&lt;", "<"},
                      MarkupCase{"phonemes", "[[h@'loU]]", "hello"}),
    caseName<MarkupCase>);

// The voice follows the language of the game's messages, as gettext names
// it, and falls back to English for a language espeak-ng lacks.
struct LanguageCase {
    const char* name;
    const char* language;
    const char* voice;
};

class EspeakLanguageTest : public ::testing::TestWithParam<LanguageCase> {
protected:
    // The engine is the process's one: the other tests expect English.
    void TearDown() override { EspeakEngine::instance().useLanguage(""); }
};

TEST_P(EspeakLanguageTest, ChoosesTheVoiceOfTheLanguage) {
    const LanguageCase& scenario = GetParam();
    auto& engine = EspeakEngine::instance();
    EXPECT_EQ(engine.useLanguage(scenario.language), scenario.voice)
        << "for the language \"" << scenario.language << '"';
    EXPECT_GT(samplesOf("Lautsprecher"), 0U) << "no speech after choosing the voice";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EspeakLanguageTest,
    ::testing::Values(LanguageCase{"english_when_empty", "", "en"},
                      LanguageCase{"german", "de", "de"},
                      LanguageCase{"french", "fr", "fr"},
                      LanguageCase{"spanish", "es", "es"},
                      LanguageCase{"region_espeak_has", "pt_BR", "pt-br"},
                      LanguageCase{"region_espeak_lacks", "de_AT", "de"},
                      LanguageCase{"with_character_set", "fr_FR.UTF-8", "fr"},
                      LanguageCase{"unknown_language", "xx", "en"},
                      LanguageCase{"english_region", "en_GB", "en"}),
    caseName<LanguageCase>);

}  // namespace
}  // namespace earshot
