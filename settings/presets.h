// Named presets: the nine values the dialog edits, one record per key
// "Set0", "Set1", ... of section "Presets". Position i of the dialog's list,
// slot i of the table and key number i of the file describe the same preset.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "profile.h"

namespace vireska {

constexpr char kPresetsSection[] = "Presets";
constexpr int kPresetSlots = 101;  // key numbers 0 to 100
constexpr int kPresetFields = 9;   // field k belongs to the control "SpinEdit<k>"

// Values in field order: Delay, LinZahl, EckenZahl, LinLaenge, Spinit, Erase,
// AutoLength, msDelay, Zoom (SpinEdit1 to SpinEdit9).
using PresetValues = std::array<int32_t, kPresetFields>;

struct FactoryPreset {
    const char* Name;
    PresetValues Values;
};
extern const FactoryPreset kFactoryPresets[37];

std::string PresetKey(int n);
// "name,v1,...,v9," with every number followed by a comma.
std::string FormatPresetRecord(const std::string& name, const PresetValues& values);
// The text before the first comma (empty when there is none).
std::string PresetName(const std::string& record);

// What picking a record gives: the fields applied in order, and the
// conversion error that stopped it, if any.
struct PresetPick {
    std::vector<std::pair<int, int32_t>> Fields;  // (k, value), k from 1
    std::optional<std::string> Error;             // "'%s' ist kein gültiger Integerwert"
};
PresetPick ParsePresetRecord(const std::string& record);

// Writes the 37 factory records as Set0 to Set36. A failed write stops it.
std::optional<std::string> PrepareNewIni(Profile& p, const std::string& path);

// The dialog's table of records and the list of names shown for it.
class PresetList {
public:
    // Reads key number 0 onward up to the first missing or empty one (at most 101).
    void Load(Profile& p, const std::string& path);
    void Clear();

    int Count() const { return static_cast<int>(Names.size()); }
    const std::vector<std::string>& Entries() const { return Names; }
    const std::string& Record(int i) const { return Table[static_cast<size_t>(i)]; }
    std::optional<int> Selected() const { return Selection; }
    // Out-of-range positions leave nothing selected.
    void Select(std::optional<int> position);

    // Each returns the write error, if the file could not be written. Add on a
    // full list writes nothing and returns kPresetListFull; Save and Delete
    // with nothing selected do nothing.
    std::optional<std::string> Add(Profile& p, const std::string& path, const std::string& name,
                                   const PresetValues& values);
    std::optional<std::string> Save(Profile& p, const std::string& path, const PresetValues& values);
    std::optional<std::string> Delete(Profile& p, const std::string& path);

private:
    std::array<std::string, kPresetSlots> Table;
    std::vector<std::string> Names;
    std::optional<int> Selection;
};

extern const char kPresetListFull[];

}  // namespace vireska
