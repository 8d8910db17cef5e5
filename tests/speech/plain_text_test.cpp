// Control characters that espeak-ng would read as its own commands become
// spaces; everything else, markup characters included, is kept as it is.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "speech/espeak/plain_text.h"

namespace earshot {
namespace {

struct PlainTextCase {
    const char* name;
    std::string text;
    std::string plain;
};

void PrintTo(const PlainTextCase& scenario, std::ostream* out) {
    *out << scenario.name;
}

class PlainTextTest : public ::testing::TestWithParam<PlainTextCase> {};

TEST_P(PlainTextTest, KeepsTextAndBlanksCommands) {
    const auto& scenario = GetParam();
    EXPECT_EQ(plainText(scenario.text), scenario.plain)
        << "text (" << scenario.text.size() << " bytes) of case " << scenario.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainTextTest,
    ::testing::Values(
        PlainTextCase{"empty", "", ""},
        PlainTextCase{"ordinary", "Front left x axis locked.", "Front left x axis locked."},
        PlainTextCase{"markup kept", "<speak>a &amp; b</speak> [[h@'loU]]",
                      "<speak>a &amp; b</speak> [[h@'loU]]"},
        PlainTextCase{"embedded command", "fast\x01" "80S now", "fast 80S now"},
        PlainTextCase{"nul inside", std::string("one\0two", 7), "one two"},
        PlainTextCase{"escape and delete", "a\x1b[1mb\x7f", "a [1mb "},
        PlainTextCase{"layout kept", "one\ttwo\nthree\r", "one\ttwo\nthree\r"},
        PlainTextCase{"utf-8 kept", "caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac"}),
    [](const ::testing::TestParamInfo<PlainTextCase>& testCase) {
        std::string name = testCase.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name;
    });

}  // namespace
}  // namespace earshot
