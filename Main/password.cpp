#include "password.h"

#include <string>

namespace vireska {

namespace {

bool IsWindows95Family() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);  // 148
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    if (!GetVersionExA(&info)) return false;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

// The library's full path in the system directory.
std::string SystemLibrary(const char* name) {
    char dir[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryA(dir, sizeof(dir));
    std::string path = (n > 0 && n < sizeof(dir)) ? std::string(dir, n) : std::string();
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path + name;
}

// "ScreenSaveUsePassword" under HKEY_CURRENT_USER\Control Panel\desktop as a
// 32-bit integer; a missing key or value, or another type, counts as 0.
bool PasswordInUse() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, value = 0, size = sizeof(value);
    const LONG rc = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) && value != 0;
}

}  // namespace

bool VerifyPassword(HWND saverWindow) {
    if (!IsWindows95Family() || !PasswordInUse()) return true;
    ShowCursor(TRUE);
    bool mayClose = true;
    if (HMODULE lib = LoadLibraryA(SystemLibrary("PASSWORD.CPL").c_str())) {
        using VerifyFn = BOOL(WINAPI*)(HWND);
        if (auto verify = reinterpret_cast<VerifyFn>(reinterpret_cast<void*>(GetProcAddress(lib, "VerifyScreenSavePwd"))))
            mayClose = verify(saverWindow) != FALSE;
        FreeLibrary(lib);
    }
    ShowCursor(FALSE);
    return mayClose;
}

void ChangePassword(HWND parent) {
    if (!IsWindows95Family()) return;
    HMODULE lib = LoadLibraryA(SystemLibrary("MPR.DLL").c_str());
    if (!lib) return;
    using ChangeFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    if (auto change = reinterpret_cast<ChangeFn>(reinterpret_cast<void*>(GetProcAddress(lib, "PwdChangePasswordA"))))
        change("SCRSAVE", parent, 0, nullptr);
    FreeLibrary(lib);
}

}  // namespace vireska
