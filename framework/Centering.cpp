#include "framework/Centering.h"

namespace {

// One axis: centre an extent on [low, high], end before high, never below 0.
int CenteredCoordinate(int low, int high, int extent) {
    int candidate = low + (high - low + 1) / 2 - extent / 2;
    int limit = high - extent;
    int position = candidate < limit ? candidate : limit;
    return position > 0 ? position : 0;
}

}  // namespace

PlacementPoint CenteredPosition(const PlacementRect& reference, const PlacementRect& window) {
    int width = window.right - window.left + 1;
    int height = window.bottom - window.top + 1;
    PlacementPoint point;
    point.x = CenteredCoordinate(reference.left, reference.right, width);
    point.y = CenteredCoordinate(reference.top, reference.bottom, height);
    return point;
}
