// Deterministic procedural noise (see noise.h).
#include "assets/noise.h"

#include <cmath>

namespace assets {

namespace {

int wrap(int value, int period) {
    const int r = value % period;
    return r < 0 ? r + period : r;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float mix(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

float hash01(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h ^ (h >> 13)) * 0x297A2D39u;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) / 16777216.0f;
}

uint64_t Random::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Random::uniform() { return static_cast<float>(next() >> 40) / 16777216.0f; }

float Random::symmetric() { return uniform() * 2.0f - 1.0f; }

float valueNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = wrap(static_cast<int>(fx), periodX);
    const int y0 = wrap(static_cast<int>(fy), periodY);
    const int x1 = wrap(x0 + 1, periodX);
    const int y1 = wrap(y0 + 1, periodY);
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const float bottom = mix(hash01(x0, y0, seed), hash01(x1, y0, seed), tx);
    const float top = mix(hash01(x0, y1, seed), hash01(x1, y1, seed), tx);
    return mix(bottom, top, ty);
}

float fractalNoise(float x, float y, int cells, int octaves, float gain, uint32_t seed,
                   int squeezeY) {
    float sum = 0.0f;
    float norm = 0.0f;
    float amplitude = 1.0f;
    int frequency = cells;
    for (int i = 0; i < octaves; ++i) {
        const int frequencyY = frequency * squeezeY;
        sum += amplitude * valueNoise(x * static_cast<float>(frequency),
                                      y * static_cast<float>(frequencyY), frequency, frequencyY,
                                      seed + static_cast<uint32_t>(i));
        norm += amplitude;
        amplitude *= gain;
        frequency *= 2;
    }
    return sum / norm;
}

float ridgeNoise(float x, float y, int cells, uint32_t seed) {
    const float n = fractalNoise(x, y, cells, 3, 0.45f, seed);
    return 1.0f - std::fabs(n * 2.0f - 1.0f) * 2.0f;
}

CellSample cellNoise(float x, float y, int cells, int squeezeY, uint32_t seed) {
    const int cellsY = cells * squeezeY;
    const float cx = x * static_cast<float>(cells);
    const float cy = y * static_cast<float>(cellsY);
    const int ix = static_cast<int>(std::floor(cx));
    const int iy = static_cast<int>(std::floor(cy));
    CellSample best{1e9f, 0.0f};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = wrap(ix + dx, cells);
            const int gy = wrap(iy + dy, cellsY);
            const float px = static_cast<float>(ix + dx) + hash01(gx, gy, seed);
            const float py = static_cast<float>(iy + dy) + hash01(gx, gy, seed + 1u);
            const float ex = cx - px;
            const float ey = cy - py;
            const float distance = std::sqrt(ex * ex + ey * ey);
            if (distance < best.distance) best = {distance, hash01(gx, gy, seed + 2u)};
        }
    }
    return best;
}

}  // namespace assets
