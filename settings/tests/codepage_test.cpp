// The conversions of the profile service's text. A few fixed cases
// everywhere; in the Windows build every code unit and byte is compared with
// the platform's own MultiByteToWideChar and WideCharToMultiByte.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codepage.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace vireska {
namespace {

TEST(Codepage, Windows1252AndUtf8Examples) {
    EXPECT_EQ(AnsiToWide("LinL\xe4nge\x80\x81\x9f"), u"LinL\u00e4nge\u20ac\u0081\u0178");
    EXPECT_EQ(WideToAnsi(u"LinL\u00e4nge\u20ac\u0081\u0178"), "LinL\xe4nge\x80\x81\x9f");
    // Best fit where Windows has one, else a question mark; each half of a pair alone.
    EXPECT_EQ(WideToAnsi(u"\u0101\u0141\uff02\u4e2d\u2260\U0001F600"), "aL\"????");
    EXPECT_EQ(Utf8ToWide("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"), u"\u00e4\u20ac\U0001F600");
    EXPECT_EQ(WideToUtf8(u"\u00e4\u20ac\U0001F600"), "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
    struct Case { const char* bytes; std::u16string want; } bad[] = {
        {"\xff" "A", u"\ufffdA"},          // no lead byte
        {"\xe2\x41", u"\ufffd"},           // cut off by the end: one replacement for the rest
        {"\xe2\x41x", u"\ufffdAx"},        // the lead alone
        {"\xed\xa0\x80", u"\ufffd\ufffd"}, // a surrogate: lead and first continuation, then the last
        {"\xe0\x80\xaf", u"\ufffd\ufffd"}, // overlong
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd"},  // beyond U+10FFFF
        {"\xc0\xaf", u"\ufffd\ufffd"},
    };
    for (const auto& c : bad) EXPECT_EQ(Utf8ToWide(c.bytes), c.want) << c.bytes;
}

#ifdef _WIN32
std::u16string PlatformWide(UINT page, const std::string& bytes) {
    if (bytes.empty()) return u"";
    const int n = MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string PlatformBytes(UINT page, const std::u16string& wide) {
    if (wide.empty()) return "";
    const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
    const int n = WideCharToMultiByte(page, 0, w, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(page, 0, w, static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

TEST(Codepage, Windows1252AsThePlatformConvertsIt) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(AnsiToWide(byte), PlatformWide(1252, byte)) << b;
    }
    for (unsigned u = 1; u < 0x10000; ++u) {
        const std::u16string unit(1, static_cast<char16_t>(u));
        ASSERT_EQ(WideToAnsi(unit), PlatformBytes(1252, unit)) << std::hex << u;
    }
}

TEST(Codepage, Utf8AsThePlatformConvertsIt) {
    // Every text of one and two bytes, the edges of the longer forms, and random texts.
    std::vector<std::string> texts;
    for (int a = 0; a < 256; ++a) {
        texts.emplace_back(1, static_cast<char>(a));
        for (int b = 0; b < 256; ++b) texts.push_back({static_cast<char>(a), static_cast<char>(b)});
    }
    const unsigned char leads[] = {0xC2, 0xDF, 0xE0, 0xE1, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5};
    const unsigned char tails[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
    for (unsigned char l : leads)
        for (unsigned char t1 : tails)
            for (unsigned char t2 : tails)
                for (unsigned char t3 : tails) {
                    const std::string s{static_cast<char>(l), static_cast<char>(t1), static_cast<char>(t2),
                                        static_cast<char>(t3)};
                    texts.push_back(s);
                    texts.push_back(s.substr(0, 3));
                    texts.push_back(s + "x");
                }
    std::mt19937 random(12345);
    for (int i = 0; i < 20000; ++i) {
        std::string s(random() % 12, '\0');
        for (char& c : s) c = static_cast<char>(0x7C + random() % 0x84);  // mostly above 0x7F
        texts.push_back(s);
    }
    for (const std::string& t : texts) ASSERT_EQ(Utf8ToWide(t), PlatformWide(CP_UTF8, t)) << ::testing::PrintToString(t);

    for (unsigned u = 1; u < 0x10000; ++u) {
        const std::u16string unit(1, static_cast<char16_t>(u));
        ASSERT_EQ(WideToUtf8(unit), PlatformBytes(CP_UTF8, unit)) << std::hex << u;
    }
    for (const std::u16string& pair : {std::u16string(u"\xD83D\xDE00"), std::u16string(u"\xDE00\xD83D"),
                                       std::u16string(u"\xD83Dx"), std::u16string(u"x\xDE00")})
        EXPECT_EQ(WideToUtf8(pair), PlatformBytes(CP_UTF8, pair));
}
#endif

}  // namespace
}  // namespace vireska
