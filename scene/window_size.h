// A window's height as a divisor: a minimised window can report 0 pixels.
#pragma once

inline int divisorHeight(int height) {
    return height > 0 ? height : 1;
}
