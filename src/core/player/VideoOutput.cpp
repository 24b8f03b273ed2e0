#include "core/player/VideoOutput.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace revuro {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}  // namespace

bool IsSoftwareRenderer(std::string_view renderer) {
    static constexpr std::array<std::string_view, 6> kSoftware = {
        "llvmpipe",    "softpipe",           "swrast", "software rasterizer",
        "swiftshader", "basic render driver"};
    const std::string lower = Lower(renderer);
    return std::any_of(kSoftware.begin(), kSoftware.end(), [&lower](std::string_view name) {
        return lower.find(name) != std::string::npos;
    });
}

VideoOutput ChooseVideoOutput(const DisplayGraphics& graphics) {
    if (graphics.directRendering && !IsSoftwareRenderer(graphics.renderer)) return VideoOutput::Gpu;
    return graphics.videoAdaptor ? VideoOutput::Xv : VideoOutput::X11;
}

bool ParseVideoOutput(std::string_view name, VideoOutput& output) {
    const std::string lower = Lower(name);
    if (lower == "gpu") {
        output = VideoOutput::Gpu;
    } else if (lower == "xv") {
        output = VideoOutput::Xv;
    } else if (lower == "x11") {
        output = VideoOutput::X11;
    } else {
        return false;
    }
    return true;
}

const char* VideoOutputName(VideoOutput output) {
    switch (output) {
        case VideoOutput::Gpu:
            return "gpu";
        case VideoOutput::Xv:
            return "xv";
        case VideoOutput::X11:
            break;
    }
    return "x11";
}

}  // namespace revuro
