#include "framework/PartEdges.h"

void ComputePartEdges(int barWidth, int averageCharWidth, const int* widths, int count, int* edges) {
    if (count <= 0) {
        return;
    }
    edges[count - 1] = barWidth - count * averageCharWidth;
    for (int i = count - 1; i >= 1; --i) {
        edges[i - 1] = edges[i] - widths[i] * averageCharWidth;
    }
}
