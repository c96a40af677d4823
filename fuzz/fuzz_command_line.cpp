// Any command line: the words it splits into and the role they give must stay
// defined, and only the roles that take a window handle from the second word
// may have one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const auto args = vireska::SplitArguments(line);
    for (const std::string& word : args) {
        if (word.find('"') != std::string::npos) __builtin_trap();  // quotes only group
        (void)vireska::HandleArgument(word);
    }
    const vireska::StartRole role = vireska::ReadRole(args);
    const auto mode = static_cast<int32_t>(role.Mode);
    if (mode < 1 || mode > 5) __builtin_trap();
    const bool takesHandle = role.Mode == vireska::RunMode::PasswordChange ||
                             (role.Mode == vireska::RunMode::Hosted && !role.OnDesktop);
    if (!takesHandle && role.ParentWindow != 0) __builtin_trap();
    if (takesHandle && (args.size() < 2 || role.ParentWindow != vireska::HandleArgument(args[1]))) __builtin_trap();
    if (role.TakesCaller != (role.Mode == vireska::RunMode::SettingsOwned || role.Mode == vireska::RunMode::FullScreen))
        __builtin_trap();
    return 0;
}
