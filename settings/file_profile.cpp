#include "file_profile.h"

#include <cerrno>
#include <cstdio>
#include <optional>

#include "codepage.h"
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

std::u16string ProfileReadResult(const std::u16string& raw) {
    // One pair of matching quotes goes; the quote at the end is taken off the
    // copy that fits the buffer, so a quoted text of 1023 or 1024 characters
    // loses its last character too.
    std::u16string v = raw;
    const bool quoted = v.size() > 1 && (v[0] == u'"' || v[0] == u'\'') && v.back() == v[0];
    if (quoted) v.erase(0, 1);
    std::u16string copy = v.substr(0, kProfileValueLimit);
    if (quoted && kProfileValueLimit + 1 >= v.size()) copy.pop_back();
    return copy;
}

std::string ProfileRead(const std::optional<std::string>& file, const std::string& section, const std::string& key,
                        const std::string& def) {
    // The default loses trailing blanks, but never its first character.
    std::u16string value = AnsiToWide(def);
    while (value.size() > 1 && value.back() == u' ') value.pop_back();
    if (file)
        if (auto stored = IniDocument::Parse(*file).Find(AnsiToWide(section), AnsiToWide(key))) value = *stored;
    return WideToAnsi(ProfileReadResult(value));
}

bool ProfileWrite(std::string& file, const std::string& section, const std::string& key, const std::string& value) {
    IniDocument doc = IniDocument::Parse(file);
    if (!doc.Set(AnsiToWide(section), AnsiToWide(key), AnsiToWide(value))) return false;
    file = doc.Serialize();
    return true;
}

std::string FileProfile::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                    const std::string& def) {
    return ProfileRead(ReadFile(path), section, key, def);
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
    if (!ProfileWrite(bytes, section, key, value)) return WriteResult::Written;  // unchanged: left alone
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return failure();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written ? WriteResult::Written : WriteResult::Failed;
}

std::string MemoryProfile::ReadString(const std::string& path, const std::string& section, const std::string& key,
                                      const std::string& def) {
    const auto file = Files.find(path);
    return ProfileRead(file == Files.end() ? std::nullopt : std::optional<std::string>(file->second), section, key, def);
}

WriteResult MemoryProfile::Write(const std::string& path, const std::string& section, const std::string& key,
                                 const std::string& value) {
    ProfileWrite(Files[path], section, key, value);
    return WriteResult::Written;
}

}  // namespace vireska
