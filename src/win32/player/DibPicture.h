#pragma once

#include <windows.h>

#include <string>

#include "core/Result.h"

namespace revuro {

// A decoded picture in a bitmap GDI draws, deleted with the object.
class DibPicture {
  public:
    DibPicture() = default;
    ~DibPicture() { Reset(); }
    DibPicture(const DibPicture&) = delete;
    DibPicture& operator=(const DibPicture&) = delete;

    // Decodes the file with the system's imaging component (the first frame of several); on
    // failure the picture held before stays.
    Outcome Load(const std::string& path);

    bool empty() const { return bitmap_ == nullptr; }
    void Reset();
    // Draws it into `area` in its aspect, centred; the rest of `area` is left as it is.
    void DrawFitted(HDC target, const RECT& area) const;

  private:
    HBITMAP bitmap_ = nullptr;
    LONG width_ = 0;
    LONG height_ = 0;
};

// `area` shrunk to a picture of width by height, keeping its aspect, centred in it.
RECT FitInto(const RECT& area, LONG width, LONG height);

}  // namespace revuro
