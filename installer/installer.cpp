// The installer: asks once, copies vireska.scr from its own folder into the
// system directory as vireska.scr and vireska.exe, and hands the installed
// file to the display control panel's screen-saver installation. It shows one
// message box, looks at no result and always exits with code 0.
// The 32-bit installer started on 64-bit Windows copies nothing: its copies
// would land in the 32-bit system directory, where the display settings do
// not look; its one message box sends the user to the 64-bit package.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr char kQuestion[] = "This will install Vireska Screen Saver 3.3 with Murmura(TM) technology. Continue ?";
constexpr char kCaption[] = "Hi - Orvanta is presenting you Vireska";
constexpr char kUse64BitPackage[] =
    "This is the 32-bit package of Vireska Screen Saver 3.3, and this Windows is 64-bit: its display settings "
    "list only 64-bit screen savers. Please install the 64-bit package (vireska-3.3.0-win64.zip) instead.";

// True for a 32-bit program on 64-bit Windows.
bool Under64BitWindows() {
#ifdef _WIN64
    return false;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

// The system directory without a trailing backslash, however long it is.
std::string SystemDirectory() {
    std::string dir(MAX_PATH, '\0');
    UINT n = GetSystemDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    if (n >= dir.size()) {  // too small: n is the size that holds it
        dir.resize(n);
        n = GetSystemDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    }
    dir.resize(n < dir.size() ? n : 0);
    return dir;
}

// The installer's own program file, however long its path is.
std::string OwnProgramFile() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The folder of a path: everything up to and including the last "\" or ":".
std::string FolderOf(const std::string& path) {
    const size_t mark = path.find_last_of("\\:");
    return mark == std::string::npos ? std::string() : path.substr(0, mark + 1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (Under64BitWindows()) {
        MessageBoxA(nullptr, kUse64BitPackage, kCaption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (MessageBoxA(nullptr, kQuestion, kCaption, MB_YESNOCANCEL | MB_ICONINFORMATION) != IDYES) return 0;
    const std::string system = SystemDirectory();
    const std::string source = FolderOf(OwnProgramFile()) + "vireska.scr";
    CopyFileA(source.c_str(), (system + "\\vireska.scr").c_str(), FALSE);
    CopyFileA(source.c_str(), (system + "\\vireska.exe").c_str(), FALSE);
    ShellExecuteA(nullptr, nullptr, "rundll32.exe", "desk.cpl,InstallScreenSaver vireska.scr", system.c_str(), SW_SHOW);
    return 0;
}
