// The command line of the saver, read into the role it plays. Pure functions:
// the Win32 entry only acts on the record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vireska {

enum class RunMode : int32_t {
    Settings = 1,        // settings dialog, no owner
    SettingsOwned = 2,   // settings dialog owned by the window that had the foreground
    FullScreen = 3,      // full-screen saver
    Hosted = 4,          // drawing inside ParentWindow: preview or desktop wallpaper
    PasswordChange = 5,  // the platform's password change for ParentWindow
};

struct StartRole {
    RunMode Mode = RunMode::Settings;
    // The window handle given as the second argument (0 when none or unreadable).
    int32_t ParentWindow = 0;
    // The caller is the foreground window at start (SettingsOwned, FullScreen).
    bool TakesCaller = false;
    // ParentWindow is the desktop's icon list, to be looked up (the wallpaper).
    bool OnDesktop = false;
};

// The words of a command line after the program name: separated by blanks or
// control characters; double quotes group characters, blanks included, and
// are removed.
std::vector<std::string> SplitArguments(const std::string& commandLine);

// A window handle argument: decimal digits after optional blanks and sign, or
// "$" and hexadecimal digits; anything else, or a value beyond 32 bits, is 0.
int32_t HandleArgument(const std::string& text);

// The role for the arguments after the program name.
StartRole ReadRole(const std::vector<std::string>& args);

}  // namespace vireska
