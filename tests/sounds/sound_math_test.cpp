// The generator's own sine, exponential and logarithm, which keep its
// output the same on every C library, agree with the library's to well
// below what a 16-bit sample can show.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

#include "sounds/dsp_math.h"

namespace earshot::sound::test {
namespace {

struct MathCase {
    const char* name;
    double (*ours)(double);
    double (*reference)(double);
    double from;
    double to;
    double relativeTolerance;  // of max(1, |reference|)
};

std::ostream& operator<<(std::ostream& out, const MathCase& c) { return out << c.name; }

class SoundMathTest : public ::testing::TestWithParam<MathCase> {};

TEST_P(SoundMathTest, AgreesWithTheLibraryAcrossItsRange) {
    const MathCase& c = GetParam();
    constexpr int points = 20011;  // not a round number, so the grid misses no odd corner by symmetry
    double worst = 0.0;
    double worstAt = c.from;
    for (int i = 0; i <= points; ++i) {
        const double x = c.from + (c.to - c.from) * i / points;
        const double expected = c.reference(x);
        const double error = std::fabs(c.ours(x) - expected) / std::max(1.0, std::fabs(expected));
        if (error > worst) {
            worst = error;
            worstAt = x;
        }
    }
    EXPECT_LE(worst, c.relativeTolerance) << c.name << " is off by " << worst << " at " << worstAt;
}

double librarySinCycles(double x) { return std::sin(2.0 * std::numbers::pi * x); }
double libraryExp(double x) { return std::exp(x); }
double libraryLog(double x) { return std::log(x); }
double libraryTanh(double x) { return std::tanh(x); }
double libraryExp2(double x) { return std::exp2(x); }

const MathCase mathCases[] = {
    {"sinCycles", sinCycles, librarySinCycles, -1000.0, 1000.0, 1e-10},
    {"expOf", expOf, libraryExp, -60.0, 60.0, 1e-14},
    {"exp2Of", exp2Of, libraryExp2, -40.0, 40.0, 1e-14},
    {"logOf", logOf, libraryLog, 1e-6, 1e6, 1e-14},
    {"tanhOf", tanhOf, libraryTanh, -25.0, 25.0, 1e-14},
};

INSTANTIATE_TEST_SUITE_P(OwnFunctions, SoundMathTest, ::testing::ValuesIn(mathCases),
                         [](const ::testing::TestParamInfo<MathCase>& param) { return std::string(param.param.name); });

TEST(SoundMath, UnderflowsToZeroInsteadOfToGarbage) {
    EXPECT_EQ(expOf(-800.0), 0.0);
    EXPECT_THROW(logOf(0.0), std::domain_error);
}

TEST(SoundMath, NamesNotesAtConcertPitch) {
    EXPECT_DOUBLE_EQ(midiFrequency(69.0), 440.0);
    EXPECT_NEAR(midiFrequency(60.0), 261.6255653005986, 1e-9);
    EXPECT_NEAR(decibelGain(-6.0), 0.5011872336272722, 1e-15);
}

}  // namespace
}  // namespace earshot::sound::test
