// The alias-name page's box and the stored value through the module's entry points, on the backend
// of this build: what is read, what OK writes or deletes, Undo, and a key the user may only read.
#include "page/PageFixture.h"

namespace page_tests {
namespace {

struct ReadCase {
    const char* name;
    std::optional<StoredValue> stored;
    bool ticked;
};

TEST_F(PageTest, BoxReflectsTheStoredValueByTypeAndContent) {
    const ReadCase cases[] = {
        {"binary 00", Binary({0}), true},    {"binary 01", Binary({1}), false},
        {"integer 0", Integer(0), true},     {"integer 1", Integer(1), false},
        {"text 0", Text("0"), false},        {"missing", std::nullopt, false},
        {"empty binary", Binary({}), false},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.stored) SetTail(*c.stored);
        auto& page = Create();
        EXPECT_EQ(page.cboAliasNamen().Checked(), c.ticked) << c.name;
        EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << c.name;
        EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty()) << c.name;
        if (c.stored) {
            EXPECT_EQ(Tail()->data, c.stored->data) << c.name << ": nothing written before OK";
        }
    }
}

TEST_F(PageTest, LongBinaryValueIsReportedAndLeavesTheBoxUnticked) {
    SetTail(Binary({0, 0}));
    auto& page = Create();
    EXPECT_FALSE(page.cboAliasNamen().Checked());
    auto errors = boxes.Texts(MessageBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("NameNumericTail"), std::string::npos);
    EXPECT_TRUE(page.Visible()) << "the window is still created and shown";
}

TEST_F(PageTest, OkWritesOneBinaryZeroOrDeletesAndNeverWritesOne) {
    SetTail(Integer(0));
    auto& page = Create();
    Click(page, "HotSpeedButtonOK");
    EXPECT_EQ(Tail()->type, DataType::Binary);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0}) << "integer 0 becomes one binary byte 0";
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    EXPECT_TRUE(TipState.Saved);

    page.Input().ClickControl(page.cboAliasNamen());  // untick
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << "a change enables OK again";
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Tail()) << "unticked deletes";
    page.Input().ClickControl(page.cboAliasNamen());
    page.Input().ClickControl(page.cboAliasNamen());
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Tail()) << "deleting a missing value succeeds";
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty());
}

TEST_F(PageTest, OkOnAFreshPageAppliesTheBoxAsRead) {
    SetTail(Binary({1}));
    Create();
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_FALSE(Tail()) << "binary 01 reads unticked and is deleted";
    SetTail(Binary({0}));
    auto& page = Create();
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0});
    EXPECT_EQ(ModulSaveChanges(), 1) << "runs again after an earlier OK";
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
}

TEST_F(PageTest, UndoUnticksAndMarksDefaultsForTheRestOfTheLoad) {
    SetTail(Binary({0}));
    auto& page = Create();
    EXPECT_EQ(ModulNr(), 2);
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    Click(page, "HotSpeedButtonUndo");
    EXPECT_FALSE(page.cboAliasNamen().Checked());
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << "unticking enabled OK";
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0}) << "nothing written until OK";
    EXPECT_EQ(ModulNr(), 1);
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Tail());

    Click(page, "HotSpeedButtonUndo");  // on an unticked box: no control changes
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    auto& again = Create();
    again.Input().ClickControl(again.cboAliasNamen());
    Click(again, "HotSpeedButtonOK");
    EXPECT_EQ(ModulNr(), 1) << "even for a later page with the box ticked";
    EXPECT_EQ(ModulChanged(), 0) << "nothing in this module sets Modified";
}

TEST_F(PageTest, ReadOnlyKeyShowsTheTrueStateAndRefusedChangesAreErrors) {
    SetTail(Binary({0}));
    SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, true);
    auto& page = Create();
    EXPECT_TRUE(page.cboAliasNamen().Checked()) << "read with read access only";

    page.Input().ClickControl(page.cboAliasNamen());
    Click(page, "HotSpeedButtonOK");
    auto errors = boxes.Texts(MessageBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u) << "a refused deletion is a failed write";
    EXPECT_NE(errors[0].find("NameNumericTail"), std::string::npos);
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled());
    EXPECT_FALSE(TipState.Saved);

    EXPECT_EQ(ModulSaveChanges(), 0) << "the error is shown, not thrown at the host";
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error).size(), 2u);
    EXPECT_FALSE(TipState.Saved);
    SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, false);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0});
}

}  // namespace
}  // namespace page_tests
