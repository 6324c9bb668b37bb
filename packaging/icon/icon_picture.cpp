// Icon drawing: every pixel is the average of SAMPLES x SAMPLES points of a
// picture defined on the unit square (u to the right, v downwards).
#include "packaging/icon/icon_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "assets/picture.h"

namespace {

constexpr int SAMPLES = 4;  // per pixel and axis: smooth edges at 16 pixels too

// The tile: a rounded square inset from the picture's edges (unit square units).
constexpr float TILE_MARGIN = 0.04f;
constexpr float TILE_RADIUS = 0.18f;

constexpr float HORIZON = 0.78f;  // where the ground starts
constexpr float LIP_U = 0.36f;    // the top ledge's lip, where the water leaves
constexpr float LIP_V = 0.26f;
constexpr float GRAVITY = 1.2f;   // unit square per time unit squared, downwards
constexpr float DROP_RADIUS = 0.034f;
constexpr float DROP_SPACING = 0.085f;  // time units between drops of a stream
constexpr int STREAMS = 3;
constexpr float STREAM_SPEEDS[STREAMS] = {0.20f, 0.29f, 0.38f};  // across, per time unit
constexpr float STREAM_PHASES[STREAMS] = {0.02f, 0.05f, 0.0f};   // time units

// Ledges: top edge and right edge, stepping down and out from the cliff,
// each short enough to stay behind the slowest stream.
struct Ledge {
    float top, right;
};
constexpr Ledge LEDGES[] = {{LIP_V, LIP_U}, {0.47f, 0.41f}, {0.63f, 0.45f}};
constexpr float LEDGE_FACE = 0.035f;  // height of each ledge's lit top face

using assets::mixRgb;
using assets::Rgb;
using assets::scaleRgb;
using assets::toByte;

constexpr Rgb SKY_TOP = {0.10f, 0.36f, 0.80f};
constexpr Rgb SKY_LOW = {0.60f, 0.84f, 1.00f};
constexpr Rgb GRASS_NEAR = {0.13f, 0.38f, 0.12f};
constexpr Rgb GRASS_FAR = {0.30f, 0.60f, 0.22f};
constexpr Rgb ROCK = {0.44f, 0.39f, 0.35f};
constexpr Rgb ROCK_TOP = {0.66f, 0.61f, 0.55f};
constexpr Rgb WATER = {0.55f, 0.80f, 1.00f};
constexpr Rgb POOL = {0.45f, 0.72f, 0.95f};
constexpr Rgb WHITE = {1.0f, 1.0f, 1.0f};

// A repeatable hash of a grid cell to [0, 1): the rock's and grass's grain.
// Not assets' hash01 and valueNoise: another hash, blended linearly, and
// the icon's pixels stay as they were drawn.
float cellNoise(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFFu) / 65536.0f;
}

// Value noise: the cell hashes blended smoothly across each cell.
float grain(float u, float v, float cells) {
    const float gu = u * cells, gv = v * cells;
    const int iu = static_cast<int>(gu), iv = static_cast<int>(gv);
    const float fu = gu - static_cast<float>(iu), fv = gv - static_cast<float>(iv);
    const float top = cellNoise(iu, iv) + (cellNoise(iu + 1, iv) - cellNoise(iu, iv)) * fu;
    const float bottom = cellNoise(iu, iv + 1) + (cellNoise(iu + 1, iv + 1) - cellNoise(iu, iv + 1)) * fu;
    return top + (bottom - top) * fv;
}

bool insideTile(float u, float v) {
    const float lo = TILE_MARGIN + TILE_RADIUS, hi = 1.0f - TILE_MARGIN - TILE_RADIUS;
    const float du = std::max({lo - u, 0.0f, u - hi});
    const float dv = std::max({lo - v, 0.0f, v - hi});
    return u >= TILE_MARGIN && u <= 1.0f - TILE_MARGIN && v >= TILE_MARGIN &&
           v <= 1.0f - TILE_MARGIN && du * du + dv * dv <= TILE_RADIUS * TILE_RADIUS;
}

Rgb background(float u, float v) {
    if (v < HORIZON) return mixRgb(SKY_TOP, SKY_LOW, v / HORIZON);
    const float depth = (v - HORIZON) / (1.0f - HORIZON);
    Rgb grass = mixRgb(GRASS_FAR, GRASS_NEAR, depth);
    grass = scaleRgb(grass, 0.9f + 0.2f * grain(u, v, 40.0f));
    // The pool the water lands in: an ellipse on the ground.
    const float pu = (u - 0.64f) / 0.24f, pv = (v - 0.84f) / 0.05f;
    if (pu * pu + pv * pv < 1.0f) return mixRgb(POOL, WHITE, 0.25f * grain(u, v, 30.0f));
    return grass;
}

// The lowest ledge stands in front: look it up first.
bool rock(float u, float v, Rgb& out) {
    for (auto it = std::rbegin(LEDGES); it != std::rend(LEDGES); ++it) {
        const Ledge& ledge = *it;
        if (v >= ledge.top && u <= ledge.right) {
            const bool face = v < ledge.top + LEDGE_FACE;
            const float shade = 0.8f + 0.35f * grain(u, v, 24.0f);
            out = scaleRgb(face ? ROCK_TOP : ROCK, shade * (face ? 1.0f : 1.0f - 0.5f * (ledge.right - u)));
            return true;
        }
    }
    return false;
}

// The nearest drop at (u, v), shaded as a sphere lit from the upper left.
bool drop(float u, float v, Rgb& out) {
    constexpr float LIGHT[3] = {-0.48f, -0.56f, 0.68f};  // unit length; v grows downwards
    bool hit = false;
    for (int s = 0; s < STREAMS; ++s) {
        for (float t = STREAM_PHASES[s];; t += DROP_SPACING) {
            const float cu = LIP_U + STREAM_SPEEDS[s] * t;
            const float cv = LIP_V - DROP_RADIUS + 0.5f * GRAVITY * t * t;
            if (cv > HORIZON + 0.05f) break;
            const float du = (u - cu) / DROP_RADIUS, dv = (v - cv) / DROP_RADIUS;
            const float d2 = du * du + dv * dv;
            if (d2 >= 1.0f) continue;
            const float nz = std::sqrt(1.0f - d2);
            const float diffuse = std::max(0.0f, du * LIGHT[0] + dv * LIGHT[1] + nz * LIGHT[2]);
            const float specular = std::pow(diffuse, 24.0f);
            out = mixRgb(scaleRgb(WATER, 0.45f + 0.55f * diffuse), WHITE, 0.8f * specular);
            hit = true;  // later streams pass in front of earlier ones
        }
    }
    return hit;
}

Rgb scene(float u, float v) {
    Rgb c{};
    if (drop(u, v, c)) return c;
    if (rock(u, v, c)) return c;
    return background(u, v);
}

}  // namespace

Bytes drawIcon(int size) {
    Bytes rgba(static_cast<std::size_t>(size) * size * 4, 0);
    const float step = 1.0f / static_cast<float>(size * SAMPLES);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum{};
            int covered = 0;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    const float u = (static_cast<float>(x * SAMPLES + sx) + 0.5f) * step;
                    const float v = (static_cast<float>(y * SAMPLES + sy) + 0.5f) * step;
                    if (!insideTile(u, v)) continue;
                    const Rgb c = scene(u, v);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    ++covered;
                }
            }
            std::uint8_t* pixel = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            if (covered == 0) continue;
            const float k = 1.0f / static_cast<float>(covered);
            pixel[0] = toByte(sum.r * k);
            pixel[1] = toByte(sum.g * k);
            pixel[2] = toByte(sum.b * k);
            pixel[3] = toByte(static_cast<float>(covered) / (SAMPLES * SAMPLES));
        }
    }
    return rgba;
}
