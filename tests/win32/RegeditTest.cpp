// Windows only: the Registry button starts the real registry editor through the shell.
#ifdef _WIN32
#include <windows.h>

#include "page/PageFixture.h"
#include "support/SystemRecorder.h"

namespace page_tests {
namespace {

constexpr char kEditorClass[] = "RegEdit_RegEdit";

HWND WaitForEditor(bool present, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        HWND editor = FindWindowA(kEditorClass, nullptr);
        if ((editor != nullptr) == present || waited >= timeoutMs) return editor;
        Sleep(100);
    }
}

TEST_F(PageTest, RegistryButtonStartsTheRealRegistryEditor) {
    ASSERT_EQ(WaitForEditor(false, 0), nullptr) << "an editor from elsewhere is already open";
    SystemRecorder system;
    system.passLaunches = true;
    auto& page = Create();
    Click(page, "HotSpeedButtonRegistry");
    EXPECT_EQ(GetValue(RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit",
                       "LastKey"),
              Text(contract::kHelpKeyPath));
    HWND editor = WaitForEditor(true, 30000);
    ASSERT_NE(editor, nullptr) << "regedit.exe did not open a window";
    PostMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForEditor(false, 15000), nullptr) << "the editor did not close";
    EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
}  // namespace page_tests
#endif
