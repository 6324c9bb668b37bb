// The generated pictures and sound: readable by the program's own reader,
// of the look they are meant to have, the same on every run, and a sound
// whose end runs into its start like any other two neighbouring samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "assets/scenery_pictures.h"
#include "assets/water_sound.h"
#include "image/bmp_reader.h"
#include "tests/support/scratch_dir.h"

namespace {

struct Decoded {
    Image image{0, 0, nullptr};
    double meanR = 0, meanG = 0, meanB = 0;
    size_t colours = 0;
    double brightShare = 0;  // whitish pixels: every channel above 200
};

Decoded decode(std::vector<uint8_t> bytes) {
    Decoded d;
    FILE* stream = openBytes(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(readBmpStream(stream, "generated.bmp", &d.image), 1);
    std::fclose(stream);
    if (!d.image.pixels) return d;
    const size_t count = static_cast<size_t>(d.image.width) * d.image.height;
    std::set<int> colours;
    size_t bright = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = d.image.pixels + i * 3;
        d.meanR += p[0];
        d.meanG += p[1];
        d.meanB += p[2];
        colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
        bright += p[0] > 200 && p[1] > 200 && p[2] > 200;
    }
    d.meanR /= static_cast<double>(count);
    d.meanG /= static_cast<double>(count);
    d.meanB /= static_cast<double>(count);
    d.colours = colours.size();
    d.brightShare = static_cast<double>(bright) / static_cast<double>(count);
    return d;
}

TEST(GeneratedPictures, LoadThroughTheProgramsReaderAtAWidthThatNeedsNoPadding) {
    for (const assets::Picture& picture :
         {assets::makeSky(), assets::makeGround(), assets::makeStone()}) {
        const std::vector<uint8_t> bytes = assets::encodeBmp(picture);
        EXPECT_EQ(picture.width % 4, 0);
        EXPECT_EQ(bytes.size(), 54u + static_cast<size_t>(picture.width) * picture.height * 3);
        Decoded d = decode(bytes);
        EXPECT_EQ(d.image.width, static_cast<uint32_t>(picture.width));
        EXPECT_EQ(d.image.height, static_cast<uint32_t>(picture.height));
        EXPECT_GT(d.colours, 1000u) << "a flat picture";
        releaseImagePixels(&d.image);
    }
}

TEST(GeneratedPictures, HaveTheColoursOfSkyGrassAndStone) {
    Decoded sky = decode(assets::encodeBmp(assets::makeSky()));
    EXPECT_GT(sky.meanB, sky.meanR + 40) << "the sky is not blue";
    EXPECT_GT(sky.brightShare, 0.03) << "no clouds";
    EXPECT_LT(sky.brightShare, 0.5) << "overcast";
    Decoded ground = decode(assets::encodeBmp(assets::makeGround()));
    EXPECT_GT(ground.meanG, ground.meanR + 20) << "no grass";
    EXPECT_GT(ground.meanG, ground.meanB + 40) << "no grass";
    Decoded stone = decode(assets::encodeBmp(assets::makeStone()));
    EXPECT_GE(stone.meanR, stone.meanB) << "stone should be grey to brown";
    EXPECT_LT(stone.meanR - stone.meanB, 40) << "stone too colourful";
    EXPECT_LT(std::max({stone.meanR, stone.meanG, stone.meanB}), 170.0) << "stone too pale";
    for (Decoded* d : {&sky, &ground, &stone}) releaseImagePixels(&d->image);
}

TEST(GeneratedPictures, AreTheSameOnEveryRun) {
    EXPECT_TRUE(assets::encodeBmp(assets::makeGround()) == assets::encodeBmp(assets::makeGround()));
    EXPECT_TRUE(assets::makeWaterSound() == assets::makeWaterSound());
}

TEST(GeneratedSound, IsAFewSecondsOfStereo16BitPcmWithHeadroom) {
    const std::vector<int16_t> samples = assets::makeWaterSound();
    ASSERT_EQ(samples.size(), static_cast<size_t>(assets::SOUND_FRAMES) * assets::SOUND_CHANNELS);
    EXPECT_GE(assets::SOUND_FRAMES, 2 * assets::SOUND_RATE);
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_LT(std::max(-static_cast<int>(*low), static_cast<int>(*high)), 32000) << "clipping";
    EXPECT_GT(std::max(-static_cast<int>(*low), static_cast<int>(*high)), 16000) << "too quiet";
    const std::vector<uint8_t> wav =
        assets::encodeWav(samples, assets::SOUND_RATE, assets::SOUND_CHANNELS);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(wav.size(), 44u + samples.size() * 2);
}

// The step from the last frame back to the first, against the steps inside
// the sound, per channel: a seam would stand out as one of the largest.
TEST(GeneratedSound, ItsEndRunsIntoItsStartWithoutASeam) {
    const std::vector<int16_t> samples = assets::makeWaterSound();
    const size_t frames = static_cast<size_t>(assets::SOUND_FRAMES);
    for (int channel = 0; channel < assets::SOUND_CHANNELS; ++channel) {
        auto at = [&](size_t frame) {
            return static_cast<int>(samples[(frame % frames) * assets::SOUND_CHANNELS +
                                            static_cast<size_t>(channel)]);
        };
        std::vector<int> steps, bends;
        for (size_t i = 1; i + 1 < frames; ++i) {
            steps.push_back(std::abs(at(i + 1) - at(i)));
            bends.push_back(std::abs(at(i + 1) - 2 * at(i) + at(i - 1)));
        }
        std::sort(steps.begin(), steps.end());
        std::sort(bends.begin(), bends.end());
        const int seamStep = std::abs(at(0) - at(frames - 1));
        const int seamBend = std::abs(at(0) - 2 * at(frames - 1) + at(frames - 2));
        const size_t p999 = steps.size() * 999 / 1000;
        EXPECT_LE(seamStep, steps[p999]) << "channel " << channel;
        EXPECT_LE(seamBend, bends[p999]) << "channel " << channel;
    }
}

}  // namespace
