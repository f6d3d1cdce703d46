#include "framework/Centering.h"

#include <cstdint>

namespace {

// One axis: centre an extent on [low, high], end before high, never below 0.
// Computed in 64 bits so that no rectangle, however odd (even an inverted one), overflows.
int CenteredCoordinate(int low, int high, int64_t extent) {
    int64_t candidate = low + (static_cast<int64_t>(high) - low + 1) / 2 - extent / 2;
    int64_t limit = high - extent;
    int64_t position = candidate < limit ? candidate : limit;
    if (position <= 0) {
        return 0;
    }
    return position < INT32_MAX ? static_cast<int>(position) : INT32_MAX;
}

}  // namespace

PlacementPoint CenteredPosition(const PlacementRect& reference, const PlacementRect& window) {
    int64_t width = static_cast<int64_t>(window.right) - window.left + 1;
    int64_t height = static_cast<int64_t>(window.bottom) - window.top + 1;
    PlacementPoint point;
    point.x = CenteredCoordinate(reference.left, reference.right, width);
    point.y = CenteredCoordinate(reference.top, reference.bottom, height);
    return point;
}
