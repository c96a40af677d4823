#include "win32_profile.h"

#include <windows.h>

namespace vireska {

std::string Win32Profile::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                     const std::string& def) {
    char buffer[kProfileValueLimit + 1] = {};
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, sizeof buffer,
                                             path.c_str());
    return std::string(buffer, n < sizeof buffer ? n : kProfileValueLimit);
}

bool Win32Profile::WriteString(const std::string& path, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace vireska
