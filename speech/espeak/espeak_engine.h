// The process's one espeak-ng synthesiser. espeak-ng keeps its state in
// globals and can be set up only once per process, so every voice shares
// this engine; it synthesises in synchronous mode and hands the samples to
// the caller as they are made.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>

namespace earshot {

class EspeakEngine {
public:
    // Receives each chunk of 16-bit mono samples as espeak-ng makes it.
    using SampleSink = std::function<void(std::span<const std::int16_t>)>;

    // The engine, set up on the first call. Throws SpeechError when espeak-ng
    // cannot start (no or unreadable voice data, no English voice); the
    // outcome of the first call holds for the whole process.
    static EspeakEngine& instance();

    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    int sampleRate() const { return sampleRate_; }
    // Where espeak-ng read its voice data from.
    const std::string& dataPath() const { return dataPath_; }

    // Speaks from now on with espeak-ng's voice for `language` ("de",
    // "pt_BR"), or for its main language ("pt") when it has no voice for the
    // region; with the English voice when the language is empty or espeak-ng
    // has no voice for it. Returns the name of the voice it chose.
    std::string useLanguage(const std::string& language);

    // Synthesises `text` as plain text (never markup) and calls `sink` with
    // every chunk, on this thread, before it returns. Throws SpeechError when
    // espeak-ng fails; if `sink` throws, synthesis stops and the exception is
    // rethrown here.
    void synthesize(const std::string& text, const SampleSink& sink);

private:
    EspeakEngine();

    std::mutex mutex_;
    int sampleRate_ = 0;
    std::string dataPath_;
};

}  // namespace earshot
