// Whatever shape NameNumericTail and BSControl have in the registry, the page shows the right state,
// reports what it cannot read, writes nothing before OK, and OK leaves one binary 0 or nothing.
#include "page/PageFixture.h"

namespace page_tests {
namespace {

struct Shape {
    const char* name;
    std::uint32_t systemType;  // 0: no value at all
    std::vector<std::uint8_t> data;
    bool tailTicked;  // read as NameNumericTail
    bool tailError;
    bool bsControl;  // read as BSControl
    bool bsError;
};

std::vector<Shape> Shapes() {
    return {
        {"missing", 0, {}, false, false, true, false},
        {"text 0", 1, {'0', 0}, false, false, true, true},
        {"expandable text", 2, {'%', 'X', '%', 0}, false, false, true, true},
        {"32-bit 0", 4, {0, 0, 0, 0}, true, false, false, false},
        {"32-bit 1", 4, {1, 0, 0, 0}, false, false, true, false},
        {"32-bit 7", 4, {7, 0, 0, 0}, false, false, true, false},
        {"32-bit of 2 bytes", 4, {0, 0}, false, true, true, true},
        {"32-bit of 8 bytes", 4, std::vector<std::uint8_t>(8, 0), false, true, true, true},
        {"64-bit 0", 11, std::vector<std::uint8_t>(8, 0), false, false, true, true},
        {"binary 00", 3, {0}, true, false, true, true},
        {"binary 01", 3, {1}, false, false, true, true},
        {"binary empty", 3, {}, false, false, true, true},
        {"binary 2 bytes", 3, {0, 0}, false, true, true, true},
        {"binary 4 bytes", 3, {0, 0, 0, 0}, false, true, true, true},
        {"binary 4 KiB", 3, std::vector<std::uint8_t>(4096, 0), false, true, true, true},
        {"multi-string", 7, {'a', 0, 'b', 0, 0}, false, false, true, true},
    };
}

void Store(RootKey root, const char* path, const char* name, const Shape& shape) {
    switch (shape.systemType) {
        case 0:
            return;
        case 1:
            return SetValue(root, path, name, {DataType::Text, shape.data});
        case 2:
            return SetValue(root, path, name, {DataType::ExpandText, shape.data});
        case 3:
            return SetValue(root, path, name, {DataType::Binary, shape.data});
        case 4:
            return SetValue(root, path, name, {DataType::Integer, shape.data});
        default:
            return SetRawValue(root, path, name, shape.systemType, shape.data);
    }
}

size_t ErrorsNaming(const MessageBoxScript& boxes, const std::string& name) {
    size_t count = 0;
    for (const auto& text : boxes.Texts(MessageBoxKind::Error)) count += text.find(name) != std::string::npos;
    return count;
}

class RegistryShapes : public PageTest {
  protected:
    // After OK the value is one binary 0 when ticked and gone otherwise; never anything else.
    void ExpectApplied(TFormNamtail& page, const std::string& context) {
        boxes.Clear();
        Click(page, "HotSpeedButtonOK");
        EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty()) << context;
        if (page.cboAliasNamen().Checked()) {
            EXPECT_EQ(Tail(), Binary({0})) << context;
        } else {
            EXPECT_FALSE(Tail()) << context;
        }
    }
};

TEST_F(RegistryShapes, NameNumericTailOfEveryShapeIsReadSafelyAndReplacedOnlyByOk) {
    for (const auto& shape : Shapes()) {
        SetUp();
        Store(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail, shape);
        auto before = Tail();
        auto& page = Create();
        EXPECT_EQ(page.cboAliasNamen().Checked(), shape.tailTicked) << shape.name;
        EXPECT_EQ(ErrorsNaming(boxes, contract::kNameNumericTail), shape.tailError ? 1u : 0u) << shape.name;
        EXPECT_EQ(boxes.Texts(MessageBoxKind::Error).size(), shape.tailError ? 1u : 0u) << shape.name;
        EXPECT_EQ(Tail(), before) << shape.name << ": nothing written at creation";
        Click(page, "HotSpeedButtonUndo");
        page.Input().ClickControl(page.cboAliasNamen());
        page.Input().ClickControl(page.cboAliasNamen());
        EXPECT_EQ(Tail(), before) << shape.name << ": nothing written before OK";

        ExpectApplied(page, std::string(shape.name) + ", first OK");
        page.Input().ClickControl(page.cboAliasNamen());
        ExpectApplied(page, std::string(shape.name) + ", toggled");
        EXPECT_EQ(ModulSaveChanges(), 1);
        EXPECT_TRUE(!Tail() || *Tail() == Binary({0})) << shape.name << ": never the value 1";
    }
}

TEST_F(RegistryShapes, BSControlOfEveryShapeDecidesOrIsReportedAndCountsAsTrue) {
    for (const auto& shape : Shapes()) {
        SetUp();
        Store(RootKey::CurrentUser, contract::kSuiteKey, "BSControl", shape);
        SetTail(Binary({0}));
        auto& page = Create(kWindowsXP, 1);  // the page does not apply to the running edition
        EXPECT_EQ(page.FBSControl, shape.bsControl) << shape.name;
        EXPECT_EQ(TipState.Applicable, !shape.bsControl) << shape.name;
        EXPECT_EQ(page.cboAliasNamen().Enabled(), !shape.bsControl) << shape.name;
        EXPECT_EQ(page.cboAliasNamen().Checked(), !shape.bsControl) << shape.name;
        EXPECT_EQ(ErrorsNaming(boxes, "BSControl"), shape.bsError ? 1u : 0u) << shape.name;
        EXPECT_EQ(Tail(), Binary({0})) << shape.name;
    }
}

TEST_F(RegistryShapes, MissingFileSystemKeyReadsUntickedAndIsNeverCreated) {
    DeleteKeyTree(RootKey::LocalMachine, contract::kFileSystemKey);
    auto& page = Create();
    EXPECT_FALSE(page.cboAliasNamen().Checked());
    Click(page, "HotSpeedButtonOK");
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty()) << "no value is already the default";
    EXPECT_TRUE(TipState.Saved);

    page.Input().ClickControl(page.cboAliasNamen());
    Click(page, "HotSpeedButtonOK");
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error),
              std::vector<std::string>{"Failed to set data for 'NameNumericTail'"});
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << "not applied, so OK stays available";
    EXPECT_FALSE(KeyExists(RootKey::LocalMachine, contract::kFileSystemKey));
}

TEST_F(RegistryShapes, ReadOnlyKeyWithoutTheValueAppliesTheDefault) {
    SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, true);
    auto& page = Create();
    Click(page, "HotSpeedButtonOK");
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty());
    EXPECT_TRUE(TipState.Saved);
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
}

}  // namespace
}  // namespace page_tests
