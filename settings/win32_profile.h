// The profile service of Windows: GetPrivateProfileStringA and
// WritePrivateProfileStringA. Callers pass full paths: a bare file name would
// name a file in the Windows directory.
#pragma once
#include "profile.h"
#include "user_copy_profile.h"

namespace vireska {

class Win32Profile : public Profile {
public:
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override;
};

// The per-user store of the current user: %LOCALAPPDATA%\VirtualStore, or
// empty when the platform names no local application data folder.
std::string UserStoreRoot();

// The profile of the settings file: the platform's service, with the
// per-user copy for users who may not write the Windows directory.
class SettingsProfile : public Profile {
public:
    SettingsProfile() : Copy(Base, Files, UserStoreRoot()) {}
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override {
        return Copy.ReadString(path, section, key, def);
    }
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override {
        return Copy.Write(path, section, key, value);
    }

private:
    Win32Profile Base;
    PlatformFileOps Files;
    UserCopyProfile Copy;
};

}  // namespace vireska
