// What the dialog's buttons do outside the dialog: start instances of the
// program, stop the wallpaper, open the mail and web links.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace vireska {

// The running program's path with its extension replaced by ".exe".
std::string ExecutableCopyPath(const std::string& programFile);
// Copies the program to its executable copy unless that exists, then starts
// the copy with `argument`.
void StartExecutableCopy(const std::string& programFile, const char* argument);
// Sends WM_CLOSE to every wallpaper host window in the desktop's icon list.
void TerminateWallpaper();

// The command stored for `key` under HKEY_CLASSES_ROOT with its first "%1"
// removed and `target` appended; an error message when the stored value is
// not text.
struct LinkCommand {
    std::string CommandLine;
    std::optional<std::string> Error;
};
LinkCommand BuildLinkCommand(const char* key, const std::string& target);
// "%1" removed once, the target appended directly.
std::string JoinLinkCommand(const std::string& stored, const std::string& target);

}  // namespace vireska
