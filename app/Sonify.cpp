#include "app/Sonify.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessaly {

namespace {

// Sound and silence fade into each other over this time, so that no edge clicks.
constexpr double FadeSeconds = 0.004;
// The click at a crossing of y = 0: a short burst, high above the tone's pitches.
constexpr double ClickSeconds = 0.003;
constexpr double ClickHz = 4000;

std::int16_t Pcm(double v)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
}

// Renders a pitch per sample (0: silence) with a continuous phase and faded edges.
std::vector<std::int16_t> Render(const std::vector<double>& pitch, const std::vector<size_t>& clicks,
                                 const TSoundSettings& sound)
{
    const double rate = sound.SampleRate;
    const double fade = 1.0 / std::max(1.0, FadeSeconds * rate);
    std::vector<double> wave(pitch.size());
    double phase = 0, gain = 0;
    for (size_t k = 0; k < pitch.size(); ++k) {
        const bool sounding = pitch[k] > 0;
        gain = sounding ? std::min(1.0, gain + fade) : std::max(0.0, gain - fade);
        if (sounding)
            phase += 2 * std::numbers::pi * pitch[k] / rate;
        phase = std::fmod(phase, 2 * std::numbers::pi);
        wave[k] = sound.Volume * gain * std::sin(phase);
    }
    const size_t length = static_cast<size_t>(ClickSeconds * rate);
    for (const size_t at : clicks) {
        for (size_t i = 0; i < length && at + i < wave.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double envelope = 1.0 - static_cast<double>(i) / static_cast<double>(length);
            wave[at + i] += 0.4 * envelope * std::sin(2 * std::numbers::pi * ClickHz * t);
        }
    }
    std::vector<std::int16_t> pcm(wave.size());
    std::transform(wave.begin(), wave.end(), pcm.begin(), Pcm);
    return pcm;
}

size_t SampleCount(const TSoundSettings& sound, double seconds)
{
    return static_cast<size_t>(std::max(0.0, std::round(seconds * sound.SampleRate)));
}

} // namespace

double PitchOf(double y, double yLow, double yHigh, const TSoundSettings& sound)
{
    const double low = std::min(yLow, yHigh), high = std::max(yLow, yHigh);
    if (!std::isfinite(y) || y < low || y > high || !(high > low))
        return 0;
    const double share = (y - low) / (high - low);
    return sound.LowHz * std::pow(sound.HighHz / sound.LowHz, share);
}

std::vector<std::int16_t> SonifyCurve(std::span<const TCurveSample> samples,
                                      const std::vector<bool>& breaks, double xLow, double xHigh,
                                      double yLow, double yHigh, const TSoundSettings& sound)
{
    const size_t n = SampleCount(sound, sound.Seconds);
    std::vector<double> pitch(n, 0.0);
    std::vector<size_t> clicks;
    if (n == 0 || samples.empty() || !(xHigh > xLow))
        return Render(pitch, clicks, sound);
    auto joined = [&](size_t j) { // samples j-1 and j form a piece of the curve
        return j > 0 && samples[j - 1].Defined && samples[j].Defined &&
               !(j < breaks.size() && breaks[j]);
    };
    auto audioIndex = [&](double x) {
        return static_cast<size_t>(std::clamp((x - xLow) / (xHigh - xLow), 0.0, 1.0) * double(n - 1));
    };
    size_t j = 0; // samples[j] is the first sample at or after x
    for (size_t k = 0; k < n; ++k) {
        const double x = xLow + (xHigh - xLow) * (static_cast<double>(k) + 0.5) / double(n);
        while (j < samples.size() && samples[j].X < x)
            ++j;
        double y = std::nan("");
        if (j < samples.size() && samples[j].X == x && samples[j].Defined) {
            y = samples[j].Y;
        } else if (j > 0 && j < samples.size() && joined(j)) {
            const TCurveSample& a = samples[j - 1];
            const TCurveSample& b = samples[j];
            y = a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X);
        }
        pitch[k] = PitchOf(y, yLow, yHigh, sound);
    }
    for (size_t i = 1; i < samples.size(); ++i) {
        if (!joined(i))
            continue;
        const double a = samples[i - 1].Y, b = samples[i].Y;
        if ((a < 0 && b >= 0) || (a > 0 && b <= 0)) {
            const double x = samples[i - 1].X + (samples[i].X - samples[i - 1].X) * (a / (a - b));
            if (x >= xLow && x <= xHigh)
                clicks.push_back(audioIndex(x));
        }
    }
    return Render(pitch, clicks, sound);
}

std::vector<std::int16_t> ToneOf(double y, double yLow, double yHigh, double seconds,
                                 const TSoundSettings& sound)
{
    std::vector<double> pitch(SampleCount(sound, seconds), PitchOf(y, yLow, yHigh, sound));
    // Silent for the fade at the end, so that the tone ends softly.
    const size_t tail = std::min(pitch.size(), static_cast<size_t>(FadeSeconds * sound.SampleRate) + 1);
    std::fill(pitch.end() - static_cast<std::ptrdiff_t>(tail), pitch.end(), 0.0);
    return Render(pitch, {}, sound);
}

QByteArray WavFile(std::span<const std::int16_t> pcm, int sampleRate)
{
    QByteArray wav;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](std::uint16_t v) {
        wav.append(static_cast<char>(v & 0xFF));
        wav.append(static_cast<char>(v >> 8));
    };
    const std::uint32_t data = static_cast<std::uint32_t>(pcm.size() * 2);
    const std::uint32_t rate = static_cast<std::uint32_t>(sampleRate);
    wav.append("RIFF");
    u32(36 + data);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);        // PCM
    u16(1);        // mono
    u32(rate);
    u32(rate * 2); // bytes a second
    u16(2);        // bytes a frame
    u16(16);       // bits a sample
    wav.append("data");
    u32(data);
    for (const std::int16_t s : pcm)
        u16(static_cast<std::uint16_t>(s));
    return wav;
}

} // namespace tessaly
