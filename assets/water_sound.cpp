// The program's own sound: the rush of falling water, made to loop.
//
// Every part is periodic in the loop's length: noise is filtered circularly
// (the filter runs over the loop twice and only the second pass is kept, by
// which time its start-up has died away), slow swells complete whole cycles,
// and bubbles that run past the end wrap round to the start.
#include "assets/water_sound.h"

#include <algorithm>
#include <cmath>

#include "assets/noise.h"
#include "assets/picture.h"

namespace assets {

namespace {

constexpr double TWO_PI = 6.283185307179586;
constexpr uint64_t SOUND_SEED = 404;
constexpr int BUBBLES_PER_CHANNEL = 90;
constexpr double PEAK = 0.7;  // of full scale, after normalising

// A biquad filter (RBJ cookbook), run circularly over a periodic signal.
struct Biquad {
    double b0, b1, b2, a1, a2;

    static Biquad lowPass(double cutoff, double q) { return make(cutoff, q, false); }
    static Biquad highPass(double cutoff, double q) { return make(cutoff, q, true); }

    static Biquad make(double cutoff, double q, bool high) {
        const double w = TWO_PI * cutoff / SOUND_RATE;
        const double alpha = std::sin(w) / (2.0 * q);
        const double cosW = std::cos(w);
        const double a0 = 1.0 + alpha;
        const double side = high ? (1.0 + cosW) / 2.0 : (1.0 - cosW) / 2.0;
        const double middle = high ? -(1.0 + cosW) : 1.0 - cosW;
        return {side / a0, middle / a0, side / a0, -2.0 * cosW / a0, (1.0 - alpha) / a0};
    }

    std::vector<double> applyCircular(const std::vector<double>& in) const {
        std::vector<double> out(in.size());
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i < in.size(); ++i) {
                const double x = in[i];
                const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
                x2 = x1;
                x1 = x;
                y2 = y1;
                y1 = y;
                out[i] = y;
            }
        }
        return out;
    }
};

std::vector<double> whiteNoise(Random& random, size_t count) {
    std::vector<double> noise(count);
    for (double& sample : noise) sample = random.symmetric();
    return noise;
}

// A slow swell of the level that completes whole cycles within the loop.
double swell(size_t frame, double phase) {
    const double t = static_cast<double>(frame) / SOUND_FRAMES;
    return 1.0 + 0.12 * std::sin(TWO_PI * 3.0 * t + phase) +
           0.07 * std::sin(TWO_PI * 7.0 * t + 2.0 * phase);
}

// Small air bubbles in the plunge pool: short tones that rise in pitch as
// they die away, placed at random and wrapped round the loop's end.
void addBubbles(std::vector<double>& channel, Random& random) {
    const size_t count = channel.size();
    for (int i = 0; i < BUBBLES_PER_CHANNEL; ++i) {
        const size_t start = static_cast<size_t>(random.uniform() * static_cast<float>(count));
        const double pitch = 500.0 + 1500.0 * random.uniform();    // Hz
        const double decay = 0.008 + 0.02 * random.uniform();      // seconds
        const double level = 0.15 + 0.35 * random.uniform();
        const size_t length = static_cast<size_t>(decay * 6.0 * SOUND_RATE);
        double phase = 0.0;
        for (size_t k = 0; k < length; ++k) {
            const double t = static_cast<double>(k) / SOUND_RATE;
            const double frequency = pitch * (1.0 + 2.5 * t);  // the rise
            phase += TWO_PI * frequency / SOUND_RATE;
            const double attack = std::min(1.0, t / 0.001);
            channel[(start + k) % count] +=
                level * attack * std::exp(-t / decay) * std::sin(phase);
        }
    }
}

std::vector<double> makeChannel(Random& random, const std::vector<double>& shared, double phase) {
    const size_t count = static_cast<size_t>(SOUND_FRAMES);
    // Rumble of the falling mass, the broad rush, and the hiss of spray.
    const Biquad rumbleTop = Biquad::lowPass(200.0, 0.7);
    const std::vector<double> rumble =
        rumbleTop.applyCircular(rumbleTop.applyCircular(whiteNoise(random, count)));
    const Biquad rushTop = Biquad::lowPass(1800.0, 0.6);
    const std::vector<double> rush = Biquad::highPass(250.0, 0.7).applyCircular(
        rushTop.applyCircular(rushTop.applyCircular(whiteNoise(random, count))));
    const std::vector<double> hiss = Biquad::lowPass(9000.0, 0.7).applyCircular(
        Biquad::highPass(4000.0, 0.7).applyCircular(whiteNoise(random, count)));
    std::vector<double> channel(count);
    for (size_t i = 0; i < count; ++i) {
        channel[i] = swell(i, phase) * (2.5 * rumble[i] + 1.2 * rush[i] + 0.12 * hiss[i]) +
                     0.6 * shared[i];
    }
    addBubbles(channel, random);
    return channel;
}

}  // namespace

std::vector<int16_t> makeWaterSound() {
    Random random(SOUND_SEED);
    const size_t count = static_cast<size_t>(SOUND_FRAMES);
    // A part common to both channels keeps the stereo image centred.
    const std::vector<double> shared =
        Biquad::lowPass(1200.0, 0.6).applyCircular(whiteNoise(random, count));
    std::vector<std::vector<double>> channels;
    for (int c = 0; c < SOUND_CHANNELS; ++c) channels.push_back(makeChannel(random, shared, 1.7 * c));

    double peak = 0.0;
    for (const auto& channel : channels)
        for (double sample : channel) peak = std::max(peak, std::fabs(sample));
    const double gain = PEAK * 32767.0 / peak;
    std::vector<int16_t> samples(count * SOUND_CHANNELS);
    for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < SOUND_CHANNELS; ++c)
            samples[i * SOUND_CHANNELS + static_cast<size_t>(c)] =
                static_cast<int16_t>(std::lround(channels[static_cast<size_t>(c)][i] * gain));
    return samples;
}

std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, int rate, int channels) {
    const uint32_t bytesPerFrame = static_cast<uint32_t>(channels) * 2u;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2u;
    std::vector<uint8_t> out;
    for (char c : {'R', 'I', 'F', 'F'}) out.push_back(static_cast<uint8_t>(c));
    putUint32LE(out, 36u + dataBytes);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) out.push_back(static_cast<uint8_t>(c));
    putUint32LE(out, 16);  // fmt chunk size
    putUint16LE(out, 1);   // PCM
    putUint16LE(out, static_cast<uint32_t>(channels));
    putUint32LE(out, static_cast<uint32_t>(rate));
    putUint32LE(out, static_cast<uint32_t>(rate) * bytesPerFrame);
    putUint16LE(out, bytesPerFrame);
    putUint16LE(out, 16);  // bits per sample
    for (char c : {'d', 'a', 't', 'a'}) out.push_back(static_cast<uint8_t>(c));
    putUint32LE(out, dataBytes);
    for (int16_t sample : samples) putUint16LE(out, static_cast<uint16_t>(sample));
    return out;
}

}  // namespace assets
