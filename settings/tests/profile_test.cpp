// The profile rules, checked against the file-backed profile everywhere and,
// in the Windows build, against the platform's own service too, with the same
// expectations: the platform checks ours.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "LinL\xe4nge", "25"));
    ASSERT_TRUE(p.WriteString(f, "vireska settings", "linL\xe4nge", "40"));  // same key: replaced in place
    ASSERT_TRUE(p.WriteString(f, "Vireska Settings", "Zoom", "  -1"));     // leading blanks are not stored
    ASSERT_TRUE(p.WriteString(f, "Registration", "Version", "330"));
    ASSERT_TRUE(p.WriteString(f, "Registration", "Empty", ""));
    ASSERT_TRUE(p.WriteString(f, "Presets", "Set1", "b,"));  // new key: end of its section
    EXPECT_EQ(TempDir::Read(f),
              "[Presets]\r\nSet0=All in One,0,200,7,25,2,1,1,15,15,\r\nSet1=b,\r\n"
              "[Vireska Settings]\r\nBoxIndex=0\r\nLinL\xe4nge=40\r\nZoom=-1\r\n"
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
                   "LinL\xe4nge=25\n"  // a bare LF ends a line too
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
        {"Q", "LinL\xe4nge", "d", "25"},
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

// A file as other programs leave it: what reads give, and the bytes after one write.
struct FileCase {
    const char* name;
    std::string file;
    struct Read { const char* section; const char* key; std::string want; };
    std::vector<Read> reads;
    const char* writeSection;
    const char* writeKey;
    const char* writeValue;
    std::string after;  // the file's bytes after the write
};

// UTF-16 text, little or big endian, with its byte-order mark.
std::string Utf16(const std::u16string& text, bool little = true) {
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : text) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += little ? lo : hi;
        out += little ? hi : lo;
    }
    return out;
}

TYPED_TEST(ProfileTest, FilesOfOtherProgramsReadAndWriteAsTheServiceDoes) {
    const std::string quoted1023 = "\"" + std::string(1023, 'q') + "\"";
    const FileCase cases[] = {
        {"a lone CR ends a line", "[S]\rA=1\rB=2\r[T]\rC=3\r",
         {{"S", "A", "1"}, {"S", "B", "2"}, {"T", "C", "3"}},
         "S", "D", "4", "[S]\r\nA=1\r\nB=2\r\nD=4\r\n[T]\r\nC=3\r\n"},
        {"runs of CR and LF", "[S]\r\r\nA=1\r\r\r\nB=2\n\r", {{"S", "A", "1"}, {"S", "B", "2"}},
         "S", "A", "9", "[S]\r\nA=9\r\nB=2\r\n"},
        {"blanks inside the brackets", "[ Vireska Settings ]\r\nZoom=3\r\n[\tTab\t]\r\nK=1\r\n",
         {{"Vireska Settings", "Zoom", "3"}, {"Tab", "K", "1"}},
         "Vireska Settings", "continueat", "5", "[Vireska Settings]\r\nZoom=3\r\ncontinueat=5\r\n[Tab]\r\nK=1\r\n"},
        {"headers without a name lose their line", "[]\r\nA=1\r\n[ ]\r\nB=2\r\n[x]y]\r\nC=3\r\n[z\r\nD=4\r\n",
         {{"", "A", "<d>"}, {"x]y", "C", "3"}, {"x]y", "D", "4"}, {"x", "C", "<d>"}},
         "x]y", "E", "5", "A=1\r\nB=2\r\n[x]y]\r\nC=3\r\n[z\r\nD=4\r\nE=5\r\n"},
        {"UTF-16LE with its mark",
         Utf16(u"[Vireska Settings]\r\nLinL\u00e4nge=33\r\nName=\u00fc\u20ac\u4e2d\u0101\r\n"),
         {{"Vireska Settings", "LinL\xe4nge", "33"}, {"Vireska Settings", "Name", "\xfc\x80?a"}},
         "Vireska Settings", "LinL\xe4nge", "40",
         Utf16(u"[Vireska Settings]\r\nLinL\u00e4nge=40\r\nName=\u00fc\u20ac\u4e2d\u0101\r\n")},
        {"UTF-16LE: a new section", Utf16(u"[S]\r\nA=1\r\n"), {{"S", "A", "1"}},
         "New", "K\xe4", "\xfc", Utf16(u"[S]\r\nA=1\r\n[New]\r\nK\u00e4=\u00fc\r\n")},
        {"UTF-16BE with its mark", Utf16(u"[S]\r\nA=1\r\n", false), {{"S", "A", "1"}},
         "S", "B", "2", Utf16(u"[S]\r\nA=1\r\nB=2\r\n", false)},
        {"UTF-16 without a mark is not text", std::string("[\0S\0]\0\r\0\n\0A\0=\0001\0\r\0\n\0", 20),
         {{"S", "A", "<d>"}}, nullptr, nullptr, nullptr, ""},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[Vireska Settings]\r\nLinL\xC3\xA4nge=33\r\nEuro=\xE2\x82\xAC\r\n",
         {{"Vireska Settings", "LinL\xe4nge", "33"}, {"Vireska Settings", "Euro", "\x80"}},
         "Vireska Settings", "Zoom", "\xe4",
         "\xEF\xBB\xBF[Vireska Settings]\r\nLinL\xC3\xA4nge=33\r\nEuro=\xE2\x82\xAC\r\nZoom=\xC3\xA4\r\n"},
        {"ill-formed UTF-8", "\xEF\xBB\xBF[S]\r\nA=\xff\xe2\x41x\r\nB=\xed\xa0\x80\r\nC=\xf4\x90\x80\x80\r\nD=\xe2\x82",
         {{"S", "A", "??Ax"}, {"S", "B", "??"}, {"S", "C", "???"}, {"S", "D", "?"}},
         "S", "E", "1",
         "\xEF\xBB\xBF[S]\r\nA=\xEF\xBF\xBD\xEF\xBF\xBD" "Ax\r\nB=\xEF\xBF\xBD\xEF\xBF\xBD\r\n"
         "C=\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\r\nD=\xEF\xBF\xBD\r\nE=1\r\n"},
        {"NUL bytes end names and values",
         std::string("[S]\r\nA=x\0y\r\nB=2\r\nC\0D=3\r\n\0\r\n[T\0U]\r\nE=5\r\n", 39),
         {{"S", "A", "x"}, {"S", "B", "2"}, {"S", "C", "3"}, {"S", "CD", "<d>"}, {"T", "E", "5"}, {"TU", "E", "<d>"}},
         "S", "B", "9", "[S]\r\nA=x\r\nB=9\r\nC=3\r\n\r\n[T]\r\nE=5\r\n"},
        {"a NUL first on a line", std::string("\0[S]\r\nA=1\r\n", 11), {{"S", "A", "<d>"}},
         "S", "A", "2", "\r\nA=1\r\n[S]\r\nA=2\r\n"},
        {"a quoted value of 1023 characters", "[S]\r\nA=" + quoted1023 + "\r\nB=\"\"\r\nC=\"\r\n",
         {{"S", "A", std::string(1022, 'q')}, {"S", "B", ""}, {"S", "C", "\""}}, nullptr, nullptr, nullptr, ""},
        {"Windows-1252 bytes stay as they are", "[S]\r\nA=\x81\x8d\x8f\x90\x9d\x80\x98\r\n",
         {{"S", "A", "\x81\x8d\x8f\x90\x9d\x80\x98"}, {"S", "a", "\x81\x8d\x8f\x90\x9d\x80\x98"}},
         "S", "B", "\xe4\x81", "[S]\r\nA=\x81\x8d\x8f\x90\x9d\x80\x98\r\nB=\xe4\x81\r\n"},
        {"only A to Z fold", "[S]\r\nLinL\xe4nge=1\r\n\xe0=2\r\n", {{"s", "LINL\xe4NGE", "1"}, {"S", "LinL\xc4nge", "<d>"}, {"S", "\xc0", "<d>"}},
         nullptr, nullptr, nullptr, ""},
        {"names made by a write keep trailing blanks", "[S]\r\nA=1\r\n", {{"S", "A", "1"}},
         " New ", "  K  ", "\t v  ", "[S]\r\nA=1\r\n[New ]\r\nK  =v  \r\n"},
        {"an empty key name is a name like any other", "[S]\r\n=1\r\nA=2\r\n[T]\r\nB=3\r\n",
         {{"S", "", "1"}, {"S", "A", "2"}, {"T", "", "<d>"}},
         nullptr, nullptr, nullptr, ""},
    };
    auto& p = this->profile;
    for (const FileCase& c : cases) {
        const std::string f = this->dir.File("case.ini");
        TempDir::Write(f, c.file);
        for (const auto& r : c.reads)
            EXPECT_EQ(p.ReadString(f, r.section, r.key, "<d>"), r.want) << c.name << ": [" << r.section << "] " << r.key;
        if (c.writeKey) {
            ASSERT_TRUE(p.WriteString(f, c.writeSection, c.writeKey, c.writeValue)) << c.name;
            EXPECT_EQ(TempDir::Read(f), c.after) << c.name;
        }
        std::remove(f.c_str());
    }
}

TYPED_TEST(ProfileTest, DefaultsLoseTrailingSpacesButNotTheirFirstCharacter) {
    const std::string none = this->dir.File("none.ini");
    struct Case { const char* def; const char* want; } cases[] = {
        {" ", " "}, {"  ", " "}, {"  x  ", "  x"}, {"x\t", "x\t"}, {"\" \"", " "}, {"'d'", "d"}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(this->profile.ReadString(none, "S", "A", c.def), c.want) << '"' << c.def << '"';
}

TYPED_TEST(ProfileTest, AWriteThatCannotReachTheFileFails) {
    const std::string f = this->dir.File("no-such-folder/x.ini");
    EXPECT_FALSE(this->profile.WriteString(f, "S", "k", "v"));
    EXPECT_EQ(TempDir::Read(f), "");
    EXPECT_EQ(this->profile.ReadString(f, "S", "k", "def"), "def");
}

// A file held in memory follows the same rules as one on disk.
TEST(MemoryProfile, HoldsWhatAFileWouldHold) {
    TempDir dir;
    const std::string f = dir.File("m.ini");
    FileProfile file;
    MemoryProfile memory;
    struct Write { const char* section; const char* key; const char* value; } writes[] = {
        {"Presets", "Set0", "All in One,0,200,7,25,2,1,1,15,15,"}, {"Vireska Settings", "LinL\xe4nge", " 33"},
        {"vireska settings", "linl\xe4nge", "40"}, {"Registration", "Version", "330"}};
    for (const auto& w : writes) {
        ASSERT_TRUE(file.WriteString(f, w.section, w.key, w.value));
        ASSERT_TRUE(memory.WriteString(f, w.section, w.key, w.value));
    }
    EXPECT_EQ(memory.Contents().at(f), TempDir::Read(f));
    EXPECT_EQ(memory.ReadString(f, "Vireska Settings", "LinL\xe4nge", "d"), "40");
    EXPECT_EQ(memory.ReadString(f, "Vireska Settings", "Zoom", "d"), "d");
    EXPECT_EQ(memory.ReadString(dir.File("other.ini"), "Registration", "Version", "d"), "d");
}

}  // namespace
}  // namespace vireska
