#include "app/special_folder.h"

#include <base/owners.h>

#include <shlobj.h>

namespace app {

std::string GetSpecialFolderPath(int csidl) {
    base::UniquePidl folder;
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)))
        return std::string();
    folder.reset(list);
    char path[1024 + 1] = {};
    if (!SHGetPathFromIDListA(folder.get(), path))
        return std::string();
    return std::string(path);
}

} // namespace app
