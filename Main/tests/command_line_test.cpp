#include <gtest/gtest.h>

#include "command_line.h"

namespace vireska {
namespace {

TEST(CommandLine, WordsAreSplitAtBlanksAndControlsAndQuotesGroup) {
    struct Case { const char* line; std::vector<std::string> want; } cases[] = {
        {"vireska.scr", {}},
        {"\"C:\\Program Files\\vireska.scr\" /s", {"/s"}},
        {"vireska.scr  /p\t1234 extra", {"/p", "1234", "extra"}},
        {"vireska.scr /c:\"12 34\"", {"/c:12 34"}},
        {"vireska.scr \"\" x", {"", "x"}},
        {"  x.scr\r\n/a\x01" "99", {"/a", "99"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.line), c.want) << c.line;
}

TEST(CommandLine, HandleArgumentsReadDecimalOrDollarHex) {
    struct Case { const char* text; int32_t want; } cases[] = {
        {"1234", 1234}, {"  77", 77}, {"-5", -5}, {"+8", 8}, {"$1F", 31}, {"$ff", 255}, {"$FFFFFFFF", -1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", 0}, {"$100000000", 0},
        {"0x1F", 0}, {"12a", 0}, {"", 0}, {"-", 0}, {"$", 0}, {"abc", 0}, {"1 ", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HandleArgument(c.text), c.want) << '"' << c.text << '"';
}

TEST(CommandLine, RolesFollowTheSwitchTable) {
    using M = RunMode;
    struct Case { std::vector<std::string> args; M mode; int32_t parent; bool caller, desktop; } cases[] = {
        {{}, M::Settings, 0, false, false},
        {{"/c"}, M::SettingsOwned, 0, true, false},
        {{"-C"}, M::SettingsOwned, 0, true, false},
        {{"/c:1234"}, M::SettingsOwned, 0, true, false},
        {{"xcq"}, M::SettingsOwned, 0, true, false},
        {{"C"}, M::FullScreen, 0, true, false},  // its only character is dropped
        {{"/"}, M::FullScreen, 0, true, false},
        {{""}, M::FullScreen, 0, true, false},
        {{"/s"}, M::FullScreen, 0, true, false},
        {{"/a", "4711"}, M::PasswordChange, 4711, false, false},
        {{"/a"}, M::FullScreen, 0, true, false},
        {{"/p"}, M::FullScreen, 0, true, false},
        {{"/p:1234"}, M::FullScreen, 0, true, false},
        {{"/p", "1234"}, M::Hosted, 1234, false, false},
        {{"/P", "1234"}, M::Hosted, 1234, false, false},
        {{"-p", "1234", "x"}, M::Hosted, 1234, false, false},
        {{"/p", "word"}, M::Hosted, 0, false, false},
        {{"/r"}, M::Hosted, 0, false, true},
        {{"-R", "55"}, M::Hosted, 0, false, true},
        {{"/rx"}, M::FullScreen, 0, true, false},
        {{"/\xe4"}, M::FullScreen, 0, true, false},  // only a to z change case
    };
    for (const auto& c : cases) {
        const StartRole r = ReadRole(c.args);
        std::string shown;
        for (const auto& a : c.args) shown += "[" + a + "]";
        EXPECT_EQ(r.Mode, c.mode) << shown;
        EXPECT_EQ(r.ParentWindow, c.parent) << shown;
        EXPECT_EQ(r.TakesCaller, c.caller) << shown;
        EXPECT_EQ(r.OnDesktop, c.desktop) << shown;
    }
}

}  // namespace
}  // namespace vireska
