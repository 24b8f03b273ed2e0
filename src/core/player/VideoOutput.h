#pragma once

#include <string>
#include <string_view>

namespace revuro {

// How the player draws its pictures.
enum class VideoOutput {
    Gpu,  // OpenGL on the graphics card, decoding on it where it can
    Xv,   // the X server's video adaptor scales and converts the pictures
    X11,  // plain X11 images (shared memory), scaled by the processor
};

// What OpenGL the display offers, as far as the player's choice goes.
struct DisplayGraphics {
    // The X server lets clients draw on the graphics card themselves (DRI2, DRI3 or the
    // NVIDIA driver's own protocol). Without that, OpenGL there is a software rasteriser.
    bool directRendering = false;
    // OpenGL's renderer string (GL_RENDERER); empty when it was not asked or there is none.
    std::string renderer;
    // The server has an X video adaptor that takes images (XVideo).
    bool videoAdaptor = false;
};

// True for the renderers that draw with the processor: Mesa's llvmpipe, softpipe and swrast,
// SwiftShader, Windows' Basic Render Driver.
bool IsSoftwareRenderer(std::string_view renderer);

// The cheapest output the display allows: OpenGL only where a graphics card draws it (an
// unknown renderer on a server with direct rendering counts as one); else the server's video
// adaptor, which scales and converts colours itself; else plain X11 images. A screen saver runs
// for hours on machines nobody uses; OpenGL in software costs several times what plain X11
// images do.
VideoOutput ChooseVideoOutput(const DisplayGraphics& graphics);

// The output a user forces by name ("gpu", "xv" or "x11", letter case ignored); false when the
// name is none of them.
bool ParseVideoOutput(std::string_view name, VideoOutput& output);

const char* VideoOutputName(VideoOutput output);

}  // namespace revuro
