#pragma once
#include <windows.h>

// An information context on the display, for measuring text before any window exists; deleted
// when the scope ends. The metrics of its font (the display font, or the one given, which must
// outlive the context) are read once, when it is made.
class InfoContext {
public:
    explicit InfoContext(HFONT font = nullptr)
        : dc_(CreateICA("DISPLAY", nullptr, nullptr, nullptr)),
          measured_(dc_ != nullptr && (font == nullptr || SelectObject(dc_, font) != nullptr) &&
                    GetTextMetricsA(dc_, &metrics_)) {}
    ~InfoContext() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    InfoContext(const InfoContext&) = delete;
    InfoContext& operator=(const InfoContext&) = delete;

    HDC Get() const { return dc_; }
    // False when there is no context or the metrics could not be read.
    bool Measured() const { return measured_; }
    const TEXTMETRICA& Metrics() const { return metrics_; }

private:
    HDC dc_;
    TEXTMETRICA metrics_;
    bool measured_;
};
