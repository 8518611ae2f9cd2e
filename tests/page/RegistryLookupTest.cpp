// The Registry button: LastKey for the registry editor, then the editor started by the shell.
#include "help/QuandeoHelp.h"
#include "page/PageFixture.h"
#include "support/SystemRecorder.h"

namespace page_tests {
namespace {

const char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
const char kStartEditor[] = "launch null regedit.exe '' '' 5";

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
    std::optional<StoredValue> LastKey() { return GetValue(RootKey::CurrentUser, kRegeditKey, "LastKey"); }

    SystemRecorder system;
};

TEST_F(RegistryLookupTest, WritesTheTipsKeyThenStartsTheEditorOwnedByThePageEachTime) {
    auto& page = Create();
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(LastKey(), Text(GetHelpText(1, kHelpRegistryKey)));
    EXPECT_EQ(system.calls, std::vector<std::string>{kStartEditor});
    ASSERT_EQ(system.launchOwners.size(), 1u);
    EXPECT_EQ(system.launchOwners[0], page.Handle());

    SetValue(RootKey::CurrentUser, kRegeditKey, "LastKey", Text("HKEY_CURRENT_USER\\Elsewhere"));
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(LastKey(), Text(GetHelpText(1, kHelpRegistryKey)));
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

}  // namespace
}  // namespace page_tests
