#include "display/aspect.h"

#include <cstdio>

int DetectAspectRatio(int width, int height)
{
    if (height <= 0)
        return AspectCustom;
    char ratio[32];
    std::snprintf(ratio, sizeof ratio, "%.2f", static_cast<double>(width) / height);
    const std::string r = ratio;
    if (r == "1.50")
        return Aspect3x2;
    if (r == "1.33")
        return Aspect4x3;
    if (r == "1.25")
        return Aspect5x4;
    if (r == "1.77" || r == "1.78")
        return Aspect16x9;
    if (r == "1.60")
        return Aspect16x10;
    if (r == "1.89" || r == "1.90")
        return Aspect17x9;
    if (r == "2.37" || r == "2.38" || r == "2.39")
        return AspectUltraWide;
    return AspectCustom;
}

std::string AspectSuffix(int code)
{
    switch (code) {
    case Aspect3x2: return "3x2";
    case Aspect4x3: return "4x3";
    case Aspect5x4: return "5x4";
    case Aspect16x10: return "16x10";
    case Aspect17x9: return "17x9";
    // NOTE: ultra-wide displays have no artwork of their own; like any other
    // ratio we do not know, they get the 16x9 pictures rather than none.
    default: return "16x9";
    }
}

std::string AspectRatioName(int code)
{
    switch (code) {
    case Aspect3x2: return "3:2";
    case Aspect4x3: return "4:3";
    case Aspect5x4: return "5:4";
    case Aspect16x9: return "16:9";
    case Aspect16x10: return "16:10";
    case Aspect17x9: return "17:9";
    case AspectUltraWide: return "ultra-wide";
    default: return "custom";
    }
}
