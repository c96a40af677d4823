#include "presets.h"

#include "settings_file.h"

namespace vireska {

const char kPresetListFull[] = "The preset list is full (101 presets): delete one before adding another";

// Delay, LinZahl, EckenZahl, LinLaenge, Spinit, Erase, AutoLength, msDelay, Zoom.
const FactoryPreset kFactoryPresets[37] = {
    {"All in One", {0, 200, 7, 25, 2, 1, 1, 15, 15}},
    {"Wind Shield Wiper", {0, 200, 1, 250, 1, 1, 1, 15, 15}},
    {"Dance for Two", {0, 200, 2, 250, 1, 1, 1, 15, 15}},
    {"The Sun", {0, 200, 15, 100, 2, 1, 0, 15, 15}},
    {"Chakra", {0, 20, 15, 200, 2, 1, 0, 15, 15}},
    {"Big Gong", {0, 312, 25, 10, 0, 1, 1, 15, 15}},
    {"Trinity", {0, 312, 3, 30, 0, 1, 0, 15, 15}},
    {"Universe", {0, 312, 12, 20, 1, 1, 1, 15, 15}},
    {"Mikado", {0, 15, 8, 200, 1, 1, 1, 20, 9}},
    {"Quarks", {0, 312, 1, 2, 1, 1, 0, 5, 15}},
    {"Large smooth Colors", {0, 312, 200, 2000, 0, 0, 0, 25, 15}},
    {"Peace", {0, 200, 15, 100, 0, 1, 0, 15, 15}},
    {"3D-Chross", {0, 5, 4, 200, 1, 1, 1, 15, 15}},
    {"Aquarium", {0, 400, 1, 50, 0, 1, 0, 15, 15}},
    {"Short Insights into Eternity", {0, 312, 100, 2000, 1, 0, 0, 25, 15}},
    {"Micro-Cosmos", {0, 20, 15, 200, 0, 0, 1, 25, 1}},
    {"Alice in Wonderland", {0, 20, 15, 270, 0, 1, 1, 25, -1}},
    {"I am falling", {0, 20, 15, 400, 0, 0, 0, 25, 0}},
    {"drunken", {0, 20, 15, 400, 1, 0, 0, 25, 0}},
    {"Laser-Show", {0, 1, 15, 400, 1, 1, 0, 5, 0}},
    {"Trilobit", {0, 312, 3, 120, 2, 1, 0, 15, 5}},
    {"Bizarre 5", {0, 312, 5, 120, 2, 1, 1, 15, 3}},
    {"Big Bang of a Black Hole", {0, 10, 100, 100, 2, 1, 1, 5, 15}},
    {"Cones between Mirrors", {0, 20, 1, 400, 0, 0, 0, 25, 0}},
    {"Eye Contact", {0, 20, 2, 400, 0, 0, 0, 25, 1}},
    {"Bended Time", {0, 20, 1, 400, 0, 0, 0, 25, 1}},
    {"Vinyl", {0, 312, 399, 0, 1, 1, 1, 5, 15}},
    {"Old Preset 1", {0, 200, 7, 25, 0, 1, 0, 15, 15}},
    {"Old Preset 2", {0, 200, 15, 100, 0, 1, 0, 15, 15}},
    {"Old Preset 3", {0, 20, 15, 200, 0, 1, 0, 25, 15}},
    {"Old Preset 4", {0, 200, 5, 200, 0, 1, 0, 15, 15}},
    {"Old Preset 5", {0, 312, 25, 10, 0, 1, 0, 15, 15}},
    {"Old Preset 6", {0, 312, 3, 30, 0, 1, 0, 15, 15}},
    {"Old Preset 7", {0, 312, 12, 20, 0, 1, 0, 15, 15}},
    {"Old Preset 8", {0, 312, 8, 4, 0, 1, 0, 15, 15}},
    {"Old Preset 9", {0, 400, 1, 50, 0, 1, 0, 15, 15}},
    {"Old Preset 10", {0, 312, 2, 600, 0, 1, 0, 15, 15}},
};

std::string PresetKey(int n) { return "Set" + std::to_string(n); }

std::string FormatPresetRecord(const std::string& name, const PresetValues& values) {
    std::string record = name + ",";
    for (int32_t v : values) record += std::to_string(v) + ",";
    return record;
}

std::string PresetName(const std::string& record) {
    const size_t comma = record.find(',');
    return comma == std::string::npos ? std::string() : record.substr(0, comma);
}

PresetPick ParsePresetRecord(const std::string& record) {
    PresetPick pick;
    const size_t first = record.find(',');
    if (first == std::string::npos) return pick;
    std::string field;
    int k = 1;
    // Text after the last comma is not a field; fields beyond the ninth are not applied.
    for (size_t i = first + 1; i < record.size() && k <= kPresetFields; ++i) {
        if (record[i] != ',') {
            field += record[i];
            continue;
        }
        const auto value = ParseIniInteger(field);
        if (!value) {
            pick.Error = "'" + field + "' ist kein g\xfcltiger Integerwert";
            return pick;
        }
        pick.Fields.emplace_back(k++, *value);
        field.clear();
    }
    return pick;
}

std::optional<std::string> PrepareNewIni(Profile& p, const std::string& path) {
    for (int i = 0; i < 37; ++i)
        if (!p.WriteString(path, kPresetsSection, PresetKey(i),
                           FormatPresetRecord(kFactoryPresets[i].Name, kFactoryPresets[i].Values)))
            return WriteErrorMessage(path);
    return std::nullopt;
}

void PresetList::Load(Profile& p, const std::string& path) {
    for (int n = 0; n < kPresetSlots; ++n) {
        Table[static_cast<size_t>(n)] = p.ReadString(path, kPresetsSection, PresetKey(n), "");
        if (Table[static_cast<size_t>(n)].empty()) break;
        // A load appends to the list; a reload empties it first (Clear).
        Names.push_back(PresetName(Table[static_cast<size_t>(n)]));
    }
}

void PresetList::Clear() {
    Names.clear();
    Selection.reset();
}

void PresetList::Select(std::optional<int> position) {
    Selection = (position && *position >= 0 && *position < Count()) ? position : std::nullopt;
}

std::optional<std::string> PresetList::Add(Profile& p, const std::string& path, const std::string& name,
                                           const PresetValues& values) {
    // Key number 101 would never be read again: refuse instead of losing the preset.
    if (Count() >= kPresetSlots) return std::string(kPresetListFull);
    const int n = Count();
    Names.push_back(name);
    Selection = n;
    Table[static_cast<size_t>(n)] = FormatPresetRecord(name, values);
    if (!p.WriteString(path, kPresetsSection, PresetKey(n), Table[static_cast<size_t>(n)]))
        return WriteErrorMessage(path);
    return std::nullopt;
}

std::optional<std::string> PresetList::Save(Profile& p, const std::string& path, const PresetValues& values) {
    if (!Selection) return std::nullopt;
    const int n = *Selection;
    Table[static_cast<size_t>(n)] = FormatPresetRecord(Names[static_cast<size_t>(n)], values);
    if (!p.WriteString(path, kPresetsSection, PresetKey(n), Table[static_cast<size_t>(n)]))
        return WriteErrorMessage(path);
    return std::nullopt;
}

std::optional<std::string> PresetList::Delete(Profile& p, const std::string& path) {
    if (!Selection) return std::nullopt;
    const int k = *Selection, count = Count();
    for (int j = k; j + 1 < count; ++j) Table[static_cast<size_t>(j)] = Table[static_cast<size_t>(j + 1)];
    Table[static_cast<size_t>(count - 1)].clear();
    Names.erase(Names.begin() + k);
    Selection.reset();
    // The whole list from key number 0; an empty value ends it.
    for (int j = 0; j < count; ++j)
        if (!p.WriteString(path, kPresetsSection, PresetKey(j), Table[static_cast<size_t>(j)]))
            return WriteErrorMessage(path);
    return std::nullopt;
}

}  // namespace vireska
