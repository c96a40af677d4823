#include "settings_file.h"

#include "numeric.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vireska {

// The defaults satisfy the checksum: (200 - 7 - 25 - 2 - 1 - 1) * 17 = 2788.
const SettingKey kSettingKeys[kSettingCount] = {
    {"Delay", 0, 0, 0, 1000000, 200},
    {"msDelay", 5, 3, 0, 200, 5},
    {"LinZahl", 200, 200, 1, 800, 1},
    {"EckenZahl", 7, 7, 1, 1000, 1},
    {"LinL\xe4nge", 25, 25, 0, 10000, 1},
    {"Spinit", 2, 2, 0, 2, 1},
    {"Erase", 1, 1, 0, 1, 1},
    {"AutoLength", 1, 1, 0, 1, 1},
    {"Zoom", 15, std::nullopt, 0, 0, 1},
    {"indikator", 2788, std::nullopt, 0, 0, 0},
    {"continueat", 0, std::nullopt, 0, 3000000, 100},
    {"continue", 0, std::nullopt, 0, 1, 1},
    {"BoxIndex", 0, std::nullopt, -1, 100, 1},
};

std::optional<int32_t> ParseIniInteger(const std::string& text) {
    size_t i = 0;
    int base = 10;
    if (text.size() > 1 && text[0] == '$') {
        base = 16, i = 1;
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16, i = 2;
    }
    bool negative = false;
    if (base == 10 && i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) return Wrap(static_cast<uint32_t>(value));
    if (negative ? value > 2147483648ull : value > 2147483647ull) return std::nullopt;
    return negative ? Wrap(0u - static_cast<uint32_t>(value)) : static_cast<int32_t>(value);
}

int32_t ReadInteger(Profile& p, const std::string& path, const char* section, const char* key, int32_t def) {
    return ParseIniInteger(p.ReadString(path, section, key, "")).value_or(def);
}

bool WriteInteger(Profile& p, const std::string& path, const char* section, const char* key, int32_t value) {
    return p.WriteString(path, section, key, std::to_string(value));
}

int32_t GeometryChecksum(int32_t lines, int32_t corners, int32_t length, int32_t spin, int32_t erase,
                         int32_t autoLength) {
    int32_t d = Sub32(lines, corners);
    d = Sub32(d, length);
    d = Sub32(d, spin);
    d = Sub32(d, erase);
    d = Sub32(d, autoLength);
    return Mul32(d, 17);
}

std::string SettingsPath(const std::string& windowsDirectory, const std::string& programFile,
                         const std::string& extension) {
    const size_t slash = programFile.find_last_of("\\:");
    const std::string name = slash == std::string::npos ? programFile : programFile.substr(slash + 1);
    std::string path = windowsDirectory + "\\" + name;
    const size_t mark = path.find_last_of(".:\\");
    if (mark != std::string::npos && path[mark] == '.') path.erase(mark);
    return path + extension;
}

std::string ApplicationTitle(const std::string& programFile) {
    const size_t slash = programFile.find_last_of("\\:/");
    std::string name = slash == std::string::npos ? programFile : programFile.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    for (size_t i = 1; i < name.size(); ++i)
        if (name[i] >= 'A' && name[i] <= 'Z') name[i] = static_cast<char>(name[i] - 'A' + 'a');
    return name;
}

PatternInput ReadPatternInput(Profile& p, const std::string& path) {
    int32_t v[kSettingCount];
    for (int id = kDelay; id <= kContinue; ++id)
        v[id] = ReadInteger(p, path, kSettingsSection, kSettingKeys[id].Name, kSettingKeys[id].Default);

    if (GeometryChecksum(v[kLinZahl], v[kEckenZahl], v[kLinLaenge], v[kSpinit], v[kErase], v[kAutoLength]) !=
        v[kIndikator]) {
        for (int id = kDelay; id <= kAutoLength; ++id) v[id] = *kSettingKeys[id].Fallback;
    }
    if (v[kDelay] < 0) v[kDelay] = 0;
    if (v[kMsDelay] < 0) v[kMsDelay] = 0;
    if (v[kMsDelay] > 0) v[kDelay] = 0;
    if (v[kEckenZahl] < 1) v[kEckenZahl] = 7;
    // Only a hand-edited file goes beyond the dialog's 1000; the drawing step
    // stays short and exact up to this count.
    if (v[kEckenZahl] > kMostCorners) v[kEckenZahl] = kMostCorners;
    if (v[kLinZahl] > 800) v[kLinZahl] = 800;

    PatternInput in;
    in.Delay = v[kDelay], in.msDelay = v[kMsDelay], in.LinZahl = v[kLinZahl], in.EckenZahl = v[kEckenZahl];
    in.LinLaenge = v[kLinLaenge], in.Spinit = v[kSpinit], in.Erase = v[kErase], in.AutoLength = v[kAutoLength];
    in.Zoom = v[kZoom], in.continueat = v[kContinueAt], in.continue_ = v[kContinue];
    return in;
}

PatternSettings ReadIniSet(Profile& p, const std::string& path, uint32_t seed) {
    return DerivePattern(ReadPatternInput(p, path), seed);
}

std::string WriteErrorMessage(const std::string& path) { return "Kann nicht nach " + path + " schreiben"; }

std::optional<std::string> WriteIniSet(Profile& p, const std::string& path, const DialogValues& v) {
    struct Entry { const char* section; const char* key; std::string value; };
    const Entry order[] = {
        {kSettingsSection, kSettingKeys[kBoxIndex].Name, std::to_string(v.BoxIndex)},
        {kSettingsSection, kSettingKeys[kDelay].Name, std::to_string(v.Delay)},
        {kSettingsSection, kSettingKeys[kMsDelay].Name, std::to_string(v.msDelay)},
        {kSettingsSection, kSettingKeys[kLinZahl].Name, std::to_string(v.LinZahl)},
        {kSettingsSection, kSettingKeys[kEckenZahl].Name, std::to_string(v.EckenZahl)},
        {kSettingsSection, kSettingKeys[kLinLaenge].Name, std::to_string(v.LinLaenge)},
        {kSettingsSection, kSettingKeys[kSpinit].Name, std::to_string(v.Spinit)},
        {kSettingsSection, kSettingKeys[kErase].Name, std::to_string(v.Erase)},
        {kSettingsSection, kSettingKeys[kAutoLength].Name, std::to_string(v.AutoLength)},
        {kSettingsSection, kSettingKeys[kZoom].Name, std::to_string(v.Zoom)},
        {kSettingsSection, kSettingKeys[kContinueAt].Name, std::to_string(v.continueat)},
        {kSettingsSection, kSettingKeys[kContinue].Name, v.Continue ? "1" : "0"},
        {kRegistrationSection, kVersionKey, kVersionWritten},
        {kSettingsSection, kSettingKeys[kIndikator].Name,
         std::to_string(GeometryChecksum(v.LinZahl, v.EckenZahl, v.LinLaenge, v.Spinit, v.Erase, v.AutoLength))},
    };
    for (const Entry& e : order)
        if (!p.WriteString(path, e.section, e.key, e.value)) return WriteErrorMessage(path);
    return std::nullopt;
}

#ifdef _WIN32
std::string WindowsDirectory() {
    // The directory is read into a buffer that holds it, however long it is.
    std::string dir(MAX_PATH, '\0');
    UINT n = GetWindowsDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    if (n >= dir.size()) {
        dir.resize(n + 1);
        n = GetWindowsDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    }
    dir.resize(n < dir.size() ? n : 0);
    return dir;
}

std::string ProgramFilePath() {
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
#endif

}  // namespace vireska
