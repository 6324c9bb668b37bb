// A point in a plane: ledge outlines and mapped mouse positions.
#pragma once

struct Point2 {
    float x;
    float y;
};
