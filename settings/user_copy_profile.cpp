#include "user_copy_profile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace vireska {

std::string UserCopyPath(const std::string& storeRoot, const std::string& path) {
    std::string rest = path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
    if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) rest.insert(rest.begin(), '\\');
    return storeRoot + rest;
}

std::string UserCopyProfile::Current(const std::string& path) {
    if (StoreRoot.empty()) return path;
    const std::string copy = UserCopyPath(StoreRoot, path);
    return Files.Exists(copy) ? copy : path;
}

std::string UserCopyProfile::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                        const std::string& def) {
    return Base.ReadString(Current(path), section, key, def);
}

WriteResult UserCopyProfile::Write(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& value) {
    const std::string current = Current(path);
    const WriteResult result = Base.Write(current, section, key, value);
    if (result != WriteResult::Denied || current != path || StoreRoot.empty()) return result;
    const std::string copy = UserCopyPath(StoreRoot, path);
    if (!Files.MakeFoldersOf(copy) || (Files.Exists(path) && !Files.Copy(path, copy))) return result;
    return Base.Write(copy, section, key, value);
}

#ifdef _WIN32

bool PlatformFileOps::Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlatformFileOps::MakeFoldersOf(const std::string& path) {
    // Every folder on the way, from the first below the drive or share.
    for (size_t at = path.find_first_of("\\/", 3); at != std::string::npos; at = path.find_first_of("\\/", at + 1)) {
        const std::string folder = path.substr(0, at);
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            const DWORD attributes = GetFileAttributesA(folder.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
        }
    }
    return true;
}

bool PlatformFileOps::Copy(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), TRUE)) return false;
    // The copy is the user's to write, whatever marks the original had.
    const DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return true;
}

#else

bool PlatformFileOps::Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool PlatformFileOps::MakeFoldersOf(const std::string& path) {
    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    std::filesystem::create_directories(folder, ec);
    return !ec && std::filesystem::is_directory(folder, ec);
}

bool PlatformFileOps::Copy(const std::string& from, const std::string& to) {
    std::error_code ec;
    return std::filesystem::copy_file(from, to, ec) && !ec;
}

#endif

}  // namespace vireska
