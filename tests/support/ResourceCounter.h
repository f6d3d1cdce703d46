#pragma once
// Counts of the process's live GDI objects, kernel handles and windows, for leak tests. Wine 8
// answers GetGuiResources and GetProcessHandleCount with 0, so objects and handles are counted by
// probing every candidate handle value instead. A leak test should first show that the counters
// move for a deliberate leak (ExpectCountersSeeALeak), then that the code under test leaves them
// where they were.

// Values 1..0xFFFF for which GetObjectType reports a live object (DCs, fonts, brushes, ...).
int CountGdiObjects();

// Multiples of 4 below 0x10000 for which GetHandleInformation succeeds.
int CountKernelHandles();

// The process's top-level windows, shown or hidden, and all their descendants.
int CountProcessWindows();

// Makes a few brushes, events and hidden popups with one child each, checks that every counter
// moved by exactly that, releases them and checks that the counters came back.
void ExpectCountersSeeALeak();
