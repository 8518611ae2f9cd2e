// A host that does everything wrong: random commands and arguments, calls out of order, enormous or
// missing texts, and calls back into the module while the page is handling its own notification.
#include <random>

#include "page/PageFixture.h"

namespace page_tests {
namespace {

constexpr std::int32_t kAllEditions = 0x1FFF;
const char kRangeError[] = "Range check error";

size_t RangeErrors(const MessageBoxScript& boxes) {
    size_t count = 0;
    for (const auto& text : boxes.Texts(MessageBoxKind::Error)) count += text == kRangeError;
    return count;
}

class HostileHost : public PageTest {};

TEST_F(HostileHost, TenThousandRandomMessagesAmongCallsInAnyOrderKeepTheWindowReferenceRight) {
    std::mt19937 random(20261207);
    // Negative values are rare: each one costs a message box, and boxes are slow on a real screen.
    const std::int64_t kCodes[] = {0, 1, 10, 11, 12, 13, 100, 200, 9999, 2147483647};
    const std::int64_t kArguments[] = {0, 1, 2, 500, 2147483647};
    const std::int64_t kNegatives[] = {-1, -2, -2147483647 - 1};
    const std::string huge(64 * 1024, 'W');
    const char* const texts[] = {nullptr, "", "Alias names", huge.c_str()};
    auto pick = [&](auto& list) { return list[random() % std::size(list)]; };

    bool live = false;
    size_t negatives = 0, created = 0, destroyedByCommand = 0;
    for (int i = 0; i < 10000; ++i) {
        unsigned roll = random() % 1000;
        if (roll < 4) {
            EXPECT_EQ(ModulFree(), 1);
            live = false;
        } else if (roll < 10) {
            ModulCreate(pick(kArguments), pick(kArguments), static_cast<std::int32_t>(random() % 2000),
                        static_cast<std::int32_t>(random() % 2000), static_cast<std::int32_t>(random() % 20),
                        static_cast<std::int32_t>(random() % 3), pick(texts), pick(texts), kAllEditions, 1);
            live = true;
            ++created;
        } else if (roll < 12) {
            EXPECT_EQ(ModulSaveChanges(), 1);
        } else if (roll < 20) {
            EXPECT_EQ(ModulChanged(), 0) << "nothing in this module sets Modified";
            EXPECT_EQ(ModulNr(), TipState.RestoreDefaults ? 1 : 2);
        } else if (live) {
            auto anyPositive = [&] { return static_cast<std::int64_t>(random() & 0x7FFFFFFF); };
            std::int64_t code = roll < 40 ? pick(kNegatives) : roll < 900 ? pick(kCodes) : anyPositive();
            std::int64_t argument = roll >= 990 ? pick(kNegatives)
                                    : roll % 2  ? pick(kArguments)
                                                : anyPositive();
            if (code == 0 && roll % 5 != 0) continue;  // keep pages alive long enough to be pestered
            auto wParam = static_cast<std::uintptr_t>(static_cast<std::uint32_t>(code));
            auto lParam = static_cast<std::intptr_t>(static_cast<std::int32_t>(argument));
            SendToWindow(CurrentPage()->Handle(), TipState.HostMessage, wParam, lParam);
            bool negative = static_cast<std::int32_t>(code) < 0 || static_cast<std::int32_t>(argument) < 0;
            negatives += negative;
            if (code == 0 && !negative) {
                live = false;
                ++destroyedByCommand;
            }
        }
        ASSERT_EQ(CurrentPage() != nullptr, live) << "after step " << i;
        ASSERT_EQ(TipWindowCount(), live ? 1 : 0) << "after step " << i;
    }
    EXPECT_EQ(RangeErrors(boxes), negatives);
    EXPECT_GT(negatives, 50u);
    EXPECT_GT(created, 20u);
    EXPECT_GT(destroyedByCommand, 5u);
}

TEST_F(HostileHost, HostMayFreeRecreateOrSaveWhileHandlingThePagesNotification) {
    auto host = Listener::Make();
    int windowsWithHost = TipWindowCount() + 1;

    host->onNotification = [](std::int32_t code) {
        if (code == 9999) ModulFree();
    };
    auto& freed = Create(kWindowsXP, kAllEditions);
    Click(freed, "HotSpeedButtonOK");
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(TipWindowCount(), windowsWithHost - 1);

    host->onNotification = [](std::int32_t code) {
        if (code == 9999) ModulCreate(1, 1, 300, 460, kWindowsXP, 1, "again", "", kAllEditions, 1);
    };
    Create(kWindowsXP, kAllEditions);
    EXPECT_EQ(ModulSaveChanges(), 1);
    ASSERT_NE(CurrentPage(), nullptr);
    EXPECT_EQ(CurrentPage()->Caption(), "again");
    EXPECT_EQ(TipWindowCount(), windowsWithHost);

    int saves = 0;
    host->onNotification = [&](std::int32_t code) {
        if (code == 9999 && ++saves < 50) {
            EXPECT_EQ(ModulSaveChanges(), 1);
        }
    };
    boxes.Clear();
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(saves, 1) << "a save inside its own notification does not run again";
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 1u);

    host->onNotification = [](std::int32_t) { ModulFree(); };
    EXPECT_TRUE(CurrentPage()->Input().KeyDown(kKeyF12));
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty());
}

}  // namespace
}  // namespace page_tests
