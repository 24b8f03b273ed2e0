#pragma once

#include <windows.h>

#include <utility>

namespace revuro {

// One GDI object (font, brush, bitmap), deleted with its owner.
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(HGDIOBJ handle) : handle_(handle) {}
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() {
        if (handle_ != nullptr) DeleteObject(handle_);
    }

    HFONT font() const { return static_cast<HFONT>(handle_); }
    HBRUSH brush() const { return static_cast<HBRUSH>(handle_); }
    HBITMAP bitmap() const { return static_cast<HBITMAP>(handle_); }

  private:
    HGDIOBJ handle_ = nullptr;
};

}  // namespace revuro
