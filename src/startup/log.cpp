#include "startup/log.h"

#include <cstdio>

namespace {
std::FILE* logFile = nullptr;
bool logEnabled = false;
}

bool OpenLog(const std::string& path, const std::string& title)
{
    CloseLog();
    logFile = std::fopen(path.c_str(), "wb");
    if (!logFile)
        return false;
    std::string line = title + "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), logFile) != line.size()) {
        std::fclose(logFile);
        logFile = nullptr;
        return false;
    }
    std::fflush(logFile);
    return true;
}

void EnableLog()
{
    if (logFile)
        logEnabled = true;
}

void WriteLog(const std::string& text)
{
    if (!logEnabled)
        return;
    std::string line = text + "\r\n";
    // A file that stops taking lines switches the log off for good.
    if (!logFile || std::fwrite(line.data(), 1, line.size(), logFile) != line.size() ||
        std::fflush(logFile) != 0) {
        logEnabled = false;
    }
}

void CloseLog()
{
    if (logFile)
        std::fclose(logFile);
    logFile = nullptr;
    logEnabled = false;
}

bool LogEnabled()
{
    return logEnabled;
}

std::string Tabs(int n)
{
    return n < 1 ? std::string() : std::string(static_cast<size_t>(n), '\t');
}

void WriteLogLine(const std::string& label, const std::string& value)
{
    WriteLog(label + Tabs(2) + value);
}
