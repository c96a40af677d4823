#include "saver_harness.h"

#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace vireska::e2e {

namespace {
std::string TheSaverPath;
}

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

void SetSaverPath(const std::string& path) { TheSaverPath = WindowsPath(path); }
const std::string& SaverPath() { return TheSaverPath; }

ProgramFolder::ProgramFolder() : Previous(TheSaverPath) {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    Path = std::string(temp) + "vireska-program-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
    CreateDirectoryA(Path.c_str(), nullptr);
    CopyFileA(Previous.c_str(), File("vireska.scr").c_str(), FALSE);
    TheSaverPath = File("vireska.scr");
}

ProgramFolder::~ProgramFolder() {
    TheSaverPath = Previous;
    // A program started from here may take a moment to let go of its file.
    for (int attempt = 0; attempt < 50; ++attempt) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(File("*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(File(found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        if (RemoveDirectoryA(Path.c_str())) return;
        Sleep(100);
    }
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

SaverProcess::SaverProcess(const std::string& arguments, const std::string& program) {
    const std::string exe = program.empty() ? TheSaverPath : program;
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        Process = pi.hProcess;
        ProcessId = pi.dwProcessId;
    }
}

SaverProcess::~SaverProcess() {
    if (!Process) return;
    if (WaitForSingleObject(Process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(Process, 99);
        WaitForSingleObject(Process, 5000);
    }
    CloseHandle(Process);
}

std::optional<DWORD> SaverProcess::WaitExit(DWORD ms) {
    if (!Process) return std::nullopt;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(Process, 10) == WAIT_TIMEOUT) {
        PumpFor(0);
        if (GetTickCount() - start > ms) return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(Process, &code);
    return code;
}

HWND WaitForWindow(const char* cls, const char* title, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        if (HWND w = FindWindowA(cls, title)) return w;
        PumpFor(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

bool WaitForNoWindow(const char* cls, const char* title, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        if (!FindWindowA(cls, title)) return true;
        PumpFor(20);
    } while (GetTickCount() - start < ms);
    return false;
}

std::vector<HWND> TopLevelWindows(const char* cls, const char* title) {
    std::vector<HWND> found;
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, cls, title)) != nullptr) found.push_back(w);
    return found;
}

std::string SettingsFilePath() {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, sizeof(dir));
    return std::string(dir) + "\\vireska.ini";
}

void RemoveSettingsFile() { DeleteFileA(SettingsFilePath().c_str()); }

void WriteSettingsFile(const std::string& content) {
    std::ofstream out(SettingsFilePath(), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string ReadSettingsFile() { return ReadFileBytes(SettingsFilePath()); }

std::string UserCopyFilePath() {
    char local[MAX_PATH] = {}, windows[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(local) + "\\VirtualStore" + (windows + 2) + "\\vireska.ini";
}

void RemoveUserCopy() { DeleteFileA(UserCopyFilePath().c_str()); }

void WriteUserCopy(const std::string& content) {
    const std::string path = UserCopyFilePath();
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

std::string ReadUserCopy() { return ReadFileBytes(UserCopyFilePath()); }

std::optional<std::string> SettingsValue(const std::string& key) { return SettingsValueIn(ReadSettingsFile(), key); }

std::optional<std::string> SettingsValueIn(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inSection = _stricmp(line.c_str(), "[Vireska Settings]") == 0;
            continue;
        }
        const size_t eq = line.find('=');
        if (inSection && eq != std::string::npos && _stricmp(line.substr(0, eq).c_str(), key.c_str()) == 0)
            return line.substr(eq + 1);
    }
    return std::nullopt;
}

std::string ReadFixture(const std::string& name) {
    return ReadFileBytes(WindowsPath(VIRESKA_FIXTURES_DIR) + "\\" + name);
}

std::string SettingsText(int32_t msDelay, int32_t continueFlag, int32_t continueAt, int32_t lines, int32_t corners,
                         int32_t length, int32_t zoom) {
    // In 32-bit arithmetic that wraps, as the program computes it.
    const int32_t indikator = static_cast<int32_t>(
        (static_cast<uint32_t>(lines) - static_cast<uint32_t>(corners) - static_cast<uint32_t>(length) - 4u) * 17u);
    char text[512];
    std::snprintf(text, sizeof text,
                  "[Vireska Settings]\r\nDelay=0\r\nmsDelay=%d\r\nLinZahl=%d\r\nEckenZahl=%d\r\nLinL\xe4nge=%d\r\n"
                  "Spinit=2\r\nErase=1\r\nAutoLength=1\r\nZoom=%d\r\ncontinueat=%d\r\ncontinue=%d\r\nindikator=%d\r\n",
                  msDelay, lines, corners, length, zoom, continueAt, continueFlag, indikator);
    return text;
}

size_t Screen::NonBlack() const {
    size_t n = 0;
    for (uint32_t p : Pixels) n += p != 0;
    return n;
}

Screen CaptureScreen() {
    return CaptureArea(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

Screen CaptureArea(const RECT& area) {
    Screen s;
    s.Width = area.right - area.left;
    s.Height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = s.Width;
    bi.bmiHeader.biHeight = -s.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, s.Width, s.Height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    s.Pixels.resize(static_cast<size_t>(s.Width) * s.Height);
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < s.Pixels.size(); ++i) {
        const uint32_t v = src[i];  // blue in the low byte
        s.Pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return s;
}

TestWindow::TestWindow(const char* cls, const char* title, HWND parent, DWORD style, int w, int h) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    Hwnd = CreateWindowExA(0, cls, title, style, 0, 0, w, h, parent, nullptr, wc.hInstance, nullptr);
    PumpFor(50);
}

TestWindow::~TestWindow() {
    if (IsWindow(Hwnd)) DestroyWindow(Hwnd);
}

TestWindow& TestDesktop::Add(const char* cls, const char* title, HWND parent, int w, int h) {
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    Windows.push_back(std::make_unique<TestWindow>(cls, title, parent, style, w, h));
    return *Windows.back();
}

TestDesktop::TestDesktop(DesktopShape shape) {
    HWND progman = Add("Progman", "Program Manager", nullptr, 400, 300).Hwnd;
    HWND viewParent = progman;
    if (shape == DesktopShape::WorkerW) {
        Add("WorkerW", "", nullptr, 400, 300);  // the empty one the wallpaper would go behind
        viewParent = Add("WorkerW", "", nullptr, 400, 300).Hwnd;
    }
    HWND view = Add("SHELLDLL_DefView", "", viewParent, 400, 300).Hwnd;
    if (shape == DesktopShape::ProgmanWithWorkerW) Add("WorkerW", "", progman, 400, 300);
    Icons = Add("TestIconList", "FolderView", view, 400, 300).Hwnd;
    Add("TestIconHeader", "", Icons, 400, 20);
}

std::vector<HWND> TestDesktop::All() const {
    std::vector<HWND> all;
    for (const auto& w : Windows) all.push_back(w->Hwnd);
    return all;
}

HWND WaitForChild(HWND parent) {
    for (int i = 0; i < 300; ++i) {
        PumpFor(50);
        HWND host = FindWindowExA(parent, nullptr, "ClVireskaPreview", "WndVireskaSaver");
        if (host && IsWindowVisible(host)) return host;
    }
    return nullptr;
}

std::string Text(HWND w) {
    char buf[1024] = {};
    SendMessageA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        inputs.push_back(in);
    }
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *k;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(50);
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    PumpFor(50);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpFor(50);
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms) Sleep(5);
    } while (GetTickCount() - start < ms);
}

}  // namespace vireska::e2e
