// The configuration directory on Windows: the user's roaming application data.
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>

#include "platform/ConfigDirectory.h"

namespace easel {

std::optional<std::filesystem::path> UserConfigDirectory() {
    // %APPDATA% first, as the user may have moved it; else the folder the shell knows.
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && *appData) {
        const std::filesystem::path path(appData);
        if (path.is_absolute()) return path;
    }
    PWSTR known = nullptr;
    std::optional<std::filesystem::path> result;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known)) && known)
        result = std::filesystem::path(known);
    ::CoTaskMemFree(known);
    return result;
}

}  // namespace easel
