#include "startup/folders.h"

#include "media/media.h"

std::string GameDir;
std::string UserDir;
std::string SaveTo;

std::string UserDataPath(const std::string& subFolder)
{
    std::string base = userDataFolder();
    if (base.empty())
        base = homeFolder();
    if (!base.empty() && base.back() != '/')
        base += '/';
    return base + subFolder + "/";
}

bool CreatePath(const std::string& path)
{
    bool ok = true;
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string level = slash == std::string::npos ? path : path.substr(0, slash);
        if (!level.empty() && !folderExists(level) && !createFolder(level))
            ok = false;
        if (slash == std::string::npos || slash + 1 >= path.size())
            break;
    }
    return ok;
}
