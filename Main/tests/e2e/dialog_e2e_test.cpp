// The settings dialog end to end: the real program started without
// arguments or with /c, driven through its controls as a user would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "saver_harness.h"

namespace vireska::e2e {

std::string RecorderCommand(const std::string& outFile);  // saver_e2e_test.cpp
extern std::string RecordStartProgram;                    // saver_e2e_test.cpp

namespace {

constexpr char kDialogTitle[] = "Settings for Vireska - Screen Saver";
// Control ids of the dialog (its resource header).
constexpr int kSpinEdit1 = 1101, kComboBox1 = 1164, kEdit1 = 1167, kBtnAdd = 1168, kBtnDelete = 1163;
constexpr int kBtnSave = 1165, kBtnRestore = 1166;
constexpr int kButton1 = 1002, kButton2 = 1003, kNotebook = 1004, kHelpBtn = 1005, kBitBtn1 = 1160;
constexpr int kBtnEmail = 1201, kComboBox2 = 1202, kButton3 = 1203;

// Every dialog test runs the program from a folder of its own, without an
// executable copy beside it, and with no settings file.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveSettingsFile();
        RemoveUserCopy();
        Folder = std::make_unique<ProgramFolder>();
    }
    void TearDown() override {
        if (HWND d = FindWindowA(nullptr, kDialogTitle)) PostMessageA(d, WM_CLOSE, 0, 0);
        WaitForNoWindow(nullptr, kDialogTitle, 10000);
        Folder.reset();
        RemoveSettingsFile();
        RemoveUserCopy();
    }
    std::unique_ptr<ProgramFolder> Folder;
    // Waits (up to 10 s) until `ready` holds and the settings file has not
    // changed for 100 ms: a handler that writes many keys has finished.
    template <typename Ready>
    static bool WhenStill(Ready ready) {
        std::string last = "-";
        for (int i = 0; i < 100; ++i) {
            PumpFor(100);
            const std::string now = ReadSettingsFile();
            if (now == last && ready()) return true;
            last = now;
        }
        return false;
    }
    // The dialog, once its load has filled the fields and the list and the file is still.
    HWND Open(SaverProcess&) {
        HWND d = WaitForWindow(nullptr, kDialogTitle, 15000);
        if (!d) return nullptr;
        const bool loaded = WhenStill([&] {
            return !Text(Spin(d, 8)).empty() && SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCOUNT, 0, 0) > 0;
        });
        return loaded ? d : nullptr;
    }
    HWND Spin(HWND d, int k) { return GetDlgItem(d, kSpinEdit1 + k - 1); }
    void Click(HWND d, int id) {
        PostMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0);
        PumpFor(200);
        WhenStill([] { return true; });
    }
    void Pick(HWND d, int position) {
        HWND box = GetDlgItem(d, kComboBox1);
        SendMessageA(box, CB_SETCURSEL, position, 0);
        // Posted: the handler may open a message box, which a sent message would wait for.
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(kComboBox1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        PumpFor(300);
    }
};

// The control that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND d) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &info);
    return info.hwndFocus;
}

std::string FactoryPresetsText() {
    static const char* records[] = {
        "All in One,0,200,7,25,2,1,1,15,15,", "Wind Shield Wiper,0,200,1,250,1,1,1,15,15,",
        "Dance for Two,0,200,2,250,1,1,1,15,15,", "The Sun,0,200,15,100,2,1,0,15,15,",
        "Chakra,0,20,15,200,2,1,0,15,15,", "Big Gong,0,312,25,10,0,1,1,15,15,", "Trinity,0,312,3,30,0,1,0,15,15,",
        "Universe,0,312,12,20,1,1,1,15,15,", "Mikado,0,15,8,200,1,1,1,20,9,", "Quarks,0,312,1,2,1,1,0,5,15,",
        "Large smooth Colors,0,312,200,2000,0,0,0,25,15,", "Peace,0,200,15,100,0,1,0,15,15,",
        "3D-Chross,0,5,4,200,1,1,1,15,15,", "Aquarium,0,400,1,50,0,1,0,15,15,",
        "Short Insights into Eternity,0,312,100,2000,1,0,0,25,15,", "Micro-Cosmos,0,20,15,200,0,0,1,25,1,",
        "Alice in Wonderland,0,20,15,270,0,1,1,25,-1,", "I am falling,0,20,15,400,0,0,0,25,0,",
        "drunken,0,20,15,400,1,0,0,25,0,", "Laser-Show,0,1,15,400,1,1,0,5,0,", "Trilobit,0,312,3,120,2,1,0,15,5,",
        "Bizarre 5,0,312,5,120,2,1,1,15,3,", "Big Bang of a Black Hole,0,10,100,100,2,1,1,5,15,",
        "Cones between Mirrors,0,20,1,400,0,0,0,25,0,", "Eye Contact,0,20,2,400,0,0,0,25,1,",
        "Bended Time,0,20,1,400,0,0,0,25,1,", "Vinyl,0,312,399,0,1,1,1,5,15,", "Old Preset 1,0,200,7,25,0,1,0,15,15,",
        "Old Preset 2,0,200,15,100,0,1,0,15,15,", "Old Preset 3,0,20,15,200,0,1,0,25,15,",
        "Old Preset 4,0,200,5,200,0,1,0,15,15,", "Old Preset 5,0,312,25,10,0,1,0,15,15,",
        "Old Preset 6,0,312,3,30,0,1,0,15,15,", "Old Preset 7,0,312,12,20,0,1,0,15,15,",
        "Old Preset 8,0,312,8,4,0,1,0,15,15,", "Old Preset 9,0,400,1,50,0,1,0,15,15,",
        "Old Preset 10,0,312,2,600,0,1,0,15,15,"};
    std::string text = "[Presets]\r\n";
    for (int i = 0; i < 37; ++i) text += "Set" + std::to_string(i) + "=" + records[i] + "\r\n";
    return text;
}

TEST_F(DialogTest, AFreshFileGetsTheFactoryPresetsAndOkWritesEveryKeyInOrder) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ReadSettingsFile(), FactoryPresetsText()) << "the first load writes the factory presets";
    EXPECT_EQ(Text(Spin(d, 8)), "5") << "the fields show the settings, not the selected preset";
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCOUNT, 0, 0), 37);
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(Spin(d, 1))) << "Delay (fine) is off while msDelay is above 0";
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETITEMHEIGHT, 0, 0),
              MulDiv(16, GetDeviceCaps(screen, LOGPIXELSY), 96)) << "the preset list's rows are 16 pixels high";
    ReleaseDC(nullptr, screen);
    Click(d, IDOK);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(),
              FactoryPresetsText() +
                  "[Vireska Settings]\r\nBoxIndex=0\r\nDelay=0\r\nmsDelay=5\r\nLinZahl=200\r\nEckenZahl=7\r\n"
                  "LinL\xe4nge=25\r\nSpinit=2\r\nErase=1\r\nAutoLength=1\r\nZoom=15\r\ncontinueat=0\r\ncontinue=0\r\n"
                  "indikator=2788\r\n[Registration]\r\nVersion=330\r\n");
}

// A settings file as another program wrote it: every field shows its value
// (no checksum reset), and OK writes the same bytes back.
TEST_F(DialogTest, AFileOfAnotherProgramShowsEveryValueAndOkWritesItBackUnchanged) {
    const std::string file = ReadFixture("vireska-other-program.ini");
    ASSERT_FALSE(file.empty());
    WriteSettingsFile(file);
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    std::vector<std::string> fields;
    for (int k = 1; k <= 10; ++k) fields.push_back(Text(Spin(d, k)));
    // SpinEdit1 to SpinEdit10: Delay, lines, corners, length, spin, erase, auto-length, msDelay, zoom, continueat.
    EXPECT_EQ(fields, (std::vector<std::string>{"0", "90", "9", "33", "1", "1", "1", "200", "12", "4200"}));
    EXPECT_EQ(SendMessageA(GetDlgItem(d, 1161), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCOUNT, 0, 0), 38);
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCURSEL, 0, 0), 37);
    EXPECT_EQ(ReadSettingsFile(), file) << "the load writes nothing";
    Click(d, IDOK);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(), file);
}

TEST_F(DialogTest, PickingAPresetFillsTheFieldsAndCancelWritesNothing) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    const std::string afterLoad = ReadSettingsFile();
    Pick(d, 16);  // "Alice in Wonderland"
    EXPECT_EQ(Text(Spin(d, 9)), "-1");
    EXPECT_EQ(Text(Spin(d, 8)), "25");
    EXPECT_EQ(Text(Spin(d, 4)), "270");
    Pick(d, 19);  // "Laser-Show": msDelay 5
    EXPECT_EQ(Text(Spin(d, 2)), "1");
    SetWindowTextA(Spin(d, 8), "0");
    PumpFor(100);
    EXPECT_TRUE(IsWindowEnabled(Spin(d, 1))) << "msDelay 0 enables Delay (fine)";
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(), afterLoad);
}

TEST_F(DialogTest, AddDeleteSaveAndRestoreChangeThePresetListInTheFileAtOnce) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, kBtnAdd)));
    SetWindowTextA(GetDlgItem(d, kEdit1), "Test");
    PumpFor(100);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, kBtnAdd)));
    Click(d, kBtnAdd);
    EXPECT_EQ(SettingsValue("LinZahl"), std::nullopt);
    EXPECT_NE(ReadSettingsFile().find("Set37=Test,0,200,7,25,2,1,1,5,15,\r\n"), std::string::npos);
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCURSEL, 0, 0), 37);
    EXPECT_EQ(Text(GetDlgItem(d, kEdit1)), "");
    Pick(d, 0);
    Click(d, kBtnDelete);
    const std::string file = ReadSettingsFile();
    EXPECT_NE(file.find("Set0=Wind Shield Wiper,"), std::string::npos);
    EXPECT_NE(file.find("Set36=Test,0,200,7,25,2,1,1,5,15,\r\nSet37=\r\n"), std::string::npos);
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCURSEL, 0, 0), CB_ERR) << "nothing selected after Delete";
    Click(d, kBtnDelete);  // nothing selected: nothing happens
    EXPECT_EQ(ReadSettingsFile(), file);
    Click(d, kBtnSave);  // nothing selected: nothing happens
    EXPECT_EQ(ReadSettingsFile(), file);
    Pick(d, 36);
    SetWindowTextA(Spin(d, 3), "9");
    Click(d, kBtnSave);
    EXPECT_NE(ReadSettingsFile().find("Set36=Test,0,200,9,25,2,1,1,5,15,\r\nSet37=\r\n"), std::string::npos);
    Click(d, kBtnRestore);
    EXPECT_EQ(ReadSettingsFile().substr(0, FactoryPresetsText().size() + 8), FactoryPresetsText() + "Set37=\r\n")
        << "the factory presets replace the first 37 entries";
    EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCOUNT, 0, 0), 37);
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

TEST_F(DialogTest, TheCallerTakesNoInputWhileTheDialogIsOpenAndGetsTheForegroundBack) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "DisplaySettings";
    RegisterClassA(&wc);
    HWND caller = CreateWindowExA(0, wc.lpszClassName, "Display", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(caller);
    PumpFor(200);
    SaverProcess dialog("/c");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(GetWindow(d, GW_OWNER), caller);
    EXPECT_FALSE(IsWindowEnabled(caller));
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    PumpFor(300);
    EXPECT_TRUE(IsWindowEnabled(caller));
    EXPECT_EQ(GetForegroundWindow(), caller);
    DestroyWindow(caller);
}

// A process found by a window of it, ended by the test if it still runs at the end.
class ProcessOfWindow {
public:
    explicit ProcessOfWindow(HWND w) {
        GetWindowThreadProcessId(w, &Id);
        Handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, Id);
    }
    ~ProcessOfWindow() {
        if (!Handle) return;
        if (WaitForSingleObject(Handle, 0) == WAIT_TIMEOUT) TerminateProcess(Handle, 99);
        CloseHandle(Handle);
    }
    ProcessOfWindow(const ProcessOfWindow&) = delete;
    ProcessOfWindow& operator=(const ProcessOfWindow&) = delete;
    bool Ends(DWORD ms) const { return Handle && WaitForSingleObject(Handle, ms) == WAIT_OBJECT_0; }
    DWORD Id = 0;
    HANDLE Handle = nullptr;
};

// The wallpaper finds the icon list in the desktop's window tree as Windows
// keeps it, also after the desktop has been re-parented into a "WorkerW";
// "Terminate" finds it the same way, closes it and touches nothing else.
TEST_F(DialogTest, TerminateClosesTheRunningWallpaperAndOtherwiseDoesNothing) {
    for (DesktopShape shape : {DesktopShape::Progman, DesktopShape::WorkerW, DesktopShape::ProgmanWithWorkerW}) {
        const int n = static_cast<int>(shape);
        TestDesktop desktop(shape);
        SaverProcess wallpaper("-r");
        ASSERT_NE(WaitForChild(desktop.Icons), nullptr) << "shape " << n << ": the wallpaper is in the icon list";
        SaverProcess dialog("");
        HWND d = Open(dialog);
        ASSERT_NE(d, nullptr);
        Click(d, kButton2);
        EXPECT_EQ(wallpaper.WaitExit(10000), std::optional<DWORD>(0)) << "shape " << n << ": Terminate closes it";
        EXPECT_TRUE(IsWindow(d)) << "the dialog stays open";
        Click(d, kButton2);  // no wallpaper: the icon list's only child stays
        for (HWND w : desktop.All()) EXPECT_TRUE(IsWindow(w)) << "shape " << n << ": a window of the desktop was closed";
        EXPECT_TRUE(IsWindow(d));
        Click(d, IDCANCEL);
        EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    }
}

TEST_F(DialogTest, OnDesktopWritesTheValuesReplacesTheWallpaperAndGivesTheCallerBack) {
    TestDesktop desktop;
    SaverProcess older("-r");
    ASSERT_NE(WaitForChild(desktop.Icons), nullptr);
    TestWindow caller("DisplaySettings", "Display", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    SetForegroundWindow(caller.Hwnd);
    PumpFor(200);
    SaverProcess dialog("/c");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 3), "12");  // unsaved
    Click(d, kButton1);
    EXPECT_EQ(older.WaitExit(10000), std::optional<DWORD>(0)) << "the running wallpaper is closed";
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0)) << "the dialog closes";
    EXPECT_EQ(SettingsValue("EckenZahl"), std::optional<std::string>("12")) << "the values are written first";
    HWND host = WaitForChild(desktop.Icons);
    ASSERT_NE(host, nullptr) << "a new wallpaper runs in the icon list";
    ProcessOfWindow newer(host);
    EXPECT_NE(newer.Id, older.Id());
    EXPECT_FALSE(newer.Ends(500)) << "the wallpaper goes on after the dialog has ended";
    EXPECT_TRUE(IsWindowEnabled(caller.Hwnd));
    EXPECT_EQ(GetForegroundWindow(), caller.Hwnd);

    SaverProcess later("");
    d = Open(later);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Text(Spin(d, 3)), "12");
    Click(d, kButton2);
    EXPECT_TRUE(newer.Ends(10000)) << "Terminate in a later run stops it";
    Click(d, IDCANCEL);
    EXPECT_EQ(later.WaitExit(10000), std::optional<DWORD>(0));
}

// A file that has been through OK once, with these settings lines.
std::string SavedFile(const std::string& settings) {
    return FactoryPresetsText() + "[Vireska Settings]\r\n" + settings + "[Registration]\r\nVersion=330\r\n";
}

TEST_F(DialogTest, TheLoadLimitsFieldsAndResetsTheGeometryWhenTheChecksumFails) {
    struct Case { const char* name; std::string settings; std::vector<std::string> want; LRESULT selected; } cases[] = {
        {"lines above the field's range", "LinZahl=1000\r\nindikator=16507\r\nBoxIndex=3\r\n",
         {"200", "7", "25", "2", "1", "1"}, 3},
        {"stored values kept", "LinZahl=312\r\nEckenZahl=399\r\nLinL\xe4nge=0\r\nSpinit=1\r\nindikator=-1530\r\nBoxIndex=-1\r\n",
         {"312", "399", "0", "1", "1", "1"}, CB_ERR},
        {"selection beyond the list", "BoxIndex=37\r\ncontinue=2\r\n", {"200", "7", "25", "2", "1", "1"}, CB_ERR},
    };
    for (const auto& c : cases) {
        WriteSettingsFile(SavedFile(c.settings));
        SaverProcess dialog("");
        HWND d = Open(dialog);
        ASSERT_NE(d, nullptr) << c.name;
        std::vector<std::string> geometry;
        for (int k = 2; k <= 7; ++k) geometry.push_back(Text(Spin(d, k)));
        EXPECT_EQ(geometry, c.want) << c.name;
        EXPECT_EQ(SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCURSEL, 0, 0), c.selected) << c.name;
        EXPECT_EQ(SendMessageA(GetDlgItem(d, 1161), BM_GETCHECK, 0, 0), BST_UNCHECKED) << c.name;
        Click(d, IDCANCEL);
        EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0)) << c.name;
    }
}

// Enter confirms as a click on OK does: a value typed beyond its field's
// range is stored limited, so the next dialog takes the stored geometry as it
// stands instead of resetting it.
TEST_F(DialogTest, EnterStoresATypedValueLimitedAndTheNextDialogShowsIt) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 3), "9");
    PressKeys({VK_MENU, 'L'});
    ASSERT_EQ(FocusOf(d), Spin(d, 2)) << "Alt+L gives the keyboard to Lines";
    SendMessageA(Spin(d, 2), EM_SETSEL, 0, -1);
    for (WORD key : {'1', '0', '0', '0'}) PressKeys({key});
    EXPECT_EQ(Text(Spin(d, 2)), "1000") << "typed, the value stays as typed";
    PressKeys({VK_RETURN});
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValue("LinZahl"), std::optional<std::string>("800"));
    EXPECT_EQ(SettingsValue("EckenZahl"), std::optional<std::string>("9"));
    EXPECT_EQ(SettingsValue("indikator"), std::optional<std::string>(std::to_string((800 - 9 - 25 - 2 - 1 - 1) * 17)));

    SaverProcess again("");
    d = Open(again);
    ASSERT_NE(d, nullptr);
    std::vector<std::string> geometry;
    for (int k = 2; k <= 7; ++k) geometry.push_back(Text(Spin(d, k)));
    EXPECT_EQ(geometry, (std::vector<std::string>{"800", "9", "25", "2", "1", "1"}));
    Click(d, IDCANCEL);
    EXPECT_EQ(again.WaitExit(10000), std::optional<DWORD>(0));
}

// A saver that stores its position while the dialog's OK writes every key:
// the program's writers take turns, so the file stays whole, with every
// preset and every key the dialog wrote, and "continueat" from one of the two.
TEST_F(DialogTest, ASaverClosingAsOkWritesLeavesTheFileWhole) {
    const auto settingsLines = [](int corners, const std::string& continueAt) {
        return "BoxIndex=0\r\nDelay=0\r\nmsDelay=5\r\nLinZahl=200\r\nEckenZahl=" + std::to_string(corners) +
               "\r\nLinL\xe4nge=25\r\nSpinit=2\r\nErase=1\r\nAutoLength=1\r\nZoom=15\r\ncontinueat=" + continueAt +
               "\r\ncontinue=1\r\nindikator=" + std::to_string((200 - corners - 25 - 2 - 1 - 1) * 17) + "\r\n";
    };
    for (int round = 0; round < 60; ++round) {
        WriteSettingsFile(SavedFile(settingsLines(7, "5000")));
        SaverProcess dialog("");
        HWND d = Open(dialog);
        ASSERT_NE(d, nullptr) << "round " << round;
        const int corners = 8 + round;
        SetWindowTextA(Spin(d, 3), std::to_string(corners).c_str());
        SetWindowTextA(Spin(d, 10), "123400");
        SaverProcess saver("/s");
        HWND w = WaitForWindow("TSForm", "VireskaSForm", 15000);
        ASSERT_NE(w, nullptr) << "round " << round;
        PumpFor(300);
        // The two ends of the round, from 30 ms apart one way to 30 ms the other.
        const int offset = (round * 37) % 61 - 30;
        const std::function<void()> closeSaver = [&] { PostMessageA(w, WM_KEYDOWN, 'A', 0); };
        const std::function<void()> pressOk = [&] { PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); };
        (offset < 0 ? closeSaver : pressOk)();
        Sleep(static_cast<DWORD>(offset < 0 ? -offset : offset));
        (offset < 0 ? pressOk : closeSaver)();
        EXPECT_EQ(saver.WaitExit(10000), std::optional<DWORD>(0)) << "round " << round;
        EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0)) << "round " << round;
        const std::string file = ReadSettingsFile();
        const auto stored = SettingsValueIn(file, "continueat");
        ASSERT_TRUE(stored) << "round " << round << ":\n" << file;
        EXPECT_EQ(file, SavedFile(settingsLines(corners, *stored))) << "round " << round << ", " << offset << " ms";
        const bool number = !stored->empty() && stored->find_first_not_of("0123456789") == std::string::npos;
        EXPECT_TRUE(*stored == "123400" || (number && std::stol(*stored) > 5000)) << "round " << round << ": " << *stored;
    }
}

TEST_F(DialogTest, TestStartsASaverWithTheDialogsUnsavedValues) {
    ASSERT_EQ(ReadFileBytes(Folder->File("vireska.exe")), "") << "no executable copy yet";
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 3), "12");
    Click(d, kBitBtn1);  // "&Test"
    HWND saver = WaitForWindow("TSForm", "VireskaSForm", 15000);
    ASSERT_NE(saver, nullptr) << "the test run starts";
    EXPECT_EQ(ReadFileBytes(Folder->File("vireska.exe")), ReadFileBytes(Folder->File("vireska.scr")))
        << "the missing executable copy is made from the program";
    EXPECT_EQ(SettingsValue("EckenZahl"), std::optional<std::string>("12"));
    EXPECT_TRUE(IsWindow(d)) << "the dialog stays open";
    PostMessageA(saver, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(WaitForNoWindow("TSForm", "VireskaSForm", 10000));
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValue("EckenZahl"), std::optional<std::string>("12")) << "Cancel keeps what Test wrote";
}

// The command line that the older copy standing in the program folder was started with.
std::string StartedWith(const std::string& argsFile) {
    std::string got;
    for (int i = 0; i < 200 && got.empty(); ++i) {
        PumpFor(50);
        got = ReadFileBytes(argsFile);
    }
    return got;
}

TEST_F(DialogTest, AnOlderExecutableCopyIsStartedAndNeverReplaced) {
    const std::string copy = Folder->File("vireska.exe");
    ASSERT_TRUE(CopyFileA(RecordStartProgram.c_str(), copy.c_str(), FALSE));
    const std::string older = ReadFileBytes(copy);
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    struct Case { int button; const char* argument; } cases[] = {{kBitBtn1, " /s"}, {kButton1, " -r"}};
    for (const auto& c : cases) {
        DeleteFileA((copy + ".args").c_str());
        Click(d, c.button);
        const std::string got = StartedWith(copy + ".args");
        ASSERT_GE(got.size(), 3u) << c.argument;
        EXPECT_EQ(got.substr(got.size() - 3), c.argument);
        EXPECT_EQ(ReadFileBytes(copy), older) << c.argument << ": the copy stays as it was";
    }
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0)) << "on Desktop closes the dialog";
}

TEST_F(DialogTest, AMailCommandOfTheWrongTypeGivesTheRegistryErrorAndStartsNothing) {
    HKEY k;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExA(k, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(k);
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    // A comma cannot be typed into a preset name: it would end the name.
    for (char c : std::string("a,b")) PostMessageA(GetDlgItem(d, kEdit1), WM_CHAR, static_cast<WPARAM>(c), 0);
    PumpFor(200);
    EXPECT_EQ(Text(GetDlgItem(d, kEdit1)), "ab");
    Click(d, kBtnEmail);
    HWND box = WaitForWindow("#32770", "Vireska", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "Ung\xfcltiger Datentyp f\xfcr ''.");
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForNoWindow("#32770", "Vireska", 10000));
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command");
}

// Presses the upper (+1) or lower (-1) arrow of field k for `ms` milliseconds.
void PressArrow(HWND d, int k, int direction, DWORD ms) {
    HWND arrows = GetDlgItem(d, 1121 + k - 1);
    RECT rc;
    GetClientRect(arrows, &rc);
    const LPARAM at = MAKELPARAM(rc.right / 2, direction > 0 ? rc.bottom / 4 : rc.bottom * 3 / 4);
    PostMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpFor(ms);
    PostMessageA(arrows, WM_LBUTTONUP, 0, at);
    PumpFor(100);
}

TEST_F(DialogTest, SpinFieldsStepLimitAndRepeat) {
    WriteSettingsFile(SavedFile("msDelay=0\r\n"));
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 1), "999900");
    PressArrow(d, 1, +1, 0);
    EXPECT_EQ(Text(Spin(d, 1)), "1000000") << "a step past the upper limit stops at it";
    PressArrow(d, 1, +1, 0);
    EXPECT_EQ(Text(Spin(d, 1)), "1000000");
    PressArrow(d, 8, +1, 0);
    EXPECT_EQ(Text(Spin(d, 8)), "5") << "msDelay steps by 5";
    EXPECT_FALSE(IsWindowEnabled(Spin(d, 1)));
    PressArrow(d, 8, -1, 0);
    EXPECT_TRUE(IsWindowEnabled(Spin(d, 1)));
    SetWindowTextA(Spin(d, 9), "-1");
    PressArrow(d, 9, -1, 0);
    EXPECT_EQ(Text(Spin(d, 9)), "-2") << "Zoom has no limits";
    SetWindowTextA(Spin(d, 9), "5000");
    SendMessageA(Spin(d, 9), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(Text(Spin(d, 9)), "5000");
    SetWindowTextA(Spin(d, 2), "1000");
    EXPECT_EQ(Text(Spin(d, 2)), "1000") << "a typed value stays until the focus leaves";
    SendMessageA(Spin(d, 2), WM_KILLFOCUS, 0, 0);
    PumpFor(100);
    EXPECT_EQ(Text(Spin(d, 2)), "800");
    // Held down: one step at once, then after 400 ms and every 100 ms.
    SetWindowTextA(Spin(d, 3), "10");
    PressArrow(d, 3, +1, 750);
    const int held = std::stoi(Text(Spin(d, 3))) - 10;
    EXPECT_GE(held, 3);
    EXPECT_LE(held, 6);
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

// A real click on the upper (+1) or lower (-1) arrow of field k.
void ClickArrow(HWND d, int k, int direction) {
    RECT r;
    GetWindowRect(GetDlgItem(d, 1121 + k - 1), &r);
    ClickAt((r.left + r.right) / 2, direction > 0 ? r.top + (r.bottom - r.top) / 4 : r.bottom - (r.bottom - r.top) / 4);
    PumpFor(200);
}

TEST_F(DialogTest, ADisabledFieldsArrowsAreDisabledWithItAndTakeNoClick) {
    WriteSettingsFile(SavedFile("msDelay=5\r\nDelay=400\r\ncontinue=0\r\ncontinueat=700\r\n"));
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    for (int k : {1, 10}) {
        EXPECT_FALSE(IsWindowEnabled(Spin(d, k))) << "SpinEdit" << k;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 1121 + k - 1))) << "the arrows of SpinEdit" << k;
    }
    ClickArrow(d, 1, +1);
    ClickArrow(d, 10, -1);
    EXPECT_EQ(Text(Spin(d, 1)), "400");
    EXPECT_EQ(Text(Spin(d, 10)), "700");
    // Down to msDelay 0: "Delay (fine):" and its arrows come alive together.
    ClickArrow(d, 8, -1);
    EXPECT_EQ(Text(Spin(d, 8)), "0");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 1121)));
    ClickArrow(d, 1, +1);
    EXPECT_EQ(Text(Spin(d, 1)), "600");
    Click(d, IDOK);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValue("Delay"), std::optional<std::string>("600"));
    EXPECT_EQ(SettingsValue("continueat"), std::optional<std::string>("700"));
}

TEST_F(DialogTest, UnderlinedLettersAndCtrlTabDoWhatTheyPromise) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(FocusOf(d), GetDlgItem(d, kNotebook)) << "the dialog has the keyboard";
    struct Field { WORD letter; int k; } fields[] = {{'L', 2}, {'C', 3}, {'E', 4}, {'L', 2}};
    for (const auto& f : fields) {
        PressKeys({VK_MENU, f.letter});
        EXPECT_EQ(FocusOf(d), Spin(d, f.k)) << "Alt+" << static_cast<char>(f.letter);
    }
    const auto page = [&] { return SendMessageA(GetDlgItem(d, kNotebook), TCM_GETCURSEL, 0, 0); };
    struct Keys { std::vector<WORD> keys; LRESULT page; } steps[] = {
        {{VK_MENU, 'A'}, 1}, {{VK_MENU, 'S'}, 0}, {{VK_CONTROL, VK_TAB}, 1}, {{VK_CONTROL, VK_TAB}, 0},
        {{VK_CONTROL, VK_SHIFT, VK_TAB}, 1}, {{VK_CONTROL, VK_SHIFT, VK_TAB}, 0},
    };
    for (const auto& step : steps) {
        PressKeys(step.keys);
        EXPECT_EQ(page(), step.page);
        EXPECT_EQ(IsWindowVisible(GetDlgItem(d, kBtnEmail)) != FALSE, step.page == 1);
        EXPECT_EQ(IsWindowVisible(Spin(d, 2)) != FALSE, step.page == 0);
        EXPECT_EQ(FocusOf(d), GetDlgItem(d, kNotebook)) << "the focus is on the tabs, not on a hidden field";
    }
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

// The visible top-level windows of a process.
struct WindowSearch {
    DWORD Process;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectVisible(HWND w, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == search->Process && IsWindowVisible(w)) search->Found.push_back(w);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD process) {
    WindowSearch search{process, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TEST_F(DialogTest, NoRoleShowsATaskbarButton) {
    TestWindow caller("DisplaySettings", "Display", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    struct Case { const char* args; const char* cls; const char* title; } cases[] = {
        {"", nullptr, kDialogTitle}, {"/c", nullptr, kDialogTitle}, {"/s", "TSForm", "VireskaSForm"}};
    for (const auto& c : cases) {
        SetForegroundWindow(caller.Hwnd);
        PumpFor(200);
        SaverProcess process(c.args);
        HWND w = WaitForWindow(c.cls, c.title, 15000);
        ASSERT_NE(w, nullptr) << c.args;
        PumpFor(500);
        if (c.cls == nullptr) {
            EXPECT_EQ(GetForegroundWindow(), w) << "[" << c.args << "] the dialog comes to the front";
        }
        const auto windows = VisibleWindowsOf(process.Id());
        EXPECT_FALSE(windows.empty()) << c.args;
        for (HWND v : windows)
            EXPECT_TRUE(GetWindow(v, GW_OWNER) || (GetWindowLongA(v, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
                << "[" << c.args << "] \"" << Text(v) << "\" has a taskbar button";
        PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.WaitExit(10000), std::optional<DWORD>(0)) << c.args;
    }
}

TEST_F(DialogTest, HelpShowsThePagesTextAndUpdateReadsTheStoredPosition) {
    WriteSettingsFile(SavedFile("continueat=100\r\n"));
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    const std::string second =
        "\r\rThis is the first screen saver, which introduces the Murmura(TM) technology, which enables the screen "
        "saver to run as animated wallpaper at the windows desktop.";
    struct Page { const char* title; std::string text; } pages[] = {
        {"Vireska Settings", "Here you can adjust the speed and geometrical parameters as you like it. " + second},
        {"Vireska Author", "You can contact the author by e-mail, or check the web-page for updates." + second},
    };
    for (const auto& page : pages) {
        Click(d, kHelpBtn);
        HWND box = WaitForWindow("#32770", page.title, 10000);
        ASSERT_NE(box, nullptr) << page.title;
        EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), page.text);
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitForNoWindow("#32770", page.title, 10000));
        PostMessageA(GetDlgItem(d, kNotebook), WM_KEYDOWN, VK_RIGHT, 0);  // the next page
        PumpFor(200);
    }
    PostMessageA(GetDlgItem(d, kNotebook), WM_KEYDOWN, VK_LEFT, 0);
    PumpFor(200);
    // Enter on a focused picture button presses that button, not OK.
    SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(d, kHelpBtn)), TRUE);
    PostMessageA(GetDlgItem(d, kHelpBtn), WM_KEYDOWN, VK_RETURN, 0);
    HWND box = WaitForWindow("#32770", "Vireska Settings", 10000);
    ASSERT_NE(box, nullptr);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForNoWindow("#32770", "Vireska Settings", 10000));
    EXPECT_TRUE(IsWindow(d));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 1162))) << "update is off while continue is not ticked";
    Click(d, 1161);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 1162)));
    WriteSettingsFile(SavedFile("continueat=4200\r\n"));
    Click(d, 1162);
    EXPECT_EQ(Text(Spin(d, 10)), "4200");
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

TEST_F(DialogTest, ABadNumberInAPresetStopsThePickWithTheConversionError) {
    WriteSettingsFile("[Presets]\r\nSet0=a,b,0,200,7,25,2,1,1,5,15,\r\n[Vireska Settings]\r\nBoxIndex=-1\r\nDelay=400\r\n"
                      "[Registration]\r\nVersion=330\r\n");
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    Pick(d, 0);
    HWND box = WaitForWindow("#32770", "Vireska", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "'b' ist kein g\xfcltiger Integerwert.");
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForNoWindow("#32770", "Vireska", 10000));
    EXPECT_EQ(Text(Spin(d, 1)), "400") << "no field was applied";
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

TEST_F(DialogTest, TabWalksEachPageInTheFormsOrder) {
    WriteSettingsFile(SettingsText(0, 1, 0));  // msDelay 0 and continue ticked: only Add is disabled
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(FocusOf(d), GetDlgItem(d, kNotebook)) << "the focus starts on the notebook";
    const std::vector<int> settingsPage = {kSpinEdit1, kSpinEdit1 + 1, kSpinEdit1 + 2, kSpinEdit1 + 3, kSpinEdit1 + 4,
                                           kSpinEdit1 + 5, kSpinEdit1 + 6, kComboBox1, kEdit1, kBtnDelete,
                                           kBtnRestore, kBtnSave, kSpinEdit1 + 7, kSpinEdit1 + 8,
                                           kBitBtn1, 1161 /* continue */, kSpinEdit1 + 9, 1162 /* update */};
    const std::vector<int> aboutPage = {kBtnEmail, kComboBox2, kButton3, 1204};
    const std::vector<int> form = {IDOK, IDCANCEL, kHelpBtn, kButton1, kButton2, kNotebook};
    for (const auto* page : {&settingsPage, &aboutPage}) {
        std::vector<int> expected = *page, seen;
        expected.insert(expected.end(), form.begin(), form.end());
        for (size_t i = 0; i < expected.size(); ++i) {
            const HWND before = FocusOf(d);
            PostMessageA(before, WM_KEYDOWN, VK_TAB, 0);
            for (int wait = 0; wait < 100 && FocusOf(d) == before; ++wait) PumpFor(20);
            seen.push_back(GetDlgCtrlID(FocusOf(d)));
        }
        EXPECT_EQ(seen, expected);
        PostMessageA(GetDlgItem(d, kNotebook), WM_KEYDOWN, VK_RIGHT, 0);  // the next page
        PumpFor(200);
    }
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

// The text of the dialog's tooltip while it is shown; empty while none is.
std::string ShownHint(HWND d) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == d && IsWindowVisible(w)) return Text(w);
    return std::string();
}

TEST_F(DialogTest, HintsShowWhileThePointerRestsOnAControl) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    struct Case { int id; const char* hint; } cases[] = {
        {kButton1, "really COOL !"}, {IDOK, "exit, save changes"}, {kBitBtn1, "see the preview fullscreen"},
        {kEdit1, "Enter a new name for a new preset"}, {kHelpBtn, ""}, {kComboBox1, ""}};
    for (const Case& c : cases) {
        RECT r;
        GetWindowRect(GetDlgItem(d, c.id), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        std::string shown;
        for (int i = 0; i < 30 && shown.empty(); ++i) {
            PumpFor(100);
            shown = ShownHint(d);
        }
        EXPECT_EQ(shown, c.hint) << "control " << c.id;
        SetCursorPos(0, 0);  // away from the dialog, so the hint goes
        for (int i = 0; i < 30 && !ShownHint(d).empty(); ++i) PumpFor(100);
    }
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

// The screen's resolution, as the dialog sees it.
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A picture of resources/ drawn for this resolution: 18 x 18 pixels at 96
// dpi ("ok.bmp"), 18 * dpi / 96 at the others ("ok-36.bmp" at 192 dpi), with
// the colour of its lower-left pixel.
struct Picture {
    int Size = 0;
    std::vector<COLORREF> Pixels;  // top-down rows
    COLORREF Transparent = 0;
    COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Size + x]; }
};

Picture LoadPicture(const std::string& name, int dpi) {
    Picture p;
    const int size = MulDiv(18, dpi, 96);
    const std::string path = WindowsPath(VIRESKA_RESOURCES_DIR) + "\\" + name +
                             (size == 18 ? std::string() : "-" + std::to_string(size)) + ".bmp";
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return p;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> bgra(static_cast<size_t>(size) * size);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, size, bgra.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    if (rows != size) return p;
    p.Size = size;
    for (uint32_t v : bgra) p.Pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    p.Transparent = p.At(0, size - 1);
    return p;
}

// Whether the picture stands on the screen with its top-left corner at (x, y):
// every opaque pixel in its colour (or, greyed, in a grey other than it) and
// every transparent pixel in one colour, not the picture's transparent one.
bool PictureAt(const Screen& s, const Picture& p, int x, int y, bool greyed = false) {
    const int last = p.Size - 1;
    const COLORREF face = s.At(x, y + last);
    if (face == p.Transparent) return false;
    for (int py = 0; py < p.Size; ++py)
        for (int px = 0; px < p.Size; ++px) {
            const COLORREF want = p.At(px, py), got = s.At(x + px, y + py);
            if (want == p.Transparent) {
                if (got != face) return false;
            } else if (!greyed ? got != want
                               : got == want || GetRValue(got) != GetGValue(got) || GetGValue(got) != GetBValue(got)) {
                return false;
            }
        }
    return true;
}

// The pictures are drawn for the screen's resolution, beside their captions:
// "&Test"'s 4 pixels from the left edge and 8 before the caption (at 96 dpi,
// scaled like the dialog), the others centred with their captions.
TEST_F(DialogTest, ButtonsShowTheirPicturesDrawnForTheResolution) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    PumpFor(300);
    Screen screen = CaptureScreen();
    const int dpi = ScreenDpi();
    const int margin = MulDiv(4, dpi, 96), gap = MulDiv(8, dpi, 96);
    struct Case { int id; const char* name; } cases[] = {
        {IDOK, "ok"}, {IDCANCEL, "cancel"}, {kHelpBtn, "help"}, {kBitBtn1, "test"}};
    for (const Case& c : cases) {
        const Picture p = LoadPicture(c.name, dpi);
        ASSERT_GT(p.Size, 0) << c.name << " at " << dpi << " dpi";
        RECT r;
        GetWindowRect(GetDlgItem(d, c.id), &r);
        const int y = r.top + (r.bottom - r.top - p.Size) / 2;
        if (c.id == kBitBtn1) {
            ASSERT_TRUE(PictureAt(screen, p, r.left + margin, y)) << c.name << " at " << dpi << " dpi";
            const COLORREF face = screen.At(r.left + margin, y + p.Size - 1);
            const int gapStart = r.left + margin + p.Size;
            bool gapClear = true, captionThere = false;
            for (int py = y; py < y + p.Size; ++py) {
                for (int px = gapStart; px < gapStart + gap; ++px) gapClear &= screen.At(px, py) == face;
                for (int px = gapStart + gap; px < gapStart + gap + margin; ++px) captionThere |= screen.At(px, py) != face;
            }
            EXPECT_TRUE(gapClear);
            EXPECT_TRUE(captionThere);
        } else {
            bool found = false;
            for (int x = r.left; x + p.Size <= r.right && !found; ++x) found = PictureAt(screen, p, x, y);
            EXPECT_TRUE(found) << c.name << " at " << dpi << " dpi";
        }
    }
    const Picture test = LoadPicture("test", dpi);
    // Focused from the keyboard, "&Test" shows its focus rectangle round the
    // caption, and the picture stays whole.
    SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Spin(d, 9)), TRUE);
    PressKeys({VK_TAB});
    PumpFor(300);
    ASSERT_EQ(FocusOf(d), GetDlgItem(d, kBitBtn1));
    RECT r;
    GetWindowRect(GetDlgItem(d, kBitBtn1), &r);
    const int y = r.top + (r.bottom - r.top - test.Size) / 2;
    {
        const Screen focused = CaptureScreen();
        EXPECT_TRUE(PictureAt(focused, test, r.left + margin, y)) << "the focus rectangle leaves the picture alone";
        // Inside the frame (which a focused button draws as the default one).
        size_t changed = 0;
        for (int py = r.top + 4; py < r.bottom - 4; ++py)
            for (int px = r.left + 4; px < r.right - 4; ++px) changed += focused.At(px, py) != screen.At(px, py);
        EXPECT_GT(changed, 20u) << "a focus rectangle is drawn";
    }
    // Disabled, "&Test" shows the grey variant in the same place.
    EnableWindow(GetDlgItem(d, kBitBtn1), FALSE);
    PumpFor(300);
    screen = CaptureScreen();
    EXPECT_TRUE(PictureAt(screen, test, r.left + margin, y, true));
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
}

TEST_F(DialogTest, AnExistingUserCopyIsReadAndWrittenInsteadOfTheFile) {
    const std::string file = SavedFile("msDelay=5\r\n");
    WriteSettingsFile(file);
    WriteUserCopy(SavedFile(SettingsText(5, 0, 0, 200, 9).substr(sizeof "[Vireska Settings]\r\n" - 1)));
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Text(Spin(d, 3)), "9") << "the user copy is read";
    SetWindowTextA(Spin(d, 2), "300");
    Click(d, IDOK);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValueIn(ReadUserCopy(), "LinZahl"), std::optional<std::string>("300"));
    EXPECT_EQ(ReadSettingsFile(), file) << "the file in the Windows directory stays as it was";
}

// Run by protected_settings.sh with the settings file in the Windows
// directory refusing writes (chattr +i), as for a standard user.
TEST_F(DialogTest, WindowsDirectoryRefusesSoOkWritesTheUserCopy) {
    const std::string before = ReadSettingsFile();
    ASSERT_FALSE(before.empty()) << "the script writes the file first";
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 3), "12");
    Click(d, IDOK);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0)) << "OK closes without an error";
    EXPECT_EQ(ReadSettingsFile(), before);
    const std::string copy = ReadUserCopy();
    EXPECT_EQ(SettingsValueIn(copy, "EckenZahl"), std::optional<std::string>("12"));
    EXPECT_NE(copy.find("Set0=All in One,"), std::string::npos) << "the copy keeps the file's presets";

    // The next start reads the copy.
    SaverProcess again("");
    d = Open(again);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Text(Spin(d, 3)), "12");
    Click(d, IDCANCEL);
    EXPECT_EQ(again.WaitExit(10000), std::optional<DWORD>(0));
}

// Run by protected_settings.sh with both the settings file and its user copy
// refusing writes.
TEST_F(DialogTest, WindowsDirectoryAndUserCopyBothRefuseSoTheWriteErrorShows) {
    const std::string before = ReadSettingsFile();
    ASSERT_FALSE(before.empty()) << "the script writes the file first";
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    Click(d, IDOK);
    HWND box = WaitForWindow("#32770", "Vireska", 10000);
    ASSERT_NE(box, nullptr) << "the error box, titled with the application title";
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "Kann nicht nach " + SettingsFilePath() + " schreiben.");
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForNoWindow("#32770", "Vireska", 10000));
    EXPECT_TRUE(IsWindow(d)) << "the dialog stays open";
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(), before);
}

// The registered mail and browser commands, with a recorder program in them.
TEST_F(DialogTest, MailAndWebLinksStartTheRegisteredCommandWithTheAddress) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string record = std::string(temp) + "vireska-link.txt";
    struct Case { const char* key; std::string stored; int button; int choose; std::string wantTail; } cases[] = {
        {"mailto\\shell\\open\\command", RecorderCommand(record) + " %1", kBtnEmail, 0, " mailto:vireska@example.org"},
        {"mailto\\shell\\open\\command", RecorderCommand(record) + " \"%1\"", kBtnEmail, 2, " \"\"mailto:support@example.org"},
        {"mailto\\shell\\open\\command", RecorderCommand(record) + " x", kBtnEmail, 0, " xmailto:vireska@example.org"},
        {"HtmlDefBrowser\\shell\\open\\command", RecorderCommand(record) + " %1", kButton3, 0, " https://www.example.org/vireska/"},
    };
    for (const auto& c : cases) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, c.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(c.stored.c_str()), static_cast<DWORD>(c.stored.size() + 1));
        RegCloseKey(k);
        DeleteFileA(record.c_str());
        SaverProcess dialog("");
        HWND d = Open(dialog);
        ASSERT_NE(d, nullptr);
        SendMessageA(GetDlgItem(d, kComboBox2), CB_SETCURSEL, c.choose, 0);
        Click(d, c.button);
        std::string got;
        for (int i = 0; i < 100 && got.empty(); ++i) {
            PumpFor(50);
            if (FILE* f = std::fopen(record.c_str(), "rb")) {
                char buf[512] = {};
                got.assign(buf, std::fread(buf, 1, sizeof buf - 1, f));
                std::fclose(f);
            }
        }
        ASSERT_GE(got.size(), c.wantTail.size()) << c.stored;
        EXPECT_EQ(got.substr(got.size() - c.wantTail.size()), c.wantTail) << c.stored;
        Click(d, IDCANCEL);
        EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
        RegDeleteKeyA(HKEY_CLASSES_ROOT, c.key);
    }
}

}  // namespace
}  // namespace vireska::e2e
