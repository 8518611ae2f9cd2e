// Windows only, and only in a throwaway Wine prefix (scripts/e2e/real-restart.sh sets the variable):
// a real restart request ends every process of the session, this test included.
#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "page/PageFixture.h"
#include "platform/System.h"

namespace page_tests {
namespace {

TEST_F(PageTest, RealRestartRequestIsAcceptedOnThePrivilegeRoute) {
    const char* marker = std::getenv("NAMTAIL_REAL_RESTART_MARKER");
    if (!marker) GTEST_SKIP() << "restarts the session: run by the real-restart script in its own prefix";
    SystemServices* safety = InstallSystemServices(nullptr);
    auto& page = Create(10, 0x1FFF);
    boxes.AnswerYes(true);
    page.cboAliasNamen().SetChecked(true);
    Click(page, "HotSpeedButtonOK");
    InstallSystemServices(safety);
    bool accepted = !page.Visible() && boxes.Texts(MessageBoxKind::Plain).empty();
    if (FILE* f = std::fopen(marker, "w")) {
        std::fputs(accepted ? "accepted\n" : "refused\n", f);
        std::fclose(f);
    }
    EXPECT_TRUE(accepted);
    // The session ends this process shortly; keep pumping until it does.
    for (int i = 0; i < 300; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(100);
    }
    ADD_FAILURE() << "the session did not end within 30 s";
}

}  // namespace
}  // namespace page_tests
#endif
