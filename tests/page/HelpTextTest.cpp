// The help-text library: the alias-name tip's texts byte for byte, nothing for other ids and kinds,
// and the page's help boxes holding them line by line.
#include "help/QuandeoHelp.h"
#include "page/PageFixture.h"

namespace page_tests {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

std::string HelpOrNull(int helpId, int kind) {
    const char* text = GetHelpText(helpId, kind);
    return text ? text : "(null)";
}

TEST(HelpLibrary, AliasNameTipHasItsTwoHelpTextsAndItsKey) {
    EXPECT_EQ(HelpOrNull(1, contract::kGermanHelp), Joined(contract::kHelpGermanLines));
    EXPECT_EQ(HelpOrNull(1, contract::kEnglishHelp), Joined(contract::kHelpEnglishLines));
    EXPECT_EQ(HelpOrNull(1, contract::kRegistryKeyPath), contract::kHelpKeyPath);
}

TEST(HelpLibrary, OtherIdsAndKindsHaveNoText) {
    for (int kind : {0, 1, 3, 6, -1}) EXPECT_EQ(GetHelpText(1, kind), nullptr) << "kind " << kind;
    for (int id : {0, 2, -1, 99})
        for (int kind : {contract::kGermanHelp, contract::kEnglishHelp, contract::kRegistryKeyPath})
            EXPECT_EQ(GetHelpText(id, kind), nullptr) << "id " << id << ", kind " << kind;
}

TEST_F(PageTest, HelpBoxesHoldTheHelpTextsLineByLine) {
    auto& page = Create(kWindowsXP, kWindowsXPBit, 1);
    EXPECT_EQ(page.Find<Memo>("MemoHelpD").Lines(), contract::kHelpGermanLines);
    EXPECT_EQ(page.Find<Memo>("MemoHelpUS").Lines(), contract::kHelpEnglishLines);
}

}  // namespace
}  // namespace page_tests
