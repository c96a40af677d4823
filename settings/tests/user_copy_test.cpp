// The per-user copy of the settings file, over the build's own profile service
// and file operations. A protected folder stands in for a Windows directory
// that a standard user may not write.
#include <gtest/gtest.h>

#include <string>

#include "platform_profile.h"
#include "settings_file.h"
#include "temp_dir.h"
#include "user_copy_profile.h"

namespace vireska {
namespace {

using test::TempDir;

// Refuses every write to a file under `folder` as access denied, as the
// system does for a standard user in the Windows directory.
class ProtectedFolder : public Profile {
public:
    ProtectedFolder(Profile& base, std::string folder) : Base(base), Folder(std::move(folder)) {}
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override {
        return Base.ReadString(path, section, key, def);
    }
    WriteResult Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) override {
        if (path.compare(0, Folder.size(), Folder) == 0) return WriteResult::Denied;
        return Base.Write(path, section, key, value);
    }

private:
    Profile& Base;
    std::string Folder;
};

class UserCopyTest : public ::testing::Test {
protected:
    UserCopyTest() : Windows(dir.File("windows")), Store(dir.File("users/me/VirtualStore")) {
        Files.MakeFoldersOf(Ini());
    }
    std::string Ini() const { return Windows + "/vireska.ini"; }
    std::string Copy() const { return UserCopyPath(Store, Ini()); }
    TempDir dir;
    std::string Windows, Store;
    PlatformProfile platform;
    PlatformFileOps Files;
};

TEST(UserCopyPathTest, IsTheStoreThenThePathWithoutItsDrive) {
    EXPECT_EQ(UserCopyPath("C:\\Users\\me\\AppData\\Local\\VirtualStore", "C:\\WINDOWS\\vireska.ini"),
              "C:\\Users\\me\\AppData\\Local\\VirtualStore\\WINDOWS\\vireska.ini");
    EXPECT_EQ(UserCopyPath("D:\\store", "E:vireska.ini"), "D:\\store\\vireska.ini");
    EXPECT_EQ(UserCopyPath("/home/me/store", "/var/w/vireska.ini"), "/home/me/store/var/w/vireska.ini");
}

TEST_F(UserCopyTest, WhileTheFolderTakesWritesTheyGoToTheFileAlone) {
    UserCopyProfile p(platform, Files, Store);
    ASSERT_TRUE(p.WriteString(Ini(), "Vireska Settings", "continueat", "42"));
    EXPECT_EQ(TempDir::Read(Ini()), "[Vireska Settings]\r\ncontinueat=42\r\n");
    EXPECT_FALSE(Files.Exists(Copy()));
}

TEST_F(UserCopyTest, ARefusedWriteCopiesTheFileToTheUserStoreAndGoesThere) {
    const std::string original = "[Vireska Settings]\r\nZoom=15\r\nLinZahl=312\r\n";
    TempDir::Write(Ini(), original);
    ProtectedFolder system(platform, Windows);
    UserCopyProfile p(system, Files, Store);
    ASSERT_TRUE(p.WriteString(Ini(), "Vireska Settings", "continueat", "42"));
    EXPECT_EQ(TempDir::Read(Ini()), original);
    EXPECT_EQ(TempDir::Read(Copy()), original + "continueat=42\r\n");
    // From now on the copy is the file: a change of the original is not seen.
    TempDir::Write(Ini(), "[Vireska Settings]\r\nLinZahl=7\r\n");
    EXPECT_EQ(p.ReadString(Ini(), "Vireska Settings", "LinZahl", ""), "312");
    EXPECT_EQ(p.ReadString(Ini(), "Vireska Settings", "continueat", ""), "42");
}

TEST_F(UserCopyTest, ARefusedWriteOfAMissingFileStartsTheUserCopy) {
    ProtectedFolder system(platform, Windows);
    UserCopyProfile p(system, Files, Store);
    ASSERT_TRUE(p.WriteString(Ini(), "Vireska Settings", "continueat", "42"));
    EXPECT_FALSE(Files.Exists(Ini()));
    EXPECT_EQ(TempDir::Read(Copy()), "[Vireska Settings]\r\ncontinueat=42\r\n");
}

TEST_F(UserCopyTest, AnExistingUserCopyServesEveryReadAndWrite) {
    TempDir::Write(Ini(), "[Vireska Settings]\r\nZoom=15\r\n");
    Files.MakeFoldersOf(Copy());
    TempDir::Write(Copy(), "[Vireska Settings]\r\nZoom=-3\r\n");
    UserCopyProfile p(platform, Files, Store);  // the folder would take the write
    EXPECT_EQ(ReadInteger(p, Ini(), kSettingsSection, "Zoom", 0), -3);
    ASSERT_TRUE(p.WriteString(Ini(), "Vireska Settings", "Zoom", "4"));
    EXPECT_EQ(TempDir::Read(Copy()), "[Vireska Settings]\r\nZoom=4\r\n");
    EXPECT_EQ(TempDir::Read(Ini()), "[Vireska Settings]\r\nZoom=15\r\n");
}

TEST_F(UserCopyTest, WhenTheUserStoreRefusesTooTheWriteErrorAppears) {
    TempDir::Write(Ini(), "[Vireska Settings]\r\nZoom=15\r\n");
    ProtectedFolder system(platform, dir.File(""));  // the Windows directory and the store
    UserCopyProfile p(system, Files, Store);
    EXPECT_EQ(p.Write(Ini(), "Vireska Settings", "Zoom", "4"), WriteResult::Denied);
    DialogValues values;
    EXPECT_EQ(WriteIniSet(p, Ini(), values), std::optional<std::string>("Kann nicht nach " + Ini() + " schreiben"));
    EXPECT_EQ(TempDir::Read(Ini()), "[Vireska Settings]\r\nZoom=15\r\n");
}

TEST_F(UserCopyTest, WithoutAStoreTheServiceAloneAnswers) {
    ProtectedFolder system(platform, Windows);
    UserCopyProfile p(system, Files, "");
    EXPECT_EQ(p.Write(Ini(), "Vireska Settings", "Zoom", "4"), WriteResult::Denied);
    EXPECT_EQ(p.ReadString(Ini(), "Vireska Settings", "Zoom", "d"), "d");
}

}  // namespace
}  // namespace vireska
