// The profile service on a plain file, with the rules of the Windows one, for
// builds without it. Each call reads the file anew and a change rewrites it.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "profile.h"

namespace vireska {

class FileProfile : public Profile {
public:
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override;
};

// Files kept in memory, read and written with the service's rules: a
// settings file made up on the spot, as for drawing a preset.
class MemoryProfile : public Profile {
public:
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override;
    const std::map<std::string, std::string>& Contents() const { return Files; }

private:
    std::map<std::string, std::string> Files;
};

// The service's rules on a file's bytes (nothing: no such file): what a read
// gives, and a write, false when it changes nothing.
std::string ProfileRead(const std::optional<std::string>& file, const std::string& section, const std::string& key,
                        const std::string& def);
bool ProfileWrite(std::string& file, const std::string& section, const std::string& key, const std::string& value);

// What a read gives for a stored value (or the default when there is none):
// one pair of matching quotes around it removed, at most 1023 characters.
std::u16string ProfileReadResult(const std::u16string& raw);

}  // namespace vireska
