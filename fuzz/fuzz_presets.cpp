// Any settings file as the preset list: loading the list and picking each of
// its records, and picking the file's text taken as one record, must stay
// defined, keep at most 101 entries and apply fields 1 to 9 in order.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "file_profile.h"
#include "presets.h"

namespace {

void CheckPick(const std::string& record) {
    const vireska::PresetPick pick = vireska::ParsePresetRecord(record);
    int expected = 1;
    for (const auto& [k, value] : pick.Fields) {
        (void)value;
        if (k != expected++ || k > vireska::kPresetFields) __builtin_trap();
    }
    if (pick.Error && pick.Error->find("ist kein g\xfcltiger Integerwert") == std::string::npos) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckPick(bytes);

    static const std::string path = "/tmp/vireska-fuzz-presets-" + std::to_string(getpid()) + ".ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    vireska::FileProfile profile;
    vireska::PresetList list;
    list.Load(profile, path);
    if (list.Count() > vireska::kPresetSlots) __builtin_trap();
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Entries()[static_cast<size_t>(i)] != vireska::PresetName(list.Record(i))) __builtin_trap();
        CheckPick(list.Record(i));
    }
    std::remove(path.c_str());
    return 0;
}
