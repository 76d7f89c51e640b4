// Aspect codes and tile sizes of real desktop sizes, and the resolution list's bounds.
#include <gtest/gtest.h>

#include "display/aspect.h"
#include "display/layout.h"
#include "display/resolutions.h"

TEST(Display, AspectTileSizeAndResolutions)
{
    const struct {
        int width, height, aspect, tileSize;
        const char* suffix;
    } cases[] = {
        {1920, 1080, 3, 128, "16x9"}, {1280, 1024, 2, 80, "5x4"},    {1366, 768, 3, 88, "16x9"},
        {1440, 900, 4, 96, "16x10"},  {1680, 1050, 4, 112, "16x10"}, {1600, 1200, 1, 104, "4x3"},
        {2560, 1080, 6, 168, "16x9"}, {1024, 576, 3, 64, "16x9"},    {1440, 960, 0, 96, "3x2"},
        {2048, 1080, 5, 136, "17x9"}, {1000, 1000, 7, 64, "16x9"},
    };
    for (const auto& c : cases) {
        SetScreenSize(c.width, c.height);
        const int aspect = DetectAspectRatio(c.width, c.height);
        EXPECT_EQ(aspect, c.aspect) << c.width << "x" << c.height;
        EXPECT_EQ(TileSize, c.tileSize) << c.width << "x" << c.height;
        EXPECT_EQ(AspectSuffix(aspect), c.suffix) << c.width << "x" << c.height;
    }
    for (int outside : {-1, HighestResolution + 1})  // the default entry, never a read past the list
        EXPECT_EQ(ResolutionText(outside) + ResolutionText(HighestResolution), "1280x7203840x2160");
}
