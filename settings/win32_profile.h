// The profile service of Windows: GetPrivateProfileStringA and
// WritePrivateProfileStringA. Callers pass full paths: a bare file name would
// name a file in the Windows directory.
#pragma once
#include "profile.h"

namespace vireska {

class Win32Profile : public Profile {
public:
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace vireska
