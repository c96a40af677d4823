// Any file content: parsing, reading any key, writing and parsing the written
// form again must not fault, and a write must read back as written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codepage.h"
#include "ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The first line names a section and a key to look up and set.
    const size_t nl = bytes.find('\n');
    const std::string probe = bytes.substr(0, nl == std::string::npos ? 0 : nl);
    const size_t bar = probe.find('|');
    const std::u16string section = vireska::AnsiToWide(probe.substr(0, bar == std::string::npos ? probe.size() : bar));
    const std::u16string key = vireska::AnsiToWide(bar == std::string::npos ? "k" : probe.substr(bar + 1));

    vireska::IniDocument doc = vireska::IniDocument::Parse(bytes);
    (void)doc.Find(section, key);
    // Writing and reading again settles within a few rounds: a round may drop
    // lines whose names a NUL cut short, or start the text with bytes that the
    // next read takes for a byte-order mark (once: after that the mark is written).
    std::string written = doc.Serialize();
    for (int round = 0; round < 4; ++round) written = vireska::IniDocument::Parse(written).Serialize();
    if (vireska::IniDocument::Parse(written).Serialize() != written) __builtin_trap();

    // A name written back must read back: one without line breaks, NULs, "="
    // or "[", not a comment; a new name keeps trailing blanks, which reading trims.
    const auto plain = [](const std::u16string& text, const char16_t* forbidden) {
        return text.find_first_of(forbidden) == std::u16string::npos && text.find(u'\0') == std::u16string::npos;
    };
    const std::u16string name = vireska::TrimProfileSpace(key), sectionName = vireska::TrimProfileSpace(section);
    const bool plainName = !name.empty() && name[0] != u';' && plain(key, u"=[\r\n") && plain(section, u"]\r\n");
    if (plainName && !sectionName.empty()) {
        // In the settled form (names trimmed, none cut short by a NUL).
        vireska::IniDocument settled = vireska::IniDocument::Parse(written);
        settled.Set(section, key, u"value");
        const vireska::IniDocument reread = vireska::IniDocument::Parse(settled.Serialize());
        const auto back = reread.Find(section, key);
        // (unless the rewritten text now starts like a byte-order mark)
        if (reread.Encoding() == settled.Encoding() && (!back || *back != u"value")) __builtin_trap();
    }
    return 0;
}
