// The display's aspect ratio and the full-screen artwork it selects.
#pragma once

#include <string>

enum AspectCodeValue {
    Aspect3x2 = 0, Aspect4x3 = 1, Aspect5x4 = 2, Aspect16x9 = 3,
    Aspect16x10 = 4, Aspect17x9 = 5, AspectUltraWide = 6, AspectCustom = 7
};

// Width / height formatted with two decimals and matched against the known
// ratios; anything else is custom.
int DetectAspectRatio(int width, int height);
// "3x2", "4x3", "5x4", "16x9", "16x10", "17x9"; ultra-wide and custom
// displays get the 16x9 artwork.
std::string AspectSuffix(int code);
// "3:2", "4:3", "5:4", "16:9", "16:10", "17:9", "ultra-wide", "custom".
std::string AspectRatioName(int code);
