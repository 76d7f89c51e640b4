// What the tests share: real sounds and pictures made in memory, and a
// temporary folder of their own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A mono 440 Hz tone of `seconds`, as OGG Vorbis bytes (the game's own encoder).
std::vector<uint8_t> MakeToneOgg(double seconds);
// An RGBA PNG; pixel(x, y) answers an rgba() value.
std::vector<uint8_t> MakePng(int width, int height, const std::function<uint32_t(int, int)>& pixel);
std::vector<uint8_t> MakeSolidPng(int width, int height, uint32_t colour);

std::string ReadBytes(const std::string& path);  // empty when missing
// The CR LF ended lines of a file (a log), without their ends.
std::vector<std::string> CrLfLines(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed at the end.
struct TempFolder {
    std::filesystem::path path;
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Folder() const { return path.string() + "/"; }  // as the game passes folders
    std::string File(const std::string& name) const { return (path / name).string(); }
};
