// The settings file for a user who may not write the Windows directory. The
// system keeps such a user's copy of a protected file in a per-user store
// (%LOCALAPPDATA%\VirtualStore, then the file's path without its drive) and
// does so by itself for 32-bit programs without a requested execution level;
// this profile gives every build the same rules:
// - while the per-user copy exists, every read and every write goes to it;
// - a write that the file refuses as access denied copies the file (if there
//   is one) to the per-user place and goes there;
// - only when that fails too does the write fail.
#pragma once
#include <string>

#include "profile.h"

namespace vireska {

// The few file operations that the per-user copy needs from the platform.
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Makes the folders of the file `path`; false on failure.
    virtual bool MakeFoldersOf(const std::string& path) = 0;
    // Copies `from` to the new file `to`, which the user may then write; false on failure.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
};

// `path` in the per-user store `storeRoot`: the root, then the path without
// its drive ("C:\windows\vireska.ini" gives "<root>\windows\vireska.ini").
std::string UserCopyPath(const std::string& storeRoot, const std::string& path);

class UserCopyProfile : public Profile {
public:
    // With an empty store root there is no per-user copy: `base` alone serves.
    UserCopyProfile(Profile& base, FileOps& files, std::string storeRoot)
        : Base(base), Files(files), StoreRoot(std::move(storeRoot)) {}
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override;

private:
    // The per-user copy when it exists, else the file itself.
    std::string Current(const std::string& path);
    Profile& Base;
    FileOps& Files;
    std::string StoreRoot;
};

// The platform's file operations: Win32 in the Windows build, the C++ library elsewhere.
class PlatformFileOps : public FileOps {
public:
    bool Exists(const std::string& path) override;
    bool MakeFoldersOf(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
};

}  // namespace vireska
