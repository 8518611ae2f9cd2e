#include "template/MainTippU.h"

#include "help/QuandeoHelp.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

using namespace platform;

TTipState TipState;

namespace {

constexpr std::int32_t kNotifySwitchWindow = 200, kNotifyApplied = 9999;

const char* const kEditionNames[] = {"Windows 98 Standard Edition",
                                     "Windows 98 Standard Edition A",
                                     "Windows 98 Second Edition",
                                     "Windows 95",
                                     "Windows 95 A",
                                     "Windows 95 B",
                                     "Windows 95 B OEM Service Release 2",
                                     "Windows 95 B OEM Service Release 2.1",
                                     "Windows 95 C OEM Service Release 2.5 C",
                                     "Windows NT",
                                     "Windows 2000",
                                     "Windows 98 ME",
                                     "Windows XP"};

void Notify(std::int32_t code, std::int32_t argument) {
    if (TipState.HostMessage == 0) return;
    ActiveBackend().Broadcast(TipState.HostMessage, static_cast<std::uintptr_t>(code), argument);
}

constexpr int kDesignPixelsPerInch = 96;
constexpr int kLastEditionCode = 18;

}  // namespace

TfrmTippTemplate::TfrmTippTemplate(const FormDescription& description) : Form(description) {
    // Host and page meet on this registered message. Registered by the first page that needs it, not
    // as the library loads, where the system forbids window calls.
    if (TipState.HostMessage == 0)
        TipState.HostMessage = static_cast<std::uint16_t>(ActiveBackend().RegisterMessage("Quandeo"));
    Publish("FormCreate", &TfrmTippTemplate::FormCreate);
    Publish("FormShow", &TfrmTippTemplate::FormShow);
    Publish("HotSpeedButtonOKClick", &TfrmTippTemplate::HotSpeedButtonOKClick);
    Publish("HotSpeedButtonUndoClick", &TfrmTippTemplate::HotSpeedButtonUndoClick);
    Publish("HotSpeedButtonInfoClick", &TfrmTippTemplate::HotSpeedButtonInfoClick);
    Publish("Fensterwechseln1Click", &TfrmTippTemplate::Fensterwechseln1Click);
    Publish("HotSpeedButtonRegistryClick", &TfrmTippTemplate::HotSpeedButtonRegistryClick);
}

void TfrmTippTemplate::FormCreate(Component*) {
    ReadBSControl();
    CompensateScreenDensity();
    TipState.EditionBit = TipState.EditionCode >= 1 && TipState.EditionCode <= kLastEditionCode
                              ? 1 << (TipState.EditionCode - 1)
                              : 0;
    if ((TipState.ValidFor & TipState.EditionBit) > 0 || !FBSControl) {
        TipState.Applicable = true;
    } else {
        DisableControls();
        TipState.Applicable = false;
    }
    Find<StaticText>("StaticTextTitle").SetCaption(Caption(), TextOrigin::Host);
}

// A BSControl of the wrong type is reported and then counts as missing, so that creation goes on.
void TfrmTippTemplate::ReadBSControl() {
    Registry reg(RootKey::CurrentUser);
    FBSControl = true;
    if (!reg.OpenKey(kSuiteSettingsKey, true)) return;
    try {
        if (reg.ValueExists("BSControl")) FBSControl = reg.ReadBool("BSControl");
    } catch (const RegistryError& e) {
        FBSControl = true;
        ShowError(e);
    }
}

// The toolkit enlarged the window for a denser screen while loading; scale it back to 96 dpi size.
void TfrmTippTemplate::CompensateScreenDensity() {
    if (ActiveBackend().ScreenPixelsPerInch() == kDesignPixelsPerInch) return;
    ShowMessage("Big");
    ScaleBy(kDesignPixelsPerInch, ActiveBackend().ScreenPixelsPerInch());
    Refresh();
}

void TfrmTippTemplate::FormShow(Component*) {
    Find<StaticText>("StaticTextTitle").SetCaption(Caption(), TextOrigin::Host);
    Find<Memo>("MemoHelpD").SetText(HelpText(FHelpId, kHelpGerman));
    Find<Memo>("MemoHelpUS").SetText(HelpText(FHelpId, kHelpEnglish));
}

void TfrmTippTemplate::HotSpeedButtonOKClick(Component*) {
    TipState.Saved = true;
    Notify(kNotifyApplied, TipState.RestoreDefaults ? 1 : 2);
}

void TfrmTippTemplate::Fensterwechseln1Click(Component*) {
    Notify(kNotifySwitchWindow, 0);
}

std::string HelpText(std::int32_t helpId, int kind) {
    const char* text = GetHelpText(helpId, kind);
    return text ? std::string(text) : std::string();
}

std::string ValidEditionsText(std::int32_t validFor, std::int32_t language) {
    std::string text = language == 1 ? "Valid for:" : "G\xFCltig f\xFCr:";
    text += "\r\n\r\n";
    for (int code = 1; code <= 13; ++code)
        if (validFor & (1 << (code - 1))) text += std::string(kEditionNames[code - 1]) + "\r\n";
    return text;
}

void TfrmTippTemplate::HotSpeedButtonInfoClick(Component*) {
    ShowMessage(ValidEditionsText(TipState.ValidFor, TipState.Language));
}

void TfrmTippTemplate::Sprache(std::int32_t Language) {
    TipState.Language = Language;
    bool english = Language == 1;
    Find<Control>("HotSpeedButtonUndo")
        .SetHint(english ? "Restore defaults" : "Setzt alles wieder auf die Standartwerte");
    Find<Control>("HotSpeedButtonOK")
        .SetHint(english ? "Changes will be saved immediately" : "\xC4nderungen werden gespeichert");
    Find<Control>("HotSpeedButtonRegistry")
        .SetHint(english ? "Registry Lookup" : "Wert in der Registry nachschlagen");
    Find<Control>("HotSpeedButtonInfo").SetHint(english ? "Valid to ..." : "G\xFCltig f\xFCr ... ");
    Find<MenuItem>("Fensterwechseln1").SetCaption(english ? "Change Window" : "Fenster wechseln");
    Find<Control>("MemoHelpD").SetVisible(!english);
    Find<Control>("MemoHelpUS").SetVisible(english);
}

void TfrmTippTemplate::WndProc(Message& message) {
    Form::WndProc(message);
    if (TipState.HostMessage == 0 || message.msg != TipState.HostMessage) return;
    // Both parameters count as signed 32-bit numbers; a negative one is out of range.
    auto code = static_cast<std::int32_t>(static_cast<std::uint32_t>(message.wParam));
    auto argument = static_cast<std::int32_t>(static_cast<std::uint32_t>(message.lParam));
    if (code < 0 || argument < 0) throw RangeError();
    PerformHostCommand(code, argument);
}

void TfrmTippTemplate::PerformHostCommand(std::int32_t code, std::int32_t argument) {
    switch (code) {
        case 0:
            try {
                Close();
            } catch (...) {
                ShowMessage("e");
            }
            Release();  // destroyed once this message has been handled
            break;
        case 10:
            SetLeft(argument == 0 ? 1 : argument);
            break;
        case 11:
            SetTop(argument == 0 ? 1 : argument);
            break;
        case 12:
            SetWidth(argument);
            break;
        case 13:
            SetHeight(argument);
            break;
        case 200:
            Show();
            break;
        default:
            break;  // 100, our own 9999 and anything else
    }
}

void TfrmTippTemplate::HotSpeedButtonUndoClick(Component*) {
    TipState.RestoreDefaults = true;
}

// Leaves only what can still be used on an edition the tip does not apply to: title, help, Info, Registry.
void TfrmTippTemplate::DisableControls() {
    for (const auto& component : Components())
        if (component->IsControl()) static_cast<Control&>(*component).SetEnabled(false);
    for (const char* name :
         {"StaticTextTitle", "MemoHelpD", "MemoHelpUS", "HotSpeedButtonInfo", "HotSpeedButtonRegistry"})
        Find<Control>(name).SetEnabled(true);
}
