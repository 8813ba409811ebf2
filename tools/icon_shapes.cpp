#include "tools/icon_shapes.h"

#include "tools/int_math.h"

bool inCircle(Point p, Point centre, int32_t radius) {
    int64_t dx = p.x - centre.x, dy = p.y - centre.y;
    return dx * dx + dy * dy <= int64_t{radius} * radius;
}

bool inRoundedRect(Point p, Point topLeft, Point bottomRight, int32_t radius) {
    if (p.x < topLeft.x || p.x > bottomRight.x || p.y < topLeft.y || p.y > bottomRight.y) {
        return false;
    }
    Point nearest = {clampInt(p.x, topLeft.x + radius, bottomRight.x - radius),
                     clampInt(p.y, topLeft.y + radius, bottomRight.y - radius)};
    return inCircle(p, nearest, radius);
}

bool inCapsule(Point p, Point a, Point b, int32_t radius) {
    int64_t abx = b.x - a.x, aby = b.y - a.y;
    int64_t apx = p.x - a.x, apy = p.y - a.y;
    int64_t length2 = abx * abx + aby * aby;
    int64_t dot = apx * abx + apy * aby;
    if (dot <= 0) {
        return inCircle(p, a, radius);
    }
    if (dot >= length2) {
        return inCircle(p, b, radius);
    }
    // Squared distance from the line, scaled by length2 to stay in integers.
    int64_t cross2 = (apx * apx + apy * apy) * length2 - dot * dot;
    return cross2 <= int64_t{radius} * radius * length2;
}
