#include "win32_profile.h"

#include <windows.h>
#include <shlobj.h>

namespace vireska {

std::string Win32Profile::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                     const std::string& def) {
    char buffer[kProfileValueLimit + 1] = {};
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, sizeof buffer,
                                             path.c_str());
    return std::string(buffer, n < sizeof buffer ? n : kProfileValueLimit);
}

WriteResult Win32Profile::Write(const std::string& path, const std::string& section, const std::string& key,
                                const std::string& value) {
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str())) return WriteResult::Written;
    return GetLastError() == ERROR_ACCESS_DENIED ? WriteResult::Denied : WriteResult::Failed;
}

SettingsFileLock::SettingsFileLock() : Mutex(CreateMutexA(nullptr, FALSE, "VireskaSettingsFileMutex")) {
    if (!Mutex) return;
    const DWORD wait = WaitForSingleObject(Mutex, 10000);
    Owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;  // an abandoned holder left the file as it was
}

SettingsFileLock::~SettingsFileLock() {
    if (!Mutex) return;
    if (Owned) ReleaseMutex(Mutex);
    CloseHandle(Mutex);
}

std::string UserStoreRoot() {
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK || !folder[0])
        return std::string();
    return std::string(folder) + "\\VirtualStore";
}

}  // namespace vireska
