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

// The program's processes change the settings file one at a time. The
// platform's service rewrites the whole file from the copy it read, so two
// processes writing at once (a saver storing its position while the dialog's
// OK writes every key) lose each other's keys or tear the file. Every reader
// and writer of the program holds this named mutex for the whole of its
// routine, never while a message box is up. A holder that does not let go
// within 10 s is taken to hang: the routine then goes on without it.
class SettingsFileLock {
public:
    SettingsFileLock();
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock&) = delete;
    SettingsFileLock& operator=(const SettingsFileLock&) = delete;

private:
    void* Mutex;
    bool Owned = false;
};

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
