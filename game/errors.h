// The program's run-time errors: every failing platform call throws one of
// these, and the handlers decide what becomes of it (skip, report, end).
#pragma once

#include <stdexcept>
#include <string>

namespace earshot {

// Base of every run-time error the game raises or catches.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
