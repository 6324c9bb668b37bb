// A replacement of the global operator new that counts the allocations made
// while counting is on; linked into the programs that measure them.
#pragma once

#include <cstddef>

namespace allocations {

void startCounting();
// Stops counting; the number of allocations since startCounting.
long stopCounting();
// Their total size in bytes, up to the last stopCounting.
std::size_t countedBytes();

}  // namespace allocations
