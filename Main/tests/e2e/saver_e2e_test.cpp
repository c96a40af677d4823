// The saver program end to end: started as a separate process, observed only
// through windows, the settings file, screen pixels, posted input and exit codes.
// Usage: saver_e2e_tests VIRESKA.SCR VIRESKA-RENDER.EXE PASSWORD.CPL RECORD-START.EXE [gtest flags]
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "saver_harness.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace vireska::e2e {
namespace {

std::string RenderTool, PasswordLibrary;

constexpr char kSaverClass[] = "TSForm";
constexpr char kSaverTitle[] = "VireskaSForm";
constexpr char kHostClass[] = "ClVireskaPreview";
constexpr char kHostTitle[] = "WndVireskaSaver";

// Every test starts without a saver window and with a settings file of its choice.
class SaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoWindow(kSaverClass, kSaverTitle, 10000)) << "a saver of an earlier test still runs";
        RemoveSettingsFile();
        RemoveUserCopy();
    }
    void TearDown() override {
        for (HWND w : TopLevelWindows(kSaverClass, kSaverTitle)) PostMessageA(w, WM_CLOSE, 0, 0);
        WaitForNoWindow(kSaverClass, kSaverTitle, 10000);
        RemoveSettingsFile();
        RemoveUserCopy();
    }
};

TEST_F(SaverTest, RolesThatHaveNothingToDoEndAtOnceWithCodeZero) {
    for (const char* args : {"/p notanumber", "/a notanumber", "-r", "/a 1234", "/p 0"}) {
        SaverProcess p(args);
        ASSERT_TRUE(p.Started());
        EXPECT_EQ(p.WaitExit(15000), std::optional<DWORD>(0)) << args;
        EXPECT_EQ(FindWindowA(kHostClass, kHostTitle), nullptr) << args;
    }
    EXPECT_EQ(ReadSettingsFile(), "") << "no role writes the settings file on its own";
}

TEST_F(SaverTest, FullScreenWindowCoversThePrimaryScreenAndIsOwnedByAHiddenWindow) {
    SaverProcess saver("/s");
    HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
    ASSERT_NE(w, nullptr);
    const LONG style = GetWindowLongA(w, GWL_STYLE), ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    RECT rc;
    GetWindowRect(w, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.bottom, GetSystemMetrics(SM_CYSCREEN));
    HWND owner = GetWindow(w, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner)) << "the application window stays hidden: no taskbar button";
    PumpFor(1500);
    EXPECT_GT(CaptureScreen().NonBlack(), 1000u) << "the rosette is drawn";
}

TEST_F(SaverTest, AnyStartWhileASaverRunsEndsAtOnce) {
    SaverProcess saver("/s");
    ASSERT_NE(WaitForWindow(kSaverClass, kSaverTitle, 15000), nullptr);
    TestWindow parent("PreviewParent", "preview", nullptr, WS_POPUP | WS_VISIBLE, 160, 120);
    const std::string preview = "/p " + std::to_string(reinterpret_cast<intptr_t>(parent.Hwnd));
    for (const std::string& args : {std::string(), std::string("/c"), std::string("/s"), preview}) {
        SaverProcess second(args);
        EXPECT_EQ(second.WaitExit(15000), std::optional<DWORD>(0)) << "[" << args << "]";
    }
    EXPECT_EQ(TopLevelWindows(kSaverClass, kSaverTitle).size(), 1u);
    EXPECT_EQ(FindWindowExA(parent.Hwnd, nullptr, kHostClass, kHostTitle), nullptr);
}

// Two starts at once leave one saver window; the later process may bring the
// earlier one's application window to the foreground, and the saver that is
// left must still take a real key press (the keyboard goes where the focus is).
TEST_F(SaverTest, TwoFullScreenStartsAtOnceLeaveOneSaverThatARealKeyEnds) {
    for (int round = 0; round < 8; ++round) {
        WriteSettingsFile(SettingsText(20, 1, 5000));
        auto a = std::make_unique<SaverProcess>("/s");
        auto b = std::make_unique<SaverProcess>("/s");
        ASSERT_NE(WaitForWindow(kSaverClass, kSaverTitle, 15000), nullptr);
        // One of the two ends by itself; the other keeps its window.
        const DWORD start = GetTickCount();
        std::optional<DWORD> ended;
        while (!ended && GetTickCount() - start < 15000) {
            ended = a->WaitExit(50);
            if (ended) std::swap(a, b);
            else ended = b->WaitExit(50);
        }
        EXPECT_EQ(ended, std::optional<DWORD>(0)) << "round " << round;
        PumpFor(500);
        EXPECT_EQ(TopLevelWindows(kSaverClass, kSaverTitle).size(), 1u) << "round " << round;
        PressKeys({'A'});
        EXPECT_EQ(a->WaitExit(10000), std::optional<DWORD>(0)) << "round " << round << ": the key ends the saver";
        const auto stored = SettingsValue("continueat");
        ASSERT_TRUE(stored) << "round " << round;
        EXPECT_GT(std::stol(*stored), 5000) << "round " << round;
        for (HWND w : TopLevelWindows(kSaverClass, kSaverTitle)) PostMessageA(w, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForNoWindow(kSaverClass, kSaverTitle, 10000));
    }
}

// Waits until a clock second has just begun, so that a few posted events fall in one second.
void StartOfASecond() {
    SYSTEMTIME t;
    do {
        Sleep(2);
        GetLocalTime(&t);
    } while (t.wMilliseconds > 100);
}

// Keys are typed for real (they go where the keyboard focus is); pointer
// events are posted, so that each counts once (Wine reports a real move twice).
struct CloseCase {
    const char* name;
    std::vector<WORD> keys;
    std::vector<UINT> messages;
    WPARAM wparam;
    bool closes;
};

TEST_F(SaverTest, KeysButtonsAndTheFourthPointerEventInASecondCloseAndStoreThePosition) {
    const CloseCase cases[] = {
        {"a key", {'A'}, {}, 0, true},
        {"F10", {VK_F10}, {}, 0, true},
        {"Alt", {VK_MENU}, {}, 0, true},
        {"Alt+F4", {VK_MENU, VK_F4}, {}, 0, true},
        {"right button", {}, {WM_RBUTTONDOWN}, MK_RBUTTON, true},
        {"four moves", {}, {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE}, 0, true},
        {"three moves and a release", {}, {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE}, 0, true},
        {"three moves", {}, {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE}, 0, false},
    };
    for (const CloseCase& c : cases) {
        TestWindow caller("CallerWindow", c.name, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
        SetForegroundWindow(caller.Hwnd);
        PumpFor(100);
        WriteSettingsFile(SettingsText(20, 1, 5000));
        SaverProcess saver("/s");
        HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
        ASSERT_NE(w, nullptr) << c.name;
        PumpFor(1200);  // the pointer event of the first showing lies in an earlier second
        StartOfASecond();
        if (!c.keys.empty()) PressKeys(c.keys);
        for (UINT m : c.messages) PostMessageA(w, m, c.wparam, MAKELPARAM(10, 10));
        const std::optional<DWORD> exit = saver.WaitExit(c.closes ? 10000 : 700);
        if (!c.closes) {
            EXPECT_EQ(exit, std::nullopt) << c.name << " must not close the saver";
            EXPECT_NE(FindWindowA(kSaverClass, kSaverTitle), nullptr) << c.name;
            continue;  // TearDown-like close below
        }
        EXPECT_EQ(exit, std::optional<DWORD>(0)) << c.name;
        const auto stored = SettingsValue("continueat");
        ASSERT_TRUE(stored) << c.name;
        EXPECT_GT(std::stol(*stored), 5000) << c.name << ": the position of the last step drawn";
        EXPECT_EQ(SettingsValue("LinZahl"), std::optional<std::string>("200")) << "only continueat is written";
        PumpFor(200);
        EXPECT_EQ(GetForegroundWindow(), caller.Hwnd) << c.name << ": the caller gets the foreground back";
    }
}

// Whatever a hand-edited file holds (with a matching checksum), each step
// stays short enough that the saver takes a real key and stores its position.
TEST_F(SaverTest, HandEditedGeometryOfAnySizeStillEndsOnAKey) {
    struct Case { const char* name; int32_t msDelay, corners, length, zoom; } cases[] = {
        {"thirty million corners", 5, 30000000, 25, 15},
        {"the most corners drawn, no pause", 0, 1900, 25, 15},
        {"lines and zoom far beyond the screen, no pause", 0, 1000, 2000000000, 2000000000},
    };
    for (const auto& c : cases) {
        WriteSettingsFile(SettingsText(c.msDelay, 1, 5000, 200, c.corners, c.length, c.zoom));
        SaverProcess saver("/s");
        ASSERT_NE(WaitForWindow(kSaverClass, kSaverTitle, 15000), nullptr) << c.name;
        PumpFor(1500);
        PressKeys({'A'});
        EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0)) << c.name << ": the key ends the saver";
        const auto stored = SettingsValue("continueat");
        ASSERT_TRUE(stored) << c.name;
        EXPECT_GT(std::stol(*stored), 5000) << c.name << ": it drew and stored its position";
    }
}

TEST_F(SaverTest, ClosedFromOutsideItStoresNothing) {
    const std::string original = SettingsText(5, 1, 777);
    WriteSettingsFile(original);
    SaverProcess saver("/s");
    HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
    ASSERT_NE(w, nullptr);
    PumpFor(500);
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(), original);
}

// The PNG that vireska-render draws for the settings file and `steps` steps.
std::vector<uint32_t> Rendered(int steps, int w, int h) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string png = std::string(temp) + "vireska-e2e.png";
    DeleteFileA(png.c_str());
    const std::string args = "--ini \"" + SettingsFilePath() + "\" --size " + std::to_string(w) + "x" +
                             std::to_string(h) + " --steps " + std::to_string(steps) + " --png \"" + png + "\"";
    SaverProcess render(args, RenderTool);
    if (render.WaitExit(60000) != std::optional<DWORD>(0)) return {};
    int pw, ph, n;
    unsigned char* data = stbi_load(png.c_str(), &pw, &ph, &n, 3);
    std::vector<uint32_t> pixels;
    if (data && pw == w && ph == h) {
        pixels.resize(static_cast<size_t>(w) * h);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = RGB(data[3 * i], data[3 * i + 1], data[3 * i + 2]);
    }
    stbi_image_free(data);
    DeleteFileA(png.c_str());
    return pixels;
}

// Whether `shot` equals the render tool's picture for the settings file
// `file` (which resumes after step 4200) after one of the last steps up to `drawn`.
bool ShowsWhatTheRenderToolDraws(const Screen& shot, const std::string& file, int drawn) {
    // The render tool reads the same file (the saver changed only continueat,
    // and "continue" makes it start from there: put the start back).
    WriteSettingsFile(file);
    for (int k = drawn; k >= 1 && k >= drawn - 3; --k) {
        const auto picture = Rendered(k, shot.Width, shot.Height);
        EXPECT_FALSE(picture.empty()) << "the render tool failed";
        if (picture == shot.Pixels) return true;
    }
    return false;
}

// The steps drawn after step 4200, from the position the saver stored.
int StepsDrawnAfter4200() {
    const auto stored = SettingsValue("continueat");
    return stored ? std::stoi(*stored) - 4200 : -1;
}

// A settings file as another program wrote it (90 lines, 9 corners, length
// 33, a step every 200 ms, resuming after step 4200): the saver draws exactly
// what the render tool draws for that file, so neither fell back to defaults
// (the render tool's own test checks the values it reads).
TEST_F(SaverTest, AResumedRunShowsExactlyWhatTheRenderToolDraws) {
    const std::string before = ReadFixture("vireska-other-program.ini");
    ASSERT_FALSE(before.empty());
    WriteSettingsFile(before);
    SaverProcess saver("/s");
    HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
    ASSERT_NE(w, nullptr);
    PumpFor(3000);
    const Screen shot = CaptureScreen();
    PostMessageA(w, WM_KEYDOWN, 'X', 0);
    ASSERT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0));
    const int drawn = StepsDrawnAfter4200();
    ASSERT_GE(drawn, 4);
    ASSERT_GT(shot.NonBlack(), 100u);
    EXPECT_TRUE(ShowsWhatTheRenderToolDraws(shot, before, drawn))
        << "the screen equals none of the render tool's pictures for the last steps up to " << drawn;
}

// The number of monitors of the desk that the test command set up for this
// run (--monitors=N); the monitor tests run only there.
int ExpectedMonitors = 1;

BOOL CALLBACK AddOtherMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM rects) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
        reinterpret_cast<std::vector<RECT>*>(rects)->push_back(info.rcMonitor);
    return TRUE;
}

std::vector<RECT> OtherMonitors() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddOtherMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The visible top-level windows of process `pid` but `except`.
struct WindowSearch {
    DWORD Pid;
    HWND Except;
    std::vector<HWND> Found;
};

BOOL CALLBACK AddVisibleWindowOf(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<WindowSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == search->Pid && w != search->Except && IsWindowVisible(w)) search->Found.push_back(w);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid, HWND except) {
    WindowSearch search{pid, except, {}};
    EnumWindows(AddVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Every other monitor is covered by one black, topmost, owned window of the
// saver's process (no taskbar button), which is on top there; nothing of the
// user's windows shows.
void ExpectCovered(const SaverProcess& saver, HWND saverWindow, const std::vector<RECT>& others, const char* when) {
    const std::vector<HWND> covers = VisibleWindowsOf(saver.Id(), saverWindow);
    EXPECT_EQ(covers.size(), others.size()) << when << ": one cover for each other monitor";
    for (const RECT& m : others) {
        size_t covering = 0;
        for (HWND c : covers) {
            RECT r;
            GetWindowRect(c, &r);
            if (!SameRect(r, m)) continue;
            ++covering;
            EXPECT_TRUE(GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_TOPMOST) << when;
            EXPECT_NE(GetWindow(c, GW_OWNER), nullptr) << when << ": owned, so without a taskbar button";
        }
        EXPECT_EQ(covering, 1u) << when << ": the monitor at " << m.left << "," << m.top;
        DWORD onTop = 0;
        GetWindowThreadProcessId(WindowFromPoint(POINT{(m.left + m.right) / 2, (m.top + m.bottom) / 2}), &onTop);
        EXPECT_EQ(onTop, saver.Id()) << when << ": the saver's window is on top there";
        EXPECT_EQ(CaptureArea(m).NonBlack(), 0u) << when << ": the monitor at " << m.left << "," << m.top << " shows something";
    }
}

// Real pointer moves, `dx` pixels each, from where the pointer is.
void MovePointer(int times, int dx) {
    for (int i = 0; i < times; ++i) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = dx;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof in);
        PumpFor(20);
    }
}

using MonitorTest = SaverTest;

// With several monitors the saver draws on the primary one as it always did
// and covers every other one; the pointer there counts as over the saver.
TEST_F(MonitorTest, EveryOtherMonitorIsCoveredAndThePointerThereEndsTheSaver) {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), ExpectedMonitors) << "the desk the test command set up";
    const std::vector<RECT> others = OtherMonitors();
    ASSERT_EQ(others.size(), static_cast<size_t>(ExpectedMonitors - 1));
    ASSERT_FALSE(others.empty()) << "run with --monitors=N on a desk of N monitors";
    const std::string file = ReadFixture("vireska-other-program.ini");
    for (bool click : {false, true}) {
        const char* name = click ? "a click" : "pointer moves";
        // A window of the user's on every other monitor.
        std::vector<std::unique_ptr<TestWindow>> windows;
        for (const RECT& m : others) {
            windows.push_back(std::make_unique<TestWindow>("UsersWindow", "a window of the user", nullptr,
                                                           WS_POPUP | WS_VISIBLE, 300, 200));
            SetWindowPos(windows.back()->Hwnd, HWND_TOP, m.left + 40, m.top + 40, 300, 200, SWP_SHOWWINDOW);
        }
        PumpFor(300);
        ASSERT_GT(CaptureArea(others.front()).NonBlack(), 50000u) << "the user's window shows before the saver starts";
        WriteSettingsFile(file);
        SaverProcess saver("/s");
        HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
        ASSERT_NE(w, nullptr) << name;
        RECT rc;
        GetWindowRect(w, &rc);
        EXPECT_TRUE(SameRect(rc, RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}))
            << "the saver window covers the primary monitor, as with one monitor";
        PumpFor(2500);
        ExpectCovered(saver, w, others, name);
        if (click) {
            // The monitors changed, as far as the saver can tell: it covers them again, once each.
            PostMessageA(w, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
            PumpFor(500);
            ExpectCovered(saver, w, others, "after a change of the monitors");
        }
        const RECT& last = others.back();
        SetCursorPos((last.left + last.right) / 2, (last.top + last.bottom) / 2);
        PumpFor(1200);  // the pointer's arrival lies in an earlier second
        StartOfASecond();
        const Screen shot = CaptureScreen();
        if (click)
            ClickAt((last.left + last.right) / 2, (last.top + last.bottom) / 2);
        else
            MovePointer(4, 3);
        EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0)) << name << " on the monitor at " << last.left << "," << last.top;
        const int drawn = StepsDrawnAfter4200();
        EXPECT_GE(drawn, 4) << name << ": the position is stored";
        if (!click) {
            EXPECT_TRUE(ShowsWhatTheRenderToolDraws(shot, file, drawn))
                << "the primary monitor equals none of the render tool's pictures for the last steps up to " << drawn;
        }
        EXPECT_TRUE(WaitForNoWindow(kSaverClass, kSaverTitle, 10000));
    }
}

// Of the pixels lit in `before` within rows [top, bottom): how many, and how many are black in `after`.
std::pair<size_t, size_t> LitThenBlack(const Screen& before, const Screen& after, int top, int bottom) {
    size_t lit = 0, gone = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < before.Width; ++x)
            if (before.At(x, y) != 0) {
                ++lit;
                gone += after.At(x, y) == 0;
            }
    return {lit, gone};
}

TEST_F(SaverTest, RepaintsLowerThan470PixelsAreClearedAtTheNextStep) {
    struct Case { int height; bool cleared; } cases[] = {{200, true}, {469, true}, {500, false}};
    for (const auto& c : cases) {
        WriteSettingsFile(SettingsText(700, 1, 5000));  // a step every 0.7 s
        SaverProcess saver("/s");
        HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
        ASSERT_NE(w, nullptr);
        PumpFor(4000);
        // A band of that height through the middle, where the rosette is.
        const int top = (GetSystemMetrics(SM_CYSCREEN) - c.height) / 2;
        const Screen before = CaptureScreen();
        // The band needs repainting, as when a window that covered it goes away.
        // (Wine restores an uncovered window from its own copy without asking it.)
        const RECT band{0, top, GetSystemMetrics(SM_CXSCREEN), top + c.height};
        InvalidateRect(w, &band, FALSE);
        PumpFor(1000);  // at least one step
        // Nothing is erased this early in the run, so lit pixels turn black only by the clear.
        const auto [lit, gone] = LitThenBlack(before, CaptureScreen(), top, top + c.height);
        ASSERT_GT(lit, 300u);
        if (c.cleared)
            EXPECT_GT(gone, lit / 2) << c.height << " rows: cleared at the next step";
        else
            EXPECT_LT(gone, lit / 20) << c.height << " rows: left as they were";
        for (HWND w : TopLevelWindows(kSaverClass, kSaverTitle)) PostMessageA(w, WM_CLOSE, 0, 0);
        ASSERT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0));
    }
}

TEST_F(SaverTest, PreviewLivesInsideItsParentUntilClosedOrTheParentGoes) {
    for (bool destroyParent : {false, true}) {
        auto parent = std::make_unique<TestWindow>("PreviewArea", "preview", nullptr, WS_POPUP | WS_VISIBLE, 152, 112);
        SetWindowPos(parent->Hwnd, HWND_TOPMOST, 100, 100, 152, 112, SWP_SHOWWINDOW);
        SaverProcess preview("/p " + std::to_string(reinterpret_cast<intptr_t>(parent->Hwnd)));
        HWND host = WaitForChild(parent->Hwnd);
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(host, GWL_STYLE)) & (WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_POPUP),
                  static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_DISABLED));
        RECT rc;
        GetWindowRect(host, &rc);
        EXPECT_EQ(rc.right - rc.left, 152);
        EXPECT_EQ(rc.bottom - rc.top, 112);
        // Drawing is not checked here: under Wine the drawing of a child window
        // that another process owns does not reach the screen.
        // A click over the preview reaches the parent, not the disabled host.
        SetCursorPos(176, 156);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        EXPECT_EQ(preview.WaitExit(800), std::nullopt) << "a click must not end the preview";
        if (destroyParent)
            parent.reset();
        else
            PostMessageA(host, WM_CLOSE, 0, 0);
        EXPECT_EQ(preview.WaitExit(10000), std::optional<DWORD>(0)) << (destroyParent ? "parent destroyed" : "WM_CLOSE");
    }
    EXPECT_EQ(ReadSettingsFile(), "");
}

// This test program itself, started as "--parent-window FILE", holds a
// window for a preview and writes its handle to FILE.
std::string ParentWindowArguments(const std::string& handleFile) { return "--parent-window \"" + handleFile + "\""; }

TEST_F(SaverTest, APreviewEndsWhenTheProcessOfItsParentDies) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string handleFile = std::string(temp) + "vireska-parent.txt";
    DeleteFileA(handleFile.c_str());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    auto owner = std::make_unique<SaverProcess>(ParentWindowArguments(handleFile), self);
    std::string handle;
    for (int i = 0; i < 200 && handle.empty(); ++i) {
        PumpFor(50);
        handle = ReadFileBytes(handleFile);
    }
    ASSERT_FALSE(handle.empty()) << "the parent's process made its window";
    HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(std::stoll(handle)));
    SaverProcess preview("/p " + handle);
    ASSERT_NE(WaitForChild(parent), nullptr);
    EXPECT_EQ(preview.WaitExit(500), std::nullopt);
    owner.reset();  // the parent's process is killed; its window goes with it
    EXPECT_EQ(preview.WaitExit(10000), std::optional<DWORD>(0)) << "the preview ends without its parent";
    DeleteFileA(handleFile.c_str());
}

TEST_F(SaverTest, WallpaperLivesInTheDesktopIconList) {
    TestDesktop desktop;
    SaverProcess wallpaper("-r");
    HWND host = WaitForChild(desktop.Icons);
    ASSERT_NE(host, nullptr) << "the host window is a child of the icon list";
    RECT rc;
    GetWindowRect(host, &rc);
    EXPECT_EQ(rc.right - rc.left, 400);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    EXPECT_EQ(wallpaper.WaitExit(1000), std::nullopt);
    SendMessageA(host, WM_CLOSE, 0, 0);
    EXPECT_EQ(wallpaper.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(), "");
}

// Run by protected_settings.sh with the settings file in the Windows
// directory refusing writes (chattr +i), as for a standard user.
TEST_F(SaverTest, WindowsDirectoryRefusesSoTheResumePositionGoesToTheUserCopy) {
    const std::string before = ReadSettingsFile();
    ASSERT_FALSE(before.empty()) << "the script writes the file first";
    SaverProcess saver("/s");
    HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
    ASSERT_NE(w, nullptr);
    PumpFor(1200);
    PostMessageA(w, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(), before);
    const std::string copy = ReadUserCopy();
    const auto stored = SettingsValueIn(copy, "continueat");
    ASSERT_TRUE(stored) << "the user copy holds the position";
    EXPECT_GT(std::stol(*stored), 0);
    // The file as it was, with the position added at the end of its section.
    std::string expected = before;
    expected.insert(expected.find("[Registration]"), "continueat=" + *stored + "\r\n");
    EXPECT_EQ(copy, expected);
}

// The Windows 95 family's password check, with a test PASSWORD.CPL.
class PasswordTest : public SaverTest {
protected:
    void SetUp() override {
        SaverTest::SetUp();
        char dir[MAX_PATH];
        GetSystemDirectoryA(dir, sizeof dir);
        Installed = std::string(dir) + "\\PASSWORD.CPL";
        ASSERT_TRUE(CopyFileA(PasswordLibrary.c_str(), Installed.c_str(), FALSE)) << Installed;
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VireskaTest");
    }
    void TearDown() override {
        SaverTest::TearDown();
        DeleteFileA(Installed.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VireskaTest");
        SetFamily(false);
        SetUsePassword(std::nullopt);
    }
    static void SetDword(HKEY root, const char* path, const char* name, DWORD value) {
        HKEY key;
        RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }
    static DWORD GetDword(const char* name) {
        DWORD value = 0, size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\VireskaTest", name, RRF_RT_REG_DWORD, nullptr, &value, &size);
        return value;
    }
    // The Windows 95 family for the saver alone (Wine's per-program version).
    static void SetFamily(bool win98) {
        const char* key = "Software\\Wine\\AppDefaults\\vireska.scr";
        if (!win98) {
            RegDeleteKeyA(HKEY_CURRENT_USER, key);
            return;
        }
        HKEY k;
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
        RegCloseKey(k);
    }
    static void SetUsePassword(std::optional<DWORD> on) {
        if (on) {
            SetDword(HKEY_CURRENT_USER, "Control Panel\\desktop", "ScreenSaveUsePassword", *on);
        } else {
            HKEY k;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_ALL_ACCESS, &k) == ERROR_SUCCESS) {
                RegDeleteValueA(k, "ScreenSaveUsePassword");
                RegCloseKey(k);
            }
        }
    }
    std::string Installed;
};

TEST_F(PasswordTest, AWrongPasswordKeepsTheSaverAndARightOneClosesIt) {
    SetFamily(true);
    SetUsePassword(1);
    SetDword(HKEY_CURRENT_USER, "Software\\VireskaTest", "Answer", 0);
    SaverProcess saver("/s");
    HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
    ASSERT_NE(w, nullptr);
    PumpFor(500);
    PostMessageA(w, WM_KEYDOWN, 'A', 0);
    PumpFor(1000);
    EXPECT_EQ(GetDword("Calls"), 1u);
    EXPECT_EQ(saver.WaitExit(0), std::nullopt) << "a wrong password keeps the saver";
    const Screen a = CaptureScreen();
    PumpFor(500);
    EXPECT_NE(a.Pixels, CaptureScreen().Pixels) << "and it goes on drawing";
    SetDword(HKEY_CURRENT_USER, "Software\\VireskaTest", "Answer", 1);
    PostMessageA(w, WM_KEYDOWN, 'B', 0);
    EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0)) << "a right password closes it";
    EXPECT_EQ(GetDword("Calls"), 2u);
    // The pointer is shown while asking (count 0) and hidden again in between:
    // the second call finds the same count as the first.
    EXPECT_EQ(static_cast<int>(GetDword("Cursor1")), 0);
    EXPECT_EQ(static_cast<int>(GetDword("Cursor2")), 0);
    EXPECT_TRUE(SettingsValue("continueat"));
}

TEST_F(PasswordTest, NoPasswordInUseOrTheNtFamilyNeverAsk) {
    struct Case { const char* name; bool win98; std::optional<DWORD> use; } cases[] = {
        {"password off", true, 0}, {"no value", true, std::nullopt}, {"NT family", false, 1}};
    for (const auto& c : cases) {
        SetFamily(c.win98);
        SetUsePassword(c.use);
        SaverProcess saver("/s");
        HWND w = WaitForWindow(kSaverClass, kSaverTitle, 15000);
        ASSERT_NE(w, nullptr) << c.name;
        PumpFor(300);
        PostMessageA(w, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0)) << c.name;
        EXPECT_EQ(GetDword("Calls"), 0u) << c.name;
    }
}

}  // namespace

std::string RecordStartProgram;

// This program itself, started as "--record FILE": it writes its command line to FILE.
std::string RecorderCommand(const std::string& outFile) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    return "\"" + std::string(self) + "\" --record \"" + outFile + "\"";
}

}  // namespace vireska::e2e

// A window for a preview, in a process of its own, until the process is killed.
int HoldParentWindow(const char* handleFile) {
    vireska::e2e::TestWindow parent("PreviewParentOfAnotherProcess", "preview", nullptr, WS_POPUP | WS_VISIBLE, 152, 112);
    if (FILE* f = std::fopen(handleFile, "wb")) {
        std::fprintf(f, "%lld", static_cast<long long>(reinterpret_cast<intptr_t>(parent.Hwnd)));
        std::fclose(f);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--parent-window") return HoldParentWindow(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "--record") {
        if (FILE* f = std::fopen(argv[2], "wb")) {
            std::fputs(GetCommandLineA(), f);
            std::fclose(f);
        }
        return 0;
    }
    // Window positions and pixels as the screen has them, at any resolution.
    SetProcessDPIAware();
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s VIRESKA.SCR VIRESKA-RENDER.EXE PASSWORD.CPL RECORD-START.EXE [--monitors=N]\n",
                     argv[0]);
        return 2;
    }
    if (argc >= 6 && std::string(argv[5]).rfind("--monitors=", 0) == 0)
        vireska::e2e::ExpectedMonitors = std::atoi(argv[5] + 11);
    vireska::e2e::SetSaverPath(argv[1]);
    vireska::e2e::RenderTool = vireska::e2e::WindowsPath(argv[2]);
    vireska::e2e::PasswordLibrary = vireska::e2e::WindowsPath(argv[3]);
    vireska::e2e::RecordStartProgram = vireska::e2e::WindowsPath(argv[4]);
    return RUN_ALL_TESTS();
}
