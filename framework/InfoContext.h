#pragma once
#include <windows.h>

// An information context on the display, for measuring text before any window exists; deleted
// when the scope ends. Get() is null when it could not be created.
class InfoContext {
public:
    InfoContext() : dc_(CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~InfoContext() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    InfoContext(const InfoContext&) = delete;
    InfoContext& operator=(const InfoContext&) = delete;

    HDC Get() const { return dc_; }
    // The display font's metrics; false when there is no context or they cannot be read.
    bool Measure(TEXTMETRICA* metrics) const { return dc_ != nullptr && GetTextMetricsA(dc_, metrics); }

private:
    HDC dc_;
};
