#include "core/player/VideoOutput.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

// GL_RENDERER strings as real drivers report them.
TEST(VideoOutputTest, SoftwareRasterisersAreRecognisedByTheirRendererStrings) {
    for (const char* renderer :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer", "Mesa X11 swrast",
          "Gallium 0.4 on llvmpipe (LLVM 3.4, 128 bits)", "Google SwiftShader",
          "ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero)))",
          "D3D12 (Microsoft Basic Render Driver)"}) {
        EXPECT_TRUE(IsSoftwareRenderer(renderer)) << renderer;
    }
}

TEST(VideoOutputTest, GraphicsCardsAreNotSoftware) {
    for (const char* renderer :
         {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
          "Mesa DRI Intel(R) HD Graphics 4000 (IVB GT2)",
          "AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)",
          "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", "NV134", "virgl",
          "D3D12 (NVIDIA GeForce RTX 3060)"}) {
        EXPECT_FALSE(IsSoftwareRenderer(renderer)) << renderer;
    }
}

TEST(VideoOutputTest, OpenGlIsChosenOnlyWhereAGraphicsCardDraws) {
    EXPECT_EQ(ChooseVideoOutput({true, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)"}),
              VideoOutput::Gpu);
    EXPECT_EQ(ChooseVideoOutput({true, "llvmpipe (LLVM 15.0.6, 256 bits)"}), VideoOutput::X11);
    // A virtual display offers no direct rendering: OpenGL there can only be software.
    EXPECT_EQ(ChooseVideoOutput({false, ""}), VideoOutput::X11);
    EXPECT_EQ(ChooseVideoOutput({false, "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2"}),
              VideoOutput::X11);
    // A server that renders directly but whose renderer could not be asked: trust the card.
    EXPECT_EQ(ChooseVideoOutput({true, ""}), VideoOutput::Gpu);
}

TEST(VideoOutputTest, WithoutAGraphicsCardTheServersVideoAdaptorScales) {
    EXPECT_EQ(ChooseVideoOutput({false, "", true}), VideoOutput::Xv);
    EXPECT_EQ(ChooseVideoOutput({true, "llvmpipe (LLVM 15.0.6, 256 bits)", true}),
              VideoOutput::Xv);
    // A graphics card draws better than the adaptor scales.
    EXPECT_EQ(ChooseVideoOutput({true, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", true}),
              VideoOutput::Gpu);
}

TEST(VideoOutputTest, AForcedOutputIsReadByNameInAnyCase) {
    VideoOutput output = VideoOutput::Gpu;
    EXPECT_TRUE(ParseVideoOutput("X11", output));
    EXPECT_EQ(output, VideoOutput::X11);
    EXPECT_TRUE(ParseVideoOutput("Xv", output));
    EXPECT_EQ(output, VideoOutput::Xv);
    EXPECT_TRUE(ParseVideoOutput("gpu", output));
    EXPECT_EQ(output, VideoOutput::Gpu);
    EXPECT_FALSE(ParseVideoOutput("opengl", output));
    EXPECT_FALSE(ParseVideoOutput("", output));
    EXPECT_EQ(output, VideoOutput::Gpu);  // unchanged by a refused name
}

}  // namespace
}  // namespace revuro
