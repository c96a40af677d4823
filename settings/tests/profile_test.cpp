// The profile rules, checked against the file-backed profile everywhere and,
// in the Windows build, against the platform's own service too, with the same
// expectations: the platform checks ours.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "file_profile.h"
#include "temp_dir.h"
#ifdef _WIN32
#include "win32_profile.h"
#endif

namespace vireska {
namespace {

using test::TempDir;

template <typename P>
class ProfileTest : public ::testing::Test {
protected:
    P profile;
    TempDir dir;
};

#ifdef _WIN32
using Profiles = ::testing::Types<FileProfile, Win32Profile>;
#else
using Profiles = ::testing::Types<FileProfile>;
#endif
TYPED_TEST_SUITE(ProfileTest, Profiles);

TYPED_TEST(ProfileTest, FirstWritesCreateTheFileInTheServicesLayout) {
    const std::string f = this->dir.File("new.ini");
    auto& p = this->profile;
    ASSERT_TRUE(p.WriteString(f, "Presets", "Set0", "All in One,0,200,7,25,2,1,1,15,15,"));
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "BoxIndex", "0"));
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "Lin\xe4nge", "25"));
    ASSERT_TRUE(p.WriteString(f, "vireska settings", "lin\xe4nge", "40"));  // same key: replaced in place
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "Zoom", "  -1"));     // leading blanks are not stored
    ASSERT_TRUE(p.WriteString(f, "Registration", "Version", "330"));
    ASSERT_TRUE(p.WriteString(f, "Registration", "Empty", ""));
    ASSERT_TRUE(p.WriteString(f, "Presets", "Set1", "b,"));  // new key: end of its section
    EXPECT_EQ(TempDir::Read(f),
              "[Presets]\r\nSet0=All in One,0,200,7,25,2,1,1,15,15,\r\nSet1=b,\r\n"
              "[Vireska Settings]\r\nBoxIndex=0\r\nLin\xe4nge=40\r\nZoom=-1\r\n"
              "[Registration]\r\nVersion=330\r\nEmpty=\r\n");
}

TYPED_TEST(ProfileTest, ReadsFollowTheServicesRules) {
    const std::string f = this->dir.File("read.ini");
    TempDir::Write(f,
                   "orphan=1\r\n"
                   "[Q]\r\n"
                   "  spaced  =  value with blanks  \r\n"
                   "dq=\"quoted\"\r\n"
                   "sq='single'\r\n"
                   "half=\"open\r\n"
                   "one=\"\r\n"
                   "empty=\r\n"
                   "noequals\r\n"
                   "dup=first\r\n"
                   "DUP=second\r\n"
                   "long=" + std::string(1500, 'x') + "\r\n"
                   "Lin\xe4nge=25\n"  // a bare LF ends a line too
                   "[bad header\r\n"
                   "\r\n"
                   "[q]\r\n"
                   "later=hidden\r\n");
    auto& p = this->profile;
    struct Case { const char* section; const char* key; const char* def; std::string want; } cases[] = {
        {"Q", "spaced", "d", "value with blanks"},
        {"q", "SPACED", "d", "value with blanks"},
        {" Q ", " spaced ", "d", "value with blanks"},
        {"Q", "dq", "d", "quoted"},
        {"Q", "sq", "d", "single"},
        {"Q", "half", "d", "\"open"},
        {"Q", "one", "d", "\""},
        {"Q", "empty", "d", ""},          // present but empty: not the default
        {"Q", "noequals", "d", "d"},      // a line without "=" holds no value
        {"Q", "dup", "d", "first"},
        {"Q", "long", "d", std::string(1023, 'x')},
        {"Q", "Lin\xe4nge", "d", "25"},
        {"Q", "[bad header", "d", "d"},
        {"Q", "later", "d", "d"},         // a second section of the same name is never read
        {"Q", "missing", "  dflt  ", "  dflt"},  // the default loses trailing blanks only
        {"Q", "missing", "\"qd\"", "qd"},
        {"Missing", "spaced", "d", "d"},
        {"", "orphan", "d", "1"},          // an empty section name reads the lines before any header
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.ReadString(f, c.section, c.key, c.def), c.want) << "[" << c.section << "] " << c.key;
    EXPECT_EQ(p.ReadString(this->dir.File("none.ini"), "Q", "k", "def"), "def");
}

TYPED_TEST(ProfileTest, WritesKeepTheRestOfAnExistingFile) {
    const std::string f = this->dir.File("keep.ini");
    const std::string original =
        "; a comment\r\n[Other]\r\nA = 1\r\n\r\nnoequals\r\n[Vireska Settings]\r\nZoom=15\r\nLinZahl=200\r\n\r\n[Tail]\r\nT=t\r\n";
    TempDir::Write(f, original);
    auto& p = this->profile;
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "Zoom", "15"));  // the same value: the file is left alone
    EXPECT_EQ(TempDir::Read(f), original);
    ASSERT_TRUE(p.WriteString(f, "VIRESKA SETTINGS", "zoom", "-3"));
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "continueat", "12345"));
    ASSERT_TRUE(p.WriteString(f, "Other", "noequals", "now"));
    ASSERT_TRUE(p.WriteString(f, "New", "K", "v"));
    EXPECT_EQ(TempDir::Read(f),
              "; a comment\r\n[Other]\r\nA=1\r\nnoequals=now\r\n"
              "[Vireska Settings]\r\nZoom=-3\r\nLinZahl=200\r\ncontinueat=12345\r\n"
              "[Tail]\r\nT=t\r\n[New]\r\nK=v\r\n");
}

TYPED_TEST(ProfileTest, AWriteThatCannotReachTheFileFails) {
    const std::string f = this->dir.File("no-such-folder/x.ini");
    EXPECT_FALSE(this->profile.WriteString(f, "S", "k", "v"));
    EXPECT_EQ(TempDir::Read(f), "");
    EXPECT_EQ(this->profile.ReadString(f, "S", "k", "def"), "def");
}

}  // namespace
}  // namespace vireska
