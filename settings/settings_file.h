// The settings file: one INI file in the Windows directory, named after the
// running program. Its keys, their defaults, fallbacks and ranges are in one
// table that the reader, the writer, the dialog and the tests share.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "pattern.h"
#include "profile.h"

namespace vireska {

constexpr char kSettingsSection[] = "Vireska Settings";
constexpr char kRegistrationSection[] = "Registration";
constexpr char kVersionKey[] = "Version";
constexpr int32_t kVersionDefault = 300;
constexpr char kVersionWritten[] = "330";

enum SettingId {
    kDelay, kMsDelay, kLinZahl, kEckenZahl, kLinLaenge, kSpinit, kErase, kAutoLength, kZoom,
    kIndikator, kContinueAt, kContinue, kBoxIndex, kSettingCount
};

struct SettingKey {
    const char* Name;           // the INI key, in Windows-1252
    int32_t Default;            // when missing or malformed
    std::optional<int32_t> Fallback;  // start-up value when the checksum fails
    int32_t Min, Max, Step;     // the dialog's range (Min == Max: no limits)
};

extern const SettingKey kSettingKeys[kSettingCount];

// The integer reading rule: a signed decimal, or hexadecimal after "$", "0x"
// or "0X" (eight digits fill 32 bits); anything else is no integer.
std::optional<int32_t> ParseIniInteger(const std::string& text);
int32_t ReadInteger(Profile& p, const std::string& path, const char* section, const char* key, int32_t def);
bool WriteInteger(Profile& p, const std::string& path, const char* section, const char* key, int32_t value);

// The checksum over the six geometry keys, in 32-bit arithmetic.
int32_t GeometryChecksum(int32_t lines, int32_t corners, int32_t length, int32_t spin, int32_t erase, int32_t autoLength);

// Windows directory, "\", the program's file name with its extension
// replaced by `extension` (".INI" for the start-up reader, ".ini" for the dialog).
std::string SettingsPath(const std::string& windowsDirectory, const std::string& programFile,
                         const std::string& extension);
// The program file's name without folder and extension, every letter after
// the first in lower case.
std::string ApplicationTitle(const std::string& programFile);

// The start-up reader: keys, checksum fallback and limits; then the derived
// drawing values and the start step (random from `seed` unless "continue").
PatternInput ReadPatternInput(Profile& p, const std::string& path);
PatternSettings ReadIniSet(Profile& p, const std::string& path, uint32_t seed);

// What the dialog holds, as plain values.
struct DialogValues {
    int32_t BoxIndex = 0;
    int32_t Delay = 0, msDelay = 0, LinZahl = 0, EckenZahl = 0, LinLaenge = 0, Spinit = 0, Erase = 0,
            AutoLength = 0, Zoom = 0, continueat = 0;
    bool Continue = false;
};

// Writes every key in the dialog's order. Stops at the first write that
// fails and returns its message ("Kann nicht nach <path> schreiben").
std::optional<std::string> WriteIniSet(Profile& p, const std::string& path, const DialogValues& v);
std::string WriteErrorMessage(const std::string& path);

#ifdef _WIN32
// The Windows directory and the running program's file.
std::string WindowsDirectory();
std::string ProgramFilePath();
#endif

}  // namespace vireska
