// Deterministic procedural noise for the generated pictures and sound: a
// hash-based random source, periodic value noise, fractal sums and cells.
#pragma once

#include <cstdint>

namespace assets {

// A hash of lattice coordinates and a seed, in [0, 1).
float hash01(int32_t x, int32_t y, uint32_t seed);

// A small sequential random source (splitmix64), the same on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float uniform();          // [0, 1)
    float symmetric();        // [-1, 1)
private:
    uint64_t state_;
};

// Smooth value noise in [0, 1) that repeats every `periodX` lattice cells
// along x and `periodY` along y, so pictures made from it tile without seams.
float valueNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// Octaves of value noise, each twice the frequency and `gain` times the
// amplitude of the last, normalised to [0, 1). x and y are in picture
// widths; `cells` is the lattice size of the first octave across, and
// `squeezeY` times as many cells run along y, which flattens the features.
float fractalNoise(float x, float y, int cells, int octaves, float gain, uint32_t seed,
                   int squeezeY = 1);

// Ridged noise: 1 along the zero crossings of value noise, falling off to 0;
// thresholded, it draws crack-like lines.
float ridgeNoise(float x, float y, int cells, uint32_t seed);

struct CellSample {
    float distance;  // to the nearest feature point, in cells
    float id;        // [0, 1): which point it is, for per-cell colour
};
// One jittered feature point per cell, cells repeating with the picture;
// `squeezeY` times as many cells run along y, flattening them.
CellSample cellNoise(float x, float y, int cells, int squeezeY, uint32_t seed);

}  // namespace assets
