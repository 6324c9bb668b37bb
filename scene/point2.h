// A point in a plane: ledge outlines and mouse positions mapped to view units.
#pragma once

struct Point2 {
    float x;
    float y;
};
