// The INI service the settings need: the platform's private profile strings
// on Windows, a file-backed copy of their rules elsewhere.
#pragma once
#include <string>

namespace vireska {

enum class WriteResult {
    Written,
    Denied,  // the file or its folder refuses the write (access denied)
    Failed,  // any other failure: no such folder, a full disk
};

class Profile {
public:
    virtual ~Profile() = default;
    // The stored value, or `def` when the key (or section, or file) is
    // missing. Values pass a 1024-byte buffer: at most 1023 characters.
    virtual std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& def) = 0;
    // Stores the value and says how that went.
    virtual WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& value) = 0;
    // Stores the value; false when the file cannot be written.
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) {
        return Write(path, section, key, value) == WriteResult::Written;
    }
};

// What a read returns at most.
constexpr size_t kProfileValueLimit = 1023;

}  // namespace vireska
