// The program's own pseudo-random source (see random_source.h).
#include "particles/random_source.h"

#include <cstdint>

namespace {

constexpr std::uint32_t RANDOM_MULTIPLIER = 1103515245u;
constexpr std::uint32_t RANDOM_INCREMENT = 12345u;
constexpr std::uint32_t RANDOM_START = 1u;  // never seeded

std::uint32_t randomState = RANDOM_START;

}  // namespace

int nextRandom() {
    // Unsigned 32-bit arithmetic wraps the same way everywhere.
    randomState = randomState * RANDOM_MULTIPLIER + RANDOM_INCREMENT;
    return static_cast<int>((randomState / 65536u) % 32768u);
}

float randomUnit() {
    return static_cast<float>(nextRandom()) / static_cast<float>(RANDOM_MAX);
}

void resetRandomSource() {
    randomState = RANDOM_START;
}
