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

std::string DataFolder(const std::string& programDir, const std::string& fromProgram)
{
    if (fileExists(programDir + "Morvane.data"))
        return programDir;
    // Each leading "../" climbs one level, so the log shows a plain path.
    std::string folder = programDir;
    std::string rest = fromProgram;
    while (rest.compare(0, 3, "../") == 0 && folder.size() > 1) {
        const size_t cut = folder.rfind('/', folder.size() - 2);
        if (cut == std::string::npos)
            break;
        folder.erase(cut + 1);
        rest.erase(0, 3);
    }
    folder += rest;
    if (folder.back() != '/')
        folder += '/';
    return fileExists(folder + "Morvane.data") ? folder : programDir;
}
