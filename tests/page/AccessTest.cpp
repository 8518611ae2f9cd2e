// Keyboard and screen-reader access in the portable model: which control takes the focus, which key
// is the access key, and the parts a screen reader sees in place of the windowless image buttons.
#include "page/PageFixture.h"
#include "support/Contract.h"

namespace page_tests {
namespace {

using contract::kEnglish;
using contract::kGerman;

Rect DesignBounds(const char* name) {
    for (const auto& p : contract::kPlacements)
        if (std::string(p.name) == name) return {p.left, p.top, p.width, p.height};
    throw std::runtime_error(name);
}

TEST_F(PageTest, CheckboxTakesTheFocusWhenShownAndKeepsItOnTab) {
    auto& page = Create();
    EXPECT_EQ(page.Input().FocusedControl(), &page.cboAliasNamen()) << "the only tab stop";
    page.Input().FocusNextTabStop(false);
    EXPECT_EQ(page.Input().FocusedControl(), &page.cboAliasNamen());
    page.Input().FocusNextTabStop(true);
    EXPECT_EQ(page.Input().FocusedControl(), &page.cboAliasNamen());

    auto& inapplicable = Create(contract::kWindowsXP, 1);
    EXPECT_EQ(inapplicable.Input().FocusedControl(), nullptr)
        << "a disabled checkbox leaves the focus on the window";
    inapplicable.Input().FocusNextTabStop(false);
    EXPECT_EQ(inapplicable.Input().FocusedControl(), nullptr);
}

TEST_F(PageTest, AccessKeyFollowsTheCaptionOfTheLanguageAndClicksLikeThePointer) {
    for (const auto* texts : {&kEnglish, &kGerman}) {
        SetUp();
        auto& page = Create(contract::kWindowsXP, contract::kWindowsXPBit, texts == &kEnglish ? 1 : 2);
        int other = texts == &kEnglish ? kGerman.accessKey : kEnglish.accessKey;
        Click(page, "HotSpeedButtonOK");
        ASSERT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());

        EXPECT_FALSE(page.Input().AccessKeyDown(other)) << texts->checkBox;
        EXPECT_FALSE(page.cboAliasNamen().Checked());
        EXPECT_TRUE(page.Input().AccessKeyDown(texts->accessKey)) << texts->checkBox;
        EXPECT_TRUE(page.cboAliasNamen().Checked());
        EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << "its click handler ran";
        EXPECT_TRUE(page.Input().AccessKeyDown(texts->accessKey));
        EXPECT_FALSE(page.cboAliasNamen().Checked());
    }
    auto& inapplicable = Create(contract::kWindowsXP, 1, 2);
    EXPECT_FALSE(inapplicable.Input().AccessKeyDown(kGerman.accessKey));
    EXPECT_FALSE(inapplicable.cboAliasNamen().Checked()) << "a disabled checkbox does nothing";
}

TEST_F(PageTest, ImageButtonsAreNamedPushButtonsInEveryLanguage) {
    auto before = Form::Create<TFormNamtail>();  // the language is not applied yet
    auto parts = before->Input().AccessibleParts();
    ASSERT_EQ(parts.size(), 4u);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i].name, contract::kPlacements[i].fallbackName);
        EXPECT_EQ(parts[i].role, AccessibleRole::PushButton);
        EXPECT_EQ(parts[i].defaultAction, "Press");
        EXPECT_EQ(parts[i].bounds, DesignBounds(contract::kImageButtons[i]));
    }
    before.reset();

    for (const auto* texts : {&kEnglish, &kGerman}) {
        auto& page = Create(contract::kWindowsXP, contract::kWindowsXPBit, texts == &kEnglish ? 1 : 0);
        std::vector<std::string> names;
        for (const auto& part : page.Input().AccessibleParts()) names.emplace_back(part.name);
        EXPECT_EQ(names, (std::vector<std::string>{texts->okHint, texts->undoHint, texts->infoHint,
                                                   texts->registryHint}));
    }
}

TEST_F(PageTest, AccessiblePartsFollowAnchorsAndShowWhatIsUnavailable) {
    auto& page = Create(contract::kWindowsXP, 1);  // does not apply: OK and Undo are disabled
    page.SetWidth(page.Width() + 40);
    page.SetHeight(page.Height() + 30);
    auto parts = page.Input().AccessibleParts();
    ASSERT_EQ(parts.size(), 4u);
    const int grown = page.ClientSize().width - contract::kClientWidth;
    const int shift[] = {0, 0, grown, grown};  // OK and Undo keep to the left, Info and Registry right
    const int client = page.ClientSize().height;
    for (std::size_t i = 0; i < 4; ++i) {
        Rect design = DesignBounds(contract::kImageButtons[i]);
        EXPECT_EQ(parts[i].bounds.left, design.left + shift[i]) << i;
        EXPECT_EQ(parts[i].bounds.Bottom(), client - 9) << "9 pixels above the bottom, " << i;
        EXPECT_EQ(parts[i].unavailable, i < 2) << i;
    }
    EXPECT_FALSE(page.Input().DoDefaultAction(*parts[0].control)) << "a disabled OK does nothing";
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(TipState.Saved);
    EXPECT_TRUE(page.Input().DoDefaultAction(*parts[2].control)) << "Info works on any page";
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain).size(), 1u);
}

TEST_F(PageTest, DefaultActionOfOkRunsTheWholeOkAction) {
    auto listener = Listener::Make();
    auto& page = Create();
    page.Input().ClickControl(page.cboAliasNamen());
    ASSERT_TRUE(page.Input().DoDefaultAction(*page.Input().AccessibleParts()[0].control));
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm), std::vector<std::string>{contract::kRestartQuestion});
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0});
    EXPECT_EQ(listener->received, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                                      {contract::kApplied, contract::kAppliedChanges}}));
}

TEST_F(PageTest, HandCursorFromTheFirstAskAndArrowOnceThePointerLeaves) {
    auto& page = Create();
    Rect ok = Button(page, "HotSpeedButtonOK").Bounds();
    EXPECT_EQ(page.Input().CursorFor(ok.left + 5, ok.top + 5), Cursor::HandPoint);
    EXPECT_EQ(page.Input().CursorFor(ok.left - 5, ok.top + 5), Cursor::Default);
    EXPECT_EQ(page.Input().HotControl(), nullptr);
    Rect registry = Button(page, "HotSpeedButtonRegistry").Bounds();
    EXPECT_EQ(page.Input().CursorFor(registry.left + 1, registry.top + 1), Cursor::HandPoint);
}

}  // namespace
}  // namespace page_tests
