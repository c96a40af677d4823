#include "file_profile.h"

#include <cerrno>
#include <cstdio>
#include <optional>

#include "ini_document.h"

namespace vireska {

namespace {

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> ReadFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    return bytes;
}

}  // namespace

std::string ProfileReadResult(const std::string& raw) {
    std::string v = raw;
    if (v.size() > 1 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
    if (v.size() > kProfileValueLimit) v.resize(kProfileValueLimit);
    return v;
}

std::string FileProfile::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                    const std::string& def) {
    if (key.empty()) return std::string();  // the service answers an empty key name with nothing
    std::optional<std::string> value;
    if (const auto bytes = ReadFile(path)) value = IniDocument::Parse(*bytes).Find(section, key);
    if (!value) {
        // The default loses its trailing blanks.
        size_t e = def.size();
        while (e > 0 && def[e - 1] == ' ') --e;
        value = def.substr(0, e);
    }
    return ProfileReadResult(*value);
}

WriteResult FileProfile::Write(const std::string& path, const std::string& section, const std::string& key,
                               const std::string& value) {
    // EACCES, and EPERM for a file marked immutable, are the service's "access denied".
    auto failure = [] { return errno == EACCES || errno == EPERM ? WriteResult::Denied : WriteResult::Failed; };
    std::string bytes;
    errno = 0;
    if (std::FILE* f = std::fopen(path.c_str(), "r+b")) {
        std::fclose(f);  // an existing file must be writable, changed or not
        bytes = ReadFile(path).value_or(std::string());
    } else if (const int openError = errno; ReadFile(path)) {
        errno = openError;
        return failure();  // there, but not writable
    }
    IniDocument doc = IniDocument::Parse(bytes);
    if (!doc.Set(section, key, value)) return WriteResult::Written;
    const std::string out = doc.Serialize();
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return failure();
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && written ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace vireska
