// The program's run-time errors: every failing platform call throws one of
// these, and the handlers decide what becomes of it (skip, report, end).
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "game/sentences.h"

namespace earshot {

// Base of every run-time error the game raises or catches.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // An error told by one of the game's sentences (marked with `sentence`)
    // whose placeholders, %s, take `values` in order: what() is the English
    // sentence filled in, and a report in another language translates the
    // sentence and fills it with the same values, which stay as they come.
    Error(const char* sentenceWithValues, std::vector<std::string> values)
        : std::runtime_error(filled(sentenceWithValues, values)),
          sentence_(sentenceWithValues),
          values_(std::move(values)) {}

    // The sentence and its values; null when the error is plain text.
    const char* sentence() const { return sentence_; }
    const std::vector<std::string>& values() const { return values_; }

private:
    const char* sentence_ = nullptr;
    std::vector<std::string> values_;
};

// The 3D audio service failed (device, buffer, file, 3D control).
class AudioError : public Error {
public:
    using Error::Error;
};

// The speech voice failed.
class SpeechError : public Error {
public:
    using Error::Error;
};

// The input device failed or was taken away.
class InputError : public Error {
public:
    using Error::Error;
};

// The windowing runtime failed (display, window, timer).
class WindowError : public Error {
public:
    using Error::Error;
};

}  // namespace earshot
