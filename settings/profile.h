// The INI service the settings need: the platform's private profile strings
// on Windows, a file-backed copy of their rules elsewhere.
#pragma once
#include <string>

namespace vireska {

class Profile {
public:
    virtual ~Profile() = default;
    // The stored value, or `def` when the key (or section, or file) is
    // missing. Values pass a 1024-byte buffer: at most 1023 characters.
    virtual std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& def) = 0;
    // Stores the value; false when the file cannot be written.
    virtual bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

// What a read returns at most.
constexpr size_t kProfileValueLimit = 1023;

}  // namespace vireska
