// The settings dialog end to end: the real program started without
// arguments or with /c, driven through its controls as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "saver_harness.h"

namespace vireska::e2e {

std::string RecorderCommand(const std::string& outFile);  // saver_e2e_test.cpp

namespace {

constexpr char kDialogTitle[] = "Settings for Vireska - Screen Saver";
// Control ids of the dialog (its resource header).
constexpr int kSpinEdit1 = 1101, kComboBox1 = 1164, kEdit1 = 1167, kBtnAdd = 1168, kBtnDelete = 1163;
constexpr int kButton2 = 1003;
constexpr int kBtnEmail = 1201, kComboBox2 = 1202, kButton3 = 1203;

// A control's text (GetWindowText does not ask a window of another process).
std::string Text(HWND w) {
    char buf[256] = {};
    SendMessageA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettingsFile(); }
    void TearDown() override {
        if (HWND d = FindWindowA(nullptr, kDialogTitle)) PostMessageA(d, WM_CLOSE, 0, 0);
        WaitForNoWindow(nullptr, kDialogTitle, 10000);
        RemoveSettingsFile();
    }
    // The dialog, once its load has filled the fields and the list and the file is still.
    HWND Open(SaverProcess&) {
        HWND d = WaitForWindow(nullptr, kDialogTitle, 15000);
        if (!d) return nullptr;
        std::string last = "-";
        for (int i = 0; i < 100; ++i) {
            PumpFor(100);
            const std::string now = ReadSettingsFile();
            if (now == last && !Text(Spin(d, 8)).empty() &&
                SendMessageA(GetDlgItem(d, kComboBox1), CB_GETCOUNT, 0, 0) > 0)
                return d;
            last = now;
        }
        return nullptr;
    }
    HWND Spin(HWND d, int k) { return GetDlgItem(d, kSpinEdit1 + k - 1); }
    void Click(HWND d, int id) { PostMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0); PumpFor(300); }
    void Pick(HWND d, int position) {
        HWND box = GetDlgItem(d, kComboBox1);
        SendMessageA(box, CB_SETCURSEL, position, 0);
        // Posted: the handler may open a message box, which a sent message would wait for.
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(kComboBox1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        PumpFor(300);
    }
};

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
    Click(d, IDOK);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSettingsFile(),
              FactoryPresetsText() +
                  "[Vireska Settings]\r\nBoxIndex=0\r\nDelay=0\r\nmsDelay=5\r\nLinZahl=200\r\nEckenZahl=7\r\n"
                  "Lin\xe4nge=25\r\nSpinit=2\r\nErase=1\r\nAutoLength=1\r\nZoom=15\r\ncontinueat=0\r\ncontinue=0\r\n"
                  "indikator=2788\r\n[Registration]\r\nVersion=330\r\n");
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

TEST_F(DialogTest, AddAndDeleteChangeThePresetListInTheFileAtOnce) {
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

TEST_F(DialogTest, TerminateClosesTheRunningWallpaper) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    for (const char* cls : {"Progman", "SHELLDLL_DefView", "TestIconList", "TestIconHeader"}) {
        wc.lpszClassName = cls;
        RegisterClassA(&wc);
    }
    HWND progman = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    HWND view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, progman, nullptr, wc.hInstance, nullptr);
    HWND icons = CreateWindowExA(0, "TestIconList", "FolderView", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, view, nullptr, wc.hInstance, nullptr);
    CreateWindowExA(0, "TestIconHeader", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 20, icons, nullptr, wc.hInstance, nullptr);
    SaverProcess wallpaper("-r");
    HWND host = nullptr;
    for (int i = 0; i < 200 && !host; ++i) {
        PumpFor(50);
        host = FindWindowExA(icons, nullptr, "ClVireskaPreview", "WndVireskaSaver");
    }
    ASSERT_NE(host, nullptr);
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    Click(d, kButton2);
    EXPECT_EQ(wallpaper.WaitExit(10000), std::optional<DWORD>(0)) << "Terminate closes the wallpaper";
    EXPECT_TRUE(IsWindow(d)) << "the dialog stays open";
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    DestroyWindow(progman);
}

// A file that has been through OK once, with these settings lines.
std::string SavedFile(const std::string& settings) {
    return FactoryPresetsText() + "[Vireska Settings]\r\n" + settings + "[Registration]\r\nVersion=330\r\n";
}

TEST_F(DialogTest, TheLoadLimitsFieldsAndResetsTheGeometryWhenTheChecksumFails) {
    struct Case { const char* name; std::string settings; std::vector<std::string> want; LRESULT selected; } cases[] = {
        {"lines above the field's range", "LinZahl=1000\r\nindikator=16507\r\nBoxIndex=3\r\n",
         {"200", "7", "25", "2", "1", "1"}, 3},
        {"stored values kept", "LinZahl=312\r\nEckenZahl=399\r\nLin\xe4nge=0\r\nSpinit=1\r\nindikator=-1530\r\nBoxIndex=-1\r\n",
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

TEST_F(DialogTest, EnterActsAsOkWithTheValueAsTyped) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 2), "1000");
    PostMessageA(Spin(d, 2), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValue("LinZahl"), std::optional<std::string>("1000"));
    EXPECT_EQ(SettingsValue("indikator"), std::optional<std::string>("16388"));
}

TEST_F(DialogTest, TestStartsASaverWithTheDialogsUnsavedValues) {
    SaverProcess dialog("");
    HWND d = Open(dialog);
    ASSERT_NE(d, nullptr);
    SetWindowTextA(Spin(d, 3), "12");
    Click(d, 1160);  // "&Test"
    HWND saver = WaitForWindow("TSForm", "VireskaSForm", 15000);
    ASSERT_NE(saver, nullptr) << "the test run starts";
    EXPECT_EQ(SettingsValue("EckenZahl"), std::optional<std::string>("12"));
    EXPECT_TRUE(IsWindow(d)) << "the dialog stays open";
    PostMessageA(saver, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(WaitForNoWindow("TSForm", "VireskaSForm", 10000));
    Click(d, IDCANCEL);
    EXPECT_EQ(dialog.WaitExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValue("EckenZahl"), std::optional<std::string>("12")) << "Cancel keeps what Test wrote";
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
        Click(d, 1005);
        HWND box = WaitForWindow("#32770", page.title, 10000);
        ASSERT_NE(box, nullptr) << page.title;
        EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), page.text);
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitForNoWindow("#32770", page.title, 10000));
        PostMessageA(GetDlgItem(d, 1004), WM_KEYDOWN, VK_RIGHT, 0);  // the next page
        PumpFor(200);
    }
    PostMessageA(GetDlgItem(d, 1004), WM_KEYDOWN, VK_LEFT, 0);
    PumpFor(200);
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

// Run by readonly_settings.sh with the settings file made unwritable (chattr +i).
TEST_F(DialogTest, ReadOnlySettingsFileGivesTheWriteErrorAndTheDialogStaysUsable) {
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
