#pragma once
#include <windows.h>

// A pen, brush or region this scope created: deleted when the scope ends. Select it through a
// SelectedObject declared after it, so that it leaves the DC before it is deleted.
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    HGDIOBJ Get() const { return object_; }

private:
    HGDIOBJ object_;
};
