// Test tool: writes a Flash movie made from scratch (tests/support/SwfWriter.h).
// usage: make_swf <out.swf> [--colour RRGGBB] [--size WxH] [--rate FPS] [--frames N]
//                 [--square] [--as3] [--stop] [--get-url URL TARGET] [--pack plain|zlib|lzma]
// --get-url puts a GetURL action on the first frame; it may be given more than once.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "support/SwfWriter.h"

using namespace revuro::testing;

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_swf <out.swf> [options]\n");
        return 2;
    }
    SwfRecipe recipe;
    SwfPacking packing = SwfPacking::Plain;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--colour" && hasValue) {
            recipe.background = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 16));
        } else if (option == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &recipe.width, &recipe.height) != 2) return 2;
        } else if (option == "--rate" && hasValue) {
            recipe.frameRate = std::atof(argv[++i]);
        } else if (option == "--frames" && hasValue) {
            recipe.frames = std::atoi(argv[++i]);
        } else if (option == "--square") {
            recipe.square = true;
        } else if (option == "--as3") {
            recipe.actionScript3 = true;
        } else if (option == "--stop") {
            recipe.stopOnLastFrame = true;
        } else if (option == "--get-url" && i + 2 < argc) {
            recipe.getUrls.push_back({1, argv[i + 1], argv[i + 2]});
            i += 2;
        } else if (option == "--pack" && hasValue) {
            const std::string pack = argv[++i];
            packing = pack == "zlib"   ? SwfPacking::Zlib
                      : pack == "lzma" ? SwfPacking::Lzma
                                       : SwfPacking::Plain;
        } else {
            std::fprintf(stderr, "make_swf: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    const std::string bytes = WriteSwf(recipe, packing);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
