#include "display/resolutions.h"

#include "settings/ini.h"

namespace {

// Widths and heights as texts, the form the settings screen shows them in.
const char* const ResolutionTexts[HighestResolution + 1] = {
    "1024x576", "1280x720", "1366x768", "1600x900", "1920x1080",
    "2048x1152", "2560x1440", "2880x1620", "3200x1800", "3840x2160",
};

} // namespace

// An index from a damaged file never reads past the list.
int ValidResolution(int index)
{
    return (index >= 0 && index <= HighestResolution) ? index : DefaultResolution;
}

// The text as the settings screen shows it.
std::string ResolutionText(int index)
{
    return ResolutionTexts[ValidResolution(index)];
}

// The number before the first "x".
int ResolutionWidth(int index)
{
    const std::string entry = ResolutionText(index);
    return IniNumber(entry.substr(0, entry.find('x')));
}

// The number after the first "x".
int ResolutionHeight(int index)
{
    const std::string entry = ResolutionText(index);
    const size_t x = entry.find('x');
    return x == std::string::npos ? 0 : IniNumber(entry.substr(x + 1));
}
