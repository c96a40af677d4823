// A stand-in for the Windows 95 family's PASSWORD.CPL, put into the system
// directory by the test. "VerifyScreenSavePwd" answers what the test stored
// under HKCU\Software\VireskaTest ("Answer"), counts its calls ("Calls") and
// records the pointer's display count at each call ("Cursor<n>").
#include <windows.h>

namespace {

constexpr char kKey[] = "Software\\VireskaTest";

DWORD ReadValue(HKEY key, const char* name) {
    DWORD value = 0, size = sizeof(value), type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

void WriteValue(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
    // The display count at the call: ShowCursor returns the count after its change.
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD calls = ReadValue(key, "Calls") + 1;
    WriteValue(key, "Calls", calls);
    char name[32];
    wsprintfA(name, "Cursor%lu", calls);
    WriteValue(key, name, static_cast<DWORD>(count));
    const BOOL answer = ReadValue(key, "Answer") != 0;
    RegCloseKey(key);
    return answer;
}
