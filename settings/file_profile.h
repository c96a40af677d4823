// The profile service on a plain file, with the rules of the Windows one, for
// builds without it. Each call reads the file anew and a change rewrites it.
#pragma once
#include "profile.h"

namespace vireska {

class FileProfile : public Profile {
public:
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override;
};

// What a read gives for a stored value (or the default when there is none):
// one pair of matching quotes around it removed, at most 1023 characters.
std::u16string ProfileReadResult(const std::u16string& raw);

}  // namespace vireska
