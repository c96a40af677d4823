#include "command_line.h"

namespace vireska {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::vector<std::string> SplitArguments(const std::string& commandLine) {
    std::vector<std::string> words;
    size_t i = 0;
    bool first = true;
    while (true) {
        while (i < commandLine.size() && IsSeparator(commandLine[i])) ++i;
        if (i >= commandLine.size()) break;
        std::string word;
        bool quoted = false;
        for (; i < commandLine.size() && (quoted || !IsSeparator(commandLine[i])); ++i) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                word += commandLine[i];
        }
        if (!first) words.push_back(word);
        first = false;  // the first word is the program name
    }
    return words;
}

int32_t HandleArgument(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size()) return 0;
    int64_t value = 0;
    if (text[i] == '$') {
        if (++i >= text.size()) return 0;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            int digit;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else return 0;
            value = value * 16 + digit;
            if (value > 0xFFFFFFFFll) return 0;
        }
        // Eight hexadecimal digits fill 32 bits: $FFFFFFFF is -1.
        const auto bits = static_cast<uint32_t>(value);
        return static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648ll) return 0;
    }
    if (negative) value = -value;
    if (value > 2147483647ll) return 0;
    return static_cast<int32_t>(value);
}

StartRole ReadRole(const std::vector<std::string>& args) {
    StartRole role;
    if (args.empty()) return role;  // Settings
    // The switch: a to z in capitals, first character dropped, whatever it is.
    std::string sw = args[0].size() > 1 ? args[0].substr(1) : std::string();
    for (char& c : sw)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!sw.empty() && sw[0] == 'C') {
        role.Mode = RunMode::SettingsOwned;
        role.TakesCaller = true;
    } else if (sw == "A" && args.size() >= 2) {
        role.Mode = RunMode::PasswordChange;
        role.ParentWindow = HandleArgument(args[1]);
    } else if (sw == "P" && args.size() >= 2) {
        role.Mode = RunMode::Hosted;
        role.ParentWindow = HandleArgument(args[1]);
    } else if (sw != "R") {
        role.Mode = RunMode::FullScreen;
        role.TakesCaller = true;
    } else {
        role.Mode = RunMode::Hosted;
        role.OnDesktop = true;
    }
    return role;
}

}  // namespace vireska
