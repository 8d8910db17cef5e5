// The player's language: every sentence the game says or reports passes
// through the platform's translation, a fault's sentence is translated as
// a whole, and what fills its placeholder stays as it comes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "input/key_codes.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

// A catalogue of a few sentences; any other text comes back as it is.
const std::map<std::string, std::string> german = {
    {"points.", "Punkte."},
    {"The game could not start: opening the audio device: %s",
     "Das Spiel konnte nicht starten: beim Öffnen des Audiogeräts: %s"},
    {"The game could not start: playing the intro: %s",
     "Das Spiel konnte nicht starten: beim Abspielen des Intros: %s"},
    {"cannot load sound file %s: %s", "die Klangdatei %s lässt sich nicht laden: %s"},
    {"Error in the key handler: %s The game ends.",
     "Fehler bei einer Taste: %s Das Spiel endet."},
    {"The front left speaker's sound does not exist, since the game did not start.",
     "Der Klang des Lautsprechers vorne links fehlt, weil das Spiel nicht gestartet ist."},
};

class LanguageTest : public GameTest {
protected:
    void useGerman() {
        fake.platform.translate = [this](const char* english) {
            asked.emplace_back(english);
            const auto found = german.find(english);
            return found != german.end() ? found->second : std::string(english);
        };
    }
    // Every sentence said is marked as translated, the way a catalogue
    // with every sentence in it would give it.
    void useMarkedLanguage() {
        fake.platform.translate = [](const char* english) { return std::string("[de] ") + english; };
    }

    std::vector<std::string> asked;
};

TEST_F(LanguageTest, TheScoreWordIsSaidAndCaptionedInThePlayersLanguage) {
    useGerman();
    loadAndClearLog();
    fake.runtime.captions.clear();
    key(keys::letter('P'));
    EXPECT_EQ(fake.runtime.captions, (std::vector<std::string>{"100", "Punkte."}));
    EXPECT_EQ(fake.voice->spoken, (std::vector<std::string>{"100", "Punkte."}));
}

// Each key that speaks, in each of its states: every caption but the score
// itself, a number, comes from the translation.
TEST_F(LanguageTest, EverySentenceAKeySaysIsTranslated) {
    useMarkedLanguage();
    loadAndClearLog();
    const std::int16_t speaking[] = {keys::letter('P'), keys::letter('G'), keys::letter('G'),
                                     keys::letter('H'), keys::letter('H'), keys::letter('B'),
                                     keys::letter('B'), keys::letter('N'), keys::letter('N'),
                                     keys::letter('T'), keys::letter('T'), keys::Enter,
                                     keys::Enter,       keys::F1};
    for (std::int16_t code : speaking) {
        fake.runtime.captions.clear();
        ASSERT_EQ(key(code), -1) << "key " << code;
        ASSERT_FALSE(fake.runtime.captions.empty()) << "key " << code << " said nothing";
        for (const std::string& caption : fake.runtime.captions) {
            if (caption == "100") {
                continue;
            }
            EXPECT_EQ(caption.rfind("[de] ", 0), 0U) << "key " << code << " said \"" << caption
                                                     << "\" without its translation";
        }
    }
}

TEST_F(LanguageTest, ALockIsAnnouncedInThePlayersLanguage) {
    useMarkedLanguage();
    loadAndClearLog();
    for (Speaker which : speakerOrder) {
        form.speaker(which).Pos = {3.0F, 0.0F, 3.0F};
    }
    form.FrontLeftPos.x = 0.1F;
    key(keys::Space);
    EXPECT_EQ(fake.voice->spoken, (std::vector<std::string>{"[de] FrontLeft  x axis locked."}));
}

TEST_F(LanguageTest, AFailedStartIsReportedAsOneTranslatedSentenceWithTheCauseAsItComes) {
    useGerman();
    fake.audio.noDevice = true;
    load();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "Das Spiel konnte nicht starten: beim Öffnen des Audiogeräts: no audio output device");
    EXPECT_EQ(fake.voice->spoken, fake.runtime.errors);
}

TEST_F(LanguageTest, ACauseWithValuesIsTranslatedAndItsPathAndLibraryWordsStayAsTheyCome) {
    useGerman();
    fake.audio.unloadable.insert("tavlora.wav");
    load();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    const std::string path = "/opt/earshot/sounds/tavlora.wav";
    EXPECT_EQ(fake.runtime.errors[0], "Das Spiel konnte nicht starten: beim Abspielen des Intros: die "
                                      "Klangdatei " + path +
                                          " lässt sich nicht laden: No such file or directory");
}

TEST_F(LanguageTest, AGameSentenceAsTheCauseIsTranslatedToo) {
    useGerman();
    fake.audio.noDevice = true;
    load();
    EXPECT_EQ(key(keys::letter('G')), 1);
    EXPECT_EQ(fake.runtime.errors.back(),
              "Fehler bei einer Taste: Der Klang des Lautsprechers vorne links fehlt, weil das "
              "Spiel nicht gestartet ist. Das Spiel endet.");
}

TEST_F(LanguageTest, WithoutATranslationTheEnglishIsSaidByteForByte) {
    useGerman();
    loadAndClearLog();
    fake.runtime.captions.clear();
    key(keys::letter('T'));
    EXPECT_EQ(fake.runtime.captions, (std::vector<std::string>{"locking speakers down."}));
    EXPECT_NE(std::find(asked.begin(), asked.end(), "locking speakers down."), asked.end())
        << "the sentence was said without asking for its translation";
}

}  // namespace
}  // namespace earshot::testing
