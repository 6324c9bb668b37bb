// The program's own pseudo-random source: the C standard's portable example
// generator, never seeded, so every run on every platform draws the same drops.
#pragma once

constexpr int RANDOM_MAX = 32767;

// The next integer from 0 to RANDOM_MAX.
int nextRandom();
// nextRandom() / RANDOM_MAX: a float from 0 to 1, both ends included.
float randomUnit();
// Back to the state of a fresh process, for tests and benchmarks that need a
// known sequence.
void resetRandomSource();
