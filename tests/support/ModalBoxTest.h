#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Tests of a box that runs its own modal loop over one visible owner per suite. What a test does
// to the box happens in steps that a DialogAnswerer plays from inside that loop, one per tick; a
// box still open after the answerer's time-out is closed, so a broken test fails instead of
// hanging.
class ModalBoxTest : public ::testing::Test {
protected:
    typedef void (*Step)();

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static HWND CreateOwner();

    // The box the suite tests, while it exists.
    virtual HWND Box() const = 0;
    // Calls runBox, which shows the box and returns its result, while the steps are played.
    int RunWithSteps(const std::vector<Step>& steps, const std::function<int()>& runBox);
    // The last box was ended by its steps, gave its owner back its input and left no window.
    void ExpectClosedCleanly() const;

    static HWND owner;
    bool timedOut = false;
};
