// Windows only: the page's texts as the screen shows them, read back through the Unicode functions,
// on any system code page. scripts/test runs this suite again under code pages 1251 and 932; the
// expected values are the texts as Unicode.
#ifdef _WIN32
#include <cstdlib>
#include <string>

#include "support/Contract.h"
#include "support/SystemRecorder.h"
#include "win32/NativePageTest.h"

namespace page_tests {
namespace {

using namespace win32_input;

const std::wstring kGermanHelp =
    L"Kurze Dateinamen (8.3) ohne Tilde\r\n\r\nZu jedem langen Dateinamen legt Windows einen kurzen Alias im "
    L"Format 8.3 an. Normalerweise nimmt es dazu die ersten sechs g\u00fcltigen Zeichen und h\u00e4ngt eine "
    L"Tilde und eine Nummer an, zum Beispiel EIGENE~1.\r\n\r\nIst das K\u00e4stchen angekreuzt, verwendet "
    L"Windows nach M\u00f6glichkeit die ersten acht Zeichen des Namens. Dazu wird unter "
    L"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem der Bin\u00e4rwert NameNumericTail "
    L"= 0 "
    L"gesetzt; ohne Kreuz wird der Wert gel\u00f6scht.\r\n\r\nDie \u00c4nderung wirkt nach einem Neustart "
    L"und nur "
    L"f\u00fcr Dateien, die danach angelegt werden.\r\n";  // a text box ends each line
const std::wstring kGermanHints[] = {L"\u00c4nderungen werden gespeichert",
                                     L"Setzt alles wieder auf die Standartwerte",
                                     L"G\u00fcltig f\u00fcr ... ", L"Wert in der Registry nachschlagen"};
const std::wstring kRestartQuestion =
    L"Um diese \u00c4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. Soll der Neustart "
    L"jetzt "
    L"durchgef\u00fchrt werden ?";
const std::wstring kCannotRestart =
    L"Das System l\u00e4\u00dft sich zur Zeit nicht neu starten. Bitte f\u00fchren Sie sp\u00e4ter manuell "
    L"einen "
    L"Neustart durch";

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A host's text in the system's code page, as a host passes it.
std::string InSystemCodePage(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), length, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

class CodePage : public NativePageTest {
  protected:
    // Presses image button `index` (OK, Undo, Info, Registry) with the pointer.
    void PressButton(int index) {
        RECT client;
        GetClientRect(Page(), &client);
        const auto& p = contract::kPlacements[index];
        int x = p.left + p.width / 2 + (index < 2 ? 0 : client.right - contract::kClientWidth);
        int y = p.top + p.height / 2 + client.bottom - contract::kClientHeight;
        SendMessageW(Page(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(Page(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(CodePage, RunsInTheSystemCodePageTheScriptAskedFor) {
    const char* expected = std::getenv("NAMTAIL_EXPECTED_CODE_PAGE");
    if (!expected) GTEST_SKIP() << "the code page runs of scripts/test name the code page they ask for";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST_F(CodePage, GermanPageReadsRightWhateverTheSystemCodePage) {
    // A caption the host writes in its own code page.
    const std::wstring caption =
        GetACP() == 932 ? L"\u77ed\u3044\u540d\u524d"
        : GetACP() == 1251
            ? L"\u041a\u043e\u0440\u043e\u0442\u043a\u0438\u0435 \u0438\u043c\u0435\u043d\u0430"
            : L"Kurznamen \u00fcber Alias";
    ModulCreate(100, 50, 300, 460, contract::kWindowsXP, 2, InSystemCodePage(caption).c_str(), "hint",
                contract::kWindowsXPBit, 1);
    ASSERT_NE(CurrentPage(), nullptr);
    EXPECT_EQ(WindowText(Page()), caption);
    EXPECT_EQ(WindowText(ChildOfClass(Page(), "Static")), caption) << "title";
    EXPECT_EQ(WindowText(ChildOfClass(Page(), "Button")), L"&Tilde(~) im Dateinamen nicht anzeigen");
    EXPECT_TRUE(WindowText(ChildOfClass(Page(), "Edit", 0)) == kGermanHelp ||
                WindowText(ChildOfClass(Page(), "Edit", 1)) == kGermanHelp)
        << "the German help box";

    HWND tooltip = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
         w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr))
        if (GetWindow(w, GW_OWNER) == Page()) tooltip = w;
    ASSERT_NE(tooltip, nullptr);
    ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        ASSERT_TRUE(
            SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)));
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(std::wstring(text), kGermanHints[i]);
    }
    // The same hints as a screen reader reads them, as the image buttons' names.
    AccessibleWindow reader(Page());
    const std::vector<LONG> buttons = reader.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(reader.Name(buttons[i]), AccessibleWindow::Narrow(SysAllocString(kGermanHints[i].c_str())));

    PressButton(2);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].wide, L"G\u00fcltig f\u00fcr:\r\n\r\nWindows XP\r\n") << "Info";

    // Ticked and applied; the restart is refused.
    testing_support::SystemRecorder system;
    system.acceptShutdown = false;
    boxes.AnswerYes(true);
    SendMessageW(ChildOfClass(Page(), "Button"), BM_CLICK, 0, 0);
    PressButton(0);
    ASSERT_EQ(boxes.Shown().size(), 3u);
    EXPECT_EQ(boxes.Shown()[1].wide, kRestartQuestion);
    EXPECT_EQ(boxes.Shown()[2].wide, kCannotRestart);
}

}  // namespace
}  // namespace page_tests
#endif
