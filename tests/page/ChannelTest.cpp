// The host message channel, the Info list and the language, on the backend of this build.
#include "page/PageFixture.h"
#include "template/Editions.h"

namespace page_tests {
namespace {

class Channel : public PageTest {
  protected:
    std::intptr_t Send(TFormNamtail& page, std::int64_t code, std::int64_t argument) {
        return SendToWindow(page.Handle(), TipState.HostMessage,
                            static_cast<std::uintptr_t>(static_cast<std::uint32_t>(code)),
                            static_cast<std::intptr_t>(static_cast<std::int32_t>(argument)));
    }
};

TEST_F(Channel, HostMessageIsRegisteredByTheFirstPage) {
    TipState.HostMessage = 0;
    EXPECT_EQ(ModulNr(), 2);
    EXPECT_EQ(TipState.HostMessage, 0) << "nothing registered before a page needs it";
    Create();
    EXPECT_GE(TipState.HostMessage, 0xC000);
    EXPECT_EQ(TipState.HostMessage, ActiveBackend().RegisterMessage("Quandeo"))
        << "same number for every caller";
}

TEST_F(Channel, MoveAndResizeCommandsTakeZeroAsOneForTheEdgesOnly) {
    auto& page = Create();
    Send(page, 10, 0);
    Send(page, 11, 0);
    EXPECT_EQ(page.Left(), 1);
    EXPECT_EQ(page.Top(), 1);
    Send(page, 10, 120);
    Send(page, 11, 80);
    Send(page, 12, 350);
    Send(page, 13, 500);
    EXPECT_EQ((Rect{page.Left(), page.Top(), page.Width(), page.Height()}), (Rect{120, 80, 350, 500}));
    Send(page, 12, 0);
    Send(page, 13, 0);
    EXPECT_EQ(page.Width(), 0);
    EXPECT_EQ(page.Height(), 0);
    Send(page, 100, 5);
    Send(page, 9999, 2);
    Send(page, 4711, 1);
    SendToWindow(page.Handle(), TipState.HostMessage + 1 == 0x10000 ? 0xC000 : TipState.HostMessage + 1, 10,
                 300);
    EXPECT_EQ(page.Left(), 120) << "other codes and other messages change nothing";
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(Channel, NegativeParametersRaiseTheRangeErrorAndDoNothing) {
    auto& page = Create();
    Send(page, 10, -5);
    Send(page, -1, 0);
    Send(page, 9999, -1);
    Send(page, 0, -1);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error), std::vector<std::string>(4, "Range check error"));
    EXPECT_EQ(page.Left(), 100);
    EXPECT_EQ(CurrentPage(), &page) << "command 0 with a negative argument destroys nothing";
}

TEST_F(Channel, ShowCommandRaisesAHiddenWindowAndRefillsItsHelp) {
    auto& page = Create();
    page.Close();
    page.Find<Memo>("MemoHelpUS").SetText("stale");
    Send(page, 200, 0);
    EXPECT_TRUE(page.Visible());
    EXPECT_EQ(page.Find<Memo>("MemoHelpUS").Lines()[0], "Short file names (8.3) without a tilde");
}

TEST_F(Channel, CloseCommandDestroysTheWindowAfterItsMessage) {
    auto& page = Create();
    Send(page, 0, 0);
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(ModulFree(), 1);
    EXPECT_EQ(ModulSaveChanges(), 1);
    auto& again = Create();
    EXPECT_TRUE(again.Visible());
}

// Where the notifications of a failed registration would land: message number 0.
inline const FormDescription kNullListener = {"frmNullListener", nullptr, {}, {}};
class NullListener : public Form {
  public:
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> received;
    void HostCommand(std::int32_t code, std::int32_t argument) override {
        if (code == 200 || code == 9999) received.emplace_back(code, argument);
    }

  private:
    friend class Form;
    NullListener() : Form(kNullListener) { ListenOn(0); }
};

TEST_F(Channel, FailedRegistrationPerformsNoCommandAndBroadcastsNothing) {
    // The page registers the message as it is made; where the system cannot be made to refuse
    // that, the registration is forgotten afterwards, which the notifications see all the same.
    struct NoHostMessage {
        std::uint16_t saved = std::exchange(TipState.HostMessage, std::uint16_t{0});
        bool refused = RefuseMessageRegistration(true);
        ~NoHostMessage() {
            RefuseMessageRegistration(false);
            TipState.HostMessage = saved;
        }
    } failed;
    auto listener = Form::Create<NullListener>();
    listener->Handle();  // a host's window exists whether or not it shows
    auto& page = Create();
    if (!failed.refused) TipState.HostMessage = 0;
    EXPECT_EQ(TipState.HostMessage, 0);
    SendToWindow(page.Handle(), 0, 10, 300);
    SendToWindow(page.Handle(), 0, 12, 50);
    EXPECT_EQ(page.Left(), 100) << "message 0 is never the host message";
    EXPECT_EQ(page.Width(), 300);
    page.Close();
    SendToWindow(page.Handle(), 0, 200, 0);
    EXPECT_FALSE(page.Visible());
    SendToWindow(page.Handle(), 0, 0, 0);
    EXPECT_EQ(CurrentPage(), &page);

    Click(page, "HotSpeedButtonOK");
    page.Input().KeyDown(kKeyF12);
    EXPECT_TRUE(TipState.Saved) << "the OK action itself goes on";
    EXPECT_TRUE(listener->received.empty());
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty());
}

TEST_F(Channel, OkAndSwitchWindowAreBroadcastToEveryTopLevelWindow) {
    auto listener = Listener::Make();
    auto& page = Create();
    page.Close();
    Click(page, "HotSpeedButtonOK");
    ASSERT_EQ(listener->received.size(), 1u);
    EXPECT_EQ(listener->received.back(), std::make_pair(9999, 2));
    Click(page, "HotSpeedButtonUndo");
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(listener->received.back(), std::make_pair(9999, 1)) << "defaults were restored";
    EXPECT_TRUE(page.Input().KeyDown(kKeyF12));
    EXPECT_EQ(listener->received.back(), std::make_pair(200, 0));
    EXPECT_TRUE(page.Visible()) << "the page handles its own switch-window broadcast";
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 2u) << "only the restart questions, answered No";
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST_F(Channel, InfoListsTheValidEditionsInTableOrder) {
    EXPECT_EQ(ValidEditionsText(0, 1), "Valid for:\r\n\r\n");
    EXPECT_EQ(ValidEditionsText(4096 + 1024 + 512, 1),
              "Valid for:\r\n\r\nWindows NT\r\nWindows 2000\r\nWindows XP\r\n");
    EXPECT_EQ(ValidEditionsText(8192 | (1 << 20), 1), "Valid for:\r\n\r\n") << "codes 14 to 18 have no name";
    EXPECT_EQ(ValidEditionsText(4 | 8, 2),
              "G\xFCltig f\xFCr:\r\n\r\nWindows 98 Second Edition\r\nWindows 95\r\n");

    auto& page = Create(kWindowsXP, 1, 2);  // disabled: Info still works
    Click(page, "HotSpeedButtonInfo");
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain),
              (std::vector<std::string>{"G\xFCltig f\xFCr:\r\n\r\nWindows 98 Standard Edition\r\n"}));
}

TEST_F(Channel, LanguageOneIsEnglishAndEveryOtherValueGerman) {
    auto& english = Create(kWindowsXP, kWindowsXPBit, 1);
    EXPECT_EQ(english.Find<Control>("HotSpeedButtonInfo").Hint(), "Valid to ...");
    EXPECT_EQ(english.Find<Control>("HotSpeedButtonUndo").Hint(), "Restore defaults");
    EXPECT_EQ(english.Find<MenuItem>("Fensterwechseln1").Caption(), "Change Window");
    EXPECT_EQ(english.cboAliasNamen().Caption(), "&Don't show (~) in Filename");
    EXPECT_TRUE(english.Find<Memo>("MemoHelpUS").Visible());
    EXPECT_FALSE(english.Find<Memo>("MemoHelpD").Visible());
    EXPECT_FALSE(english.Find<Memo>("MemoHelpD").Lines().empty()) << "the hidden German box is filled too";
    Control* info = english.Input().ControlAt(210, 390);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->ShowHint());
    EXPECT_EQ(info->Hint(), "Valid to ...");

    for (std::int32_t language : {0, 2, -1}) {
        auto& german = Create(kWindowsXP, kWindowsXPBit, language);
        EXPECT_EQ(german.Find<Control>("HotSpeedButtonInfo").Hint(), "G\xFCltig f\xFCr ... ") << language;
        EXPECT_EQ(german.Find<Control>("HotSpeedButtonUndo").Hint(),
                  "Setzt alles wieder auf die Standartwerte");
        EXPECT_EQ(german.Find<Control>("HotSpeedButtonOK").Hint(), "\xC4nderungen werden gespeichert");
        EXPECT_EQ(german.Find<Control>("HotSpeedButtonRegistry").Hint(), "Wert in der Registry nachschlagen");
        EXPECT_EQ(german.Find<MenuItem>("Fensterwechseln1").Caption(), "Fenster wechseln");
        EXPECT_EQ(german.cboAliasNamen().Caption(), "&Tilde(~) im Dateinamen nicht anzeigen");
        EXPECT_TRUE(german.Find<Memo>("MemoHelpD").Visible());
        EXPECT_EQ(TipState.Language, language);
    }
}

}  // namespace
}  // namespace page_tests
