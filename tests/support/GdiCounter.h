#pragma once
// Counts of the process's live GDI objects and kernel handles, for leak tests. Wine 8 answers
// GetGuiResources and GetProcessHandleCount with 0, so both are counted by probing every
// candidate handle value instead. A leak test should first show that the counter moves for a
// deliberate leak, then that the code under test leaves it where it was.

// Values 1..0xFFFF for which GetObjectType reports a live object (DCs, fonts, brushes, ...).
int CountGdiObjects();

// Multiples of 4 below 0x10000 for which GetHandleInformation succeeds.
int CountKernelHandles();
