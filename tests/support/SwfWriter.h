#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace revuro::testing {

// A Flash movie for tests, made from scratch: a stage of one colour, a number of frames, and
// optionally a square that moves across the stage once per pass and actions on frames.
struct SwfRecipe {
    struct GetUrl {
        int frame = 1;  // 1-based
        std::string url;
        std::string target;
    };

    int version = 10;
    int width = 320;  // pixels
    int height = 240;
    double frameRate = 24;
    int frames = 1;                       // ShowFrame tags written
    int headerFrames = -1;                // the frame count the header claims; -1: `frames`
    std::uint32_t background = 0xff0000;  // 0xRRGGBB
    bool fileAttributes = true;
    bool actionScript3 = false;
    bool square = false;
    std::uint32_t squareColour = 0xffff00;
    std::vector<GetUrl> getUrls;
    bool stopOnLastFrame = false;
    bool endTag = true;
};

enum class SwfPacking { Plain, Zlib, Lzma };

// The movie's bytes, stored as asked ("FWS", "CWS" or "ZWS").
std::string WriteSwf(const SwfRecipe& recipe, SwfPacking packing = SwfPacking::Plain);

}  // namespace revuro::testing
