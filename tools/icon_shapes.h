#pragma once
#include <cstdint>

// Point-in-shape tests for the icon, on an integer grid; edges count as inside.

struct Point {
    int32_t x, y;
};

bool inCircle(Point p, Point centre, int32_t radius);

// A rectangle whose corners are rounded with radius.
bool inRoundedRect(Point p, Point topLeft, Point bottomRight, int32_t radius);

// The points within radius of the segment from a to b.
bool inCapsule(Point p, Point a, Point b, int32_t radius);
