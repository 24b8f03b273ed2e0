#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

enum class SwfCompression { None, Zlib, Lzma };

// What a Flash movie's header and first tags say about it.
struct SwfHeader {
    SwfCompression compression = SwfCompression::None;
    int version = 0;
    int stageWidth = 0;  // pixels
    int stageHeight = 0;
    double frameRate = 0;  // frames per second; 0 when the movie leaves it open
    int frameCount = 0;    // frames of the main timeline
    // The movie runs ActionScript 3: actions placed in its frames are never run.
    bool actionScript3 = false;
};

// A Flash movie read from its file: its header, and its main timeline as far as the file holds
// it. Can give the movie back with an action on its last frame that tells the program each time
// the timeline reaches its end, one signal per pass.
class SwfMovie {
  public:
    // Bodies larger than this are read for their header only.
    static constexpr std::size_t kMaxExpandedBytes = 128u << 20;

    // Fails with the reason when the bytes are no Flash movie or end before its header does.
    static Result<SwfMovie> Read(std::string_view file);

    const SwfHeader& header() const { return header_; }
    // The file holds every tag of the main timeline up to its end tag.
    bool complete() const { return complete_; }
    // Seconds one pass over the main timeline takes at the movie's frame rate; 0 when the rate
    // is left open.
    double PassSeconds() const;

    // A signal can be added: an ActionScript 1/2 movie of Flash 4 or later, complete, of two
    // frames or more (a timeline of one frame runs its actions once, not once per pass).
    bool CanSignalPasses() const;
    // The movie uncompressed, with actions before the end of its last frame that load variables
    // from `url` (relative to the movie) into it: a request that only the program answers, each
    // time the timeline reaches its end. Only when CanSignalPasses().
    std::string WithPassSignal(std::string_view url) const;

  private:
    SwfMovie() = default;

    SwfHeader header_;
    std::string expanded_;
    bool complete_ = false;
    int shownFrames_ = 0;           // ShowFrame tags on the main timeline
    std::size_t lastFrameEnd_ = 0;  // offset of the ShowFrame tag that ends the last frame
};

}  // namespace revuro
