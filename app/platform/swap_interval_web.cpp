// The browser paces the frames itself (requestAnimationFrame): there is no
// swap interval to ask for.
#include "app/swap_interval.h"

const char* requestSwapInterval() {
    return nullptr;
}
