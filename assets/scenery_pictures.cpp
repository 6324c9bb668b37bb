// The program's own pictures: sky, ground and stone, made from noise.
#include "assets/scenery_pictures.h"

#include <algorithm>
#include <cmath>

#include "assets/noise.h"

namespace assets {

namespace {

// Seeds keep the pictures apart; any change of them changes the files.
constexpr uint32_t SKY_SEED = 101;
constexpr uint32_t GROUND_SEED = 202;
constexpr uint32_t STONE_SEED = 303;

// The ground picture covers about 12 units across and 62 in depth.
constexpr int GROUND_DEPTH_SQUEEZE = 3;

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::min(1.0f, std::max(0.0f, (x - edge0) / (edge1 - edge0)));
    return t * t * (3.0f - 2.0f * t);
}

// Picture coordinates in [0, 1), at the pixel's centre.
float unit(int i, int side) { return (static_cast<float>(i) + 0.5f) / static_cast<float>(side); }

}  // namespace

Picture makeSky() {
    Picture picture(PICTURE_SIDE, PICTURE_SIDE);
    const Rgb zenith = {0.18f, 0.42f, 0.82f};
    const Rgb horizon = {0.62f, 0.80f, 0.96f};
    const Rgb cloudLight = {0.98f, 0.98f, 1.0f};
    const Rgb cloudShade = {0.74f, 0.78f, 0.86f};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = unit(x, picture.width);
            const float v = unit(y, picture.height);
            const Rgb sky = mixRgb(horizon, zenith, std::pow(v, 0.8f));
            // Clouds flattened sideways, thinning towards the top.
            const float density = fractalNoise(u, v * 1.6f, 4, 5, 0.5f, SKY_SEED);
            const float cover = smoothstep(0.48f, 0.68f, density) * (1.0f - 0.5f * v);
            // Lit from above: the underside of a cloud is a little darker.
            const float below = fractalNoise(u, v * 1.6f - 0.02f, 4, 5, 0.5f, SKY_SEED);
            const Rgb cloud = mixRgb(cloudLight, cloudShade, smoothstep(0.0f, 0.08f, below - density));
            picture.at(x, y) = mixRgb(sky, cloud, cover);
        }
    }
    return picture;
}

Picture makeGround() {
    Picture picture(PICTURE_SIDE, PICTURE_SIDE);
    const Rgb grassDark = {0.16f, 0.30f, 0.08f};
    const Rgb grassLight = {0.42f, 0.58f, 0.20f};
    const Rgb earthDark = {0.30f, 0.21f, 0.12f};
    const Rgb earthLight = {0.52f, 0.40f, 0.26f};
    const Rgb pebbleDark = {0.45f, 0.43f, 0.40f};
    const Rgb pebbleLight = {0.78f, 0.75f, 0.70f};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = unit(x, picture.width);
            const float v = unit(y, picture.height);
            // Grass: clumps of light and dark over fine blades.
            const float broad = fractalNoise(u, v, 3, 4, 0.5f, GROUND_SEED);
            const float clumps = fractalNoise(u, v, 12, 3, 0.5f, GROUND_SEED + 5u, GROUND_DEPTH_SQUEEZE);
            const float blades = valueNoise(u * 96.0f, v * 288.0f, 96, 288, GROUND_SEED + 10u);
            Rgb colour = mixRgb(grassDark, grassLight,
                                0.3f * broad + 0.3f * clumps + 0.4f * blades);
            // Earth where a slow noise is high, with a ragged edge.
            const float patch = fractalNoise(u, v, 4, 5, 0.55f, GROUND_SEED + 20u);
            const float earthAmount = smoothstep(0.54f, 0.60f, patch);
            const float soil = fractalNoise(u, v, 24, 3, 0.5f, GROUND_SEED + 30u, GROUND_DEPTH_SQUEEZE);
            colour = mixRgb(colour, mixRgb(earthDark, earthLight, soil), earthAmount);
            // Pebbles, mostly on the earth; each stone its own shade, lit from above.
            const CellSample cell = cellNoise(u, v, 14, GROUND_DEPTH_SQUEEZE, GROUND_SEED + 40u);
            const float radius = 0.22f + 0.2f * cell.id;
            const bool shown = cell.id < 0.12f + 0.6f * earthAmount;
            if (shown && cell.distance < radius) {
                const float edge = cell.distance / radius;
                const float shade = hash01(static_cast<int>(cell.id * 997.0f), 5, GROUND_SEED);
                const Rgb stone = mixRgb(pebbleDark, pebbleLight, shade);
                colour = scaleRgb(stone, 1.05f - 0.4f * edge * edge);
            } else if (shown && cell.distance < radius * 1.3f) {
                colour = scaleRgb(colour, 0.7f);  // the pebble's shadow ring
            }
            picture.at(x, y) = colour;
        }
    }
    return picture;
}

Picture makeStone() {
    Picture picture(PICTURE_SIDE, PICTURE_SIDE);
    const Rgb grey = {0.50f, 0.48f, 0.45f};
    const Rgb brown = {0.47f, 0.38f, 0.29f};
    const Rgb crack = {0.14f, 0.12f, 0.10f};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float u = unit(x, picture.width);
            const float v = unit(y, picture.height);
            const float tint = fractalNoise(u, v, 3, 4, 0.5f, STONE_SEED);
            const float mottle = fractalNoise(u, v, 8, 5, 0.55f, STONE_SEED + 10u);
            // Grain: fine speckle, a little stretched like bedding layers.
            const float grain = valueNoise(u * 128.0f, v * 256.0f, 128, 256, STONE_SEED + 20u) * 0.6f +
                                valueNoise(u * 256.0f, v * 256.0f, 256, 256, STONE_SEED + 25u) * 0.4f;
            Rgb colour = mixRgb(grey, brown, smoothstep(0.35f, 0.65f, tint));
            colour = scaleRgb(colour, 0.72f + 0.45f * mottle + 0.3f * (grain - 0.5f));
            // Cracks: thin dark lines along the ridges of two noises, fading
            // in and out so that they do not form a closed net.
            const float ridges = std::max(ridgeNoise(u, v, 5, STONE_SEED + 30u),
                                          ridgeNoise(u, v, 9, STONE_SEED + 40u) * 0.95f);
            const float fade = smoothstep(0.35f, 0.6f, fractalNoise(u, v, 4, 2, 0.5f, STONE_SEED + 50u));
            const float line = smoothstep(0.94f, 0.985f, ridges) * fade;
            colour = mixRgb(colour, crack, line * 0.9f);
            picture.at(x, y) = colour;
        }
    }
    return picture;
}

}  // namespace assets
