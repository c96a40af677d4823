#include "dialog_actions.h"

#include <shellapi.h>

#include "desktop_windows.h"

namespace vireska {

namespace {
constexpr char kHostClass[] = "ClVireskaPreview";
constexpr char kHostTitle[] = "WndVireskaSaver";
}  // namespace

std::string ExecutableCopyPath(const std::string& programFile) {
    std::string path = programFile;
    const size_t mark = path.find_last_of(".:\\");
    if (mark != std::string::npos && path[mark] == '.') path.erase(mark);
    return path + ".exe";
}

void StartExecutableCopy(const std::string& programFile, const char* argument) {
    const std::string copy = ExecutableCopyPath(programFile);
    CopyFileA(programFile.c_str(), copy.c_str(), TRUE);  // an existing copy is never replaced
    ShellExecuteA(nullptr, nullptr, copy.c_str(), argument, nullptr, SW_SHOW);
}

// The wallpaper's host window is found by its class and title among the
// icon list's children, wherever it stands among them; other windows that
// happen to stand there are left alone.
void TerminateWallpaper() {
    HWND icons = DesktopIconList();
    if (!icons) return;
    HWND host = nullptr;
    while ((host = FindWindowExA(icons, host, kHostClass, kHostTitle)) != nullptr) SendMessageA(host, WM_CLOSE, 0, 0);
}

std::string JoinLinkCommand(const std::string& stored, const std::string& target) {
    std::string command = stored;
    const size_t mark = command.find("%1");
    if (mark != std::string::npos) command.erase(mark, 2);
    return command + target;
}

LinkCommand BuildLinkCommand(const char* key, const std::string& target) {
    LinkCommand result;
    std::string stored;
    HKEY k;
    // Read access is all the link needs, and all that a standard user gets
    // on the machine-wide keys.
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) == ERROR_SUCCESS) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(k, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                result.Error = "Ung\xfcltiger Datentyp f\xfcr ''";
            } else {
                std::string buffer(size + 1, '\0');
                DWORD got = size;
                if (RegQueryValueExA(k, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) ==
                    ERROR_SUCCESS)
                    stored.assign(buffer.c_str());  // up to the first NUL
            }
        }
        RegCloseKey(k);
    }
    if (!result.Error) result.CommandLine = JoinLinkCommand(stored, target);
    return result;
}

}  // namespace vireska
