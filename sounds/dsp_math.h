// Elementary functions for the sound generator, built from plain IEEE
// arithmetic (+, -, *, /, floor, ldexp) only, so that every build writes the
// same samples, whatever the C library's sin and exp do in their last bits.
#pragma once

namespace earshot::sound {

inline constexpr double pi = 3.14159265358979323846;

// sin(2 pi x): the argument is in cycles, so phases stay small and exact.
double sinCycles(double cycles);

// cos(2 pi x).
inline double cosCycles(double cycles) { return sinCycles(cycles + 0.25); }

// e to the x; underflows to 0 below -700.
double expOf(double x);

// Natural logarithm of x > 0.
double logOf(double x);

// x to the power y, for x > 0.
double powOf(double x, double y);

// 2 to the x.
double exp2Of(double x);

// Hyperbolic tangent, the soft saturation of the organ's drive.
double tanhOf(double x);

// Frequency in Hz of a MIDI note number (69 = A4 = 440 Hz).
double midiFrequency(double midi);

// Linear gain of a level in decibels.
double decibelGain(double db);

}  // namespace earshot::sound
