#include <gtest/gtest.h>

#include <string>

#include "platform_profile.h"
#include "settings_file.h"
#include "temp_dir.h"

namespace vireska {
namespace {

using test::TempDir;

// A "Vireska Settings" section of the given lines.
std::string Section(const std::string& lines) { return "[Vireska Settings]\r\n" + lines; }

TEST(SettingsPath, WindowsDirectoryAndTheProgramsNameWithANewExtension) {
    struct Case { const char* dir; const char* program; const char* ext; const char* want; } cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32\\vireska.scr", ".INI", "C:\\WINDOWS\\vireska.INI"},
        {"C:\\WINDOWS", "D:\\tools\\vireska.exe", ".ini", "C:\\WINDOWS\\vireska.ini"},
        {"C:\\WINDOWS", "D:\\tools\\foo.scr", ".INI", "C:\\WINDOWS\\foo.INI"},
        {"C:\\WINDOWS", "D:vireska.scr", ".INI", "C:\\WINDOWS\\vireska.INI"},
        {"C:\\WINDOWS", "vireska", ".INI", "C:\\WINDOWS\\vireska.INI"},
        {"C:\\WINDOWS", "C:\\my.dir\\saver", ".INI", "C:\\WINDOWS\\saver.INI"},
        {"C:\\WINDOWS", "C:\\a\\two.dots.scr", ".ini", "C:\\WINDOWS\\two.dots.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingsPath(c.dir, c.program, c.ext), c.want) << c.program;
    EXPECT_EQ(ApplicationTitle("C:\\WINDOWS\\SYSTEM32\\VIRESKA.SCR"), "Vireska");
}

TEST(IniInteger, DecimalOrHexadecimalElseNothing) {
    struct Case { const char* text; std::optional<int32_t> want; } cases[] = {
        {"0", 0}, {"31", 31}, {"-1530", -1530}, {"+7", 7}, {"$1F", 31}, {"0x1F", 31}, {"0X1f", 31},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"$FFFFFFFF", -1}, {"0x80000000", -2147483647 - 1},
        {"2147483648", std::nullopt}, {"$100000000", std::nullopt}, {"", std::nullopt}, {"abc", std::nullopt},
        {"12abc", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt}, {"-$1F", std::nullopt},
        {"1.5", std::nullopt}, {" 5", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.want) << '"' << c.text << '"';
}

struct ReaderCase {
    const char* name;
    std::string file;  // empty: no file at all
    PatternInput want;
};

PatternInput Values(int32_t delay, int32_t ms, int32_t lines, int32_t corners, int32_t length, int32_t spin,
                    int32_t erase, int32_t autoLength, int32_t zoom, int32_t at, int32_t cont) {
    PatternInput in;
    in.Delay = delay, in.msDelay = ms, in.LinZahl = lines, in.EckenZahl = corners, in.LinLaenge = length;
    in.Spinit = spin, in.Erase = erase, in.AutoLength = autoLength, in.Zoom = zoom, in.continueat = at;
    in.continue_ = cont;
    return in;
}

TEST(ReadIniSet, StartUpReaderCases) {
    const ReaderCase cases[] = {
        {"no file", "", Values(0, 5, 200, 7, 25, 2, 1, 1, 15, 0, 0)},
        {"empty section", Section(""), Values(0, 5, 200, 7, 25, 2, 1, 1, 15, 0, 0)},
        {"checksum fails: fallback, Zoom and resume kept",
         Section("Delay=400\r\nmsDelay=0\r\nLinZahl=300\r\nZoom=-4\r\ncontinueat=777\r\ncontinue=1\r\n"),
         Values(0, 3, 200, 7, 25, 2, 1, 1, -4, 777, 1)},
        {"negative checksum accepted",
         Section("LinZahl=312\r\nEckenZahl=399\r\nLinL\xe4nge=0\r\nSpinit=1\r\nindikator=-1530\r\nmsDelay=0\r\nDelay=9\r\n"),
         Values(9, 0, 312, 399, 0, 1, 1, 1, 15, 0, 0)},
        {"hex values", Section("Delay=$1F\r\nmsDelay=0x0\r\ncontinueat=0X10\r\n"), Values(31, 0, 200, 7, 25, 2, 1, 1, 15, 16, 0)},
        {"letters give defaults", Section("Delay=abc\r\nmsDelay=fast\r\nZoom=big\r\n"), Values(0, 5, 200, 7, 25, 2, 1, 1, 15, 0, 0)},
        {"continue 2 resumes", Section("continue=2\r\ncontinueat=12345\r\n"), Values(0, 5, 200, 7, 25, 2, 1, 1, 15, 12345, 2)},
        {"msDelay above 0 forces Delay 0", Section("Delay=5000\r\nmsDelay=10\r\n"), Values(0, 10, 200, 7, 25, 2, 1, 1, 15, 0, 0)},
        {"negative delays become 0", Section("Delay=-5\r\nmsDelay=-7\r\n"), Values(0, 0, 200, 7, 25, 2, 1, 1, 15, 0, 0)},
        {"corners below 1 become 7, lines above 800 become 800",
         Section("LinZahl=1000\r\nEckenZahl=0\r\nindikator=16507\r\n"), Values(0, 5, 800, 7, 25, 2, 1, 1, 15, 0, 0)},
        {"corners up to 1900 kept, more become 1900",
         Section("EckenZahl=1900\r\nLinZahl=1900\r\nLinL\xe4nge=-4\r\nindikator=0\r\n"), Values(0, 5, 800, 1900, -4, 2, 1, 1, 15, 0, 0)},
        {"thirty million corners become 1900",
         Section("EckenZahl=30000000\r\nindikator=-509997093\r\n"), Values(0, 5, 200, 1900, 25, 2, 1, 1, 15, 0, 0)},
        {"hand-edited values pass unchanged",
         Section("LinZahl=-3\r\nLinL\xe4nge=-10\r\nSpinit=9\r\nErase=4\r\nAutoLength=5\r\nindikator=-306\r\n"),
         Values(0, 5, -3, 7, -10, 9, 4, 5, 15, 0, 0)},
        {"other sections and case", "[Other]\r\nDelay=99\r\n[VIRESKA SETTINGS]\r\nDELAY=$20\r\nMSDELAY=0\r\n",
         Values(32, 0, 200, 7, 25, 2, 1, 1, 15, 0, 0)},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.File("vireska.INI");
        if (!c.file.empty()) TempDir::Write(path, c.file);
        PlatformProfile profile;
        const PatternInput got = ReadPatternInput(profile, path);
        const PatternInput& w = c.want;
        EXPECT_EQ((std::vector<int32_t>{got.Delay, got.msDelay, got.LinZahl, got.EckenZahl, got.LinLaenge, got.Spinit,
                                        got.Erase, got.AutoLength, got.Zoom, got.continueat, got.continue_}),
                  (std::vector<int32_t>{w.Delay, w.msDelay, w.LinZahl, w.EckenZahl, w.LinLaenge, w.Spinit, w.Erase,
                                        w.AutoLength, w.Zoom, w.continueat, w.continue_}))
            << c.name;
        // Reading never creates or changes the file.
        EXPECT_EQ(TempDir::Read(path), c.file) << c.name;
    }
}

// A file as another program wrote it, every key spelt as the file format
// spells it ("LinL\xe4nge" with the single byte 0xE4): every value is taken.
TEST(ReadIniSet, AFileOfAnotherProgramIsReadWithEveryValue) {
    const std::string path = test::FixturePath("vireska-other-program.ini");
    ASSERT_FALSE(TempDir::Read(path).empty()) << path;
    PlatformProfile profile;
    const PatternInput got = ReadPatternInput(profile, path);
    EXPECT_EQ((std::vector<int32_t>{got.Delay, got.msDelay, got.LinZahl, got.EckenZahl, got.LinLaenge, got.Spinit,
                                    got.Erase, got.AutoLength, got.Zoom, got.continueat, got.continue_}),
              (std::vector<int32_t>{0, 200, 90, 9, 33, 1, 1, 1, 12, 4200, 1}));
    EXPECT_EQ(ReadIniSet(profile, path, 0).StepCounter, 4200);
}

TEST(ReadIniSet, StartStepResumesOrIsRandom) {
    TempDir dir;
    const std::string path = dir.File("vireska.INI");
    PlatformProfile profile;
    TempDir::Write(path, Section("continue=1\r\ncontinueat=3000000\r\n"));
    EXPECT_EQ(ReadIniSet(profile, path, 1).StepCounter, 3000000);
    TempDir::Write(path, Section("continue=0\r\ncontinueat=12345\r\n"));
    for (uint32_t seed : {0u, 12345u, 86399999u}) {
        const int32_t start = ReadIniSet(profile, path, seed).StepCounter;
        EXPECT_EQ(start % 100, 0);
        EXPECT_LT(start, 3000000);
    }
}

DialogValues Dialog() {
    DialogValues v;
    v.BoxIndex = 3, v.Delay = 200, v.msDelay = 0, v.LinZahl = 312, v.EckenZahl = 399, v.LinLaenge = 0;
    v.Spinit = 1, v.Erase = 1, v.AutoLength = 1, v.Zoom = -1, v.continueat = 4200, v.Continue = true;
    return v;
}

TEST(WriteIniSet, NewFileHoldsEveryKeyInTheWritingOrder) {
    TempDir dir;
    const std::string path = dir.File("vireska.ini");
    PlatformProfile profile;
    EXPECT_EQ(WriteIniSet(profile, path, Dialog()), std::nullopt);
    EXPECT_EQ(TempDir::Read(path),
              "[Vireska Settings]\r\nBoxIndex=3\r\nDelay=200\r\nmsDelay=0\r\nLinZahl=312\r\nEckenZahl=399\r\n"
              "LinL\xe4nge=0\r\nSpinit=1\r\nErase=1\r\nAutoLength=1\r\nZoom=-1\r\ncontinueat=4200\r\ncontinue=1\r\n"
              "indikator=-1530\r\n[Registration]\r\nVersion=330\r\n");
    // What it wrote reads back as written, with a matching checksum.
    const PatternInput in = ReadPatternInput(profile, path);
    EXPECT_EQ(in.LinZahl, 312);
    EXPECT_EQ(in.EckenZahl, 399);
    EXPECT_EQ(in.Zoom, -1);
}

TEST(WriteIniSet, ExistingFileKeepsItsOtherSectionsAndKeys) {
    TempDir dir;
    const std::string path = dir.File("vireska.ini");
    TempDir::Write(path, "[Presets]\r\nSet0=a,\r\n[Vireska Settings]\r\nZoom=15\r\nMine=1\r\ncontinue=0\r\n[Registration]\r\nVersion=300\r\n[Z]\r\nz=1\r\n");
    PlatformProfile profile;
    DialogValues v = Dialog();
    v.Continue = false;
    EXPECT_EQ(WriteIniSet(profile, path, v), std::nullopt);
    EXPECT_EQ(TempDir::Read(path),
              "[Presets]\r\nSet0=a,\r\n[Vireska Settings]\r\nZoom=-1\r\nMine=1\r\ncontinue=0\r\nBoxIndex=3\r\nDelay=200\r\n"
              "msDelay=0\r\nLinZahl=312\r\nEckenZahl=399\r\nLinL\xe4nge=0\r\nSpinit=1\r\nErase=1\r\nAutoLength=1\r\n"
              "continueat=4200\r\nindikator=-1530\r\n[Registration]\r\nVersion=330\r\n[Z]\r\nz=1\r\n");
}

TEST(WriteIniSet, AFailedWriteIsReportedWithThePath) {
    TempDir dir;
    const std::string path = dir.File("missing-folder/vireska.ini");
    PlatformProfile profile;
    EXPECT_EQ(WriteIniSet(profile, path, Dialog()), "Kann nicht nach " + path + " schreiben");
    PlatformProfile p2;
    EXPECT_TRUE(WriteInteger(p2, dir.File("pos.ini"), kSettingsSection, "continueat", -42));
    EXPECT_EQ(TempDir::Read(dir.File("pos.ini")), "[Vireska Settings]\r\ncontinueat=-42\r\n");
}

}  // namespace
}  // namespace vireska
