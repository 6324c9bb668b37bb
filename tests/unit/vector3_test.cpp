// Vector sums, products, lengths and normalising, and the random source's sequence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "particles/random_source.h"
#include "particles/vector3.h"

namespace {

void expectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(Vector3, CrossProductIsRightHandedAndAntisymmetric) {
    struct Case {
        Vector3 a, b, expected;
    };
    const Case cases[] = {
        {{0, 0, 4}, {4, 0, 0}, {0, 16, 0}},
        {{4, 0, 0}, {0, 0, 4}, {0, -16, 0}},
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
        {{1, 2, 3}, {4, 5, 6}, {-3, 6, -3}},
        {{2, 2, 2}, {2, 2, 2}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.a.x << ", " << c.a.y << ", " << c.a.z
                                        << ") x (" << c.b.x << ", " << c.b.y << ", " << c.b.z << ")");
        expectVector(crossProduct(c.a, c.b), c.expected.x, c.expected.y, c.expected.z);
        // Swapping the arguments negates the result.
        expectVector(crossProduct(c.b, c.a), -c.expected.x, -c.expected.y, -c.expected.z);
    }
}

TEST(Vector3, LengthDotAndNormalising) {
    const Vector3 up(0, 16, 0);
    EXPECT_FLOAT_EQ(vectorLength(up), 16.0f);
    expectVector(normalizeVector(up), 0, 1, 0);
    EXPECT_FLOAT_EQ(vectorLength(Vector3(3, 4, 12)), 13.0f);
    expectVector(normalizeVector(Vector3(3, -4, 0)), 0.6f, -0.8f, 0);
    EXPECT_FLOAT_EQ(dotProduct(Vector3(0, 1, 0), Vector3(-2, 0, -2)), 0.0f);
    EXPECT_FLOAT_EQ(dotProduct(Vector3(1, 2, 3), Vector3(4, -5, 6)), 12.0f);
    // The library's double root, narrowed: exact to the last float bit.
    EXPECT_EQ(floatSqrt(2.0f), static_cast<float>(std::sqrt(2.0)));
}

TEST(Vector3, NormalisingTheZeroVectorGivesNaNsRatherThanFailing) {
    const Vector3 v = normalizeVector(Vector3(0, 0, 0));
    EXPECT_TRUE(std::isnan(v.x));
    EXPECT_TRUE(std::isnan(v.y));
    EXPECT_TRUE(std::isnan(v.z));
}

TEST(Vector3, AddingLeavesBothArgumentsUnchanged) {
    const Vector3 a(1.5f, -2, 0.25f);
    const Vector3 sum = addVectors(a, a);
    expectVector(sum, 3, -4, 0.5f);
    expectVector(a, 1.5f, -2, 0.25f);
    EXPECT_NE(&sum, &a);
    expectVector(addVectors(Vector3(-0.4f, 1.25f, 0.5f), Vector3(0, 0.004f, 0)),
                 -0.4f, 1.254f, 0.5f);
}

TEST(RandomSource, DrawsThePortableSequenceFromAFreshStart) {
    resetRandomSource();
    EXPECT_EQ(nextRandom(), 16838);
    EXPECT_EQ(nextRandom(), 5758);
    EXPECT_EQ(nextRandom(), 10113);
    EXPECT_EQ(nextRandom(), 17515);
    // The unit draw divides the same integers by 32767.
    resetRandomSource();
    EXPECT_EQ(randomUnit(), 16838.0f / 32767.0f);
    int low = RANDOM_MAX;
    int high = 0;
    for (int i = 0; i < 100000; ++i) {
        const int value = nextRandom();
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, RANDOM_MAX);
}

}  // namespace
