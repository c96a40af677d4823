// Any file content: parsing, reading any key, writing and parsing the written
// form again must not fault, and a write must read back as written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The first line names a section and a key to look up and set.
    const size_t nl = bytes.find('\n');
    const std::string probe = bytes.substr(0, nl == std::string::npos ? 0 : nl);
    const size_t bar = probe.find('|');
    const std::string section = probe.substr(0, bar == std::string::npos ? probe.size() : bar);
    const std::string key = bar == std::string::npos ? "k" : probe.substr(bar + 1);

    vireska::IniDocument doc = vireska::IniDocument::Parse(bytes);
    (void)doc.Find(section, key);
    const std::string again = vireska::IniDocument::Parse(doc.Serialize()).Serialize();
    if (again != doc.Serialize()) __builtin_trap();  // the written form is stable

    const std::string name = vireska::TrimProfileSpace(key);
    const bool plainName = !name.empty() && name.find_first_of("=[\r\n") == std::string::npos &&
                           vireska::TrimProfileSpace(section).find_first_of("]\r\n") == std::string::npos;
    if (plainName && vireska::TrimProfileSpace(section).size() > 0 && name[0] != ';') {
        doc.Set(section, key, "value");
        const auto back = vireska::IniDocument::Parse(doc.Serialize()).Find(section, key);
        if (!back || *back != "value") __builtin_trap();
    }
    return 0;
}
