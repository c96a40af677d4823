// The saver's entry: the command line decides the role; the settings are read
// in every role; while a full-screen saver of this program runs, no start of
// any kind does anything; the process always ends with exit code 0.
#include <windows.h>

#include <string>

#include "application_window.h"
#include "command_line.h"
#include "config_dialog.h"
#include "desktop_windows.h"
#include "host_window.h"
#include "numeric.h"
#include "password.h"
#include "pattern.h"
#include "saver_window.h"
#include "settings_file.h"
#include "win32_profile.h"

namespace vireska {

namespace {

constexpr char kSaverTitle[] = "VireskaSForm";
constexpr char kSaverClass[] = "TSForm";
constexpr char kInstanceMutex[] = "SingleInstanceVireskascrMutex";

// The drawing parameters and drawing state of this process: filled once at
// start-up and never read from the file again. It lives as long as the
// process, so no window or thread outlives it.
PatternSettings ThePatternSettings;

HWND ToWindow(int32_t handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Only one full-screen saver: the mutex covers the look-up and the creation of
// the window, so a second start that got past the title check finds it.
void RunFullScreen(HWND appWindow, HWND callerWindow, PatternSettings& settings, const std::string& iniPath) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kInstanceMutex);
    const DWORD wait = mutex ? WaitForSingleObject(mutex, 10000) : WAIT_FAILED;
    auto release = [&] {
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ReleaseMutex(mutex);
        if (mutex) CloseHandle(mutex);
    };
    if (wait == WAIT_TIMEOUT) {
        release();
        return;
    }
    if (HWND other = FindWindowA(kSaverClass, kSaverTitle)) {
        if (HWND otherApp = GetWindow(other, GW_OWNER)) {
            SetForegroundWindow(otherApp);
            release();
            return;
        }
    }
    HWND saver = CreateSaverWindow(appWindow, settings, [iniPath](int32_t step) {
        SettingsFileLock lock;
        SettingsProfile profile;
        WriteInteger(profile, iniPath, "Vireska Settings", "continueat", step);
    });
    release();
    if (!saver) return;
    SetMainForm(appWindow, saver);
    ShowWindow(saver, SW_SHOW);
    RunMessageLoop();
    if (callerWindow) SetForegroundWindow(callerWindow);
}

}  // namespace

int Run() {
    const StartRole role = ReadRole(SplitArguments(GetCommandLineA()));
    HWND callerWindow = role.TakesCaller ? GetForegroundWindow() : nullptr;
    HWND parentWindow = role.OnDesktop ? DesktopIconList() : ToWindow(role.ParentWindow);

    const std::string programFile = ProgramFilePath();
    const std::string iniPath = SettingsPath(WindowsDirectory(), programFile, ".INI");
    PatternSettings& settings = ThePatternSettings;
    {
        SettingsFileLock lock;
        SettingsProfile profile;
        settings = ReadIniSet(profile, iniPath, TimeOfDayMs());
    }

    if (FindWindowA(nullptr, kSaverTitle)) return 0;
    HWND appWindow = CreateApplicationWindow(ApplicationTitle(programFile));

    switch (role.Mode) {
    case RunMode::FullScreen:
        RunFullScreen(appWindow, callerWindow, settings, iniPath);
        break;
    case RunMode::Hosted:
        if (parentWindow) RunHostWindow(parentWindow, settings);
        break;
    case RunMode::PasswordChange:
        if (parentWindow) ChangePassword(parentWindow);
        break;
    case RunMode::Settings:
    case RunMode::SettingsOwned:
        RunSettingsDialog(appWindow, callerWindow);
        break;
    }
    return 0;
}

}  // namespace vireska

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vireska::UseExtendedPrecision();  // the steps run on this thread
    vireska::Run();
    return 0;
}
