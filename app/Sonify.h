#pragma once
// The curve as sound: played from left to right, its pitch follows y over the visible y range
// (from LowHz at the bottom to HighHz at the top, evenly in musical steps), silent where the
// curve has no value or leaves the chart, with a short click where it crosses y = 0. Pure
// logic, with the 16-bit PCM and the WAV file it makes.

#include "app/Continuity.h"

#include <QByteArray>

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

struct TSoundSettings {
    int SampleRate = 22050;
    double Seconds = 3;
    double LowHz = 200;
    double HighHz = 1600;
    double Volume = 0.5;   // of full scale
};

// The pitch of y in yLow..yHigh (either way round); y outside gives no pitch (0).
double PitchOf(double y, double yLow, double yHigh, const TSoundSettings& sound = {});

// The samples' curve over xLow..xHigh as mono PCM, joined as `breaks` says.
std::vector<std::int16_t> SonifyCurve(std::span<const TCurveSample> samples,
                                      const std::vector<bool>& breaks, double xLow, double xHigh,
                                      double yLow, double yHigh, const TSoundSettings& sound = {});

// A steady tone of y's pitch, fading in and out.
std::vector<std::int16_t> ToneOf(double y, double yLow, double yHigh, double seconds,
                                 const TSoundSettings& sound = {});

// A WAV file (RIFF, PCM, 16 bits, mono) of the samples.
QByteArray WavFile(std::span<const std::int16_t> pcm, int sampleRate);

} // namespace tessaly
