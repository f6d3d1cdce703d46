#pragma once
// Status-bar part arithmetic, kept free of the window system.

// Right edges of the parts of a bar barWidth pixels wide: the last part ends count average
// character widths before the bar's end, each earlier one widths[i] characters before the next
// (widths[0] is never read).
void ComputePartEdges(int barWidth, int averageCharWidth, const int* widths, int count, int* edges);
