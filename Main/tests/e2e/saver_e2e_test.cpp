// The saver program end to end: started as a separate process, observed only
// through windows, the settings file, screen pixels, posted input and exit codes.
// Usage: saver_e2e_tests VIRESKA.SCR VIRESKA-RENDER.EXE PASSWORD.CPL RECORD-START.EXE [gtest flags]
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
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
    const auto stored = SettingsValue("continueat");
    ASSERT_TRUE(stored);
    const int drawn = std::stoi(*stored) - 4200;
    ASSERT_GE(drawn, 4);
    ASSERT_GT(shot.NonBlack(), 100u);
    // The render tool reads the same file (the saver changed only continueat,
    // and "continue" makes it start from there: put the start back).
    WriteSettingsFile(before);
    bool matched = false;
    for (int k = drawn; k >= 1 && k >= drawn - 3 && !matched; --k) {
        const auto picture = Rendered(k, shot.Width, shot.Height);
        ASSERT_FALSE(picture.empty()) << "the render tool failed";
        matched = picture == shot.Pixels;
    }
    EXPECT_TRUE(matched) << "the screen equals none of the render tool's pictures for the last steps up to " << drawn;
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

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--record") {
        if (FILE* f = std::fopen(argv[2], "wb")) {
            std::fputs(GetCommandLineA(), f);
            std::fclose(f);
        }
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s VIRESKA.SCR VIRESKA-RENDER.EXE PASSWORD.CPL RECORD-START.EXE\n", argv[0]);
        return 2;
    }
    vireska::e2e::SetSaverPath(argv[1]);
    vireska::e2e::RenderTool = vireska::e2e::WindowsPath(argv[2]);
    vireska::e2e::PasswordLibrary = vireska::e2e::WindowsPath(argv[3]);
    vireska::e2e::RecordStartProgram = vireska::e2e::WindowsPath(argv[4]);
    return RUN_ALL_TESTS();
}
