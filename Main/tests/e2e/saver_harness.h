// A small harness for end-to-end tests: starts the real saver as a separate
// process and observes it only through the platform: windows, the settings
// file, screen pixels, posted input and exit codes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vireska::e2e {

// Paths given on the test's command line (Unix paths become Z: paths).
std::string WindowsPath(const std::string& path);
void SetSaverPath(const std::string& path);
const std::string& SaverPath();

// A program folder of the test's own: a copy of the built saver as
// vireska.scr and nothing else, so that what "&Test" and "on Desktop" start
// beside it is exactly what the test put there. While it exists, processes
// start the copy. Removed, with whatever was added to it, at the end.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    std::string File(const std::string& name) const { return Path + "\\" + name; }

private:
    std::string Path, Previous;
};

// A file's bytes; empty when it does not exist.
std::string ReadFileBytes(const std::string& path);

class SaverProcess {
public:
    // Starts `program` (the saver by default) with the arguments after it.
    explicit SaverProcess(const std::string& arguments, const std::string& program = "");
    ~SaverProcess();  // ends the process if it still runs
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    bool Started() const { return Process != nullptr; }
    // The exit code, or nothing when the process is still running after `ms`.
    std::optional<DWORD> WaitExit(DWORD ms);
    DWORD Id() const { return ProcessId; }

private:
    HANDLE Process = nullptr;
    DWORD ProcessId = 0;
};

// Polls until `find` gives a window or `ms` pass.
HWND WaitForWindow(const char* cls, const char* title, DWORD ms);
// Polls until no such window exists.
bool WaitForNoWindow(const char* cls, const char* title, DWORD ms);
// Every top-level window of that class and title.
std::vector<HWND> TopLevelWindows(const char* cls, const char* title);

// The settings file of a saver named vireska.scr: vireska.ini in the Windows directory.
std::string SettingsFilePath();
void RemoveSettingsFile();
// Writes the whole file as given (CRLF line ends are the caller's).
void WriteSettingsFile(const std::string& content);
// The file's bytes; empty when it does not exist.
std::string ReadSettingsFile();
// The per-user copy of the settings file that the system keeps for a user
// who may not write the Windows directory: the local application data
// folder, "VirtualStore", the Windows directory without its drive, the name.
std::string UserCopyFilePath();
void RemoveUserCopy();
// Writes the copy, making its folders.
void WriteUserCopy(const std::string& content);
// Its bytes; empty when it does not exist.
std::string ReadUserCopy();

// The value of a key in "Vireska Settings" read from the file's text.
std::optional<std::string> SettingsValue(const std::string& key);
// The same, from the text of a settings file.
std::optional<std::string> SettingsValueIn(const std::string& text, const std::string& key);

// A settings file of the fixtures folder, byte for byte.
std::string ReadFixture(const std::string& name);

// A settings file text for the given geometry and timing, with a matching checksum.
std::string SettingsText(int32_t msDelay, int32_t continueFlag, int32_t continueAt, int32_t lines = 200,
                         int32_t corners = 7, int32_t length = 25, int32_t zoom = 15);

// The screen's pixels as COLORREF values, row by row.
struct Screen {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    size_t NonBlack() const;
};
// The primary screen.
Screen CaptureScreen();
// Any area of the virtual screen (all monitors), in screen coordinates.
Screen CaptureArea(const RECT& area);

// A plain window of the test's own, with a class of that name.
class TestWindow {
public:
    TestWindow(const char* cls, const char* title, HWND parent, DWORD style, int w, int h);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Hwnd;
};

// The desktop window tree that the wallpaper lives in: a "SHELLDLL_DefView"
// holding the icon list, which holds a header as its first child.
enum class DesktopShape {
    Progman,             // the view inside "Progman"
    WorkerW,             // re-parented: the view inside a top-level "WorkerW", beside an empty one
    ProgmanWithWorkerW,  // "Progman" holding both the view and an empty "WorkerW"
};
class TestDesktop {
public:
    explicit TestDesktop(DesktopShape shape = DesktopShape::Progman);
    HWND Icons = nullptr;
    // Every window of the tree: none of them may be closed by the program.
    std::vector<HWND> All() const;

private:
    std::vector<std::unique_ptr<TestWindow>> Windows;
    TestWindow& Add(const char* cls, const char* title, HWND parent, int w, int h);
};

// The saver's host window ("ClVireskaPreview", "WndVireskaSaver") inside
// `parent`, once it is shown (it is made hidden and then shown).
HWND WaitForChild(HWND parent);

// A window's text, asked of the window itself (GetWindowText does not ask a
// control of another process).
std::string Text(HWND w);

// Real keyboard input, as a person types it: it goes to whichever window holds
// the keyboard focus. The keys are pressed in order and released in reverse.
void PressKeys(const std::vector<WORD>& keys);
// A real click of the left mouse button at (x, y) on the screen.
void ClickAt(int x, int y);

// Pumps this thread's messages for `ms`.
void PumpFor(DWORD ms);

}  // namespace vireska::e2e
