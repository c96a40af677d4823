// The installer end to end, and the version resources and icon of the built
// programs. The installer runs from a folder of the test's own; the display
// control panel is a test desk.cpl in the system directory that records what
// rundll32 handed it.
// Usage: installer_e2e_tests INSTALLER.EXE VIRESKA.SCR DESK.CPL [INSTALLER32.EXE] [gtest flags]
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "saver_harness.h"

namespace vireska::e2e {
namespace {

std::string Installer, Saver, DeskCpl, Installer32;  // the 32-bit installer, for the 64-bit run

constexpr char kCaption[] = "Hi - Orvanta is presenting you Vireska";
constexpr char kQuestion[] = "This will install Vireska Screen Saver 3.3 with Murmura(TM) technology. Continue ?";

std::string SystemDir() {
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(DeskCpl.c_str(), (SystemDir() + "\\desk.cpl").c_str(), FALSE));
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        Folder = std::string(temp) + "vireska-installer-test";
        CreateDirectoryA(Folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(Installer.c_str(), (Folder + "\\installer.exe").c_str(), FALSE));
        Clean();
    }
    void TearDown() override {
        Clean();
        DeleteFileA((Folder + "\\installer.exe").c_str());
        RemoveDirectoryA(Folder.c_str());
        DeleteFileA((SystemDir() + "\\desk.cpl").c_str());
    }
    void Clean() {
        for (const std::string& f : {SystemDir() + "\\vireska.scr", SystemDir() + "\\vireska.exe", Record(), Folder + "\\vireska.scr"})
            DeleteFileA(f.c_str());
    }
    static std::string Record() { return SystemDir() + "\\desk-cpl-record.txt"; }
    void PutInstaller(const std::string& installer) {
        ASSERT_TRUE(CopyFileA(installer.c_str(), (Folder + "\\installer.exe").c_str(), FALSE));
    }
    void PutSaverBesideInstaller() { ASSERT_TRUE(CopyFileA(Saver.c_str(), (Folder + "\\vireska.scr").c_str(), FALSE)); }

    // Runs the installer, checks its question and answers it with `button`.
    void RunAndAnswer(int button) {
        SaverProcess installer("", Folder + "\\installer.exe");
        ASSERT_TRUE(installer.Started());
        HWND box = WaitForWindow("#32770", kCaption, 15000);
        ASSERT_NE(box, nullptr) << "the question";
        EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), kQuestion);
        for (int id : {IDYES, IDNO, IDCANCEL}) EXPECT_NE(GetDlgItem(box, id), nullptr) << id;
        EXPECT_EQ(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        EXPECT_EQ(installer.WaitExit(15000), std::optional<DWORD>(0));
    }
    // What the control panel step was given: its argument and working
    // directory, once it has run; nothing if it has not within `ms`.
    std::optional<std::string> WaitForRecord(DWORD ms) {
        for (DWORD waited = 0; waited <= ms; waited += 100) {
            const std::string r = FileBytes(Record());
            if (r != "<missing>" && r.find('\n') != r.rfind('\n')) return r;
            PumpFor(100);
        }
        return std::nullopt;
    }
    std::string Folder;
};

TEST_F(InstallerTest, YesCopiesBothFilesOverOldOnesAndStartsTheControlPanelStep) {
    PutSaverBesideInstaller();
    WriteBytes(SystemDir() + "\\vireska.scr", "old saver");
    WriteBytes(SystemDir() + "\\vireska.exe", "old copy");
    RunAndAnswer(IDYES);
    const std::string saver = FileBytes(Saver);
    EXPECT_TRUE(FileBytes(SystemDir() + "\\vireska.scr") == saver) << "vireska.scr replaced by the saver";
    EXPECT_TRUE(FileBytes(SystemDir() + "\\vireska.exe") == saver) << "vireska.exe replaced by the saver";
    EXPECT_EQ(WaitForRecord(15000), std::optional<std::string>("vireska.scr\n" + SystemDir() + "\n"));
}

TEST_F(InstallerTest, NoAndCancelChangeNothingAndStartNothing) {
    PutSaverBesideInstaller();
    for (int button : {IDNO, IDCANCEL}) {
        WriteBytes(SystemDir() + "\\vireska.scr", "old saver");
        RunAndAnswer(button);
        EXPECT_EQ(FileBytes(SystemDir() + "\\vireska.scr"), "old saver") << button;
        EXPECT_EQ(FileBytes(SystemDir() + "\\vireska.exe"), "<missing>") << button;
        EXPECT_EQ(WaitForRecord(1500), std::nullopt) << button;
    }
}

TEST_F(InstallerTest, WithoutTheSaverBesideItTheControlPanelStepStillRuns) {
    RunAndAnswer(IDYES);
    EXPECT_EQ(FileBytes(SystemDir() + "\\vireska.scr"), "<missing>");
    EXPECT_EQ(FileBytes(SystemDir() + "\\vireska.exe"), "<missing>");
    EXPECT_EQ(WaitForRecord(15000), std::optional<std::string>("vireska.scr\n" + SystemDir() + "\n"));
}

TEST_F(InstallerTest, The32BitInstallerOn64BitWindowsSendsTheUserToThe64BitPackage) {
    ASSERT_FALSE(Installer32.empty()) << "the 64-bit run needs the 32-bit installer as its fourth argument";
    PutInstaller(Installer32);
    PutSaverBesideInstaller();
    SaverProcess installer("", Folder + "\\installer.exe");
    HWND box = WaitForWindow("#32770", kCaption, 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)),
              "This is the 32-bit package of Vireska Screen Saver 3.3, and this Windows is 64-bit: its display "
              "settings list only 64-bit screen savers. Please install the 64-bit package (vireska-3.3.0-win64.zip) "
              "instead.");
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDYES), nullptr) << "nothing to decide";
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(installer.WaitExit(15000), std::optional<DWORD>(0));
    EXPECT_EQ(FileBytes(SystemDir() + "\\vireska.scr"), "<missing>");
    EXPECT_EQ(FileBytes(SystemDir() + "\\vireska.exe"), "<missing>");
    EXPECT_EQ(WaitForRecord(1500), std::nullopt);
}

// The version resource of a built program, through the platform's version API.
struct Version {
    VS_FIXEDFILEINFO Fixed{};
    std::vector<char> Data;
    WORD Language = 0, CodePage = 0;
    std::string Value(const std::string& name) {
        char* text = nullptr;
        UINT size = 0;
        char key[128];
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", Language, CodePage, name.c_str());
        if (!VerQueryValueA(Data.data(), key, reinterpret_cast<void**>(&text), &size) || !text) return "<none>";
        return text;
    }
};

std::optional<Version> ReadVersion(const std::string& file) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    if (size == 0) return std::nullopt;
    Version v;
    v.Data.resize(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, v.Data.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(v.Data.data(), "\\", reinterpret_cast<void**>(&fixed), &len) || !fixed) return std::nullopt;
    v.Fixed = *fixed;
    WORD* translation = nullptr;
    if (!VerQueryValueA(v.Data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len) ||
        len < 4)
        return std::nullopt;
    v.Language = translation[0];
    v.CodePage = translation[1];
    return v;
}

TEST(VersionResource, OfTheSaverAndTheInstaller) {
    struct Case {
        const std::string* file;
        const char* description;
        const char* internalName;
        const char* originalName;
    } cases[] = {
        {&Saver, "Vireska Screen Saver with Murmura(TM) technology", "vireska", "vireska.scr"},
        {&Installer, "Vireska Screen Saver installer", "installer", "installer.exe"},
    };
    for (const Case& c : cases) {
        auto v = ReadVersion(*c.file);
        ASSERT_TRUE(v) << *c.file;
        EXPECT_EQ(v->Fixed.dwFileVersionMS, MAKELONG(2, 3)) << *c.file;  // 3.2
        EXPECT_EQ(v->Fixed.dwFileVersionLS, 0u);
        EXPECT_EQ(v->Fixed.dwProductVersionMS, MAKELONG(2, 3));
        EXPECT_EQ(v->Fixed.dwProductVersionLS, 0u);
        EXPECT_EQ(v->Value("FileVersion"), "3, 3, 0, 0");
        EXPECT_EQ(v->Value("ProductVersion"), "3, 3, 0, 0");
        EXPECT_EQ(v->Value("FileDescription"), c.description);
        EXPECT_EQ(v->Value("InternalName"), c.internalName);
        EXPECT_EQ(v->Value("OriginalFilename"), c.originalName);
        EXPECT_EQ(v->Value("ProductName"), "Vireska");
        for (const char* own : {"CompanyName", "LegalCopyright", "E-Mail", "Home Page"})
            EXPECT_NE(v->Value(own), "<none>") << own;
    }
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
#pragma pack(pop)

TEST(ProgramIcon, IsOneImageOf32By32PixelsIn16Colours) {
    HMODULE saver = LoadLibraryExA(Saver.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(saver, nullptr);
    HRSRC group = FindResourceA(saver, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const WORD*>(LockResource(LoadResource(saver, group)));
    ASSERT_NE(dir, nullptr);
    ASSERT_EQ(dir[2], 1) << "one image";
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(dir + 3);
    EXPECT_EQ(entry->Width, 32);
    EXPECT_EQ(entry->Height, 32);
    EXPECT_EQ(entry->ColorCount, 16);
    EXPECT_EQ(entry->BitCount, 4);
    HICON icon = LoadIconA(saver, MAKEINTRESOURCEA(1));
    EXPECT_NE(icon, nullptr) << "the platform reads it";
    FreeLibrary(saver);
}

}  // namespace
}  // namespace vireska::e2e

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s INSTALLER.EXE VIRESKA.SCR DESK.CPL\n", argv[0]);
        return 2;
    }
    vireska::e2e::Installer = vireska::e2e::WindowsPath(argv[1]);
    vireska::e2e::Saver = vireska::e2e::WindowsPath(argv[2]);
    vireska::e2e::DeskCpl = vireska::e2e::WindowsPath(argv[3]);
    if (argc >= 5) vireska::e2e::Installer32 = vireska::e2e::WindowsPath(argv[4]);
    return RUN_ALL_TESTS();
}
