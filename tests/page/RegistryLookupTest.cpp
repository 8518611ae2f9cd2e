// The Registry button: LastKey for the registry editor, then the editor started by the shell.
#include "page/PageFixture.h"
#include "support/Contract.h"
#include "support/SystemRecorder.h"

namespace page_tests {
namespace {

using contract::kRegeditKey;

// The editor by its full path in the Windows directory; no verb, empty parameters and directory, shown.
std::string StartEditor(const std::string& windowsDirectory) {
    return "launch null " + windowsDirectory + "\\regedit.exe '' '' 5";
}

class RegistryLookupTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        SetKeyReadOnly(RootKey::CurrentUser, kRegeditKey, false);
        DeleteKeyTree(RootKey::CurrentUser, kRegeditKey);
    }
    void TearDown() override {
        SetKeyReadOnly(RootKey::CurrentUser, kRegeditKey, false);
        PageTest::TearDown();
    }
    std::optional<StoredValue> LastKey() {
        return GetValue(RootKey::CurrentUser, kRegeditKey, contract::kLastKey);
    }

    SystemRecorder system;
    const std::string kStartEditor = StartEditor(UseWindowsDirectory("D:\\Windows NT"));
};

TEST_F(RegistryLookupTest, WritesTheTipsKeyThenStartsTheEditorOwnedByThePageEachTime) {
    auto& page = Create();
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(LastKey(), Text(contract::kHelpKeyPath));
    EXPECT_EQ(system.calls, std::vector<std::string>{kStartEditor});
    ASSERT_EQ(system.launchOwners.size(), 1u);
    EXPECT_EQ(system.launchOwners[0], page.Handle());

    SetValue(RootKey::CurrentUser, kRegeditKey, contract::kLastKey, Text("HKEY_CURRENT_USER\\Elsewhere"));
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(LastKey(), Text(contract::kHelpKeyPath));
    EXPECT_EQ(system.calls, (std::vector<std::string>{kStartEditor, kStartEditor}));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(RegistryLookupTest, WorksOnADisabledPageAndWritesEmptyForAHelpIdWithoutKey) {
    auto& page = Create(kWindowsXP, 1, 1, 999);
    ASSERT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(LastKey(), Text(""));
    EXPECT_EQ(system.calls, std::vector<std::string>{kStartEditor});
}

TEST_F(RegistryLookupTest, FailedWriteIsReportedAndStartsNothing) {
    CreateKey(RootKey::CurrentUser, kRegeditKey);
    SetKeyReadOnly(RootKey::CurrentUser, kRegeditKey, true);
    auto& page = Create();
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error),
              std::vector<std::string>{"Failed to set data for 'LastKey'"});
    EXPECT_TRUE(system.calls.empty());
    EXPECT_FALSE(LastKey());
}

#ifndef _WIN32
TEST_F(RegistryLookupTest, EditorPathJoinsARootDirectoryOnceAndAnUnknownOneStartsNothing) {
    auto& page = Create();
    UseWindowsDirectory("C:\\");
    Click(page, "HotSpeedButtonRegistry");
    UseWindowsDirectory("");
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(system.calls, std::vector<std::string>{"launch null C:\\regedit.exe '' '' 5"});
    EXPECT_EQ(LastKey(), Text(contract::kHelpKeyPath)) << "LastKey is written all the same";
}
#endif

}  // namespace
}  // namespace page_tests
