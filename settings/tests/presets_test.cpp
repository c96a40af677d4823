#include <gtest/gtest.h>

#include <string>

#include "platform_profile.h"
#include "presets.h"
#include "settings_file.h"
#include "temp_dir.h"

namespace vireska {
namespace {

using test::TempDir;

// The setting each record field stands for, in field order.
constexpr SettingId kFieldSetting[kPresetFields] = {kDelay, kLinZahl, kEckenZahl, kLinLaenge, kSpinit,
                                                    kErase, kAutoLength, kMsDelay, kZoom};

class PresetsTest : public ::testing::Test {
protected:
    std::string Key(int n) { return profile.ReadString(path, kPresetsSection, PresetKey(n), "<missing>"); }
    PresetList Reloaded() {
        PresetList list;
        list.Load(profile, path);
        return list;
    }
    TempDir dir;
    std::string path = dir.File("vireska.ini");
    PlatformProfile profile;
};

TEST_F(PresetsTest, FactoryPresetsAreWrittenAsSet0ToSet36WithinTheDialogsRanges) {
    ASSERT_EQ(PrepareNewIni(profile, path), std::nullopt);
    EXPECT_EQ(Key(0), "All in One,0,200,7,25,2,1,1,15,15,");
    EXPECT_EQ(Key(16), "Alice in Wonderland,0,20,15,270,0,1,1,25,-1,");
    EXPECT_EQ(Key(26), "Vinyl,0,312,399,0,1,1,1,5,15,");
    EXPECT_EQ(Key(36), "Old Preset 10,0,312,2,600,0,1,0,15,15,");
    EXPECT_EQ(Key(37), "<missing>");
    const PresetList list = Reloaded();
    ASSERT_EQ(list.Count(), 37);
    for (int i = 0; i < 37; ++i) {
        EXPECT_EQ(list.Entries()[static_cast<size_t>(i)], kFactoryPresets[i].Name);
        for (int k = 0; k < kPresetFields; ++k) {
            const SettingKey& s = kSettingKeys[kFieldSetting[k]];
            const int32_t v = kFactoryPresets[i].Values[static_cast<size_t>(k)];
            if (s.Min != s.Max) {
                EXPECT_TRUE(v >= s.Min && v <= s.Max) << kFactoryPresets[i].Name << " field " << k + 1;
            }
        }
    }
}

TEST_F(PresetsTest, AListOfAnotherProgramLoadsWithItsOwnPresets) {
    PresetList list;
    list.Load(profile, test::FixturePath("vireska-other-program.ini"));
    ASSERT_EQ(list.Count(), 38);
    EXPECT_EQ(list.Entries()[16], "Alice in Wonderland");
    EXPECT_EQ(list.Entries()[37], "Kleine Sch\xe4rfe");
    const PresetPick pick = ParsePresetRecord(list.Record(37));
    EXPECT_EQ(pick.Fields, (std::vector<std::pair<int, int32_t>>{
                               {1, 0}, {2, 90}, {3, 9}, {4, 33}, {5, 1}, {6, 1}, {7, 1}, {8, 200}, {9, 12}}));
    EXPECT_EQ(pick.Error, std::nullopt);
}

TEST_F(PresetsTest, PickingARecordAppliesItsFieldsInOrder) {
    struct Case { const char* record; std::vector<std::pair<int, int32_t>> fields; std::optional<std::string> error; } cases[] = {
        {"Alice in Wonderland,0,20,15,270,0,1,1,25,-1,",
         {{1, 0}, {2, 20}, {3, 15}, {4, 270}, {5, 0}, {6, 1}, {7, 1}, {8, 25}, {9, -1}}, std::nullopt},
        {"no trailing comma,1,2,3,4,5,6,7,8,9", {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}}, std::nullopt},
        {"short,5,6,", {{1, 5}, {2, 6}}, std::nullopt},
        {"long,1,2,3,4,5,6,7,8,9,10,11,", {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}}, std::nullopt},
        {"a,b,0,200,7,25,2,1,1,5,15,", {}, std::string("'b' ist kein g\xfcltiger Integerwert")},
        {"gap,1,,3,", {{1, 1}}, std::string("'' ist kein g\xfcltiger Integerwert")},
        {"no comma at all", {}, std::nullopt},
        {"hex,$1F,", {{1, 31}}, std::nullopt},
    };
    for (const auto& c : cases) {
        const PresetPick pick = ParsePresetRecord(c.record);
        EXPECT_EQ(pick.Fields, c.fields) << c.record;
        EXPECT_EQ(pick.Error, c.error) << c.record;
    }
}

TEST_F(PresetsTest, LoadStopsAtTheFirstMissingOrEmptyKey) {
    TempDir::Write(path, "[Presets]\r\nSet0=first,\r\nSet1=noname\r\nSet2=third,1,\r\nSet3=\r\nSet4=hidden,\r\n");
    const PresetList list = Reloaded();
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"first", "", "third"}));
    EXPECT_EQ(list.Record(2), "third,1,");
}

TEST_F(PresetsTest, AddSaveAndDeleteKeepListTableAndKeysTogether) {
    ASSERT_EQ(PrepareNewIni(profile, path), std::nullopt);
    PresetList list = Reloaded();
    const PresetValues defaults{0, 200, 7, 25, 2, 1, 1, 5, 15};
    ASSERT_EQ(list.Add(profile, path, "Test", defaults), std::nullopt);
    EXPECT_EQ(Key(37), "Test,0,200,7,25,2,1,1,5,15,");
    EXPECT_EQ(list.Selected(), std::optional<int>(37));

    list.Select(3);
    ASSERT_EQ(list.Save(profile, path, PresetValues{1, 2, 3, 4, 0, 1, 0, 6, -7}), std::nullopt);
    EXPECT_EQ(Key(3), "The Sun,1,2,3,4,0,1,0,6,-7,");

    list.Select(0);
    ASSERT_EQ(list.Delete(profile, path), std::nullopt);
    EXPECT_EQ(list.Selected(), std::nullopt);
    EXPECT_EQ(Key(0), "Wind Shield Wiper,0,200,1,250,1,1,1,15,15,");
    EXPECT_EQ(Key(36), "Test,0,200,7,25,2,1,1,5,15,");
    EXPECT_EQ(Key(37), "");  // the empty value that ends the list
    EXPECT_EQ(Reloaded().Count(), 37);

    // Nothing selected: Save and Delete do nothing.
    const std::string before = TempDir::Read(path);
    EXPECT_EQ(list.Save(profile, path, defaults), std::nullopt);
    EXPECT_EQ(list.Delete(profile, path), std::nullopt);
    EXPECT_EQ(TempDir::Read(path), before);
    EXPECT_EQ(list.Count(), 37);
}

TEST_F(PresetsTest, AFullListRefusesAnAddAndWritesNothing) {
    PresetList list;
    for (int i = 0; i < kPresetSlots; ++i) ASSERT_EQ(list.Add(profile, path, "p" + std::to_string(i), {}), std::nullopt);
    const std::string before = TempDir::Read(path);
    EXPECT_EQ(list.Add(profile, path, "one too many", {}), std::optional<std::string>(kPresetListFull));
    EXPECT_EQ(list.Count(), kPresetSlots);
    EXPECT_EQ(TempDir::Read(path), before);
    EXPECT_EQ(Reloaded().Count(), kPresetSlots);
}

TEST_F(PresetsTest, RestoreRewritesTheFirst37AndKeepsLaterEntries) {
    ASSERT_EQ(PrepareNewIni(profile, path), std::nullopt);
    PresetList list = Reloaded();
    for (const char* name : {"x", "y", "z"}) ASSERT_EQ(list.Add(profile, path, name, {}), std::nullopt);
    list.Select(5);
    ASSERT_EQ(list.Save(profile, path, PresetValues{}), std::nullopt);
    ASSERT_EQ(PrepareNewIni(profile, path), std::nullopt);
    const PresetList restored = Reloaded();
    ASSERT_EQ(restored.Count(), 40);
    EXPECT_EQ(restored.Record(5), "Big Gong,0,312,25,10,0,1,1,15,15,");
    EXPECT_EQ(restored.Entries()[37], "x");
    EXPECT_EQ(restored.Entries()[39], "z");
}

TEST_F(PresetsTest, RestoreAfterDeletingTenShowsThe37Again) {
    ASSERT_EQ(PrepareNewIni(profile, path), std::nullopt);
    PresetList list = Reloaded();
    for (int i = 0; i < 10; ++i) {
        list.Select(0);
        ASSERT_EQ(list.Delete(profile, path), std::nullopt);
    }
    EXPECT_EQ(Reloaded().Count(), 27);
    ASSERT_EQ(PrepareNewIni(profile, path), std::nullopt);
    EXPECT_EQ(Reloaded().Count(), 37);
}

TEST_F(PresetsTest, AFailedWriteIsReported) {
    const std::string bad = dir.File("missing/vireska.ini");
    PresetList list;
    EXPECT_EQ(PrepareNewIni(profile, bad), WriteErrorMessage(bad));
    EXPECT_EQ(list.Add(profile, bad, "n", {}), WriteErrorMessage(bad));
    EXPECT_EQ(list.Count(), 1) << "the list shows the change although the file lacks it";
}

}  // namespace
}  // namespace vireska
